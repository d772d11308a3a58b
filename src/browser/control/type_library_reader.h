// Reading a type library from bytes or from a file: a bare MSFT library, or
// the TYPELIB resource of a PE32/PE32+ image (.ocx, .olb, .dll, and the
// resource-only .tlb files Wine ships).
//
// Errors are raised as VbError with the runtime's numbers:
//   53  File not found         the file does not exist
//   70  Permission denied      the file cannot be opened for reading
//   75  Path/File access error the path is a folder, or reading failed
//   321 Invalid file format    damaged, truncated, not a type library, or an
//                              old-format (SLTG) library, which is not supported
// Each description names the file and, for 321, what is wrong and where.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "browser/control/type_library.h"

namespace qfw {

// `source` names the data in error messages (usually the file name).
TypeLibrary ReadTypeLibrary(std::span<const uint8_t> bytes, const std::string& source);

// Reads the file at `unixPath`; messages name it as `source`.
TypeLibrary ReadTypeLibraryFile(const std::string& unixPath, const std::string& source);

// Only the library's name and help string (no types), reading no more of
// the file than those need. Same errors as ReadTypeLibraryFile for what it
// reads.
TypeLibrary ReadTypeLibrarySummaryFile(const std::string& unixPath, const std::string& source);

}  // namespace qfw
