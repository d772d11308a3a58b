#include "run_summary.h"

#include <algorithm>
#include <string_view>

#include "platform/text_codec.h"

namespace qfw::app {

namespace {

const char* const kKindNames[] = {"property", "method", "event"};

int16_t CountOf(const objControl& record, int16_t kind) {
    return kind == kKindProperty ? record.PropertyCount()
           : kind == kKindMethod ? record.MethodCount()
                                 : record.EventCount();
}

std::string TextOf(const objControl& record, int16_t kind, int16_t i) {
    return kind == kKindProperty ? record.Properties(i)
           : kind == kKindMethod ? record.Methods(i)
                                 : record.Events(i);
}

bool SelectedOf(const objControl& record, int16_t kind, int16_t i) {
    return kind == kKindProperty ? record.PropertySelected(i)
           : kind == kKindMethod ? record.MethodSelected(i)
                                 : record.EventSelected(i);
}

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// True when `line` names the control: "name." or "name_" not preceded by
// another name character.
bool NamesControl(std::string_view line, const std::string& name) {
    for (size_t at = line.find(name); at != std::string_view::npos; at = line.find(name, at + 1)) {
        const size_t after = at + name.size();
        if ((at == 0 || !IsNameChar(line[at - 1])) && after < line.size() &&
            (line[after] == '.' || line[after] == '_'))
            return true;
    }
    return false;
}

// The lines of a procedure's text.
std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The lines of `after` that `before` does not have (as a multiset).
std::vector<std::string_view> AddedLines(std::string_view before, std::string_view after) {
    std::vector<std::string_view> rest = LinesOf(before);
    std::vector<std::string_view> added;
    for (std::string_view line : LinesOf(after)) {
        const auto it = std::find(rest.begin(), rest.end(), line);
        if (it == rest.end())
            added.push_back(line);
        else
            rest.erase(it);
    }
    return added;
}

}  // namespace

ProcedureTexts ProcedureTextsOf(const ide::CodeModule& code) {
    ProcedureTexts procedures;
    // A procedure's lines are gathered in one buffer and stored at once, so
    // that each text takes the room it needs and no more.
    std::string key;
    std::string text;
    const auto store = [&] {
        if (!key.empty())
            procedures[key] += text;
        text.clear();
    };
    for (int32_t line = 1; line <= code.CountOfLines(); ++line) {
        int32_t kind = 0;
        const std::string name = code.ProcOfLine(line, kind);
        const std::string lineKey =
            name.empty() ? std::string() : std::to_string(kind) + " " + name;
        if (lineKey != key) {
            store();
            key = lineKey;
        }
        if (!key.empty()) {
            text += code.Lines(line, 1);
            text += '\n';
        }
    }
    store();
    return procedures;
}

std::string RunSummary(const ProcedureTexts& before, const ProcedureTexts& after, bool codeChanged,
                       const Wizard& wizard, const objControl& spec) {
    std::string out = "Summary:\n";
    const int16_t count = wizard.GetConstituentCount();
    std::vector<int> generated(static_cast<size_t>(count)), merged(static_cast<size_t>(count));
    for (const auto& [key, lines] : after) {
        const auto old = before.find(key);
        if (old != before.end() && old->second == lines)
            continue;
        const std::vector<std::string_view> added =
            old == before.end() ? LinesOf(lines) : AddedLines(old->second, lines);
        for (int16_t k = 0; k < count; ++k) {
            const std::string name = wizard.ConstituentControlName(k);
            if (std::any_of(added.begin(), added.end(),
                            [&](std::string_view line) { return NamesControl(line, name); })) {
                ++(old == before.end() ? generated : merged)[static_cast<size_t>(k)];
            }
        }
    }
    for (int16_t k = 0; k < count; ++k) {
        out += "  " + Windows1252ToUtf8(wizard.ConstituentControlName(k)) + ": " +
               std::to_string(generated[static_cast<size_t>(k)]) + " procedures generated, " +
               std::to_string(merged[static_cast<size_t>(k)]) + " merged\n";
    }
    std::vector<std::string> unmatched, own;
    for (int16_t kind = 0; kind < 3; ++kind) {
        for (int16_t i = 0; i < CountOf(spec, kind); ++i) {
            if (!SelectedOf(spec, kind, i))
                continue;
            const std::string text = TextOf(spec, kind, i);
            bool found = false;
            for (int16_t k = 0; k < count && !found; ++k) {
                const objControl& members = wizard.ConstituentMembers(k);
                for (int16_t j = 0; j < CountOf(members, kind) && !found; ++j)
                    found = TextOf(members, kind, j) == text;
            }
            const std::string item = std::string(kKindNames[kind]) + " " + Windows1252ToUtf8(text);
            if (!found)
                (wizard.IsCustomItem(kind, text) ? own : unmatched).push_back(item);
        }
    }
    if (!unmatched.empty()) {
        out += "  Selected items no constituent has (nothing delegates them):\n";
        for (const std::string& item : unmatched)
            out += "    " + item + "\n";
    }
    if (!own.empty()) {
        out += "  New members of the UserControl itself:\n";
        for (const std::string& item : own)
            out += "    " + item + "\n";
    }
    if (!codeChanged)
        out += "  Nothing was written: the code already holds every item a constituent has.\n";
    return out;
}

}  // namespace qfw::app
