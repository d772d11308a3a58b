#include "platform/win_path.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw {

namespace {

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

std::vector<std::string> SplitElements(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (c == separator) {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

bool IsInvalidElement(const std::string& element) {
    for (char c : element) {
        if (static_cast<unsigned char>(c) < 32 || c == '*' || c == '?' || c == '<' || c == '>' ||
            c == '|' || c == '"') {
            return true;
        }
    }
    return false;
}

std::string CurrentDirectory() {
    std::vector<char> buffer(4096);
    if (getcwd(buffer.data(), buffer.size()) == nullptr)
        return "/";
    return std::string(buffer.data());
}

// The entry of `folder` named `element`: the exact name when it exists,
// otherwise the first entry equal without regard to case; empty when none.
std::string FindEntry(const std::string& folder, const std::string& element) {
    struct stat st {};
    const std::string exact = folder + (folder.ends_with('/') ? "" : "/") + element;
    if (lstat(exact.c_str(), &st) == 0)
        return element;
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (dir == nullptr)
        return "";
    std::string found;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (EqualsIgnoreCase(name, element)) {
            found = name;
            break;
        }
    }
    closedir(dir);
    return found;
}

// Our own C: folder is created the first time it is used.
void EnsureFolder(const std::string& unixPath) {
    struct stat st {};
    if (unixPath.empty() || stat(unixPath.c_str(), &st) == 0)
        return;
    for (size_t pos = unixPath.find('/', 1);; pos = unixPath.find('/', pos + 1)) {
        const std::string partial = unixPath.substr(0, pos);
        if (stat(partial.c_str(), &st) != 0)
            mkdir(partial.c_str(), 0777);
        if (pos == std::string::npos)
            break;
    }
}

const DriveMap*& InstalledDriveMap() {
    static const DriveMap* installed = nullptr;
    return installed;
}

}  // namespace

DriveMap CurrentDriveMap() {
    if (const DriveMap* installed = InstalledDriveMap())
        return *installed;
    return DriveMap::FromEnvironment();
}

ScopedDriveMap::ScopedDriveMap(const DriveMap& map) : previous_(InstalledDriveMap()) {
    InstalledDriveMap() = &map;
}

ScopedDriveMap::~ScopedDriveMap() {
    InstalledDriveMap() = previous_;
}

std::vector<std::string> SystemFolders(const DriveMap& map) {
    std::vector<std::string> folders = {"C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\SYSTEM32"};
    if (map.wow64)
        folders.emplace_back("C:\\WINDOWS\\SYSWOW64");
    return folders;
}

std::string RedirectFor32BitView(const std::string& winPath, const DriveMap& map) {
    if (!map.wow64 || !IsAbsoluteWindowsPath(winPath))
        return winPath;
    const std::string path = NormalizeWindowsPath(winPath);
    const std::string lower = AsciiLower(path);
    const std::string system32 = "c:\\windows\\system32\\";
    const std::string sysnative = "c:\\windows\\sysnative\\";
    if (lower.starts_with(sysnative))
        return "C:\\windows\\system32\\" + path.substr(sysnative.size());
    if (!lower.starts_with(system32))
        return winPath;
    // Folders Wine leaves shared between the 32-bit and 64-bit views.
    static const char* const kShared[] = {"catroot\\",      "catroot2\\", "driverstore\\",
                                          "drivers\\etc\\", "logfiles\\", "spool\\"};
    const std::string rest = lower.substr(system32.size()) + "\\";
    for (const char* shared : kShared) {
        if (rest.starts_with(shared))
            return winPath;
    }
    return "C:\\windows\\syswow64\\" + path.substr(system32.size());
}

std::string DriveMap::DriveRoot(char letter) const {
    const char lower = AsciiLower(letter);
    if (lower == 'z')
        return "/";
    if (lower == 'c')
        return cRoot;
    if (dosDevices.empty())
        return "";
    const std::string link = dosDevices + "/" + std::string(1, lower) + ":";
    std::vector<char> buffer(4096);
    char* resolved = realpath(link.c_str(), buffer.data());
    return resolved ? std::string(resolved) : std::string();
}

bool IsAbsoluteWindowsPath(const std::string& path) {
    if (HasDrive(path))
        return path.size() >= 3 && (path[2] == '\\' || path[2] == '/');
    return path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
           (path[1] == '\\' || path[1] == '/');
}

std::string NormalizeWindowsPath(const std::string& path) {
    std::string prefix;
    std::string rest = path;
    bool rooted = false;
    if (HasDrive(rest)) {
        prefix = rest.substr(0, 2);
        rest = rest.substr(2);
    } else if (IsAbsoluteWindowsPath(rest)) {
        prefix = "\\\\";  // UNC: \\server\share\...
        rest = rest.substr(2);
    }
    for (char& c : rest) {
        if (c == '/')
            c = '\\';
    }
    rooted = !rest.empty() && rest[0] == '\\';
    std::vector<std::string> kept;
    for (const std::string& element : SplitElements(rest, '\\')) {
        if (element == ".")
            continue;
        if (element == "..") {
            if (!kept.empty() && kept.back() != "..") {
                kept.pop_back();
            } else if (!rooted) {
                kept.push_back(element);
            }
            continue;
        }
        kept.push_back(element);
    }
    std::string out = prefix;
    if (rooted)
        out += "\\";
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i > 0)
            out += "\\";
        out += kept[i];
    }
    return out;
}

