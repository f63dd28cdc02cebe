// Whole-file reading and crash-safe writing for the record and settings files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velk {

// Longest file name, in bytes, that the file systems in use accept.
inline constexpr std::size_t MAX_FILE_NAME_BYTES = 255;

struct FileReadResult {
    bool ok = false;
    bool notFound = false;    // the file does not exist (a quiet case for the callers)
    bool notRegular = false;  // something other than a regular file (a folder, a FIFO, a device)
    std::string bytes;
    std::string error;  // why it failed, in Japanese, for a message box
};

// Reads the whole file. Files larger than maxBytes are refused without being read. Anything but
// a regular file (links to one are followed) is refused without waiting: a FIFO never blocks.
FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes);

struct FileWriteResult {
    bool ok = false;
    std::string error;  // in Japanese, for a message box
};

// Writes bytes to a temporary file in the target's folder, flushes it to disk and renames it
// over the target. On any failure the temporary file is removed and an existing target is
// left exactly as it was. Only a regular file is replaced. Stale temporary files in the folder
// are removed first (removeStaleTemporaryFiles).
FileWriteResult writeFileAtomic(const std::string& path, std::string_view bytes);

// Removes the temporary files that writeFileAtomic left when its process was killed during a
// write: regular files named exactly ".NAME.tmpPID_N" as it names them, whose process PID no
// longer runs. Those of a running process (another instance saving now) and every other file
// are left alone. Returns how many were removed; failures are ignored.
int removeStaleTemporaryFiles(const std::string& folder);

// True for a regular file or a link to one.
bool fileExists(const std::string& path);

// A system error number as the player reads it: the reason in Japanese, the system's own
// text after it in brackets.
std::string fileErrorText(int err);

// Empty when name may be used as a file name inside a chosen folder; otherwise the reason
// for refusing it. Refuses empty names, path separators and control characters.
std::string checkFileName(std::string_view name);

// folder + "/" + name, without doubling a trailing separator.
std::string joinPath(std::string_view folder, std::string_view name);

}  // namespace velk
