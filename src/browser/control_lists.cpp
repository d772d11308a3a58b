#include "browser/control_lists.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "browser/browser.h"
#include "platform/file_ops.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw {

namespace {

// An .OCX file of the system folders: its name as listed and its full path.
struct SystemControlFile {
    std::string name;
    std::string path;
};

// The .OCX files of the system folders, each file name once: a bare name
// opens from the first folder that has it (library_path.h), which is the
// one it was listed from. Each folder is looked up on disk once here, and
// its files are named by the folder as found, so that opening a library
// does not search for the folder again.
std::vector<SystemControlFile> SystemControlFiles() {
    std::vector<SystemControlFile> files;
    std::unordered_set<std::string> listed;
    for (const std::string& folder : SystemFolders()) {
        std::string found;
        try {
            found = UnixToWindows(WindowsToUnix(folder));
        } catch (const VbError&) {
            continue;
        }
        for (const std::string& name : ListFolder(folder + "\\*.OCX")) {
            if (listed.insert(AsciiLower(name)).second)
                files.push_back({name, found + "\\" + name});
        }
    }
    return files;
}

// True, as the list's variant result reports "built before".
constexpr int16_t kBuiltBefore = -1;

}  // namespace

ControlListState& ControlLists() {
    static ControlListState state;
    return state;
}

std::string ControlListEntry(const std::string& helpString, const std::string& file) {
    return helpString + std::string(100, ' ') + "|" + file;
}

std::string ControlListFile(const std::string& entry) {
    const size_t bar = entry.find('|');
    return bar == std::string::npos ? std::string() : entry.substr(bar + 1);
}

std::string LibraryHelpString(const std::string& controlInfo) {
    return ControlListFile(controlInfo);
}

int16_t Browser::GetSystemControlList(std::vector<std::string>& g_sSystemControlList) {
    CollectionState& state = State();
    if (state.systemListBuilt)
        return kBuiltBefore;
    state.systemListBuilt = true;
    CurrentShell().SetBusy(true);
    CurrentShell().DoEvents();

    // One drive map for the whole listing, rather than one per file lookup.
    const DriveMap map = CurrentDriveMap();
    const ScopedDriveMap scopedMap(map);
    std::vector<SystemControlFile> files = SystemControlFiles();
    if (files.empty())
        files.emplace_back();
    int16_t count = 0;
    for (const SystemControlFile& file : files) {
        std::string info;
        try {
            // The library is opened where it was listed; its name and help
            // string come from its headers, read through a mapping of the file.
            SharedBrowser().GetControlInfo(file.path.empty() ? file.name : file.path, kInfoLibrary,
                                           info);
        } catch (const VbError&) {
            // One unreadable file must not hide the libraries after it.
            continue;
        }
        g_sSystemControlList.resize(static_cast<size_t>(count) + 1);
        g_sSystemControlList[static_cast<size_t>(count)] =
            ControlListEntry(LibraryHelpString(info), file.name);
        ++count;
    }
    CurrentShell().SetBusy(false);
    return count;
}

void Browser::ForgetSystemControlList() {
    State().systemListBuilt = false;
}

std::vector<std::string> FillControlList(ControlListState& state) {
    std::vector<std::string> lines;
    try {
        if (state.gUserListFilter) {
            lines.insert(lines.end(), state.gSelectedControls.begin(),
                         state.gSelectedControls.end());
        }
        if (state.gSystemListFilter &&
            SharedBrowser().GetSystemControlList(state.gSystemControls) != 0) {
            lines.insert(lines.end(), state.gSystemControls.begin(), state.gSystemControls.end());
        }
    } catch (const VbError&) {
        // The list keeps what was added before the failure.
    }
    return lines;
}

}  // namespace qfw
