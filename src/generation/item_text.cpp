#include "generation/item_text.h"

#include <array>

#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw::generation {

namespace {

// The types whose values are assigned without Set.
constexpr std::string_view kSimpleTypeList =
    "BYTE BOOLEAN INTEGER LONG SINGLE DOUBLE CURRENCY DATE STRING VARIANT OLE_COLOR";

struct TypeTokenRule {
    std::string_view type;
    std::string_view token;
};

// SINGLE shares BOOLEAN's token; generated code has always used it so.
constexpr std::array kTypeTokens = {
    TypeTokenRule{"BYTE", "byt"},   TypeTokenRule{"BOOLEAN", "b"}, TypeTokenRule{"INTEGER", "i"},
    TypeTokenRule{"LONG", "l"},     TypeTokenRule{"SINGLE", "b"},  TypeTokenRule{"DOUBLE", "d"},
    TypeTokenRule{"CURRENCY", "c"}, TypeTokenRule{"DATE", "dt"},   TypeTokenRule{"STRING", "s"},
    TypeTokenRule{"VARIANT", "v"},
};

}  // namespace

std::string LeftOf(std::string_view text, long long length) {
    if (length < 0)
        throw VbError(kErrInvalidProcedureCall);
    return std::string(text.substr(0, static_cast<size_t>(length)));
}

size_t FindText(std::string_view text, std::string_view what) {
    size_t at = text.find(what);
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string ItemName(std::string_view itemText) {
    size_t blank = FindText(itemText, " ");
    return std::string(Trim(LeftOf(itemText, static_cast<long long>(blank) - 1)));
}

std::string ItemParameters(std::string_view itemText) {
    size_t open = itemText.find('(');
    if (open == std::string_view::npos)
        return {};
    size_t close = itemText.find(')', open + 1);
    if (close == std::string_view::npos)
        throw VbError(kErrInvalidProcedureCall);
    return std::string(itemText.substr(open + 1, close - open - 1));
}

std::string TypeAfterAs(std::string_view itemText, size_t asPosition) {
    size_t from = asPosition + 2;  // 0-based index of the character three after the "A"
    if (from >= itemText.size())
        return {};
    return std::string(itemText.substr(from));
}

std::string FirstParameterName(std::string_view parameters) {
    std::string trimmed = std::string(Trim(parameters));
    size_t blank = FindText(trimmed, " ");
    // A single untyped parameter has no blank at all; its name is the list.
    if (blank == 0)
        return trimmed;
    return LeftOf(parameters, static_cast<long long>(blank) - 1);
}

std::string RaiseEventArguments(std::string_view parameters) {
    std::string arguments;
    std::string rest(parameters);
    if (rest.empty())
        return arguments;
    for (;;) {
        size_t as = FindText(rest, "As ");
        if (!arguments.empty())
            arguments += ", ";
        if (as >= 2)
            arguments += rest.substr(0, as - 2);
        size_t comma = FindText(rest, ",");
        rest = rest.substr(comma);  // the last (length - comma) characters
        if (comma == 0)
            break;
    }
    return arguments;
}

std::string TypeToken(std::string_view procedure, std::string_view type) {
    std::string name = AsciiUpper(procedure);
    if (FindText(name, "FONT") > 0)
        return "fon";
    if (FindText(name, "COLOR") > 0)
        return "col";
    std::string key = std::string(Trim(AsciiUpper(type)));
    for (const auto& rule : kTypeTokens) {
        if (key == rule.type)
            return std::string(rule.token);
    }
    return {};
}

bool IsSimpleType(std::string_view type) {
    return FindText(kSimpleTypeList, Trim(AsciiUpper(type))) > 0;
}

}  // namespace qfw::generation
