#include "engine/ide/project_file.h"

#include <array>

#include "engine/ide/code_lines.h"
#include "engine/ide/vb_component.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw::ide {

namespace {

// White space around the keys and values of a project or group file.
constexpr std::string_view kBlanksAndTabs = " \t";

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t stop = bytes.find_first_of("\r\n", pos);
        if (stop == std::string::npos)
            stop = bytes.size();
        lines.push_back(bytes.substr(pos, stop - pos));
        pos = stop;
        if (pos < bytes.size() && bytes[pos] == '\r') {
            ++pos;
            if (pos < bytes.size() && bytes[pos] == '\n')
                ++pos;
        } else if (pos < bytes.size()) {
            ++pos;
        }
    }
    return lines;
}

[[noreturn]] void Malformed(const std::string& fileName, size_t line, const std::string& problem) {
    throw VbError(kErrInvalidFileFormat,
                  fileName + ": line " + std::to_string(line) + ": " + problem);
}

void RejectBinary(const std::string& bytes, const std::string& fileName) {
    const size_t nul = bytes.find('\0');
    if (nul == std::string::npos)
        return;
    size_t line = 1;
    for (size_t i = 0; i < nul; ++i)
        line += bytes[i] == '\n' ? 1 : 0;
    Malformed(fileName, line, "binary data where text was expected");
}

struct ItemKey {
    const char* key;
    int32_t type;
    bool named;  // "Name; path"
};

constexpr std::array kItemKeys = {
    ItemKey{"Form", vbext_ct_VBForm, false},
    ItemKey{"Module", vbext_ct_StdModule, true},
    ItemKey{"Class", vbext_ct_ClassModule, true},
    ItemKey{"UserControl", vbext_ct_UserControl, false},
    ItemKey{"PropertyPage", vbext_ct_PropPage, false},
    ItemKey{"UserDocument", vbext_ct_DocObject, false},
    ItemKey{"Designer", vbext_ct_ActiveXDesigner, false},
    ItemKey{"RelatedDoc", vbext_ct_RelatedDocument, false},
};

}  // namespace

ProjectFile ProjectFile::Parse(const std::string& bytes, const std::string& fileName) {
    RejectBinary(bytes, fileName);
    ProjectFile file;
    file.lines_ = SplitLines(bytes);
    bool inSection = false;
    bool anyEntry = false;
    for (size_t n = 0; n < file.lines_.size(); ++n) {
        const std::string line = std::string(Trim(file.lines_[n], kBlanksAndTabs));
        if (line.empty())
            continue;
        if (line.front() == '[') {
            inSection = true;
            anyEntry = true;
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0) {
            Malformed(fileName, n + 1, "expected \"Key=Value\", found \"" + line + "\"");
        }
        anyEntry = true;
        if (inSection)
            continue;
        const std::string key = std::string(Trim(line.substr(0, eq), kBlanksAndTabs));
        const std::string value = std::string(Trim(line.substr(eq + 1), kBlanksAndTabs));
        for (const ItemKey& k : kItemKeys) {
            if (AsciiLower(key) != AsciiLower(k.key))
                continue;
            ProjectItem item{key, k.type, "", value, static_cast<int32_t>(n + 1)};
            if (k.named) {
                const size_t semi = value.find(';');
                if (semi == std::string::npos) {
                    item.path = value;
                } else {
                    item.name = std::string(Trim(value.substr(0, semi), kBlanksAndTabs));
                    item.path = std::string(Trim(value.substr(semi + 1), kBlanksAndTabs));
                }
            }
            if (item.path.empty())
                Malformed(fileName, n + 1, key + "= names no file");
            file.items_.push_back(std::move(item));
        }
    }
    if (!anyEntry)
        Malformed(fileName, 1, "empty project file");
    return file;
}

std::vector<std::string> ProjectFile::Values(const std::string& key) const {
    std::vector<std::string> values;
    const std::string wanted = AsciiLower(key);
    for (const std::string& raw : lines_) {
        const std::string line = std::string(Trim(raw, kBlanksAndTabs));
        if (!line.empty() && line.front() == '[')
            break;
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        if (AsciiLower(Trim(line.substr(0, eq), kBlanksAndTabs)) == wanted)
            values.push_back(line.substr(eq + 1));
    }
    return values;
}

std::string ProjectFile::Value(const std::string& key) const {
    const std::vector<std::string> values = Values(key);
    return values.empty() ? std::string() : values.front();
}

std::string ProjectFile::UnquotedValue(const std::string& key) const {
    std::string value = std::string(Trim(Value(key), kBlanksAndTabs));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

GroupFile GroupFile::Parse(const std::string& bytes, const std::string& fileName) {
    RejectBinary(bytes, fileName);
    GroupFile group;
    group.lines = SplitLines(bytes);
    size_t first = 0;
    while (first < group.lines.size() && Trim(group.lines[first], kBlanksAndTabs).empty())
        ++first;
    if (first == group.lines.size() ||
        Trim(group.lines[first], kBlanksAndTabs).rfind("VBGROUP", 0) != 0) {
        Malformed(fileName, first + 1, "expected \"VBGROUP 5.0\"");
    }
    for (size_t n = first + 1; n < group.lines.size(); ++n) {
        const std::string line = std::string(Trim(group.lines[n], kBlanksAndTabs));
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = AsciiLower(Trim(line.substr(0, eq), kBlanksAndTabs));
        if (key != "project" && key != "startupproject")
            continue;
        const std::string path = std::string(Trim(line.substr(eq + 1), kBlanksAndTabs));
        if (path.empty())
            Malformed(fileName, n + 1, "project entry names no file");
        group.projects.push_back({path, key == "startupproject", static_cast<int32_t>(n + 1)});
    }
    if (group.projects.empty())
        Malformed(fileName, first + 1, "the group names no project");
    return group;
}

}  // namespace qfw::ide
