// Where the browser control finds the file named by TypeLibName: a full
// Windows-style path, a Unix absolute path, or a bare file name in the
// system folders (C:\WINDOWS\SYSTEM\, SYSTEM32\ and, on a 64-bit prefix,
// SYSWOW64\, the first that has it).
//
// Paths go through the program's drive map (platform/win_path.h): Z: is the
// Unix root, C: the Wine prefix's drive_c, each element looked up without
// regard to case.
#pragma once

#include <string>

namespace qfw {

// The Unix path to read for `typeLibName`. A name that matches no file
// yields a path that does not exist, so that opening it reports "File not found".
std::string ResolveTypeLibPath(const std::string& typeLibName);

// The Windows path of a bare library name: in the first system folder that
// has it, else in C:\WINDOWS\SYSTEM (where opening reports File not found).
std::string SystemLibraryPath(const std::string& fileName);

}  // namespace qfw
