// Whole-file reading and crash-safe writing for the record and settings files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velk {

struct FileReadResult {
    bool ok = false;
    bool notFound = false;  // the file does not exist (a quiet case for the callers)
    std::string bytes;
    std::string error;  // why it failed, for a message box
};

// Reads the whole file. Files larger than maxBytes are refused without being read.
FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes);

struct FileWriteResult {
    bool ok = false;
    std::string error;
};

// Writes bytes to a temporary file in the target's folder, flushes it to disk and renames it
// over the target. On any failure the temporary file is removed and an existing target is
// left exactly as it was.
FileWriteResult writeFileAtomic(const std::string& path, std::string_view bytes);

bool fileExists(const std::string& path);

// Empty when name may be used as a file name inside a chosen folder; otherwise the reason
// for refusing it. Refuses empty names, path separators and control characters.
std::string checkFileName(std::string_view name);

// folder + "/" + name, without doubling a trailing separator.
std::string joinPath(std::string_view folder, std::string_view name);

}  // namespace velk
