// Readers for the two registry file formats: Wine's own store (system.reg,
// user.reg) and regedit's .reg exports. Both are read line by line into the
// layers of a RegistryView; a line that cannot be understood is skipped with
// a warning, as regedit and Wine's loader skip it.
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/registry.h"
#include "platform/text_codec.h"

namespace qfw {
namespace {

enum class Format { Wine, Regedit4, Regedit5 };

struct Line {
    std::u16string text;
    int number = 0;
};

std::string ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw RegistryFileError(file.string() + ": cannot open the file");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw RegistryFileError(file.string() + ": cannot read the file");
    return bytes;
}

// .reg files are UTF-16LE when they start with its byte-order mark, else
// UTF-8 or, when the bytes are not valid UTF-8, the ANSI code page.
std::u16string DecodeRegText(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeBom))
        return Utf16LeBytesToText(bytes.substr(2));
    if (bytes.starts_with(kUtf8Bom))
        bytes.remove_prefix(3);
    return Utf8ToUtf16(IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes));
}

// Splits text at CR LF, LF or CR.
std::vector<Line> SplitLines(std::u16string_view text) {
    std::vector<Line> lines;
    int number = 1;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.push_back({std::u16string(text.substr(start, i - start)), number++});
        if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (!lines.empty() && lines.back().text.empty())
        lines.pop_back();
    return lines;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view TrimBlanks(std::u16string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

bool StartsWithIgnoreCase(std::u16string_view s, std::u16string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const auto lower = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? c + 32 : c; };
        if (lower(s[i]) != lower(prefix[i]))
            return false;
    }
    return true;
}

// One escape sequence after a backslash, Wine's way: C escapes, \x with up to
// four hex digits, up to three octal digits, any other character as itself.
char16_t ReadWineEscape(std::u16string_view s, size_t& pos) {
    const char16_t c = s[pos++];
    switch (c) {
        case u'a':
            return u'\a';
        case u'b':
            return u'\b';
        case u'e':
            return u'\x1b';
        case u'f':
            return u'\f';
        case u'n':
            return u'\n';
        case u'r':
            return u'\r';
        case u't':
            return u'\t';
        case u'v':
            return u'\v';
        case u'x': {
            char16_t value = 0;
            for (int i = 0; i < 4 && pos < s.size() && HexDigit(s[pos]) >= 0; ++i) {
                value = static_cast<char16_t>(value * 16 + HexDigit(s[pos++]));
            }
            return value;
        }
        default:
            break;
    }
    if (c >= u'0' && c <= u'7') {
        char16_t value = c - u'0';
        for (int i = 0; i < 2 && pos < s.size() && s[pos] >= u'0' && s[pos] <= u'7'; ++i) {
            value = static_cast<char16_t>(value * 8 + (s[pos++] - u'0'));
        }
        return value;
    }
    return c;
}

// Reads text up to an unescaped `terminator`, starting at pos; pos ends just
// past the terminator. Wine files use Wine's escapes; regedit files know only
// \\ \" \n \r, keep any other backslash as it stands, and refuse \0.
bool ReadEscaped(std::u16string_view s, size_t& pos, char16_t terminator, Format format,
                 std::u16string& out, std::string& problem) {
    while (pos < s.size()) {
        const char16_t c = s[pos++];
        if (c == terminator)
            return true;
        if (c != u'\\' || pos >= s.size()) {
            out.push_back(c);
        } else if (format == Format::Wine) {
            out.push_back(ReadWineEscape(s, pos));
        } else {
            const char16_t next = s[pos++];
            if (next == u'\\' || next == u'"') {
                out.push_back(next);
            } else if (next == u'n') {
                out.push_back(u'\n');
            } else if (next == u'r') {
                out.push_back(u'\r');
            } else if (next == u'0') {
                problem = "a string may not contain \\0";
                return false;
            } else {
                out.push_back(u'\\');
                out.push_back(next);
            }
        }
    }
    problem = "missing closing quote";
    return false;
}

// Comma-separated byte pairs; blanks around them and a final comma allowed.
bool ReadHexBytes(std::u16string_view s, std::string& out, std::string& problem) {
    s = TrimBlanks(s);
    while (!s.empty()) {
        const size_t comma = s.find(u',');
        const auto item = TrimBlanks(s.substr(0, comma));
        if (item.empty() || item.size() > 2 || HexDigit(item[0]) < 0 ||
            (item.size() == 2 && HexDigit(item[1]) < 0)) {
            problem = "bad hex byte list";
            return false;
        }
        int value = HexDigit(item[0]);
        if (item.size() == 2)
            value = value * 16 + HexDigit(item[1]);
        out.push_back(static_cast<char>(value));
        if (comma == std::u16string_view::npos)
            break;
        s = TrimBlanks(s.substr(comma + 1));
    }
    return true;
}

