#include "engine/ide/component_file.h"

#include "engine/ide/code_lines.h"
#include "engine/ide/vb_component.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw::ide {

namespace {

// White space around the words of a form or header line.
constexpr std::string_view kBlanksAndTabs = " \t";

struct PhysicalLine {
    std::string_view text;  // without its line end
    size_t begin;           // offset of the line in the file
    size_t next;            // offset of the following line
};

std::vector<PhysicalLine> SplitPhysical(std::string_view bytes) {
    std::vector<PhysicalLine> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t stop = pos;
        while (stop < bytes.size() && bytes[stop] != '\r' && bytes[stop] != '\n')
            ++stop;
        size_t next = stop;
        if (stop < bytes.size()) {
            next = (bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n')
                       ? stop + 2
                       : stop + 1;
        }
        lines.push_back({bytes.substr(pos, stop - pos), pos, next});
        pos = next;
    }
    return lines;
}

bool StartsWithWord(std::string_view text, std::string_view word) {
    if (text.size() < word.size())
        return false;
    if (AsciiLower(text.substr(0, word.size())) != AsciiLower(word))
        return false;
    return text.size() == word.size() || text[word.size()] == ' ' || text[word.size()] == '\t';
}

[[noreturn]] void Malformed(const std::string& fileName, size_t line, const std::string& problem) {
    throw VbError(kErrInvalidFileFormat,
                  fileName + ": line " + std::to_string(line) + ": " + problem);
}

// "Begin Lib.Class Name" → {Lib.Class, Name}.
std::pair<std::string, std::string> BeginWords(std::string_view trimmed) {
    std::string_view rest = Trim(trimmed.substr(5), kBlanksAndTabs);
    const size_t space = rest.find_first_of(" \t");
    const std::string_view progId = rest.substr(0, space);
    const std::string_view name = space == std::string_view::npos
                                      ? std::string_view()
                                      : Trim(rest.substr(space), kBlanksAndTabs);
    return {std::string(progId), std::string(name)};
}

}  // namespace

bool HasFormDesigner(int32_t componentType) {
    switch (componentType) {
        case vbext_ct_VBForm:
        case vbext_ct_VBMDIForm:
        case vbext_ct_PropPage:
        case vbext_ct_UserControl:
        case vbext_ct_DocObject:
        case vbext_ct_ActiveXDesigner:
            return true;
        default:
            return false;
    }
}

std::string PropertyValueText(std::string_view raw) {
    const std::string_view value = Trim(raw, kBlanksAndTabs);
    if (!value.empty() && value.front() == '"') {
        std::string text;
        size_t i = 1;
        for (; i < value.size(); ++i) {
            if (value[i] == '"') {
                if (i + 1 < value.size() && value[i + 1] == '"') {
                    text.push_back('"');
                    ++i;
                    continue;
                }
                break;
            }
            text.push_back(value[i]);
        }
        // A reference into the binary companion file ("X.ctx":0000) stays as written.
        if (i + 1 < value.size() && value[i + 1] == ':')
            return std::string(value);
        return text;
    }
    const size_t comment = value.find('\'');
    return std::string(Trim(value.substr(0, comment), kBlanksAndTabs));
}

