// Starting another program the way WinExec(cmdLine, SW_HIDE) does: detached,
// without a terminal or output, and without waiting for it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qfw {

// WinExec's results: above 31 for success, else an error number.
inline constexpr uint32_t kWinExecStarted = 33;
inline constexpr uint32_t kWinExecOutOfResources = 0;
inline constexpr uint32_t kWinExecFileNotFound = 2;
inline constexpr uint32_t kWinExecPathNotFound = 3;
inline constexpr uint32_t kWinExecAccessDenied = 5;
inline constexpr uint32_t kWinExecBadFormat = 11;

// Splits a Windows command line into arguments with the usual rules: blanks
// separate arguments, double quotes group, 2n backslashes before a quote give
// n backslashes, 2n+1 give n and a literal quote, other backslashes are
// literal. The first argument (the program) ends at its closing quote or
// first blank; backslashes in it are always literal.
std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine);

// Starts argv[0] (a Unix path, or a bare name looked up in this program's
// folder, the current folder and PATH) with the arguments that follow, in a
// new session with stdin, stdout and stderr on /dev/null and no other
// descriptors inherited. Returns kWinExecStarted once the program is running
// (it is not waited for and leaves no zombie), or the error number WinExec
// would give when it cannot be started.
uint32_t StartDetached(const std::vector<std::string>& argv);

}  // namespace qfw
