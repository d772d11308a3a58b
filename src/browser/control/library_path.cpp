#include "browser/control/library_path.h"

#include "platform/file_ops.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw {

std::string SystemLibraryPath(const std::string& fileName) {
    const std::vector<std::string> folders = SystemFolders();
    for (const std::string& folder : folders) {
        const std::string candidate = folder + "\\" + fileName;
        if (FileExists(candidate))
            return candidate;
    }
    return folders.front() + "\\" + fileName;
}

std::string ResolveTypeLibPath(const std::string& typeLibName) {
    try {
        if (!typeLibName.empty() && typeLibName[0] == '/')
            return WindowsToUnix(UnixToWindows(typeLibName));
        if (typeLibName.find_first_of("\\/") == std::string::npos)
            return WindowsToUnix(SystemLibraryPath(typeLibName));
        return WindowsToUnix(typeLibName);
    } catch (const VbError&) {
        // A name the drive map cannot place (an unmapped drive, characters no
        // file name has) names no file: opening it reports File not found.
        return typeLibName;
    }
}

}  // namespace qfw
