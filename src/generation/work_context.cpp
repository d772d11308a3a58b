// What generation takes from its surroundings: the date of the wizard
// comment and the folders of the work file NEWPROC.DAT.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "engine/wizard.h"
#include "platform/short_date.h"
#include "platform/win_path.h"

namespace qfw {

namespace {

// The folder of the running executable, as a Windows path.
std::string ExecutableFolder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::current_path(ec) / "qfwizard";
    return UnixToWindows(exe.parent_path().string());
}

// $XDG_DATA_HOME/qfwizard (~/.local/share/qfwizard by default), as a
// Windows path.
std::string UserDataFolder() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.local/share";
    } else {
        base = "/tmp";
    }
    return UnixToWindows(base + "/qfwizard");
}

}  // namespace

void Wizard::SetWorkFolders(std::string programFolder, std::string userDataFolder) {
    ProgramFolder_ = programFolder.empty() ? ExecutableFolder() : std::move(programFolder);
    UserDataFolder_ = userDataFolder.empty() ? UserDataFolder() : std::move(userDataFolder);
}

// The wizard comment's date: the user's short date of today (which the
// command line and tests may fix through platform/short_date.h).
std::string Wizard::WizardDate() const {
    return ShortDate(Today());
}

}  // namespace qfw
