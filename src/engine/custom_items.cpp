// Custom items: the checks a new member passes before it joins the
// specification record, and its item text.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

#include "engine/custom_item.h"
#include "engine/wizard.h"
#include "platform/text_codec.h"

namespace qfw {

namespace {

constexpr const char* kKindWords[] = {"a property", "a method", "an event"};

// Words the language reserves, which cannot name a member.
constexpr const char* kReservedWords[] = {
    "And",     "As",       "Boolean",  "ByRef",      "Byte",    "ByVal",      "Call",
    "Case",    "Const",    "Currency", "Date",       "Declare", "Dim",        "Do",
    "Double",  "Each",     "Else",     "ElseIf",     "End",     "Enum",       "Eqv",
    "Erase",   "Event",    "Exit",     "False",      "For",     "Friend",     "Function",
    "Get",     "Global",   "GoSub",    "GoTo",       "If",      "Imp",        "Implements",
    "In",      "Integer",  "Is",       "Let",        "Like",    "Long",       "Loop",
    "LSet",    "Me",       "Mod",      "New",        "Next",    "Not",        "Nothing",
    "Null",    "Object",   "On",       "Optional",   "Or",      "ParamArray", "Preserve",
    "Private", "Property", "Public",   "RaiseEvent", "ReDim",   "Resume",     "Return",
    "RSet",    "Select",   "Set",      "Single",     "Static",  "Step",       "Stop",
    "String",  "Sub",      "Then",     "To",         "True",    "Type",       "TypeOf",
    "Until",   "Variant",  "Wend",     "While",      "With",    "WithEvents", "Xor"};

// The member name an item text starts with: "Caption" of "Caption As
// String", "Move" of "Move (Left As Single) ".
std::string NameOfItem(const std::string& text) {
    return text.substr(0, text.find_first_of(" ("));
}

bool NameTaken(const objControl& spec, int16_t kind, const std::string& name) {
    for (const std::string& text : spec.ItemTexts(kind)) {
        if (EqualsIgnoreCase(NameOfItem(text), name))
            return true;
    }
    return false;
}

// A type name: an identifier, or a library-qualified one (ViewLib.Shade).
bool IsValidTypeName(const std::string& type) {
    std::istringstream parts(type);
    std::string part;
    bool any = false;
    while (std::getline(parts, part, '.')) {
        const bool builtIn =
            std::any_of(std::begin(kCustomPropertyTypes), std::end(kCustomPropertyTypes),
                        [&](const char* t) { return EqualsIgnoreCase(part, t); }) ||
            EqualsIgnoreCase(part, "Object");
        if (!builtIn && !IsValidIdentifier(part))
            return false;
        any = true;
    }
    return any && type.back() != '.';
}

// "[ByVal |ByRef ]Name[ As Type]": the parameter's name, or "" when the
// text is not such a parameter.
std::string ParameterName(const std::string& parameter) {
    std::istringstream words(parameter);
    std::vector<std::string> w;
    for (std::string word; words >> word;)
        w.push_back(word);
    size_t at = 0;
    if (!w.empty() && (EqualsIgnoreCase(w[0], "ByVal") || EqualsIgnoreCase(w[0], "ByRef")))
        at = 1;
    if (at >= w.size() || !IsValidIdentifier(w[at]))
        return "";
    if (w.size() == at + 1)
        return w[at];
    if (w.size() == at + 3 && EqualsIgnoreCase(w[at + 1], "As") && IsValidTypeName(w[at + 2]))
        return w[at];
    return "";
}

bool IsNumber(const std::string& text, bool wholeOnly) {
    if (text.empty())
        return false;
    char* end = nullptr;
    if (wholeOnly) {
        std::strtoll(text.c_str(), &end, 10);
    } else {
        std::strtod(text.c_str(), &end);
    }
    return *end == '\0' && !std::isspace(static_cast<unsigned char>(text[0]));
}

bool InRange(const std::string& text, long long low, long long high) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

// &HFF, &H8000000F&: a hexadecimal literal, which colours are written as.
bool IsHexLiteral(const std::string& text) {
    if (text.size() < 3 || !EqualsIgnoreCase(text.substr(0, 2), "&H"))
        return false;
    std::string digits = text.substr(2);
    if (!digits.empty() && digits.back() == '&')
        digits.pop_back();
    return !digits.empty() && digits.size() <= 8 &&
           std::all_of(digits.begin(), digits.end(),
                       [](unsigned char c) { return std::isxdigit(c) != 0; });
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

bool IsValidIdentifier(const std::string& name) {
    if (name.empty() || name.size() > 255 || !std::isalpha(static_cast<unsigned char>(name[0])))
        return false;
    if (!std::all_of(name.begin(), name.end(),
                     [](unsigned char c) { return std::isalnum(c) || c == '_'; }))
        return false;
    return std::none_of(std::begin(kReservedWords), std::end(kReservedWords),
                        [&](const char* word) { return EqualsIgnoreCase(name, word); });
}

std::string CustomItemText(const CustomItem& item) {
    if (item.kind == kKindProperty)
        return item.name + " As " + item.type;
    std::string parameters;
    for (const std::string& p : item.parameters)
        parameters += (parameters.empty() ? "" : ", ") + p;
    std::string text = item.name + " (" + parameters + ") ";
    if (item.kind == kKindMethod && !item.type.empty())
        text += "As " + item.type;
    return text;
}

std::optional<std::string> DefaultLiteral(const CustomItem& item) {
    const std::string value(Trim(item.defaultValue));
    const std::string type = AsciiUpper(item.type);
    if (type == "STRING")
        return Quoted(item.defaultValue);
    if (type == "BOOLEAN") {
        if (value.empty() || EqualsIgnoreCase(value, "False"))
            return "False";
        if (EqualsIgnoreCase(value, "True"))
            return "True";
        return std::nullopt;
    }
    if (value.empty())
        return type == "VARIANT" ? "Empty" : "0";
    if (type == "INTEGER" || type == "LONG" || type == "BYTE") {
        if (IsHexLiteral(value))
            return type == "BYTE" ? std::nullopt : std::optional<std::string>(value);
        if (!IsNumber(value, true))
            return std::nullopt;
        const bool fits = type == "BYTE"      ? InRange(value, 0, 255)
                          : type == "INTEGER" ? InRange(value, -32768, 32767)
                                              : InRange(value, -2147483648LL, 2147483647LL);
        return fits ? std::optional<std::string>(value) : std::nullopt;
    }
    if (type == "OLE_COLOR")
        return IsHexLiteral(value) || (IsNumber(value, true) && InRange(value, 0, 4294967295LL))
                   ? std::optional<std::string>(value)
                   : std::nullopt;
    if (type == "SINGLE" || type == "DOUBLE" || type == "CURRENCY")
        return IsNumber(value, false) ? std::optional<std::string>(value) : std::nullopt;
    if (type == "VARIANT")
        return IsNumber(value, false) ? value : Quoted(item.defaultValue);
    // A date is written as the language writes date literals.
    if (type == "DATE" && value.size() > 2 && value.front() == '#' && value.back() == '#' &&
        value.find('"') == std::string::npos)
        return value;
    return std::nullopt;
}

std::string ValidateCustomItem(const objControl& spec, const CustomItem& item) {
    const std::string name(Trim(item.name));
    if (item.kind < kKindProperty || item.kind > kKindEvent)
        return "Choose whether the new item is a property, a method or an event.";
    if (name.empty())
        return "Please enter a name for the new item.";
    if (!IsValidIdentifier(name) || name != item.name) {
        return "\"" + item.name +
               "\" is not a valid name. A name begins with a letter, holds only letters, digits "
               "and underscores (_), is at most 255 characters long and is no reserved word.";
    }
    const std::string kindWord = kKindWords[item.kind];
    if (NameTaken(spec, item.kind, name))
        return "The control already has " + kindWord + " named " + name + ".";
    // A property and a method of one name would be two procedures of one name.
    if (item.kind != kKindEvent) {
        const int16_t other = item.kind == kKindProperty ? kKindMethod : kKindProperty;
        if (NameTaken(spec, other, name))
            return "The control already has " + std::string(kKindWords[other]) + " named " + name +
                   ".";
    }
    if (item.kind == kKindProperty) {
        const bool known =
            std::any_of(std::begin(kCustomPropertyTypes), std::end(kCustomPropertyTypes),
                        [&](const char* t) { return item.type == t; });
        if (!known) {
            std::string types;
            for (const char* t : kCustomPropertyTypes)
                types += (types.empty() ? "" : ", ") + std::string(t);
            return "\"" + item.type + "\" is no data type a new property can have; choose one of " +
                   types + ".";
        }
        if (!DefaultLiteral(item)) {
            return "The default value \"" + item.defaultValue + "\" is not a value of type " +
                   item.type + ".";
        }
        return "";
    }
    if (item.kind == kKindMethod && !item.type.empty() && !IsValidTypeName(item.type))
        return "\"" + item.type + "\" is not a valid data type.";
    std::vector<std::string> names;
    for (const std::string& parameter : item.parameters) {
        const std::string parameterName = ParameterName(parameter);
        if (parameterName.empty()) {
            return "The parameter \"" + parameter +
                   "\" is not valid; write a parameter as Name As Type.";
        }
        for (const std::string& earlier : names) {
            if (EqualsIgnoreCase(earlier, parameterName))
                return "The parameter name " + parameterName + " is used twice.";
        }
        names.push_back(parameterName);
    }
    return "";
}

std::string Wizard::AddCustomItem(objControl& spec, const CustomItem& item) {
    std::string refusal = ValidateCustomItem(spec, item);
    if (!refusal.empty())
        return refusal;
    const std::string text = CustomItemText(item);
    if (item.kind == kKindProperty) {
        spec.AddProperty(text);
    } else if (item.kind == kKindMethod) {
        spec.AddMethod(text);
    } else {
        spec.AddEvent(text);
    }
    spec.ItemSelected(item.kind, static_cast<int16_t>(spec.ItemCount(item.kind) - 1), true);
    // The engine outlives a wizard run and the record does not: an item of
    // an earlier run with this text gives way to the new one's attributes.
    CustomItems_.erase(std::remove_if(CustomItems_.begin(), CustomItems_.end(),
                                      [&](const CustomItem& earlier) {
                                          return earlier.kind == item.kind &&
                                                 CustomItemText(earlier) == text;
                                      }),
                       CustomItems_.end());
    CustomItems_.push_back(item);
    return "";
}

bool Wizard::IsCustomItem(int16_t kind, const std::string& text) const {
    return std::any_of(CustomItems_.begin(), CustomItems_.end(), [&](const CustomItem& item) {
        return item.kind == kind && CustomItemText(item) == text;
    });
}

}  // namespace qfw
