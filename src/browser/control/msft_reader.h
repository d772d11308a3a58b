// Reader of the MSFT ("new format") type library layout, the format that
// midl, mktyplib on NT 4 and later, widl and the environment's compiler
// write.
//
// Contract: ParseMsft returns a complete model or raises
// kErrInvalidFileFormat naming the file, the item and its offset. Every
// offset, length and count is checked against its segment before use;
// allocations are bounded by the size of the data; type descriptors are
// followed at most 16 levels deep; reference chains stop at a repeat.
#pragma once

#include "browser/control/byte_reader.h"
#include "browser/control/type_library.h"

namespace qfw {

TypeLibrary ParseMsft(const ByteReader& blob);

// Only the library's name and help string (the header and the two strings
// are checked; the types are not read).
TypeLibrary ParseMsftSummary(const ByteReader& blob);

}  // namespace qfw
