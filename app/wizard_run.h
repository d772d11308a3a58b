// qfwizard --wizard PROJECT.vbp|GROUP.vbg...: the wizard's pages over
// projects loaded from disk, without the environment's window. The run
// starts at the introduction page; the process ends when the run does
// (Cancel included) with exit code 0.
#pragma once

#include <string>
#include <vector>

namespace qfw::app {

// Runs the pages; returns the process exit code (commands.h). argc and argv
// are handed to Qt.
int RunWizard(const std::vector<std::string>& files, int& argc, char** argv);

}  // namespace qfw::app
