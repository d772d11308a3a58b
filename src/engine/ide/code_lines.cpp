#include "engine/ide/code_lines.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

#include "platform/text_codec.h"

namespace qfw::ide {

namespace {

constexpr size_t kBlockMax = 128;
constexpr size_t kBlockTarget = 64;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsIdentChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// Reads words separated by blanks; a word ends at a blank or, for the
// procedure name, at "(".
class Words {
  public:
    explicit Words(std::string_view text) : text_(text) {}

    std::string_view Next() {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
        const size_t start = pos_;
        while (pos_ < text_.size() && IsIdentChar(text_[pos_]))
            ++pos_;
        if (pos_ == start && pos_ < text_.size())
            ++pos_;  // a single punctuation character
        return text_.substr(start, pos_ - start);
    }

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

std::string_view LineEndBytes(LineEnd end) {
    switch (end) {
        case LineEnd::kCrLf:
            return "\r\n";
        case LineEnd::kLf:
            return "\n";
        case LineEnd::kCr:
            return "\r";
        case LineEnd::kNone:
            break;
    }
    return "";
}

bool IsAttributeLine(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    constexpr std::string_view kWord = "attribute";
    if (text.size() - i < kWord.size() + 1)
        return false;
    if (!EqualsIgnoreCase(text.substr(i, kWord.size()), kWord))
        return false;
    return IsBlank(text[i + kWord.size()]);
}

namespace {

// Splits bytes into lines as SplitCodeLines describes, handing each line to
// `add`; an Attribute line goes to the hidden text of the line `last`
// returns (nullptr before the first line: to `leadingHidden`).
template <typename Add, typename Last>
void SplitLines(std::string_view bytes, std::string& leadingHidden, Add add, Last last) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t stop = pos;
        while (stop < bytes.size() && bytes[stop] != '\r' && bytes[stop] != '\n')
            ++stop;
        LineEnd end = LineEnd::kNone;
        size_t next = stop;
        if (stop < bytes.size()) {
            if (bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n') {
                end = LineEnd::kCrLf;
                next = stop + 2;
            } else {
                end = bytes[stop] == '\r' ? LineEnd::kCr : LineEnd::kLf;
                next = stop + 1;
            }
        }
        const std::string_view text = bytes.substr(pos, stop - pos);
        if (IsAttributeLine(text)) {
            if (CodeLine* previous = last()) {
                previous->hidden += bytes.substr(pos, next - pos);
            } else {
                leadingHidden.append(bytes.substr(pos, next - pos));
            }
        } else {
            add(CodeLine{std::string(text), HiddenText(), end});
        }
        pos = next;
    }
}

}  // namespace

std::vector<CodeLine> SplitCodeLines(std::string_view bytes, std::string& leadingHidden) {
    std::vector<CodeLine> lines;
    SplitLines(
        bytes, leadingHidden, [&](CodeLine&& line) { lines.push_back(std::move(line)); },
        [&] { return lines.empty() ? nullptr : &lines.back(); });
    return lines;
}

const CodeLine& LineStore::At(int32_t index) const {
    const Position p = Locate(index);
    return blocks_[p.block][static_cast<size_t>(p.offset)];
}

CodeLine& LineStore::At(int32_t index) {
    const Position p = Locate(index);
    return blocks_[p.block][static_cast<size_t>(p.offset)];
}

LineStore::Position LineStore::Locate(int32_t index) const {
    assert(index >= 0 && index <= size_);
    size_t block = cachedBlock_ < blocks_.size() ? cachedBlock_ : 0;
    int32_t start = cachedBlock_ < blocks_.size() ? cachedStart_ : 0;
    while (block > 0 && index < start) {
        --block;
        start -= static_cast<int32_t>(blocks_[block].size());
    }
    while (block + 1 < blocks_.size() &&
           index >= start + static_cast<int32_t>(blocks_[block].size())) {
        start += static_cast<int32_t>(blocks_[block].size());
        ++block;
    }
    cachedBlock_ = block;
    cachedStart_ = start;
    return Position{block, index - start};
}

void LineStore::SplitBlock(size_t block) {
    std::vector<CodeLine> all = std::move(blocks_[block]);
    std::vector<std::vector<CodeLine>> parts;
    for (size_t i = 0; i < all.size(); i += kBlockTarget) {
        const size_t stop = std::min(all.size(), i + kBlockTarget);
        parts.emplace_back(std::make_move_iterator(all.begin() + static_cast<ptrdiff_t>(i)),
                           std::make_move_iterator(all.begin() + static_cast<ptrdiff_t>(stop)));
    }
    blocks_.erase(blocks_.begin() + static_cast<ptrdiff_t>(block));
    blocks_.insert(blocks_.begin() + static_cast<ptrdiff_t>(block),
                   std::make_move_iterator(parts.begin()), std::make_move_iterator(parts.end()));
    cachedBlock_ = 0;
    cachedStart_ = 0;
}

void LineStore::Insert(int32_t index, std::vector<CodeLine> lines) {
    if (lines.empty())
        return;
    if (blocks_.empty())
        blocks_.emplace_back();
    Position p = Locate(index);
    // Appending at the very end lands in the last block.
    auto& block = blocks_[p.block];
    block.insert(block.begin() + p.offset, std::make_move_iterator(lines.begin()),
                 std::make_move_iterator(lines.end()));
    size_ += static_cast<int32_t>(lines.size());
    if (block.size() > kBlockMax)
        SplitBlock(p.block);
}

void LineStore::Erase(int32_t index, int32_t count) {
    while (count > 0) {
        const Position p = Locate(index);
        auto& block = blocks_[p.block];
        const int32_t here = std::min(count, static_cast<int32_t>(block.size()) - p.offset);
        block.erase(block.begin() + p.offset, block.begin() + p.offset + here);
        size_ -= here;
        count -= here;
        if (block.empty()) {
            blocks_.erase(blocks_.begin() + static_cast<ptrdiff_t>(p.block));
            cachedBlock_ = 0;
            cachedStart_ = 0;
        }
    }
}

void LineStore::AssignBytes(std::string_view bytes, std::string& leadingHidden) {
    blocks_.clear();
    size_ = 0;
    cachedBlock_ = 0;
    cachedStart_ = 0;
    SplitLines(
        bytes, leadingHidden,
        [&](CodeLine&& line) {
            if (blocks_.empty() || blocks_.back().size() == kBlockTarget) {
                blocks_.emplace_back();
                blocks_.back().reserve(kBlockTarget);
            }
            blocks_.back().push_back(std::move(line));
            ++size_;
        },
        [&] { return blocks_.empty() ? nullptr : &blocks_.back().back(); });
}

void LineStore::ForEach(int32_t begin, int32_t end,
                        const std::function<void(int32_t, const CodeLine&)>& fn) const {
    if (begin >= end)
        return;
    Position p = Locate(begin);
    int32_t index = begin;
    size_t block = p.block;
    size_t offset = static_cast<size_t>(p.offset);
    while (index < end && block < blocks_.size()) {
        const auto& lines = blocks_[block];
        for (; offset < lines.size() && index < end; ++offset, ++index)
            fn(index, lines[offset]);
        ++block;
        offset = 0;
    }
}

bool EndsWithContinuation(std::string_view text) {
    size_t n = text.size();
    while (n > 0 && IsBlank(text[n - 1]))
        --n;
    if (n == 0 || text[n - 1] != '_')
        return false;
    return n == 1 || IsBlank(text[n - 2]);
}

// The length of the line label or line number that starts `text` ("Done:",
// "100 ", "100:"), with the blanks after it; 0 when there is none.
size_t LabelLength(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        if (i < text.size() && text[i] == ':')
            ++i;
        else if (i < text.size() && !IsBlank(text[i]))
            return 0;
    } else {
        while (i < text.size() && IsIdentChar(text[i]))
            ++i;
        // "Name:" is a label; "Name:=" is a named argument.
        if (i == 0 || i >= text.size() || text[i] != ':' ||
            (i + 1 < text.size() && text[i + 1] == '='))
            return 0;
        ++i;
    }
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return i;
}

