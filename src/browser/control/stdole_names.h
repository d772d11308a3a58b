// Names of the types of OLE Automation's own library (stdole2), which other
// libraries import by GUID or by position but never name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qfw {

// LIBID of stdole2, written as ParseMsft formats GUIDs.
inline const std::string kStdOleLibId = "00020430-0000-0000-C000-000000000046";

// The Visual Basic name of stdole2's type with this GUID, or nullptr.
const char* StdOleNameByGuid(const std::string& guid);

// The name of stdole2's type at this index, or nullptr.
const char* StdOleNameByIndex(int32_t index);

// How Visual Basic code declares one of stdole2's types.
struct StdOleType {
    const char* name;
    bool named;                // an object or enumeration type
    bool enumeration = false;  // an enumeration type
};

// The declaration of stdole2's type named `name` (as the two functions above
// name it): aliases become the type they stand for, Font and Picture the
// classes Visual Basic knows them by.
StdOleType StdOleVisualBasicType(const char* name);

// The type an alias of this name is declared with whatever the library
// says it stands for, or nullptr: the twelve position and size aliases
// arrive in Visual Basic code as Single, and OLE_COLOR is a name of its own.
const char* KnownAliasType(std::string_view name);

}  // namespace qfw