// What is left after a value's data: nothing, or (in .reg files) a comment.
bool OnlyTrailingComment(std::u16string_view rest, Format format) {
    rest = TrimBlanks(rest);
    return rest.empty() || (format != Format::Wine && rest.front() == u';');
}

struct ParsedData {
    bool remove = false;  // "=-": delete the value
    RegValue value;
};

bool ReadStringData(std::u16string_view data, uint32_t type, Format format, ParsedData& parsed,
                    std::string& problem) {
    size_t pos = 1;
    std::u16string text;
    if (!ReadEscaped(data, pos, u'"', format, text, problem))
        return false;
    if (!OnlyTrailingComment(data.substr(pos), format)) {
        problem = "unexpected text after the string";
        return false;
    }
    // The terminator is implied; for REG_MULTI_SZ it ends the list, whose
    // last string carries its own "\0" in the text.
    text.push_back(u'\0');
    parsed.value = RegValue{type, TextToUtf16LeBytes(text)};
    return true;
}

bool ReadHexData(std::u16string_view data, Format format, ParsedData& parsed,
                 std::string& problem) {
    uint32_t type = kRegBinary;
    size_t colon = 3;
    if (data.size() > 3 && data[3] == u'(') {
        const size_t close = data.find(u')');
        if (close == std::u16string_view::npos || close == 4 || close > 12) {
            problem = "bad hex(type)";
            return false;
        }
        type = 0;
        for (size_t i = 4; i < close; ++i) {
            if (HexDigit(data[i]) < 0) {
                problem = "bad hex(type)";
                return false;
            }
            type = type * 16 + static_cast<uint32_t>(HexDigit(data[i]));
        }
        colon = close + 1;
    }
    if (colon >= data.size() || data[colon] != u':') {
        problem = "missing ':' after hex";
        return false;
    }
    auto list = data.substr(colon + 1);
    if (format != Format::Wine)
        list = list.substr(0, list.find(u';'));
    std::string bytes;
    if (!ReadHexBytes(list, bytes, problem))
        return false;
    // REGEDIT4 files hold string data as single ANSI bytes; the registry
    // stores it as UTF-16.
    if (format == Format::Regedit4 &&
        (type == kRegSz || type == kRegExpandSz || type == kRegMultiSz)) {
        const std::string utf8 = IsValidUtf8(bytes) ? bytes : Windows1252ToUtf8(bytes);
        bytes = TextToUtf16LeBytes(Utf8ToUtf16(utf8));
    }
    parsed.value = RegValue{type, std::move(bytes)};
    return true;
}

bool ReadDwordData(std::u16string_view digits, Format format, ParsedData& parsed,
                   std::string& problem) {
    if (format != Format::Wine)
        digits = digits.substr(0, digits.find(u';'));
    digits = TrimBlanks(digits);
    if (digits.empty() || digits.size() > 8) {
        problem = "bad dword";
        return false;
    }
    uint32_t value = 0;
    for (const char16_t c : digits) {
        if (HexDigit(c) < 0) {
            problem = "bad dword";
            return false;
        }
        value = value * 16 + static_cast<uint32_t>(HexDigit(c));
    }
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    parsed.value = RegValue{kRegDword, bytes};
    return true;
}

// The part of a value line after '='.
bool ReadData(std::u16string_view data, Format format, ParsedData& parsed, std::string& problem) {
    data = TrimBlanks(data);
    if (data.starts_with(u"\""))
        return ReadStringData(data, kRegSz, format, parsed, problem);
    if (format != Format::Wine && data.starts_with(u"-") &&
        OnlyTrailingComment(data.substr(1), format)) {
        parsed.remove = true;
        return true;
    }
    if (format == Format::Wine) {
        const std::pair<std::u16string_view, uint32_t> stringForms[] = {
            {u"str:\"", kRegSz}, {u"str(2):\"", kRegExpandSz}, {u"str(7):\"", kRegMultiSz}};
        for (const auto& [prefix, type] : stringForms) {
            if (data.starts_with(prefix)) {
                return ReadStringData(data.substr(prefix.size() - 1), type, format, parsed,
                                      problem);
            }
        }
    }
    if (StartsWithIgnoreCase(data, u"dword:"))
        return ReadDwordData(data.substr(6), format, parsed, problem);
    if (StartsWithIgnoreCase(data, u"hex"))
        return ReadHexData(data, format, parsed, problem);
    problem = "unknown value type";
    return false;
}

