#include "settings/preferences.h"

#include "record/file_io.h"

namespace velk {

namespace {

constexpr std::size_t MAX_PREFERENCES_BYTES = 64 * 1024;

std::string pathIn(const std::filesystem::path& folder) {
    return (folder / PREFERENCES_FILE_NAME).string();
}

}  // namespace

std::map<std::string, std::string> parsePreferences(std::string_view bytes) {
    std::map<std::string, std::string> prefs;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos && eq > 0)
            prefs[std::string(line.substr(0, eq))] = std::string(line.substr(eq + 1));
        start = end + 1;
    }
    return prefs;
}

std::string preferencesBytes(const std::map<std::string, std::string>& prefs) {
    std::string out;
    for (const auto& [key, value] : prefs) out += key + "=" + value + "\n";
    return out;
}

std::map<std::string, std::string> readPreferences(const std::filesystem::path& folder) {
    const std::string path = pathIn(folder);
    if (!fileExists(path)) return {};
    const FileReadResult read = readWholeFile(path, MAX_PREFERENCES_BYTES);
    if (!read.ok) return {};
    return parsePreferences(read.bytes);
}

FileWriteResult writePreference(const std::filesystem::path& folder, const std::string& key,
                                const std::string& value) {
    std::map<std::string, std::string> prefs = readPreferences(folder);
    prefs[key] = value;
    return writeFileAtomic(pathIn(folder), preferencesBytes(prefs));
}

}  // namespace velk
