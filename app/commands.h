// The command-line subcommands. Each Add*Command registers one subcommand on
// the app; its callback runs the command and stores the process exit code.
//
// Exit codes shared by every command: 0 success, 1 usage, 2 input problem
// (a file that cannot be read or understood), 3 the work itself failed.
#pragma once

#include <CLI/CLI.hpp>

namespace qfw::app {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitInput = 2;
inline constexpr int kExitFailed = 3;

// qfwizard typelib FILE [--interface N] [--json]
void AddTypelibCommand(CLI::App& app, int& exitCode);
// qfwizard project FILE... [--json]: lists projects as the object model sees them.
void AddProjectCommand(CLI::App& app, int& exitCode);
// qfwizard generate FILE... --spec LIBRARY [options]: one wizard run without a window.
void AddGenerateCommand(CLI::App& app, int& exitCode);

}  // namespace qfw::app
