// The program's start routine Main and the registration it offers.
//
// Main runs when the program is started by hand (an empty command line) or
// to register itself (a command line holding "REGSERVER"); the
// environment's own start of the add-in passes anything else and Main shows
// nothing. Everything Main needs from its process (the command line, the
// program's folder, starting another program) comes in StartUpPlatform, so
// that tests can give their own; message boxes go through the shell.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace qfw::host {

// The application title the start-up messages carry (the program's own
// title setting), distinct from the wizard's title gAppTitle.
inline constexpr const char* kAppTitle = "QfWizard";
// The add-in list file, its section, and the key: the Connector's ProgID.
inline constexpr const char* kAddInFile = "VBAddIn.INI";
inline constexpr const char* kAddInSection = "Add-Ins32";
inline constexpr const char* kConnectorProgId = "QFNWizard.Connector";

struct StartUpPlatform {
    // The command line after the program's name, as the program received it.
    std::string commandLine;
    // The program's folder as a Windows path, without a trailing backslash.
    std::string programFolder;
    // The profile file a bare name stands for (VBAddIn.INI lives in the
    // Windows folder), as a Unix path.
    std::function<std::string(const std::string& bareName)> profileFile;
    // WinExec(commandLine, show): starts a program, not waited for.
    std::function<uint32_t(const std::string& commandLine, int32_t show)> winExec;
};

// Sets the module state (gAppTitle, the user control-list filter) and, for an
// empty command line, offers to enter the add-in in VBAddIn.INI and to
// register the program; reports a registration start.
void Main(const StartUpPlatform& platform);

// The number a text begins with, as the runtime's Val reads it: leading
// blanks skipped, an optional sign, digits with at most one decimal point;
// 0 when the text does not begin with a number.
double Val(const std::string& text);

// The platform of this process: its arguments joined by blanks, its
// executable's folder, the drive map's Windows folder, and WinExec through
// StartDetached with "qfwizard.exe" mapped to this executable.
StartUpPlatform ProcessStartUpPlatform(int argc, char** argv);

// The Unix path of a bare profile file name in the Windows folder
// (C:\WINDOWS of the current drive map), creating that folder when missing.
std::string WindowsProfileFile(const std::string& bareName);

// WinExec for this process: splits the command line, maps the program's
// Windows path to a Unix one ("qfwizard.exe" in any folder is this program)
// and starts it detached. Returns WinExec's result.
uint32_t WinExec(const std::string& commandLine, int32_t show);

}  // namespace qfw::host
