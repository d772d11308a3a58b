#include "host/start_up.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "browser/control_lists.h"
#include "pages/module_state.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/shell.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw::host {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kKeyBufferSize = 11;
constexpr int32_t kSwHide = 0;
constexpr const char* kCrLf = "\r\n";

std::string ReadAddInKey(const std::string& file) {
    char buffer[kKeyBufferSize + 1] = "          ";  // ten blanks and a NUL
    // The default is "hello" and a NUL, which the routine reads up to the NUL.
    const uint32_t n =
        GetPrivateProfileString(kAddInSection, kConnectorProgId, std::string_view("hello\0", 6),
                                buffer, kKeyBufferSize, file);
    return std::string(buffer, n);
}

void OfferToEnterAddIn(const StartUpPlatform& platform, const std::string& file) {
    Shell& shell = CurrentShell();
    if (shell.MsgBox("Add Constituent Wizard to VB AddIn?", vbYesNo, kAppTitle) == vbNo) {
        shell.MsgBox(std::string("This Wizard must be connected to Visual Basic before you can "
                                 "use it.") +
                         kCrLf +
                         "Once connected you can access this Wizard by starting Visual Basic "
                         "and selecting this wizard from the 'Add-In' menu." +
                         kCrLf + "Terminating Wizard Now.",
                     vbOKOnly, kAppTitle);
        return;
    }
    WritePrivateProfileString(kAddInSection, std::string_view(kConnectorProgId),
                              std::string_view("1"), file);
    platform.winExec(platform.programFolder + "\\qfwizard.exe /REGSERVER", kSwHide);
    shell.MsgBox(std::string("'") + kAppTitle + "' has been connected.", vbOKOnly, kAppTitle);
}

std::string ThisExecutable() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        exe = fs::current_path(error) / "qfwizard";
    return exe.string();
}

bool IsOwnProgramName(const std::string& winPath) {
    std::string name = WindowsFileNameOf(winPath);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name == "qfwizard.exe" || name == "qfwizard";
}

}  // namespace

double Val(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool point = false;
    bool digits = false;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    return std::strtod(text.substr(start, i - start).c_str(), nullptr);
}

void Main(const StartUpPlatform& platform) {
    pages::Module().gAppTitle = "Quillfern Constituent Control Wizard";
    ControlLists().gUserListFilter = true;
    if (platform.commandLine.empty()) {
        const std::string file = platform.profileFile(kAddInFile);
        if (Val(ReadAddInKey(file)) == 0)
            OfferToEnterAddIn(platform, file);
        return;
    }
    if (platform.commandLine.find("REGSERVER") != std::string::npos)
        CurrentShell().MsgBox("Registering Wizard", vbOKOnly, kAppTitle);
}

uint32_t WinExec(const std::string& commandLine, int32_t /*show: always hidden*/) {
    std::vector<std::string> args = SplitWindowsCommandLine(commandLine);
    if (args.empty())
        return kWinExecFileNotFound;
    if (IsOwnProgramName(args[0])) {
        args[0] = ThisExecutable();
    } else {
        try {
            args[0] = WindowsToUnix(args[0]);
        } catch (const VbError&) {
            return kWinExecPathNotFound;
        }
    }
    return StartDetached(args);
}

std::string WindowsProfileFile(const std::string& bareName) {
    const fs::path windowsFolder = WindowsToUnix("C:\\WINDOWS");
    // A prefix of our own has no Windows folder until something is written
    // there; the profile writer needs the folder to exist.
    std::error_code error;
    fs::create_directories(windowsFolder, error);
    return ProfileFileInFolder(bareName, windowsFolder).string();
}

StartUpPlatform ProcessStartUpPlatform(int argc, char** argv) {
    StartUpPlatform platform;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            platform.commandLine += ' ';
        platform.commandLine += argv[i];
    }
    platform.programFolder = UnixToWindows(fs::path(ThisExecutable()).parent_path().string());
    platform.profileFile = WindowsProfileFile;
    platform.winExec = WinExec;
    return platform;
}

}  // namespace qfw::host
