// Which project to load when a UserControl file (.ctl) is given where a
// project (.vbp) belongs: the one project file beside it that lists it.
#pragma once

#include <string>

namespace qfw::app {

struct ProjectOfControl {
    std::string project;  // the .vbp's Unix path, empty when not found
    std::string problem;  // why not: none or several list it
};

// True for a file name ending in .ctl (any letter case).
bool IsControlFile(const std::string& path);

// Looks through the .vbp files in the folder of `controlFile` (a Unix path)
// for UserControl= lines naming it (letter case ignored, as on Windows).
ProjectOfControl FindProjectOfControl(const std::string& controlFile);

}  // namespace qfw::app
