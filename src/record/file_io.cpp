#include "record/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "texts/texts.h"

namespace velk {

namespace {

// Longest part of the final name kept in the temporary one, so that the temporary name stays
// well within the limit whatever the final name's length.
constexpr std::size_t TMP_BASE_BYTES = 32;
// Attempts at a free temporary name; the attempt's number ends the name.
constexpr int TMP_ATTEMPTS = 100;
constexpr std::string_view TMP_MARK = ".tmp";

std::string notRegularText(mode_t mode) {
    return S_ISDIR(mode) ? texts::file::A_FOLDER : texts::file::NOT_REGULAR;
}

// Marks the result refused when the file is anything but a regular one.
bool refusedAsNotRegular(const struct stat& st, FileReadResult& r) {
    if (S_ISREG(st.st_mode)) return false;
    r.notRegular = true;
    r.error = notRegularText(st.st_mode);
    return true;
}

// The first bytes of a UTF-8 name, cut before a character that would not fit whole.
std::string utf8Prefix(const std::string& name, std::size_t maxBytes) {
    if (name.size() <= maxBytes) return name;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    return name.substr(0, end);
}

// Closes the descriptor on every path out of a function.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and reports the result (a failed close can mean lost data).
    int release() {
        const int r = ::close(fd_);
        fd_ = -1;
        return r;
    }

  private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Decimal digits without a leading zero (a lone "0" allowed when zeroAllowed), as
// std::to_string writes a number.
bool isPlainNumber(std::string_view s, bool zeroAllowed) {
    if (s.empty() || (s[0] == '0' && !(zeroAllowed && s.size() == 1))) return false;
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// The process id in a temporary name ".NAME.tmpPID_N" exactly as writeFileAtomic makes it
// (NAME 1 to TMP_BASE_BYTES bytes, N below TMP_ATTEMPTS); 0 for any other name.
pid_t temporaryFileOwner(std::string_view name) {
    if (name.empty() || name[0] != '.') return 0;
    const std::size_t underscore = name.rfind('_');
    if (underscore == std::string_view::npos) return 0;
    const std::string_view attempt = name.substr(underscore + 1);
    if (!isPlainNumber(attempt, true) || attempt.size() > 2) return 0;
    std::size_t pidStart = underscore;
    while (pidStart > 0 && name[pidStart - 1] >= '0' && name[pidStart - 1] <= '9') --pidStart;
    const std::string_view pid = name.substr(pidStart, underscore - pidStart);
    if (!isPlainNumber(pid, false) || pid.size() > 10) return 0;
    if (pidStart < 1 + TMP_MARK.size()) return 0;
    const std::size_t markStart = pidStart - TMP_MARK.size();
    if (name.substr(markStart, TMP_MARK.size()) != TMP_MARK) return 0;
    const std::size_t baseBytes = markStart - 1;
    if (baseBytes == 0 || baseBytes > TMP_BASE_BYTES) return 0;
    const long long value = std::stoll(std::string(pid));
    return value <= INT_MAX ? static_cast<pid_t>(value) : 0;
}

bool processIsGone(pid_t pid) {
    // EPERM means it runs under another user: alive.
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

bool writeAll(int fd, std::string_view bytes, int& err) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes) {
    FileReadResult r;
    // Anything but a regular file is refused before it is opened: opening a FIFO waits for a
    // writer and opening a device may act on it.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        r.notFound = errno == ENOENT;
        r.error = fileErrorText(errno);
        return r;
    }
    if (refusedAsNotRegular(st, r)) return r;
    // The name may have been replaced meanwhile: the open does not wait, and what it opened is
    // checked again.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) {
        r.notFound = errno == ENOENT;
        r.error = fileErrorText(errno);
        return r;
    }
    if (::fstat(fd.get(), &st) != 0) {
        r.error = fileErrorText(errno);
        return r;
    }
    if (refusedAsNotRegular(st, r)) return r;
    if (const int flags = ::fcntl(fd.get(), F_GETFL); flags >= 0) {
        static_cast<void>(::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK));
    }
    if (static_cast<std::size_t>(st.st_size) > maxBytes) {
        r.error = texts::file::TOO_LARGE;
        return r;
    }
    // Read until end of file rather than trusting the size: the file may change meanwhile.
    std::string bytes;
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            r.error = fileErrorText(errno);
            return r;
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            r.error = texts::file::TOO_LARGE;
            return r;
        }
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    r.ok = true;
    r.bytes = std::move(bytes);
    return r;
}

