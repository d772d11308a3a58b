#include "run_summary.h"

#include <algorithm>

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
bool NamesControl(const std::string& line, const std::string& name) {
    for (size_t at = line.find(name); at != std::string::npos; at = line.find(name, at + 1)) {
        const size_t after = at + name.size();
        if ((at == 0 || !IsNameChar(line[at - 1])) && after < line.size() &&
            (line[after] == '.' || line[after] == '_'))
            return true;
    }
    return false;
}

// The lines of `after` that `before` does not have (as a multiset).
std::vector<std::string> AddedLines(const std::vector<std::string>& before,
                                    const std::vector<std::string>& after) {
    std::vector<std::string> rest = before;
    std::vector<std::string> added;
    for (const std::string& line : after) {
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
    for (int32_t line = 1; line <= code.CountOfLines(); ++line) {
        int32_t kind = 0;
        const std::string name = code.ProcOfLine(line, kind);
        if (!name.empty())
            procedures[std::to_string(kind) + " " + name].push_back(code.Lines(line, 1));
    }
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
        const std::vector<std::string> added =
            old == before.end() ? lines : AddedLines(old->second, lines);
        for (int16_t k = 0; k < count; ++k) {
            const std::string name = wizard.ConstituentControlName(k);
            if (std::any_of(added.begin(), added.end(),
                            [&](const std::string& line) { return NamesControl(line, name); })) {
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
