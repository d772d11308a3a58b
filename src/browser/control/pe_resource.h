// Finding the type library inside a PE32 or PE32+ image.
//
// The library is the resource of type "TYPELIB" (a named type, compared
// without regard to case), id 1 or else the first entry, first language.
// Every header, table, name and data range is checked against the file; the
// resource tree is walked exactly three levels deep, so a looping tree
// cannot make the walk endless.
#pragma once

#include <cstdint>
#include <span>

#include "browser/control/byte_reader.h"

namespace qfw {

struct ResourceBlob {
    std::span<const uint8_t> data;
    uint64_t fileOffset = 0;  // where the blob starts in the file, for messages
};

// The TYPELIB resource of the PE image in `file`. Raises
// kErrInvalidFileFormat when the image is damaged or holds no type library.
ResourceBlob FindTypeLibResource(const ByteReader& file);

}  // namespace qfw
