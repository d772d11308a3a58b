#include "platform/profile.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/file_ops.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw {
namespace {

enum class Encoding { Ansi, Utf8Bom, Utf16Le, Utf16Be };

// A profile file's text, as UTF-8 (or raw ANSI bytes), and how to write it
// back in its own encoding.
struct ProfileText {
    Encoding encoding = Encoding::Ansi;
    std::string text;
};

std::u16string SwapBytes(std::u16string units) {
    for (char16_t& unit : units)
        unit = static_cast<char16_t>((unit >> 8) | (unit << 8));
    return units;
}

ProfileText Decode(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom))
        return {Encoding::Utf8Bom, std::string(bytes.substr(3))};
    if (bytes.starts_with(kUtf16LeBom)) {
        return {Encoding::Utf16Le, Utf16ToUtf8(Utf16LeBytesToText(bytes.substr(2)))};
    }
    if (bytes.starts_with(kUtf16BeBom)) {
        return {Encoding::Utf16Be, Utf16ToUtf8(SwapBytes(Utf16LeBytesToText(bytes.substr(2))))};
    }
    return {Encoding::Ansi, std::string(bytes)};
}

std::string Encode(const ProfileText& profile) {
    switch (profile.encoding) {
        case Encoding::Ansi:
            return profile.text;
        case Encoding::Utf8Bom:
            return std::string(kUtf8Bom) + profile.text;
        case Encoding::Utf16Le:
            return std::string(kUtf16LeBom) + TextToUtf16LeBytes(Utf8ToUtf16(profile.text));
        case Encoding::Utf16Be:
            return std::string(kUtf16BeBom) +
                   TextToUtf16LeBytes(SwapBytes(Utf8ToUtf16(profile.text)));
    }
    return profile.text;
}

// Characters the routines trim from both ends of every line and name;
// Ctrl-Z is among them because old editors ended files with it.
constexpr std::string_view kProfileSpace = " \t\n\v\f\r\x1a";

// One line of the file, as offsets into its text. [contentBegin, contentEnd)
// is the line trimmed; the line break (if any) runs from `breakBegin` to
// `end`.
struct ProfileLine {
    size_t begin = 0;
    size_t contentBegin = 0;
    size_t contentEnd = 0;
    size_t breakBegin = 0;
    size_t end = 0;
    bool isHeader = false;
    bool hasEquals = false;
    std::string_view name;  // section name, or key name
    size_t valueBegin = 0;  // key lines with '=': the value's trimmed span
    size_t valueEnd = 0;
};

std::vector<ProfileLine> SplitProfileLines(std::string_view text) {
    std::vector<ProfileLine> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        ProfileLine line;
        line.begin = begin;
        size_t breakBegin = text.find_first_of("\r\n", begin);
        if (breakBegin == std::string_view::npos)
            breakBegin = text.size();
        line.breakBegin = breakBegin;
        line.end = breakBegin;
        if (line.end < text.size()) {
            line.end +=
                (text[line.end] == '\r' && line.end + 1 < text.size() && text[line.end + 1] == '\n')
                    ? 2
                    : 1;
        }
        const std::string_view raw = text.substr(begin, breakBegin - begin);
        const std::string_view content = Trim(raw, kProfileSpace);
        line.contentBegin = begin + static_cast<size_t>(content.data() - raw.data());
        line.contentEnd = line.contentBegin + content.size();
        const size_t lastBracket = content.rfind(']');
        if (!content.empty() && content.front() == '[' && lastBracket != std::string_view::npos) {
            line.isHeader = true;
            line.name = Trim(content.substr(1, lastBracket - 1), kProfileSpace);
        } else if (const size_t equals = content.find('='); equals != std::string_view::npos) {
            line.hasEquals = true;
            line.name = Trim(content.substr(0, equals), kProfileSpace);
            const std::string_view value = Trim(content.substr(equals + 1), kProfileSpace);
            line.valueBegin = line.contentBegin + equals + 1 +
                              static_cast<size_t>(value.data() - content.substr(equals + 1).data());
            line.valueEnd = line.valueBegin + value.size();
        } else {
            line.name = content;
        }
        lines.push_back(line);
        begin = line.end;
    }
    return lines;
}

// The lines of the first section with the given name: [header, end) as line
// indices; nothing when there is no such section.
struct SectionRange {
    size_t header = 0;
    size_t end = 0;
};

std::optional<SectionRange> FindSection(const std::vector<ProfileLine>& lines,
                                        std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].isHeader || !EqualsIgnoreCase(lines[i].name, section))
            continue;
        size_t end = i + 1;
        while (end < lines.size() && !lines[end].isHeader)
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

// The index of the first line of the section that sets the key, or kNoLine.
constexpr size_t kNoLine = static_cast<size_t>(-1);

size_t FindKey(const std::vector<ProfileLine>& lines, const SectionRange& range,
               std::string_view key) {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        if (lines[i].hasEquals && EqualsIgnoreCase(lines[i].name, key))
            return i;
    }
    return kNoLine;
}

std::optional<ProfileText> ReadProfile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return Decode(bytes);
}

