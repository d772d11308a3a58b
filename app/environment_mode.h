// qfwizard PROJECT.vbp|GROUP.vbg... [--wizard]: the environment window with
// the projects loaded and the add-in connected when VBAddIn.INI enters it and
// it is registered (with --wizard it is connected in any case, as the
// Add-In Manager would, and "&Quillfern Software" is clicked at once).
#pragma once

#include <string>
#include <vector>

namespace qfw::app {

// Runs the window until it closes; returns the process exit code.
int RunEnvironment(const std::vector<std::string>& files, bool wizard, int& argc, char** argv);

}  // namespace qfw::app
