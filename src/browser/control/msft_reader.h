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

#include <string>

#include "browser/control/byte_reader.h"
#include "browser/control/type_library.h"

namespace qfw {

// The libraries a library imports, by the file name it stores for each (a
// bare name or a path, as the library's author wrote it).
class ImportedLibraries {
  public:
    virtual ~ImportedLibraries() = default;
    // The imported library, or nullptr when it cannot be found or read.
    virtual const TypeLibrary* Find(const std::string& fileName) = 0;
};

// With `imports`, types of an imported library (other than OLE
// Automation's, which a table names) are named from that library; without
// it, or when it is not found, by a stand-in for their kind.
TypeLibrary ParseMsft(const ByteReader& blob, ImportedLibraries* imports = nullptr);

// Only the library's name and help string (the header and the two strings
// are checked; the types are not read).
TypeLibrary ParseMsftSummary(const ByteReader& blob);

}  // namespace qfw
