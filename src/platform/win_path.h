// Windows-style paths and the drive map that turns them into Unix paths.
//
// The program speaks Windows paths everywhere (C:\WINDOWS\SYSTEM\X.OCX,
// Z:\home\ann\Ctl.vbp) because its rules cut and paste path text the way the
// original platform did. Only this module and file_ops convert paths, at the
// file-system boundary, the way Wine does:
//   - Z: is the Unix root;
//   - C: is the chosen Wine prefix's drive_c (wine_prefix.h says which prefix:
//     --wine-prefix, else WINEPREFIX, else ~/.wine when it exists, else our
//     own $XDG_DATA_HOME/qfwizard, whose drive_c is created on demand);
//   - any other letter follows the prefix's dosdevices/<letter>: link;
//   - each path element is looked up case-insensitively; an element that does
//     not exist is kept as typed (so that files can be created).
#pragma once

#include <string>
#include <vector>

namespace qfw {

// Where each drive letter lives on the Unix side. A value object: tests build
// their own, the program takes the one the environment describes.
struct DriveMap {
    std::string cRoot;       // Unix folder that is C:\ (no trailing slash)
    std::string dosDevices;  // $WINEPREFIX/dosdevices, empty without a prefix
    bool ownFolder = false;  // our own C: folder, created when first used
    bool wow64 = false;      // a 64-bit prefix: 32-bit system files in syswow64

    // The map of a prefix folder (a Wine prefix, or our own folder when
    // ownFolder is set).
    static DriveMap ForPrefix(const std::string& prefix, bool ownFolder);

    // The map of the prefix chosen from WINEPREFIX / HOME / XDG_DATA_HOME
    // right now, without a --wine-prefix option.
    static DriveMap FromEnvironment();

    // Unix folder of a drive letter (either case), empty when the letter is
    // not mapped. Z: is always "/" ("" root spelled as "/").
    std::string DriveRoot(char letter) const;
};

// The map the program works with: the one a front end installed with
// ScopedDriveMap, else DriveMap::FromEnvironment().
DriveMap CurrentDriveMap();

// Installs a map for its lifetime and restores the previous one after. The
// command line installs the map of its --wine-prefix choice, so that the
// registry and every drive letter come from the same prefix.
class ScopedDriveMap {
  public:
    explicit ScopedDriveMap(const DriveMap& map);
    ~ScopedDriveMap();
    ScopedDriveMap(const ScopedDriveMap&) = delete;
    ScopedDriveMap& operator=(const ScopedDriveMap&) = delete;

  private:
    const DriveMap* previous_;
};

// The system folders where a bare library name is looked for, in order:
// C:\WINDOWS\SYSTEM, C:\WINDOWS\SYSTEM32 and, on a 64-bit prefix,
// C:\WINDOWS\SYSWOW64 (no trailing backslash).
std::vector<std::string> SystemFolders(const DriveMap& map = CurrentDriveMap());

// The path a 32-bit program opens for `winPath` on this map: on a 64-bit
// prefix Wine sends C:\windows\system32\... to syswow64, except for the
// catroot, catroot2, driverstore, drivers\etc, logfiles and spool folders,
// and C:\windows\sysnative\... to the real system32. Other paths, and every
// path on a 32-bit prefix, are returned as given.
std::string RedirectFor32BitView(const std::string& winPath,
                                 const DriveMap& map = CurrentDriveMap());

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
std::string WindowsToUnix(const std::string& winPath, const DriveMap& map = CurrentDriveMap());

// The Windows path of a Unix path: under the C: folder it is spelled on C:,
// anything else on Z:. A relative Unix path is taken from the current
// directory first.
std::string UnixToWindows(const std::string& unixPath, const DriveMap& map = CurrentDriveMap());

// Case-insensitive comparison of two paths after normalization, as Windows
// compares file names (ASCII letters only).
bool SameWindowsPath(const std::string& a, const std::string& b);

}  // namespace qfw
