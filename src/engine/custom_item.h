// A member the control author adds that the specification control does not
// have: its kind, name, type, default value, access and parameters, as the
// Add Item and Parameter dialogs (or `generate --add`) collect them.
//
// Contract: the record only ever holds items that ValidateCustomItem
// accepted; their text is the one the browser would have composed, so a
// constituent with that very member receives it like any other item.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/obj_control.h"

namespace qfw {

// Who may read and set a property, once at run time and once at design time.
enum class MemberAccess : int16_t { ReadWrite = 0, ReadOnly = 1, WriteOnly = 2, NotAvailable = 3 };

// The access texts the Add Item dialog lists, by MemberAccess.
inline const char* const kAccessNames[] = {"Read/Write", "Read Only", "Write Only",
                                           "Not Available"};

// The data types the Add Item dialog offers for a property, and the only
// ones a new property may have: its value lives in a member variable and in
// the property bag, which hold values, not objects.
inline const char* const kCustomPropertyTypes[] = {"String", "Integer", "Long",     "Boolean",
                                                   "Byte",   "Single",  "Double",   "Currency",
                                                   "Date",   "Variant", "OLE_COLOR"};

struct CustomItem {
    int16_t kind = kKindProperty;
    std::string name;
    // A property's type, or a method's return type (empty for a Sub).
    std::string type;
    // A property's default, as typed: 5, Hello, True.
    std::string defaultValue;
    MemberAccess runTime = MemberAccess::ReadWrite;
    MemberAccess designTime = MemberAccess::ReadWrite;
    // As the Parameter dialog lists them: "Value As Long".
    std::vector<std::string> parameters;
};

// The item text the browser composes for such a member: "Caption As String",
// "Clear () ", "Find (Text As String) As Long", "Changed (Value As Long) ".
std::string CustomItemText(const CustomItem& item);

// The property's default as a Visual Basic literal ("Hello" quoted, 5,
// True); the type's empty value when no default was given. Nothing when the
// text is no value of the type.
std::optional<std::string> DefaultLiteral(const CustomItem& item);

// Whether `name` may name a member: a letter, then letters, digits and
// underscores, at most 255 characters, and no reserved word.
bool IsValidIdentifier(const std::string& name);

// The message that refuses the item for the specification record `spec`,
// or "" when it can be added: an empty, invalid or taken name (a name an
// item of its kind has, or a property and a method share), an invalid type,
// default value or parameter.
std::string ValidateCustomItem(const objControl& spec, const CustomItem& item);

}  // namespace qfw
