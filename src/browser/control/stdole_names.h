// Names of the types of OLE Automation's own library (stdole2), which other
// libraries import by GUID or by position but never name.
#pragma once

#include <cstdint>
#include <string>

namespace qfw {

// LIBID of stdole2, written as ParseMsft formats GUIDs.
inline const std::string kStdOleLibId = "00020430-0000-0000-C000-000000000046";

// The Visual Basic name of stdole2's type with this GUID, or nullptr.
const char* StdOleNameByGuid(const std::string& guid);

// The name of stdole2's type at this index, or nullptr.
const char* StdOleNameByIndex(int32_t index);

}  // namespace qfw
