// File operations the rest of the program uses, on Windows-style paths.
//
// Every function takes a Windows path (see win_path.h) and raises the host
// runtime's file errors as VbError, the description naming the path:
//   53 file not found, 76 path not found, 70 permission denied,
//   61 disk full, 75 path/file access error (anything else, e.g. a folder
//   where a file was expected), 57 device I/O error.
// Writes never leave a half-written file behind: a replaced file is written
// to a temporary file in the same folder and renamed over the old one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win_path.h"

namespace qfw {

// True when the path names an existing regular file (any letter case).
bool FileExists(const std::string& winPath);

// True when the path names an existing folder.
bool FolderExists(const std::string& winPath);

// The whole file, byte for byte.
std::string ReadFileBytes(const std::string& winPath);

// Replaces (or creates) the file with `bytes`, atomically: temporary file in
// the same folder, flushed, renamed over the target. The target keeps its
// permission bits. The folder must exist (76 otherwise).
void WriteFileAtomically(const std::string& winPath, std::string_view bytes);

// The same for a file given by its Unix path; errors name it as `winPath`.
void WriteUnixFileAtomically(const std::string& unixPath, std::string_view bytes,
                             const std::string& winPath);

// Appends `bytes` to the file, creating it when missing (Open For Append).
void AppendToFile(const std::string& winPath, std::string_view bytes);

// Deletes the file (Kill): 53 when it does not exist.
void DeleteFile(const std::string& winPath);

// Copies `source` to `target` (FileCopy), replacing an existing target
// atomically; the source is never changed.
void CopyFile(const std::string& source, const std::string& target);

// The names (not paths) of the files in a folder that match a pattern such
// as "C:\WINDOWS\SYSTEM\*.OCX" (Dir): `*` and `?` wildcards, matched
// case-insensitively, in name order. A missing folder gives an empty list.
std::vector<std::string> ListFolder(const std::string& winPattern);

// Creates the folder and any missing parents (no error when it exists).
void CreateFolders(const std::string& winPath);

}  // namespace qfw