// A key path relative to HKEY_CLASSES_ROOT, as UTF-8 with '\' separators.
std::string KeyPathText(std::u16string_view path) {
    while (!path.empty() && path.back() == u'\\')
        path.remove_suffix(1);
    return Utf16ToUtf8(path);
}

// Strips a "Software\Classes" prefix; nothing when the key lies elsewhere.
std::optional<std::u16string_view> BelowClasses(std::u16string_view path) {
    static constexpr std::u16string_view kClasses = u"Software\\Classes";
    if (!StartsWithIgnoreCase(path, kClasses))
        return std::nullopt;
    path.remove_prefix(kClasses.size());
    if (path.empty())
        return path;
    if (path.front() != u'\\')
        return std::nullopt;
    return path.substr(1);
}

// Where a regedit root path lands in the view: the layer and the path below
// HKEY_CLASSES_ROOT, or nothing for keys outside the classes.
std::optional<std::pair<RegLayer, std::u16string_view>> RegeditTarget(std::u16string_view path) {
    const auto below = [&](std::u16string_view root) -> std::optional<std::u16string_view> {
        if (!StartsWithIgnoreCase(path, root))
            return std::nullopt;
        auto rest = path.substr(root.size());
        if (rest.empty())
            return rest;
        if (rest.front() != u'\\')
            return std::nullopt;
        return rest.substr(1);
    };
    for (const auto root : {u"HKEY_CLASSES_ROOT", u"HKCR"}) {
        if (auto rest = below(root))
            return std::pair{RegLayer::Machine, *rest};
    }
    for (const auto root : {u"HKEY_LOCAL_MACHINE", u"HKLM"}) {
        if (auto rest = below(root)) {
            if (auto classes = BelowClasses(*rest))
                return std::pair{RegLayer::Machine, *classes};
        }
    }
    for (const auto root : {u"HKEY_CURRENT_USER", u"HKCU"}) {
        if (auto rest = below(root)) {
            if (auto classes = BelowClasses(*rest))
                return std::pair{RegLayer::User, *classes};
        }
    }
    return std::nullopt;
}

// Hex lists may continue over several lines: a line ending in '\' goes on
// with the next line, whose leading blanks are dropped.
std::vector<Line> JoinContinuations(std::vector<Line> lines) {
    std::vector<Line> joined;
    for (auto& line : lines) {
        if (!joined.empty()) {
            std::u16string& last = joined.back().text;
            const auto trimmed = TrimBlanks(last);
            const bool isValue =
                !trimmed.empty() && (trimmed.front() == u'"' || trimmed.front() == u'@');
            if (isValue && trimmed.back() == u'\\') {
                last = std::u16string(trimmed.substr(0, trimmed.size() - 1));
                last += TrimBlanks(line.text);
                continue;
            }
        }
        joined.push_back(std::move(line));
    }
    return joined;
}

class FileReader {
  public:
    FileReader(RegistryView& view, std::string_view name, Format format,
               std::vector<std::string>& warnings)
        : view_(view), name_(name), format_(format), warnings_(warnings) {}

    void ReadBody(const std::vector<Line>& lines, size_t first, RegLayer wineLayer) {
        for (size_t i = first; i < lines.size(); ++i) {
            const auto text = TrimBlanks(lines[i].text);
            if (text.empty() || text.front() == u';' || text.front() == u'#')
                continue;
            if (text.front() == u'[') {
                ReadKeyLine(text, lines[i].number, wineLayer);
            } else if (text.front() == u'"' || text.front() == u'@') {
                ReadValueLine(text, lines[i].number);
            } else {
                Warn(lines[i].number, "line not understood");
            }
        }
    }

  private:
    void Warn(int lineNumber, const std::string& problem) {
        warnings_.push_back(name_ + ":" + std::to_string(lineNumber) + ": " + problem);
    }

    void ReadKeyLine(std::u16string_view text, int lineNumber, RegLayer wineLayer) {
        current_.reset();
        std::u16string path;
        if (format_ == Format::Wine) {
            // Wine escapes the key name; the last-write time may follow the ']'.
            size_t pos = 1;
            std::string problem;
            if (!ReadEscaped(text, pos, u']', format_, path, problem)) {
                Warn(lineNumber, "bad key line: " + problem);
                return;
            }
            if (const auto below = BelowClasses(path)) {
                current_ = {wineLayer, KeyPathText(*below)};
                view_.CreateKey(current_->first, current_->second);
            }
            return;
        }
        // regedit: the key name is plain text up to the last ']'.
        const size_t close = text.rfind(u']');
        if (close == std::u16string_view::npos) {
            Warn(lineNumber, "missing ']' in key line");
            return;
        }
        auto name = text.substr(1, close - 1);
        const bool remove = !name.empty() && name.front() == u'-';
        if (remove)
            name.remove_prefix(1);
        const auto target = RegeditTarget(name);
        if (!target)
            return;
        const std::string keyPath = KeyPathText(target->second);
        if (remove) {
            view_.DeleteKey(target->first, keyPath);
            return;
        }
        current_ = {target->first, keyPath};
        view_.CreateKey(current_->first, current_->second);
    }

