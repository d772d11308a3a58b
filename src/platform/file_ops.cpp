#include "platform/file_ops.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <random>

#include "platform/vb_error.h"

namespace qfw {

namespace {

[[noreturn]] void Raise(int32_t number, const std::string& winPath) {
    throw VbError(number, ErrorDescription(number) + ": " + winPath);
}

bool UnixFolderExists(const std::string& unixPath) {
    struct stat st {};
    return stat(unixPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string UnixFolderOf(const std::string& unixPath) {
    const size_t slash = unixPath.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : unixPath.substr(0, slash);
}

// The runtime's error for a failed system call on `unixPath`.
int32_t ErrorFromErrno(int err, const std::string& unixPath) {
    switch (err) {
        case ENOENT:
            return UnixFolderExists(UnixFolderOf(unixPath)) ? kErrFileNotFound : kErrPathNotFound;
        case ENOTDIR:
            return kErrPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            return kErrPermissionDenied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return kErrDiskFull;
        case EMFILE:
        case ENFILE:
            return kErrTooManyFiles;
        case EIO:
            return kErrDeviceIO;
        default:
            return kErrPathFileAccess;
    }
}

[[noreturn]] void RaiseErrno(const std::string& unixPath, const std::string& winPath) {
    Raise(ErrorFromErrno(errno, unixPath), winPath);
}

void WriteAll(int fd, std::string_view bytes, const std::string& unixPath,
              const std::string& winPath) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            close(fd);
            errno = err;
            RaiseErrno(unixPath, winPath);
        }
        done += static_cast<size_t>(n);
    }
}

bool MatchWildcard(const std::string& pattern, size_t p, const std::string& name, size_t n) {
    while (p < pattern.size()) {
        if (pattern[p] == '*') {
            for (size_t k = name.size() + 1; k-- > n;) {
                if (MatchWildcard(pattern, p + 1, name, k))
                    return true;
            }
            return false;
        }
        if (n >= name.size())
            return false;
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (pattern[p] != '?' && lower(pattern[p]) != lower(name[n]))
            return false;
        ++p;
        ++n;
    }
    return n == name.size();
}

std::string TempNameBeside(const std::string& unixPath) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    return UnixFolderOf(unixPath) + "/.qfw-" + std::to_string(getpid()) + "-" +
           std::to_string(random() % 1000000000) + ".tmp";
}

// The file a symbolic link (or a chain of them) ends at; any other path as
// given. A link to a file that does not exist yet ends at that name.
std::string LinkTarget(const std::string& unixPath) {
    std::string path = unixPath;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::vector<char> buffer(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1);
        const ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size() - 1);
        if (n < 0)
            return path;
        const std::string target(buffer.data(), static_cast<size_t>(n));
        path = target.starts_with('/') ? target : UnixFolderOf(path) + "/" + target;
    }
    return path;
}

void WriteInPlace(const std::string& unixPath, std::string_view bytes, const std::string& winPath) {
    const int fd = open(unixPath.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        RaiseErrno(unixPath, winPath);
    try {
        WriteAll(fd, bytes, unixPath, winPath);
    } catch (...) {
        close(fd);
        throw;
    }
    if (fsync(fd) != 0 || close(fd) != 0)
        RaiseErrno(unixPath, winPath);
}

}  // namespace