LineInfo ClassifyLine(std::string_view text) {
    LineInfo info;
    info.continues = EndsWithContinuation(text);
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i == text.size())
        return info;
    // A label or line number may stand before any statement, the End of a
    // procedure included ("Done: End Sub", "100 End Sub"). The line is a
    // statement even when nothing follows its labels.
    bool labelled = false;
    for (size_t label = LabelLength(text.substr(i)); label > 0;
         label = LabelLength(text.substr(i))) {
        i += label;
        labelled = true;
    }
    if (labelled) {
        LineInfo rest = ClassifyLine(text.substr(i));
        if (rest.cls != LineClass::kProcHeader && rest.cls != LineClass::kProcEnd) {
            rest.cls = LineClass::kCode;
            rest.procKind = 0;
            rest.name.clear();
        }
        return rest;
    }
    if (text[i] == '\'') {
        info.cls = LineClass::kComment;
        return info;
    }
    Words words(text.substr(i));
    std::string_view w = words.Next();
    if (EqualsIgnoreCase(w, "rem")) {
        info.cls = LineClass::kComment;
        return info;
    }
    if (w == "#") {
        info.cls =
            EqualsIgnoreCase(words.Next(), "const") ? LineClass::kCondConst : LineClass::kCode;
        return info;
    }
    info.cls = LineClass::kCode;
    if (EqualsIgnoreCase(w, "end")) {
        const std::string_view what = words.Next();
        if (EqualsIgnoreCase(what, "sub") || EqualsIgnoreCase(what, "function") ||
            EqualsIgnoreCase(what, "property")) {
            info.cls = LineClass::kProcEnd;
        }
        return info;
    }
    if (EqualsIgnoreCase(w, "public") || EqualsIgnoreCase(w, "private") ||
        EqualsIgnoreCase(w, "friend")) {
        w = words.Next();
    }
    if (EqualsIgnoreCase(w, "static"))
        w = words.Next();
    int32_t kind = 0;
    if (EqualsIgnoreCase(w, "property")) {
        const std::string_view access = words.Next();
        if (EqualsIgnoreCase(access, "get")) {
            kind = 3;
        } else if (EqualsIgnoreCase(access, "let")) {
            kind = 1;
        } else if (EqualsIgnoreCase(access, "set")) {
            kind = 2;
        } else {
            return info;
        }
    } else if (!EqualsIgnoreCase(w, "sub") && !EqualsIgnoreCase(w, "function")) {
        return info;
    }
    const std::string_view name = words.Next();
    if (name.empty() || !IsIdentChar(name[0]))
        return info;
    info.cls = LineClass::kProcHeader;
    info.procKind = kind;
    info.name = std::string(name);
    return info;
}

}  // namespace qfw::ide
