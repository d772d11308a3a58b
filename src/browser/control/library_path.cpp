#include "browser/control/library_path.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <vector>

namespace qfw {
namespace {

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

// `folder` + "/" + the entry of `folder` whose name equals `element` without
// regard to case (the exact spelling when it exists or nothing matches).
std::string Child(const std::string& folder, const std::string& element) {
    const std::string base = folder == "/" ? folder : folder + "/";
    if (Exists(base + element))
        return base + element;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), &closedir);
    if (dir) {
        while (const dirent* entry = readdir(dir.get()))
            if (EqualsIgnoringCase(element, entry->d_name))
                return base + entry->d_name;
    }
    return base + element;
}

std::vector<std::string> Elements(const std::string& path) {
    std::vector<std::string> result;
    std::string current;
    for (const char c : path) {
        if (c == '\\' || c == '/') {
            if (!current.empty())
                result.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        result.push_back(current);
    return result;
}

std::string Walk(std::string folder, const std::vector<std::string>& elements) {
    for (const std::string& e : elements)
        folder = Child(folder, e);
    return folder;
}

std::string DriveC() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return Child(prefix, "drive_c");
    std::string data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        data = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        data = std::string(home) + "/.local/share";
    return data + "/qfwizard/drive_c";
}

// The Unix folder of drive `letter`: Z: is the root, C: the prefix's drive_c,
// others the prefix's dosdevices link.
std::string DriveRoot(char letter) {
    letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    if (letter == 'z')
        return "/";
    if (letter == 'c')
        return DriveC();
    const char* prefix = std::getenv("WINEPREFIX");
    return std::string(prefix ? prefix : "") + "/dosdevices/" + letter + ":";
}

}  // namespace

std::string ResolveTypeLibPath(const std::string& typeLibName) {
    const std::string& n = typeLibName;
    if (!n.empty() && n[0] == '/')
        return Walk("/", Elements(n));
    if (n.size() >= 2 && std::isalpha(static_cast<unsigned char>(n[0])) && n[1] == ':')
        return Walk(DriveRoot(n[0]), Elements(n.substr(2)));
    if (n.find_first_of("\\/") == std::string::npos)
        return Walk(DriveC(), {"WINDOWS", "SYSTEM", n});
    // A relative path: relative to the current folder, as the runtime takes it.
    return Walk(".", Elements(n));
}

}  // namespace qfw
