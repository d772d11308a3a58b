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

namespace {

// rw, ro, wo, na, or the Add Item dialog's own texts ("Read Only").
std::optional<MemberAccess> ParseAccess(const std::string& word) {
    constexpr const char* kShort[] = {"rw", "ro", "wo", "na"};
    for (int16_t a = 0; a < 4; ++a) {
        if (EqualsIgnoreCase(word, kShort[a]) || EqualsIgnoreCase(word, kAccessNames[a]))
            return static_cast<MemberAccess>(a);
    }
    return std::nullopt;
}

// "Name(a As Long, b As String)" as the name and the parameters; a text
// without parentheses is a bare name.
bool SplitSignature(const std::string& text, CustomItem& item) {
    const size_t open = text.find('(');
    if (open == std::string::npos) {
        item.name = text;
        return true;
    }
    if (text.back() != ')')
        return false;
    item.name = text.substr(0, open);
    const std::string inside = text.substr(open + 1, text.size() - open - 2);
    if (!Trim(inside, " \t").empty())
        item.parameters = SplitList(inside);
    return true;
}

}  // namespace

CustomItem ParseAddition(const std::string& value) {
    const size_t colon = value.find(':');
    if (colon == std::string::npos)
        throw RunStop{kExitUsage, "--add " + value + ": expected KIND:..."};
    CustomItem item;
    item.kind = ParseKind(value.substr(0, colon), "--add");
    const std::string rest = value.substr(colon + 1);
    if (item.kind == kKindProperty) {
        std::vector<std::string> fields;
        for (size_t start = 0;;) {
            const size_t next = rest.find(':', start);
            fields.push_back(rest.substr(start, next - start));
            if (next == std::string::npos)
                break;
            start = next + 1;
        }
        if (fields.size() < 2 || fields[1].empty())
            throw RunStop{kExitUsage,
                          "--add " + value + ": expected property:Name:Type[:Default][:ACCESS]"};
        item.name = fields[0];
        item.type = fields[1];
        if (fields.size() >= 4) {
            const std::string access = fields.back();
            const size_t slash = access.find('/');
            const auto run = ParseAccess(access.substr(0, slash));
            const auto design =
                slash == std::string::npos ? run : ParseAccess(access.substr(slash + 1));
            if (!run || !design) {
                throw RunStop{kExitUsage, "--add " + value + ": \"" + access +
                                              "\" is no access; write RUN or RUN/DESIGN with "
                                              "rw, ro, wo or na"};
            }
            item.runTime = *run;
            item.designTime = *design;
            fields.pop_back();
        }
        // A default may itself hold colons.
        for (size_t f = 2; f < fields.size(); ++f)
            item.defaultValue += (f > 2 ? ":" : "") + fields[f];
        return item;
    }
    std::string signature = rest;
    const size_t close = rest.rfind(')');
    const size_t typeColon = rest.find(':', close == std::string::npos ? 0 : close);
    if (item.kind == kKindMethod && typeColon != std::string::npos) {
        item.type = rest.substr(typeColon + 1);
        signature = rest.substr(0, typeColon);
    }
    if (!SplitSignature(signature, item)) {
        throw RunStop{kExitUsage, "--add " + value + ": expected " +
                                      (item.kind == kKindMethod ? "method:Name(params)[:Type]"
                                                                : "event:Name(params)")};
    }
    return item;
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