    void ReadValueLine(std::u16string_view text, int lineNumber) {
        std::u16string name;
        size_t pos = 1;
        std::string problem;
        if (text.front() == u'"' && !ReadEscaped(text, pos, u'"', format_, name, problem)) {
            Warn(lineNumber, "bad value name: " + problem);
            return;
        }
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos >= text.size() || text[pos] != u'=') {
            Warn(lineNumber, "missing '=' after the value name");
            return;
        }
        ParsedData parsed;
        if (!ReadData(text.substr(pos + 1), format_, parsed, problem)) {
            Warn(lineNumber, problem);
            return;
        }
        if (!current_)
            return;  // a value of a key outside the classes
        const std::string valueName = Utf16ToUtf8(name);
        if (parsed.remove) {
            view_.DeleteValue(current_->first, current_->second, valueName);
        } else if (!current_->second.empty()) {
            view_.SetValue(current_->first, current_->second, valueName, std::move(parsed.value));
        }
    }

    RegistryView& view_;
    std::string name_;
    Format format_;
    std::vector<std::string>& warnings_;
    std::optional<std::pair<RegLayer, std::string>> current_;
};

// The old Windows 3.1 form: "HKEY_CLASSES_ROOT\path = value" lines setting
// default values only.
void ReadRegedit3(RegistryView& view, const std::vector<Line>& lines) {
    for (size_t i = 1; i < lines.size(); ++i) {
        const auto text = TrimBlanks(lines[i].text);
        const size_t equals = text.find(u" = ");
        const auto key = text.substr(0, equals);
        const auto target = RegeditTarget(key);
        if (!target || target->first != RegLayer::Machine)
            continue;
        const std::string path = KeyPathText(target->second);
        if (equals == std::u16string_view::npos) {
            view.CreateKey(RegLayer::Machine, path);
        } else {
            view.AddEntry(path, "", Utf16ToUtf8(text.substr(equals + 3)), RegLayer::Machine);
        }
    }
}

}  // namespace

void RegistryView::LoadWineText(std::string_view bytes, std::string_view name, RegLayer layer,
                                std::vector<std::string>& warnings) {
    const auto lines = JoinContinuations(SplitLines(Utf8ToUtf16(bytes)));
    if (lines.empty() || TrimBlanks(lines[0].text) != u"WINE REGISTRY Version 2") {
        throw RegistryFileError(
            std::string(name) +
            ": not a Wine registry file (expected \"WINE REGISTRY Version 2\")");
    }
    FileReader(*this, name, Format::Wine, warnings).ReadBody(lines, 1, layer);
}

void RegistryView::LoadRegText(std::string_view bytes, std::string_view name,
                               std::vector<std::string>& warnings) {
    const auto lines = JoinContinuations(SplitLines(DecodeRegText(bytes)));
    size_t header = 0;
    while (header < lines.size() && TrimBlanks(lines[header].text).empty())
        ++header;
    const auto first = header < lines.size() ? TrimBlanks(lines[header].text) : u"";
    if (first == u"REGEDIT") {
        ReadRegedit3(*this, lines);
        return;
    }
    Format format;
    if (first == u"REGEDIT4") {
        format = Format::Regedit4;
    } else if (first == u"Windows Registry Editor Version 5.00") {
        format = Format::Regedit5;
    } else {
        throw RegistryFileError(std::string(name) +
                                ": not a registry file (expected \"REGEDIT4\" or \"Windows "
                                "Registry Editor Version 5.00\" on the first line)");
    }
    FileReader(*this, name, format, warnings).ReadBody(lines, header + 1, RegLayer::Machine);
}

void RegistryView::LoadWineFile(const std::filesystem::path& file, RegLayer layer,
                                std::vector<std::string>& warnings) {
    LoadWineText(ReadFileBytes(file), file.string(), layer, warnings);
}

void RegistryView::LoadRegFile(const std::filesystem::path& file,
                               std::vector<std::string>& warnings) {
    LoadRegText(ReadFileBytes(file), file.string(), warnings);
}

}  // namespace qfw
