// Where the browser control finds the file named by TypeLibName: a full
// Windows-style path, a Unix absolute path, or a bare file name in the
// system folder C:\WINDOWS\SYSTEM\.
//
// This is the one place the control maps Windows paths to Unix ones; it
// follows the drive map of the rest of the program (Z: is the Unix root, C:
// is the Wine prefix's drive_c, or $XDG_DATA_HOME/qfwizard/drive_c without a
// prefix), and looks each path element up without regard to case.
#pragma once

#include <string>

namespace qfw {

// The Unix path to read for `typeLibName`. A name that matches no file
// yields a path that does not exist, so that opening it reports "File not found".
std::string ResolveTypeLibPath(const std::string& typeLibName);

}  // namespace qfw
