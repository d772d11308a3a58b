// Windows-style paths and the drive map that turns them into Unix paths.
//
// The program speaks Windows paths everywhere (C:\WINDOWS\SYSTEM\X.OCX,
// Z:\home\ann\Ctl.vbp) because its rules cut and paste path text the way the
// original platform did. Only this module and file_ops convert paths, at the
// file-system boundary, the way Wine does:
//   - Z: is the Unix root;
//   - C: is $WINEPREFIX/drive_c when WINEPREFIX is set, otherwise
//     $XDG_DATA_HOME/qfwizard/drive_c (default ~/.local/share/qfwizard/drive_c);
//   - any other letter follows the prefix's dosdevices/<letter>: link;
//   - each path element is looked up case-insensitively; an element that does
//     not exist is kept as typed (so that files can be created).
#pragma once

#include <string>

namespace qfw {

// Where each drive letter lives on the Unix side. A value object: tests build
// their own, the program takes the one the environment describes.
struct DriveMap {
    std::string cRoot;       // Unix folder that is C:\ (no trailing slash)
    std::string dosDevices;  // $WINEPREFIX/dosdevices, empty without a prefix

    // The map described by WINEPREFIX / XDG_DATA_HOME / HOME right now.
    static DriveMap FromEnvironment();

    // Unix folder of a drive letter (either case), empty when the letter is
    // not mapped. Z: is always "/" ("" root spelled as "/").
    std::string DriveRoot(char letter) const;
};

// True for "X:\..." (drive-absolute) and "\\server\..." paths.
bool IsAbsoluteWindowsPath(const std::string& path);

// Slashes become backslashes, "." and ".." elements are resolved, repeated
// separators collapse; the drive letter is kept as written. A ".." above the
// root stays at the root, as on Windows.
std::string NormalizeWindowsPath(const std::string& path);

// `relative` taken relative to `folder` (a Windows folder path), normalized.
// An absolute `relative` is returned normalized; a `relative` starting with
// a single backslash is taken from the folder's drive root.
std::string CombineWindowsPath(const std::string& folder, const std::string& relative);

// The text before the last backslash ("" when there is none).
std::string WindowsFolderOf(const std::string& path);

// The text after the last backslash (the whole path when there is none).
std::string WindowsFileNameOf(const std::string& path);

// The Unix path of a Windows path: drive mapped, elements matched
// case-insensitively against what exists on disk. A path that is not
// drive-absolute is taken relative to the current directory's Windows path.
// Raises VbError 76 (path not found) for an unmapped drive letter or a
// path with invalid characters (* ? < > | " or control characters).
std::string WindowsToUnix(const std::string& winPath,
                          const DriveMap& map = DriveMap::FromEnvironment());

// The Windows path of a Unix path: under the C: folder it is spelled on C:,
// anything else on Z:. A relative Unix path is taken from the current
// directory first.
std::string UnixToWindows(const std::string& unixPath,
                          const DriveMap& map = DriveMap::FromEnvironment());

// Case-insensitive comparison of two paths after normalization, as Windows
// compares file names (ASCII letters only).
bool SameWindowsPath(const std::string& a, const std::string& b);

}  // namespace qfw