FileWriteResult writeFileAtomic(const std::string& path, std::string_view bytes) {
    FileWriteResult r;
    const std::string folder = folderOf(path);
    const std::string base = baseNameOf(path);
    if (base.empty()) {
        r.error = texts::file::NO_NAME;
        return r;
    }

    removeStaleTemporaryFiles(folder);

    // Keep the permissions of a file being replaced; a new file gets 0666 less the umask.
    mode_t mode = 0666;
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing) {
        if (!S_ISREG(old.st_mode)) {
            r.error = notRegularText(old.st_mode);
            return r;
        }
        mode = old.st_mode & 07777;
    }

    // The temporary name carries only the start of the final one: a final name near the length
    // limit must not make the temporary name too long.
    const std::string tmpBase = "." + utf8Prefix(base, TMP_BASE_BYTES) + std::string(TMP_MARK);
    std::string tmp;
    int fdNum = -1;
    for (int attempt = 0; attempt < TMP_ATTEMPTS && fdNum < 0; ++attempt) {
        tmp = folder + "/" + tmpBase + std::to_string(::getpid()) + "_" + std::to_string(attempt);
        fdNum = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fdNum < 0 && errno != EEXIST) break;
    }
    if (fdNum < 0) {
        r.error = fileErrorText(errno);
        return r;
    }
    Fd fd(fdNum);

    int err = 0;
    bool ok = writeAll(fd.get(), bytes, err);
    // The umask may have narrowed the old mode; failing to widen it is not worth a failed save.
    if (ok && replacing) static_cast<void>(::fchmod(fd.get(), mode));
    if (ok && ::fsync(fd.get()) != 0) {
        ok = false;
        err = errno;
    }
    if (fd.release() != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        r.error = fileErrorText(err);
        return r;
    }
    // Make the rename itself durable; the data is already safe, so a failure here is ignored.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
    r.ok = true;
    return r;
}

int removeStaleTemporaryFiles(const std::string& folder) {
    Fd dirFd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() < 0) return 0;
    DIR* dir = ::fdopendir(::fcntl(dirFd.get(), F_DUPFD_CLOEXEC, 0));
    if (dir == nullptr) return 0;
    // The names are gathered first: removing entries while reading the folder may skip some.
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t owner = temporaryFileOwner(entry->d_name);
        if (owner > 0 && processIsGone(owner)) stale.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    int removed = 0;
    for (const std::string& name : stale) {
        struct stat st {};
        if (::fstatat(dirFd.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode))
            continue;
        if (::unlinkat(dirFd.get(), name.c_str(), 0) == 0) ++removed;
    }
    return removed;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string fileErrorText(int err) {
    const char* reason = nullptr;
    switch (err) {
        case EROFS:
            reason = texts::file::READ_ONLY_DISK;
            break;
        case ENOSPC:
            reason = texts::file::DISK_FULL;
            break;
        case EDQUOT:
            reason = texts::file::QUOTA_REACHED;
            break;
        case EFBIG:
            reason = texts::file::TOO_LARGE;
            break;
        case ENAMETOOLONG:
            reason = texts::file::NAME_TOO_LONG;
            break;
        case EACCES:
        case EPERM:
            reason = texts::file::NO_ACCESS;
            break;
        case ENOENT:
            reason = texts::file::NOT_FOUND;
            break;
        case EISDIR:
            reason = texts::file::FOLDER_OF_SAME_NAME;
            break;
        case ENOTDIR:
            reason = texts::file::BAD_FOLDER;
            break;
        case EEXIST:
            reason = texts::file::FILE_OF_SAME_NAME;
            break;
        case EIO:
            reason = texts::file::DISK_IO_FAILED;
            break;
        case ELOOP:
            reason = texts::file::LINK_LOOP;
            break;
        case EMFILE:
        case ENFILE:
            reason = texts::file::TOO_MANY_OPEN;
            break;
        case ENOMEDIUM:
        case ENXIO:
        case ENODEV:
            reason = texts::file::DEVICE_NOT_READY;
            break;
        case EBUSY:
        case ETXTBSY:
            reason = texts::file::BUSY;
            break;
        case EINVAL:
            reason = texts::file::NAME_NOT_USABLE;
            break;
        case ENOMEM:
            reason = texts::file::OUT_OF_MEMORY;
            break;
        default:
            reason = texts::file::OTHER_FAILURE;
            break;
    }
    return texts::file::withSystemText(reason, std::strerror(err));
}

std::string checkFileName(std::string_view name) {
    if (name.empty()) return texts::file::NAME_NOT_ENTERED;
    if (name == "." || name == "..") return texts::file::NAME_NOT_USABLE;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\') return texts::file::NAME_HAS_SEPARATOR;
        if (u < 0x20 || u == 0x7F) return texts::file::NAME_HAS_CONTROLS;
    }
    return {};
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty()) path = ".";
    if (path.back() != '/') path += '/';
    path += name;
    return path;
}

}  // namespace velk
