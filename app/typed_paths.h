// Messages name files the way the user typed them: the object model speaks
// Windows paths (Z:\home\ann\Ctl.vbp), the user typed Ctl.vbp.
#pragma once

#include <string>

namespace qfw::app {

// `message` with every spelling of `typedPath` as the object model writes it
// (the Windows path of its absolute form) replaced by `typedPath` itself.
std::string WithTypedPath(std::string message, const std::string& typedPath);

}  // namespace qfw::app