// One pair of matching quotes around a value is removed; it is the only way
// to keep blanks at either end of a value.
std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string LookUp(std::string_view section, std::string_view key, std::string_view defaultValue,
                   const std::filesystem::path& file) {
    if (!file.empty()) {
        if (const auto profile = ReadProfile(file)) {
            const auto lines = SplitProfileLines(profile->text);
            if (const auto range = FindSection(lines, Trim(section, kProfileSpace))) {
                if (const size_t index = FindKey(lines, *range, Trim(key, kProfileSpace));
                    index != kNoLine) {
                    const auto& line = lines[index];
                    return std::string(
                        StripQuotes(std::string_view(profile->text)
                                        .substr(line.valueBegin, line.valueEnd - line.valueBegin)));
                }
            }
        }
    }
    defaultValue = defaultValue.substr(0, defaultValue.find('\0'));
    while (!defaultValue.empty() && defaultValue.back() == ' ')
        defaultValue.remove_suffix(1);
    return std::string(defaultValue);
}

// The line break new lines get: the file's own (that of its first line that
// has one), or CR LF as Windows writes.
std::string_view PreferredLineBreak(std::string_view text, const std::vector<ProfileLine>& lines) {
    for (const auto& line : lines) {
        if (line.end > line.breakBegin)
            return text.substr(line.breakBegin, line.end - line.breakBegin);
    }
    return "\r\n";
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool ArgumentsFitOnLines(std::string_view section, std::optional<std::string_view> key,
                         std::optional<std::string_view> value) {
    if (HasLineBreak(section) || section.find(']') != std::string_view::npos)
        return false;
    if (key && (HasLineBreak(*key) || key->find('=') != std::string_view::npos ||
                Trim(*key, kProfileSpace).starts_with('['))) {
        return false;
    }
    return !(value && HasLineBreak(*value));
}

// The new text of the file, following WritePrivateProfileString's rules.
std::string Edit(std::string_view text, std::string_view section,
                 std::optional<std::string_view> key, std::optional<std::string_view> value) {
    const auto lines = SplitProfileLines(text);
    const auto range = FindSection(lines, section);
    std::string out(text);
    if (!key) {
        if (range) {
            const size_t begin = lines[range->header].begin;
            out.erase(begin, lines[range->end - 1].end - begin);
        }
        return out;
    }
    const size_t index = range ? FindKey(lines, *range, *key) : kNoLine;
    if (!value) {
        if (index != kNoLine)
            out.erase(lines[index].begin, lines[index].end - lines[index].begin);
        return out;
    }
    const std::string lineBreak(PreferredLineBreak(text, lines));
    const std::string entry = std::string(*key) + "=" + std::string(*value);
    if (index != kNoLine) {
        const auto& line = lines[index];
        out.replace(line.valueBegin, line.valueEnd - line.valueBegin, *value);
    } else if (range) {
        size_t last = range->header;
        for (size_t i = range->header + 1; i < range->end; ++i) {
            if (lines[i].contentEnd > lines[i].contentBegin)
                last = i;
        }
        const auto& after = lines[last];
        const bool needsBreak = after.end == after.breakBegin;
        out.insert(after.end, (needsBreak ? lineBreak : "") + entry + lineBreak);
    } else {
        if (!out.empty() && out.back() != '\r' && out.back() != '\n')
            out += lineBreak;
        out += "[" + std::string(section) + "]" + lineBreak + entry + lineBreak;
    }
    return out;
}

}  // namespace

uint32_t GetPrivateProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue, char* buffer, uint32_t nSize,
                                 const std::filesystem::path& file) {
    if (nSize == 0 || buffer == nullptr)
        return 0;
    const std::string text = LookUp(section, key, defaultValue, file);
    const auto count = static_cast<uint32_t>(std::min<size_t>(text.size(), nSize - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, uint32_t nSize,
                                    const std::filesystem::path& file) {
    if (nSize == 0)
        return {};
    std::string text = LookUp(section, key, defaultValue, file);
    if (text.size() > nSize - 1)
        text.resize(nSize - 1);
    return text;
}

bool WritePrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value,
                               const std::filesystem::path& file) {
    if (file.empty() || !ArgumentsFitOnLines(section, key, value))
        return false;
    section = Trim(section, kProfileSpace);
    if (key)
        key = Trim(*key, kProfileSpace);
    std::error_code ec;
    std::filesystem::path target = file;
    const auto status = std::filesystem::symlink_status(file, ec);
    if (std::filesystem::is_symlink(status)) {
        target = std::filesystem::weakly_canonical(file, ec);
        if (ec)
            return false;
    }
    const bool exists = std::filesystem::exists(std::filesystem::status(target, ec));
    ProfileText profile;
    if (exists) {
        auto read = ReadProfile(target);
        if (!read)
            return false;
        profile = std::move(*read);
    } else if (!key || !value) {
        return true;  // nothing to delete
    }
    std::string edited = Edit(profile.text, section, key, value);
    if (exists && edited == profile.text)
        return true;
    profile.text = std::move(edited);
    try {
        WriteUnixFileAtomically(target.string(), Encode(profile), target.string());
    } catch (const VbError&) {
        return false;
    }
    return true;
}

bool IsBareProfileName(std::string_view fileName) {
    return fileName.find_first_of("\\/") == std::string_view::npos;
}

std::filesystem::path ProfileFileInFolder(std::string_view bareName,
                                          const std::filesystem::path& windowsFolder) {
    std::error_code ec;
    const std::filesystem::path exact = windowsFolder / std::string(bareName);
    if (std::filesystem::exists(exact, ec))
        return exact;
    for (std::filesystem::directory_iterator it(windowsFolder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (EqualsIgnoreCase(it->path().filename().string(), bareName))
            return it->path();
    }
    return exact;
}

}  // namespace qfw
