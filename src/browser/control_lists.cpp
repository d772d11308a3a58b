#include "browser/control_lists.h"

#include <algorithm>

#include "browser/browser.h"
#include "platform/file_ops.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw {

namespace {

// The .OCX files of the system folders, each file name once: a bare name
// opens from the first folder that has it (library_path.h), which is the
// one it was listed from.
std::vector<std::string> SystemControlFiles() {
    std::vector<std::string> names;
    for (const std::string& folder : SystemFolders()) {
        for (const std::string& name : ListFolder(folder + "\\*.OCX")) {
            const bool listed = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
                return EqualsIgnoreCase(n, name);
            });
            if (!listed)
                names.push_back(name);
        }
    }
    return names;
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

    std::vector<std::string> names = SystemControlFiles();
    if (names.empty())
        names.emplace_back();
    int16_t count = 0;
    for (const std::string& name : names) {
        std::string info;
        try {
            SharedBrowser().GetControlInfo(name, kInfoLibrary, info);
        } catch (const VbError&) {
            // One unreadable file must not hide the libraries after it.
            continue;
        }
        g_sSystemControlList.resize(static_cast<size_t>(count) + 1);
        g_sSystemControlList[static_cast<size_t>(count)] =
            ControlListEntry(LibraryHelpString(info), name);
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
