// qfwizard --wizard PROJECT.vbp|GROUP.vbg...: the wizard's pages over
// projects loaded from disk, without the environment's window. The run
// starts at the introduction page; the process ends when the run does
// (Cancel included) with exit code 0. A run whose generation ran to its end
// saves the changed UserControl when it ends (Close or the window's close
// command) as `generate` does; a file it cannot save (one changed on disk
// since it was loaded included) is reported and gives exit code 3.
#pragma once

#include <string>
#include <vector>

namespace qfw::app {

// Runs the pages; returns the process exit code (commands.h). argc and argv
// are handed to Qt.
int RunWizard(const std::vector<std::string>& files, int& argc, char** argv);

}  // namespace qfw::app
