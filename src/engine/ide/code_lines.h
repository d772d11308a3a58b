// The line store and line classifier behind CodeModule.
//
// CodeLine is one visible code line: its text, its own line end, and the raw
// bytes of the hidden Attribute lines that follow it in the file. LineStore
// keeps the lines in blocks of a few hundred, so that inserting or deleting
// anywhere in a module of tens of thousands of lines moves at most one block
// of lines.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qfw::ide {

enum class LineEnd : uint8_t { kNone, kCrLf, kLf, kCr };

// The Attribute lines hidden after a code line, each with its own line end.
// Few lines have any, so the text is kept apart and costs one pointer until
// there is some: a module of tens of thousands of lines holds one CodeLine
// per line.
class HiddenText {
  public:
    HiddenText() = default;
    HiddenText(const HiddenText& other)
        : text_(other.text_ ? std::make_unique<std::string>(*other.text_) : nullptr) {}
    HiddenText& operator=(const HiddenText& other) {
        if (this != &other)
            text_ = other.text_ ? std::make_unique<std::string>(*other.text_) : nullptr;
        return *this;
    }
    HiddenText(HiddenText&&) noexcept = default;
    HiddenText& operator=(HiddenText&&) noexcept = default;
    HiddenText& operator=(std::string text) {
        text_ = text.empty() ? nullptr : std::make_unique<std::string>(std::move(text));
        return *this;
    }
    HiddenText& operator+=(std::string_view more) {
        if (!more.empty()) {
            if (!text_)
                text_ = std::make_unique<std::string>();
            text_->append(more);
        }
        return *this;
    }

    bool empty() const { return !text_ || text_->empty(); }
    std::string_view view() const { return text_ ? std::string_view(*text_) : std::string_view(); }
    // The text, leaving this empty.
    std::string Take() {
        std::string text = text_ ? std::move(*text_) : std::string();
        text_.reset();
        return text;
    }

  private:
    std::unique_ptr<std::string> text_;
};

struct CodeLine {
    std::string text;
    HiddenText hidden;  // following Attribute lines
    LineEnd end = LineEnd::kCrLf;
};

std::string_view LineEndBytes(LineEnd end);

// Splits bytes into lines: CR LF, LF and CR each end a line; a last line
// without an ending gets LineEnd::kNone. Lines whose first word is
// "Attribute" are folded into the `hidden` bytes of the line before them; any
// that come before the first line are appended to `leadingHidden`.
std::vector<CodeLine> SplitCodeLines(std::string_view bytes, std::string& leadingHidden);

// True when the line's first word is "Attribute" (any case).
bool IsAttributeLine(std::string_view text);

class LineStore {
  public:
    int32_t Size() const { return size_; }
    const CodeLine& At(int32_t index) const;  // 0-based
    CodeLine& At(int32_t index);

    void Insert(int32_t index, std::vector<CodeLine> lines);
    void Erase(int32_t index, int32_t count);
    // The lines of `bytes`, split as SplitCodeLines splits them, straight
    // into blocks: a large module is never held as one array of lines too.
    void AssignBytes(std::string_view bytes, std::string& leadingHidden);

    // Calls fn(index, line) for index in [begin, end), in order.
    void ForEach(int32_t begin, int32_t end,
                 const std::function<void(int32_t, const CodeLine&)>& fn) const;

  private:
    struct Position {
        size_t block;
        int32_t offset;
    };
    Position Locate(int32_t index) const;
    void SplitBlock(size_t block);

    std::vector<std::vector<CodeLine>> blocks_;
    int32_t size_ = 0;
    // The block found last and its first index: most accesses are close to
    // the previous one.
    mutable size_t cachedBlock_ = 0;
    mutable int32_t cachedStart_ = 0;
};

// What one code line is, for the procedure index.
enum class LineClass : uint8_t {
    kBlank,
    kComment,
    kCondConst,  // #Const: belongs to the procedure below it
    kCode,       // any other statement (a declaration before the first procedure)
    kProcHeader,
    kProcEnd,
};

struct LineInfo {
    LineClass cls = LineClass::kBlank;
    int32_t procKind = 0;    // for kProcHeader
    std::string name;        // for kProcHeader
    bool continues = false;  // ends with the line-continuation " _"
};

// Classifies one line that starts a statement (not a continuation line).
LineInfo ClassifyLine(std::string_view text);

// True when the line ends with the line-continuation character (" _").
bool EndsWithContinuation(std::string_view text);

}  // namespace qfw::ide