std::string CombineWindowsPath(const std::string& folder, const std::string& relative) {
    if (IsAbsoluteWindowsPath(relative))
        return NormalizeWindowsPath(relative);
    if (!relative.empty() && (relative[0] == '\\' || relative[0] == '/')) {
        const std::string drive = HasDrive(folder) ? folder.substr(0, 2) : std::string();
        return NormalizeWindowsPath(drive + relative);
    }
    if (folder.empty())
        return NormalizeWindowsPath(relative);
    return NormalizeWindowsPath(folder + "\\" + relative);
}

std::string WindowsFolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string WindowsFileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WindowsToUnix(const std::string& winPath, const DriveMap& map) {
    std::string full = winPath;
    if (!IsAbsoluteWindowsPath(full)) {
        full = CombineWindowsPath(UnixToWindows(CurrentDirectory(), map), winPath);
    } else {
        full = NormalizeWindowsPath(full);
    }
    if (!HasDrive(full)) {
        throw VbError(kErrPathNotFound, ErrorDescription(kErrPathNotFound) + ": " + winPath);
    }
    std::string root = map.DriveRoot(full[0]);
    if (AsciiLower(full[0]) == 'c' && map.ownFolder)
        EnsureFolder(root);
    if (root.empty()) {
        throw VbError(kErrPathNotFound, ErrorDescription(kErrPathNotFound) + ": " + winPath);
    }
    std::string unix = root == "/" ? std::string() : root;
    bool resolving = true;
    for (const std::string& element : SplitElements(full.substr(2), '\\')) {
        if (IsInvalidElement(element)) {
            throw VbError(kErrPathNotFound, ErrorDescription(kErrPathNotFound) + ": " + winPath);
        }
        std::string name = element;
        if (resolving) {
            const std::string found = FindEntry(unix.empty() ? "/" : unix, element);
            if (found.empty()) {
                resolving = false;
            } else {
                name = found;
            }
        }
        unix.push_back('/');
        unix += name;
    }
    return unix.empty() ? "/" : unix;
}

std::string UnixToWindows(const std::string& unixPath, const DriveMap& map) {
    std::string full = unixPath;
    if (full.empty() || full[0] != '/')
        full = CurrentDirectory() + "/" + full;
    // Resolve "." and ".." textually, the way the Windows side will read it.
    std::vector<std::string> kept;
    for (const std::string& element : SplitElements(full, '/')) {
        if (element == ".")
            continue;
        if (element == "..") {
            if (!kept.empty())
                kept.pop_back();
            continue;
        }
        kept.push_back(element);
    }
    std::string clean;
    for (const std::string& element : kept) {
        clean.push_back('/');
        clean += element;
    }
    if (clean.empty())
        clean.push_back('/');

    std::string drive = "Z:";
    std::string rest = clean;
    const std::string cRoot = map.cRoot;
    if (!cRoot.empty() && (clean == cRoot || clean.starts_with(cRoot + "/"))) {
        drive = "C:";
        rest = clean.substr(cRoot.size());
    }
    std::string out = drive + "\\";
    bool first = true;
    for (const std::string& element : SplitElements(rest, '/')) {
        if (!first)
            out += "\\";
        out += element;
        first = false;
    }
    return out;
}

bool SameWindowsPath(const std::string& a, const std::string& b) {
    return EqualsIgnoreCase(NormalizeWindowsPath(a), NormalizeWindowsPath(b));
}

}  // namespace qfw
