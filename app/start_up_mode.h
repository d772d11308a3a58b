// qfwizard with no arguments, or with a command line starting with '/'
// (/REGSERVER, the environment's automation start): the start routine Main
// with its message boxes, and the registration the platform does for
// "/REGSERVER".
#pragma once

namespace qfw::app {

// Whether the command line is one for the start routine rather than for a
// command or the environment window.
bool IsStartUpCommandLine(int argc, char** argv);

// Registers the program when asked to, runs Main and returns the exit code.
int RunStartUp(int& argc, char** argv);

}  // namespace qfw::app
