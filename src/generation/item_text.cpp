#include "generation/item_text.h"

#include <array>

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

std::string TrimBlanks(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string LowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

size_t FindText(std::string_view text, std::string_view what) {
    size_t at = text.find(what);
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string ItemName(std::string_view itemText) {
    size_t blank = FindText(itemText, " ");
    return TrimBlanks(LeftOf(itemText, static_cast<long long>(blank) - 1));
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

std::string_view WithoutPassingKeywords(std::string_view parameter) {
    static constexpr std::array<std::string_view, 4> kKeywords = {"ByVal ", "ByRef ", "Optional ",
                                                                  "ParamArray "};
    for (bool again = true; again;) {
        again = false;
        for (std::string_view keyword : kKeywords) {
            if (parameter.starts_with(keyword)) {
                parameter.remove_prefix(keyword.size());
                again = true;
            }
        }
    }
    return parameter;
}

std::string FirstParameterName(std::string_view parameters) {
    std::string trimmed = TrimBlanks(parameters);
    const std::string_view name = WithoutPassingKeywords(trimmed);
    if (name.size() != trimmed.size())
        return FirstParameterName(name);
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
    std::string name = UpperCase(procedure);
    if (FindText(name, "FONT") > 0)
        return "fon";
    if (FindText(name, "COLOR") > 0)
        return "col";
    std::string key = TrimBlanks(UpperCase(type));
    for (const auto& rule : kTypeTokens) {
        if (key == rule.type)
            return std::string(rule.token);
    }
    return {};
}

bool IsSimpleType(std::string_view type) {
    return FindText(kSimpleTypeList, TrimBlanks(UpperCase(type))) > 0;
}

}  // namespace qfw::generation
