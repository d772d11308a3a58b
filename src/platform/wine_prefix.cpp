#include "platform/wine_prefix.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw {

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Value(const char* env) {
    return env == nullptr ? std::string() : std::string(env);
}

}  // namespace

WinePrefixChoice ChooseWinePrefix(const std::string& option, const char* winePrefixEnv,
                                  const char* homeEnv, const char* xdgDataHomeEnv) {
    if (!option.empty()) {
        if (!IsFolder(option)) {
            throw VbError(kErrPathNotFound, "the Wine prefix " + option + " does not exist");
        }
        return {option, false};
    }
    if (const std::string prefix = Value(winePrefixEnv); !prefix.empty())
        return {prefix, false};
    const std::string home = Value(homeEnv);
    if (!home.empty() && IsFolder(home + "/.wine"))
        return {home + "/.wine", false};
    std::string dataHome = Value(xdgDataHomeEnv);
    if (dataHome.empty())
        dataHome = home + "/.local/share";
    return {dataHome + "/qfwizard", true};
}

WinePrefixChoice ChooseWinePrefix(const std::string& option) {
    return ChooseWinePrefix(option, std::getenv("WINEPREFIX"), std::getenv("HOME"),
                            std::getenv("XDG_DATA_HOME"));
}

DriveMap DriveMap::ForPrefix(const std::string& prefix, bool ownFolder) {
    DriveMap map;
    map.cRoot = prefix + "/drive_c";
    map.ownFolder = ownFolder;
    if (!ownFolder) {
        map.dosDevices = prefix + "/dosdevices";
        // Wine's loader names the architecture in system.reg; the syswow64
        // folder it creates for 64-bit prefixes is the cheaper sign.
        map.wow64 = IsFolder(map.cRoot + "/windows/syswow64");
    }
    return map;
}

DriveMap DriveMap::FromEnvironment() {
    const WinePrefixChoice choice = ChooseWinePrefix("");
    return ForPrefix(choice.folder, choice.ownFolder);
}

}  // namespace qfw