bool FileExists(const std::string& winPath) {
    try {
        struct stat st {};
        return stat(WindowsToUnix(winPath).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    } catch (const VbError&) {
        return false;
    }
}

bool FolderExists(const std::string& winPath) {
    try {
        return UnixFolderExists(WindowsToUnix(winPath));
    } catch (const VbError&) {
        return false;
    }
}

std::string ReadFileBytes(const std::string& winPath) {
    const std::string unixPath = WindowsToUnix(winPath);
    const int fd = open(unixPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        RaiseErrno(unixPath, winPath);
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        Raise(kErrPathFileAccess, winPath);
    }
    std::string bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            close(fd);
            errno = err;
            RaiseErrno(unixPath, winPath);
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return bytes;
}

void WriteFileAtomically(const std::string& winPath, std::string_view bytes) {
    WriteUnixFileAtomically(WindowsToUnix(winPath), bytes, winPath);
}

void WriteUnixFileAtomically(const std::string& linkPath, std::string_view bytes,
                             const std::string& winPath) {
    // A symbolic link is saved through to the file it points to, as editors
    // do; replacing the link by a file would silently fork the user's file.
    const std::string unixPath = LinkTarget(linkPath);
    if (!UnixFolderExists(UnixFolderOf(unixPath)))
        Raise(kErrPathNotFound, winPath);
    struct stat old {};
    const bool replacing = stat(unixPath.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode))
        Raise(kErrPathFileAccess, winPath);
    if (replacing && access(unixPath.c_str(), W_OK) != 0)
        Raise(kErrPermissionDenied, winPath);
    // A renamed file would leave the other names of a hard-linked file with
    // the old bytes, so those are rewritten in place.
    if (replacing && old.st_nlink > 1) {
        WriteInPlace(unixPath, bytes, winPath);
        return;
    }
    const std::string temp = TempNameBeside(unixPath);
    const mode_t mode = replacing ? (old.st_mode & 07777) : 0666;
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        RaiseErrno(temp, winPath);
    try {
        WriteAll(fd, bytes, temp, winPath);
    } catch (...) {
        unlink(temp.c_str());
        throw;
    }
    if (replacing)
        fchmod(fd, mode);
    if (fsync(fd) != 0 || close(fd) != 0) {
        const int err = errno;
        unlink(temp.c_str());
        errno = err;
        RaiseErrno(temp, winPath);
    }
    if (rename(temp.c_str(), unixPath.c_str()) != 0) {
        const int err = errno;
        unlink(temp.c_str());
        errno = err;
        RaiseErrno(unixPath, winPath);
    }
}

void AppendToFile(const std::string& winPath, std::string_view bytes) {
    const std::string unixPath = WindowsToUnix(winPath);
    const int fd = open(unixPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        RaiseErrno(unixPath, winPath);
    WriteAll(fd, bytes, unixPath, winPath);
    if (close(fd) != 0)
        RaiseErrno(unixPath, winPath);
}

void DeleteFile(const std::string& winPath) {
    const std::string unixPath = WindowsToUnix(winPath);
    struct stat st {};
    if (lstat(unixPath.c_str(), &st) != 0)
        RaiseErrno(unixPath, winPath);
    if (S_ISDIR(st.st_mode))
        Raise(kErrFileNotFound, winPath);
    if (unlink(unixPath.c_str()) != 0)
        RaiseErrno(unixPath, winPath);
}

void CopyFile(const std::string& source, const std::string& target) {
    WriteFileAtomically(target, ReadFileBytes(source));
}

std::vector<std::string> ListFolder(const std::string& winPattern) {
    const std::string folder = WindowsFolderOf(winPattern);
    const std::string pattern = WindowsFileNameOf(winPattern);
    std::vector<std::string> names;
    std::string unixFolder;
    try {
        unixFolder = WindowsToUnix(folder.empty() ? "." : folder);
    } catch (const VbError&) {
        return names;
    }
    DIR* dir = opendir(unixFolder.c_str());
    if (dir == nullptr)
        return names;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat st {};
        if (stat((unixFolder + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (MatchWildcard(pattern, 0, name, 0))
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

void CreateFolders(const std::string& winPath) {
    const std::string unixPath = WindowsToUnix(winPath);
    std::string partial;
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = unixPath.find('/', pos + 1);
        partial = unixPath.substr(0, pos);
        if (partial.empty() || UnixFolderExists(partial))
            continue;
        if (mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST)
            RaiseErrno(partial, winPath);
    }
}

}  // namespace qfw
