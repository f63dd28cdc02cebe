// The window's own preferences beside the settings file: "Velkついたて将棋.pref", one
// "key=value" line each in UTF-8. The settings file keeps its three lines; whatever the window
// adds (the move list shown, say) lives here. Unknown keys are kept when a key is written.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "record/file_io.h"

namespace velk {

inline constexpr const char* PREFERENCES_FILE_NAME = "Velkついたて将棋.pref";

// The keys and values of the file's bytes; lines without "=" are skipped, a later key wins.
std::map<std::string, std::string> parsePreferences(std::string_view bytes);

// The file's bytes for the given keys, sorted, with LF line ends.
std::string preferencesBytes(const std::map<std::string, std::string>& prefs);

// Reads the file in folder; empty when it is missing or unreadable.
std::map<std::string, std::string> readPreferences(const std::filesystem::path& folder);

// Sets one key, keeping the others, and writes the file in folder as the settings file is
// written (a temporary file renamed over the old one). On failure the result says why; the
// preference is then not remembered.
FileWriteResult writePreference(const std::filesystem::path& folder, const std::string& key,
                                const std::string& value);

}  // namespace velk
