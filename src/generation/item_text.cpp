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

std::string ItemType(std::string_view itemText) {
    const std::string_view marker = FindText(itemText, "(") > 0 ? ") As " : " As ";
    const size_t at = FindText(itemText, marker);
    if (at == 0)
        return {};
    return std::string(itemText.substr(at - 1 + marker.size()));
}

namespace {

// The parameter without its leading passing-mode words ("Optional ByVal");
// the blanks in front of them stay.
std::string WithoutPassingWords(std::string_view parameter) {
    const size_t first = parameter.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::string(parameter);
    std::string rest(parameter.substr(first));
    for (bool found = true; found;) {
        found = false;
        for (std::string_view word : {"byval ", "byref ", "optional ", "paramarray "}) {
            if (AsciiLower(rest.substr(0, word.size())) == word) {
                rest = std::string(Trim(rest.substr(word.size())));
                found = true;
            }
        }
    }
    return std::string(parameter.substr(0, first)) + rest;
}

// The name without an array's "()".
std::string WithoutArrayParentheses(std::string name) {
    name.resize(name.find_last_not_of(' ') + 1);
    if (name.size() > 2 && name.compare(name.size() - 2, 2, "()") == 0)
        name.resize(name.size() - 2);
    return name;
}

// The text before the first " As ", or all of it.
std::string_view BeforeAs(std::string_view parameter) {
    const size_t as = parameter.find(" As ");
    return as == std::string_view::npos ? parameter : parameter.substr(0, as);
}

// The pieces of a parameter list, each up to its comma (the comma dropped,
// the blanks after it kept).
std::vector<std::string_view> Pieces(std::string_view parameters) {
    std::vector<std::string_view> pieces;
    for (;;) {
        const size_t comma = parameters.find(',');
        pieces.push_back(parameters.substr(0, comma));
        if (comma == std::string_view::npos)
            return pieces;
        parameters.remove_prefix(comma + 1);
    }
}

}  // namespace

std::string ArgumentName(std::string_view parameter) {
    std::string name(BeforeAs(WithoutPassingWords(parameter)));
    // A default value ("Optional Count = 1") is no part of the name.
    name = std::string(Trim(name.substr(0, name.find('='))));
    return std::string(Trim(WithoutArrayParentheses(name)));
}

std::vector<std::string> ArgumentNames(std::string_view parameters) {
    std::vector<std::string> names;
    if (Trim(parameters).empty())
        return names;
    for (std::string_view piece : Pieces(parameters))
        names.push_back(ArgumentName(piece));
    return names;
}

std::string CallArguments(std::string_view parameters) {
    std::string arguments;
    for (const std::string& name : ArgumentNames(parameters)) {
        if (!arguments.empty())
            arguments += ", ";
        arguments += name;
    }
    return arguments;
}

std::string RaiseEventArguments(std::string_view parameters) {
    std::string arguments;
    if (parameters.empty())
        return arguments;
    bool first = true;
    for (std::string_view piece : Pieces(parameters)) {
        if (!first)
            arguments += ", ";
        first = false;
        arguments += WithoutArrayParentheses(std::string(BeforeAs(WithoutPassingWords(piece))));
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
    return FindText(kSimpleTypeList, std::string(Trim(AsciiUpper(type)))) > 0;
}

}  // namespace qfw::generation