ComponentText ParseComponentText(std::string_view bytes, int32_t componentType,
                                 const std::string& fileName) {
    if (bytes.find('\0') != std::string_view::npos) {
        size_t line = 1;
        for (size_t i = 0; i < bytes.find('\0'); ++i)
            line += bytes[i] == '\n' ? 1 : 0;
        Malformed(fileName, line, "binary data where text was expected");
    }
    ComponentText out;
    const std::vector<PhysicalLine> lines = SplitPhysical(bytes);
    size_t i = 0;
    const auto trimmedAt = [&](size_t k) {
        std::string_view t = Trim(lines[k].text, kBlanksAndTabs);
        if (k == 0 && t.starts_with("\xEF\xBB\xBF"))
            t.remove_prefix(3);
        return t;
    };
    if (i < lines.size() && StartsWithWord(trimmedAt(i), "VERSION"))
        ++i;
    while (i < lines.size() && StartsWithWord(trimmedAt(i), "Object")) {
        out.objectLines.emplace_back(lines[i].text);
        ++i;
    }
    if (HasFormDesigner(componentType)) {
        while (i < lines.size() && trimmedAt(i).empty())
            ++i;
        if (i >= lines.size() || !StartsWithWord(trimmedAt(i), "Begin")) {
            Malformed(fileName, i + 1, "expected the designer's \"Begin\" line");
        }
        out.hasDesigner = true;
        // Open blocks: index into out.controls (-1 for the root), and the
        // line of their Begin for the error message.
        struct Open {
            int32_t control;
            size_t line;
            bool group;
        };
        std::vector<Open> open;
        for (; i < lines.size(); ++i) {
            const std::string_view t = trimmedAt(i);
            if (StartsWithWord(t, "Begin")) {
                auto [progId, name] = BeginWords(t);
                // The environment always writes a name after the class; a
                // control without one is damage, not a control called "".
                if (progId.empty() || name.empty()) {
                    Malformed(fileName, i + 1,
                              "\"" + std::string(t) + "\" names no " +
                                  (progId.empty() ? "class" : "control"));
                }
                if (open.empty()) {
                    out.rootProgId = std::move(progId);
                    out.rootName = std::move(name);
                    open.push_back({-1, i + 1, false});
                } else {
                    out.controls.push_back(
                        {std::move(progId), std::move(name), {}, static_cast<int32_t>(i + 1)});
                    open.push_back({static_cast<int32_t>(out.controls.size() - 1), i + 1, false});
                }
            } else if (StartsWithWord(t, "BeginProperty")) {
                const std::string_view rest = Trim(t.substr(13), kBlanksAndTabs);
                const std::string groupName(rest.substr(0, rest.find_first_of(" \t{")));
                if (!open.empty() && !open.back().group && open.back().control >= 0) {
                    out.controls[static_cast<size_t>(open.back().control)].properties.emplace_back(
                        groupName, "");
                }
                open.push_back({open.empty() ? -1 : open.back().control, i + 1, true});
            } else if (t == "EndProperty" || t == "End" || StartsWithWord(t, "EndProperty") ||
                       StartsWithWord(t, "End")) {
                const bool closesGroup = StartsWithWord(t, "EndProperty") || t == "EndProperty";
                if (open.empty() || open.back().group != closesGroup) {
                    Malformed(fileName, i + 1,
                              std::string("\"") + std::string(t) + "\" without a matching " +
                                  (closesGroup ? "BeginProperty" : "Begin"));
                }
                open.pop_back();
                if (open.empty()) {
                    ++i;
                    break;
                }
            } else if (!open.empty() && !open.back().group && open.back().control >= 0) {
                const size_t eq = t.find('=');
                if (eq != std::string_view::npos) {
                    out.controls[static_cast<size_t>(open.back().control)].properties.emplace_back(
                        std::string(Trim(t.substr(0, eq), kBlanksAndTabs)),
                        PropertyValueText(t.substr(eq + 1)));
                }
            }
        }
        if (!open.empty()) {
            const Open& unclosed = open.back();
            Malformed(fileName, unclosed.line,
                      std::string("\"") + std::string(trimmedAt(unclosed.line - 1)) +
                          "\" has no matching " + (unclosed.group ? "EndProperty" : "End"));
        }
    } else if (componentType == vbext_ct_ClassModule && i < lines.size() &&
               trimmedAt(i) == "BEGIN") {
        const size_t beginLine = i + 1;
        for (++i; i < lines.size() && trimmedAt(i) != "END"; ++i) {
        }
        if (i >= lines.size())
            Malformed(fileName, beginLine, "\"BEGIN\" has no matching \"END\"");
        ++i;
    }
    while (i < lines.size() && IsAttributeLine(lines[i].text)) {
        const std::string_view t = Trim(lines[i].text, kBlanksAndTabs);
        const std::string_view rest = Trim(t.substr(9), kBlanksAndTabs);
        if (StartsWithWord(rest, "VB_Name") || rest.starts_with("VB_Name=")) {
            const size_t eq = rest.find('=');
            if (eq != std::string_view::npos)
                out.vbName = PropertyValueText(rest.substr(eq + 1));
        }
        ++i;
    }
    const size_t codeStart = i < lines.size() ? lines[i].begin : bytes.size();
    out.header = std::string(bytes.substr(0, codeStart));
    out.code = std::string(bytes.substr(codeStart));
    return out;
}

}  // namespace qfw::ide
