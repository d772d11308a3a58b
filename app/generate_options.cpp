#include "generate_options.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "commands.h"
#include "platform/text_codec.h"

namespace qfw::app {

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        parts.push_back(std::string(Trim(text.substr(start, comma - start), " \t")));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return parts;
}

std::string JoinList(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text.empty() ? "(none)" : text;
}

int16_t ParseKind(const std::string& word, const std::string& option) {
    std::string lower = word;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (int16_t kind = 0; kind < 3; ++kind) {
        if (lower == kKindNames[kind])
            return kind;
    }
    throw RunStop{kExitUsage,
                  option + ": \"" + word + "\" is no item kind (property, method or event)"};
}

ItemChoice ParseSelection(const std::string& value) {
    const size_t colon = value.find(':');
    if (colon == std::string::npos || colon + 1 == value.size())
        throw RunStop{kExitUsage, "--select " + value + ": expected KIND:TEXT"};
    return {ParseKind(value.substr(0, colon), "--select"), value.substr(colon + 1)};
}

MultiMapChoice ParseMultiMap(const std::string& value) {
    const size_t first = value.find(':');
    const size_t second = first == std::string::npos ? first : value.find(':', first + 1);
    if (second == std::string::npos || second + 1 == value.size())
        throw RunStop{kExitUsage, "--map " + value + ": expected KIND:CLASS,CLASS,...:TEXT"};
    MultiMapChoice choice{ParseKind(value.substr(0, first), "--map"),
                          SplitList(value.substr(first + 1, second - first - 1)),
                          value.substr(second + 1)};
    if (choice.classes.size() < 2)
        throw RunStop{kExitUsage, "--map " + value + ": name two or more constituent classes"};
    return choice;
}

std::optional<std::chrono::year_month_day> ParseDate(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    int year = 0;
    unsigned month = 0, day = 0;
    char dash1 = 0, dash2 = 0;
    if (text.size() == 10 &&
        std::sscanf(text.c_str(), "%4d%c%2u%c%2u", &year, &dash1, &month, &dash2, &day) == 5 &&
        dash1 == '-' && dash2 == '-') {
        const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                               std::chrono::day{day}};
        if (date.ok())
            return date;
    }
    throw RunStop{kExitUsage, "--date " + text + ": expected a date as YYYY-MM-DD"};
}

// The member name an item text starts with ("Caption As String", "Move (Left
// As Single)").
std::string MemberName(const std::string& text) {
    return text.substr(0, text.find_first_of(" ("));
}

std::optional<std::string> FindItem(const std::vector<std::string>& texts,
                                    const std::string& wanted) {
    if (std::find(texts.begin(), texts.end(), wanted) != texts.end())
        return wanted;
    for (const std::string& text : texts) {
        if (EqualsIgnoreCase(text, wanted))
            return text;
    }
    for (const std::string& text : texts) {
        if (EqualsIgnoreCase(MemberName(text), wanted))
            return text;
    }
    return std::nullopt;
}

// The constituent class `wanted` names (any letter case), taken out of
// `available` so that a class can be named once per constituent of it.
std::optional<std::string> TakeClass(std::vector<std::string>& available,
                                     const std::string& wanted) {
    auto found = std::find(available.begin(), available.end(), wanted);
    if (found == available.end()) {
        found = std::find_if(available.begin(), available.end(), [&](const std::string& name) {
            return EqualsIgnoreCase(name, wanted);
        });
    }
    if (found == available.end())
        return std::nullopt;
    std::string name = *found;
    available.erase(found);
    return name;
}

}  // namespace qfw::app
