// Private profile (INI) files, read and written the way the Windows routines
// GetPrivateProfileStringA and WritePrivateProfileStringA do, on files
// Windows programs made.
//
// Reading: section and key names compare case-insensitively and are trimmed
// of blanks; a line "key = value" gives "value" (blanks around the key and
// value dropped); one pair of matching quotes around a value is removed; the
// first matching section and the first matching key in it win; there are no
// inline comments. A file may be UTF-8 or UTF-16 with a byte-order mark,
// whose text is converted to and from UTF-8 for the caller, or without one
// (ANSI), whose bytes are passed through as they are.
//
// Writing changes only the affected line and keeps every other byte of the
// file as it was (line ends, comments, blank lines, order, encoding). New
// lines are "key=value" with CR LF. The new file replaces the old one in a
// single rename, so a reader never sees half a file and a failed write
// leaves the old file untouched.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qfw {

// GetPrivateProfileStringA(section, key, defaultValue, buffer, nSize, file).
// Copies the value (or, when the file, section or key is missing, the
// default without its trailing spaces) into buffer, cut to nSize - 1
// characters, and a NUL after it. Returns the number of characters copied,
// NUL not counted. With nSize 0 nothing is written and 0 returned. The
// default is taken as the C routine sees it: up to its first NUL.
uint32_t GetPrivateProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue, char* buffer, uint32_t nSize,
                                 const std::filesystem::path& file);

// The same read, returning the characters the call would copy.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, uint32_t nSize,
                                    const std::filesystem::path& file);

// WritePrivateProfileStringA(section, key, value, file).
//  - key and value given: replaces the value of the first matching key in
//    place, or adds "key=value" after the last non-blank line of the
//    section, or appends "[section]" and "key=value" at the end of the file;
//    the file is created when missing (its folder must exist).
//  - value nullopt: deletes that key's line.
//  - key nullopt: deletes the section, its header and all its lines.
// Returns true on success, also when a line to delete does not exist; false
// when the file cannot be read or written, for an empty file name, and for
// names or values that would break the file's lines (a line break in any of
// them, "]" in a section name, "=" in a key, a key starting with "[").
bool WritePrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value,
                               const std::filesystem::path& file);

// Whether a profile file name is a bare name (no '\' and no '/'), which the
// routines look up in the Windows folder rather than the current folder.
bool IsBareProfileName(std::string_view fileName);

// The file a bare profile name stands for inside the Windows folder (given
// as a Unix path): an existing entry whose name matches case-insensitively,
// otherwise the name as given, for creating.
std::filesystem::path ProfileFileInFolder(std::string_view bareName,
                                          const std::filesystem::path& windowsFolder);

}  // namespace qfw
