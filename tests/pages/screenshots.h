// Renders every page and dialog of a run over the example project into PNG
// files named after the pages, for the README and for checking the layout.
#pragma once

#include <string>
#include <vector>

namespace qfw::pages {

// Needs a QApplication. Returns the files written into `folder`.
std::vector<std::string> RenderScreenshots(const std::string& folder);

// True when the image has content: more than a few pixels differ from its
// most common colour.
bool ImageHasContent(const std::string& file);

}  // namespace qfw::pages
