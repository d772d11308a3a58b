#include "engine/ide/code_module.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <unordered_map>
#include <vector>

#include "engine/ide/code_lines.h"
#include "engine/ide/like_pattern.h"
#include "engine/ide/proc_lines.h"
#include "engine/ide/procedure_scan.h"
#include "platform/file_ops.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw::ide {

namespace {

// The text with every line break (CR LF, LF or CR) spelled as `end`.
std::string WithLineEnds(std::string_view text, LineEnd end) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            out.push_back(text[i]);
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        out += LineEndBytes(end);
    }
    return out;
}

// Splits inserted text into new lines, all ending in `end`. One trailing line
// end is not a line of its own; empty text is one empty line.
std::vector<CodeLine> SplitInsertedText(std::string_view code, std::string& leadingHidden,
                                        LineEnd end) {
    std::vector<CodeLine> lines = SplitCodeLines(code, leadingHidden);
    const bool emptyLast = code.empty() || code.back() == '\r' || code.back() == '\n';
    if (emptyLast && lines.empty() && leadingHidden.empty())
        lines.push_back(CodeLine{});
    leadingHidden = WithLineEnds(leadingHidden, end);
    for (CodeLine& line : lines) {
        line.end = end;
        line.hidden = WithLineEnds(line.hidden.view(), end);
    }
    return lines;
}

bool EndsOpen(std::string_view text) {
    return !text.empty() && text.back() != '\n' && text.back() != '\r';
}

}  // namespace

struct CodeModule::Impl {
    LineStore lines;
    std::string leadingHidden;
    LineEnd newLineEnd = LineEnd::kCrLf;
    bool dirty = false;

    // The procedure index. Procedures are kept in file order in parallel
    // arrays of line numbers (1-based code lines) so that shifting them after
    // an insert is one tight loop; `byKey` maps name and kind to a stable id,
    // and `position` (rebuilt lazily) maps an id to its place in the order.
    struct Proc {
        std::string name;
        int32_t kind;
    };
    mutable std::vector<Proc> pool;
    mutable std::vector<int32_t> order;
    mutable ProcLines procs;
    mutable std::unordered_map<std::string, int32_t> byKey;
    mutable std::vector<int32_t> position;
    mutable bool positionStale = true;
    mutable int32_t declEnd = 0;
    mutable bool stale = true;

    int32_t Count() const { return lines.Size(); }

    void Rescan() const;
    void EnsureIndex() const {
        if (stale)
            Rescan();
    }
    int32_t PositionOf(int32_t id) const;
    int32_t Find(const std::string& name, int32_t kind) const;
    int32_t StartOf(size_t pos) const { return pos == 0 ? declEnd + 1 : procs.End(pos - 1) + 1; }
    int32_t LastOf(size_t pos) const { return pos + 1 == order.size() ? Count() : procs.End(pos); }
    void AddToKeys(int32_t id, size_t pos) const;

    bool ContinuesBefore(int32_t line) const {
        return line > 1 && EndsWithContinuation(lines.At(line - 2).text);
    }
    void Insert(int32_t line, std::vector<CodeLine> newLines);
    // Attribute lines at the top of text inserted at `line` belong to the
    // line above it (or to the top of the module).
    void AttachHidden(int32_t line, const std::string& hidden) {
        if (hidden.empty())
            return;
        CloseLineBefore(line);
        if (line > 1) {
            lines.At(line - 2).hidden += hidden;
        } else {
            leadingHidden += hidden;
        }
        dirty = true;
    }
    // Ends the text before line `line` with a line break (a file's last line
    // may have none), so that what is added there starts a line of its own.
    void CloseLineBefore(int32_t line) {
        if (line > 1) {
            CodeLine& above = lines.At(line - 2);
            if (above.end == LineEnd::kNone)
                above.end = newLineEnd;
            if (EndsOpen(above.hidden.view()))
                above.hidden += LineEndBytes(newLineEnd);
        } else if (EndsOpen(leadingHidden)) {
            leadingHidden += LineEndBytes(newLineEnd);
        }
    }
    // Whether replacing line `line` classified `before` by one classified
    // `after` leaves the procedure index as it is.
    bool SameShape(int32_t line, const LineInfo& before, const LineInfo& after) const {
        if (before.continues || after.continues)
            return false;
        const auto structural = [](LineClass c) {
            return c == LineClass::kProcHeader || c == LineClass::kProcEnd;
        };
        if (structural(before.cls) || structural(after.cls)) {
            return before.cls == after.cls && before.procKind == after.procKind &&
                   AsciiLower(before.name) == AsciiLower(after.name);
        }
        // Before the first procedure, code lines make the declarations section.
        const bool beforeProcs = stale || procs.Empty() || line < procs.Body(0);
        return !beforeProcs || (before.cls == LineClass::kCode) == (after.cls == LineClass::kCode);
    }
    void Delete(int32_t line, int32_t count);
};

void CodeModule::Impl::Rescan() const {
    pool.clear();
    order.clear();
    procs.Clear();
    byKey.clear();
    declEnd = 0;
    bool continuation = false;
    LineClass statement = LineClass::kBlank;
    bool inProc = false;
    lines.ForEach(0, lines.Size(), [&](int32_t index, const CodeLine& line) {
        const int32_t n = index + 1;
        if (continuation) {
            continuation = EndsWithContinuation(line.text);
            if (statement == LineClass::kCode && order.empty())
                declEnd = n;
            return;
        }
        LineInfo info = ClassifyLine(line.text);
        continuation = info.continues;
        statement = info.cls;
        if (info.cls == LineClass::kProcHeader) {
            if (inProc)
                procs.SetEnd(procs.Size() - 1, n - 1);
            const auto id = static_cast<int32_t>(pool.size());
            pool.push_back({std::move(info.name), info.procKind});
            order.push_back(id);
            procs.PushBack(n, n);
            inProc = true;
        } else if (info.cls == LineClass::kProcEnd && inProc) {
            procs.SetEnd(procs.Size() - 1, n);
            inProc = false;
        } else if (info.cls == LineClass::kCode && order.empty()) {
            declEnd = n;
        }
    });
    if (inProc)
        procs.SetEnd(procs.Size() - 1, lines.Size());
    for (size_t pos = 0; pos < order.size(); ++pos) {
        byKey.emplace(ProcKey(pool[static_cast<size_t>(order[pos])].name,
                              pool[static_cast<size_t>(order[pos])].kind),
                      order[pos]);
    }
    positionStale = true;
    stale = false;
}

int32_t CodeModule::Impl::PositionOf(int32_t id) const {
    if (positionStale) {
        position.assign(pool.size(), -1);
        for (size_t pos = 0; pos < order.size(); ++pos) {
            position[static_cast<size_t>(order[pos])] = static_cast<int32_t>(pos);
        }
        positionStale = false;
    }
    return position[static_cast<size_t>(id)];
}

int32_t CodeModule::Impl::Find(const std::string& name, int32_t kind) const {
    EnsureIndex();
    const auto it = byKey.find(ProcKey(name, kind));
    if (it == byKey.end())
        throw VbError(kErrSubNotDefined);
    return PositionOf(it->second);
}

void CodeModule::Impl::AddToKeys(int32_t id, size_t pos) const {
    const Proc& proc = pool[static_cast<size_t>(id)];
    auto [it, added] = byKey.emplace(ProcKey(proc.name, proc.kind), id);
    // A second procedure of the same name and kind: the first in the file wins.
    if (!added && PositionOf(it->second) >= static_cast<int32_t>(pos))
        it->second = id;
}

void CodeModule::Impl::Insert(int32_t line, std::vector<CodeLine> newLines) {
    const auto k = static_cast<int32_t>(newLines.size());
    if (k == 0)
        return;
    dirty = true;
    CloseLineBefore(line);
    if (stale || ContinuesBefore(line)) {
        lines.Insert(line - 1, std::move(newLines));
        stale = true;
        return;
    }
    RunStructure run = ScanRun(newLines);
    lines.Insert(line - 1, std::move(newLines));
    if (!run.balanced || (run.continuesAtEnd && line <= Count() - k)) {
        stale = true;
        return;
    }
    // p: the first procedure whose header is at or after the insertion point.
    const size_t p = procs.FirstBodyAtOrAfter(line);
    const bool insideProc = p > 0 && procs.End(p - 1) >= line;
    const bool inDeclarations = line <= declEnd;
    if (!run.procs.empty() && (insideProc || inDeclarations)) {
        stale = true;
        return;
    }
    procs.Shift(p, k);
    if (insideProc)
        procs.AddToEnd(p - 1, k);
    if (inDeclarations) {
        declEnd += k;
    } else if (p == 0 && run.lastCodeBeforeProcs >= 0) {
        declEnd = line + run.lastCodeBeforeProcs;
    }
    if (run.procs.empty())
        return;
    std::vector<int32_t> ids;
    std::vector<int32_t> bodies;
    std::vector<int32_t> ends;
    for (auto& proc : run.procs) {
        ids.push_back(static_cast<int32_t>(pool.size()));
        pool.push_back({std::move(proc.name), proc.kind});
        bodies.push_back(line + proc.body);
        ends.push_back(line + proc.end);
    }
    const auto at = static_cast<ptrdiff_t>(p);
    order.insert(order.begin() + at, ids.begin(), ids.end());
    procs.Insert(p, bodies, ends);
    positionStale = true;
    for (size_t i = 0; i < ids.size(); ++i)
        AddToKeys(ids[i], p + i);
}

void CodeModule::Impl::Delete(int32_t line, int32_t count) {
    if (count <= 0)
        return;
    dirty = true;
    bool structural = stale || ContinuesBefore(line);
    if (!structural) {
        lines.ForEach(line - 1, line - 1 + count, [&](int32_t index, const CodeLine& l) {
            const LineInfo info = ClassifyLine(l.text);
            if (info.continues || info.cls == LineClass::kProcHeader ||
                info.cls == LineClass::kProcEnd ||
                (info.cls == LineClass::kCode && index + 1 <= declEnd)) {
                structural = true;
            }
        });
    }
    lines.Erase(line - 1, count);
    if (structural) {
        stale = true;
        return;
    }
    const int32_t last = line + count - 1;
    const size_t p = procs.FirstBodyAfter(last);
    procs.Shift(p, -count);
    if (p > 0 && procs.End(p - 1) >= line)
        procs.AddToEnd(p - 1, -count);
    if (line <= declEnd)
        declEnd -= count;
}

CodeModule::CodeModule(std::string_view code, LineEnd newLineEnd)
    : impl_(std::make_unique<Impl>()) {
    impl_->lines.AssignBytes(code, impl_->leadingHidden);
    impl_->newLineEnd = newLineEnd;
}

CodeModule::~CodeModule() = default;

int32_t CodeModule::CountOfLines() const {
    return impl_->Count();
}

int32_t CodeModule::CountOfDeclarationLines() const {
    impl_->EnsureIndex();
    return impl_->declEnd;
}

std::string CodeModule::Lines(int32_t startLine, int32_t count) const {
    if (startLine < 1 || count < 0 || startLine > impl_->Count() + (count == 0 ? 1 : 0)) {
        throw VbError(kErrInvalidProcedureCall);
    }
    const int32_t stop = std::min(impl_->Count(), startLine - 1 + count);
    std::string out;
    impl_->lines.ForEach(startLine - 1, stop, [&](int32_t index, const CodeLine& line) {
        if (index > startLine - 1)
            out += "\r\n";
        out += line.text;
    });
    return out;
}

void CodeModule::InsertLines(int32_t line, const std::string& code) {
    if (line < 1 || line > impl_->Count() + 1)
        throw VbError(kErrInvalidProcedureCall);
    std::string leading;
    std::vector<CodeLine> newLines = SplitInsertedText(code, leading, impl_->newLineEnd);
    impl_->AttachHidden(line, leading);
    impl_->Insert(line, std::move(newLines));
}

void CodeModule::DeleteLines(int32_t startLine, int32_t count) {
    if (startLine < 1 || count < 0 || startLine - 1 + count > impl_->Count()) {
        throw VbError(kErrInvalidProcedureCall);
    }
    impl_->Delete(startLine, count);
}

void CodeModule::ReplaceLine(int32_t line, const std::string& code) {
    if (line < 1 || line > impl_->Count())
        throw VbError(kErrInvalidProcedureCall);
    std::string leading;
    std::vector<CodeLine> newLines = SplitInsertedText(code, leading, impl_->newLineEnd);
    CodeLine& old = impl_->lines.At(line - 1);
    // The replaced line keeps its hidden attributes and its line end.
    if (newLines.size() == 1 && leading.empty()) {
        const LineInfo before = ClassifyLine(old.text);
        const LineInfo after = ClassifyLine(newLines[0].text);
        const bool sameShape = impl_->SameShape(line, before, after);
        old.text = std::move(newLines[0].text);
        impl_->dirty = true;
        if (!sameShape)
            impl_->stale = true;
        return;
    }
    std::string hidden = old.hidden.Take();
    const LineEnd end = old.end;
    newLines.front().hidden = leading + hidden;
    newLines.back().end = end == LineEnd::kNone ? LineEnd::kNone : newLines.back().end;
    impl_->Delete(line, 1);
    impl_->Insert(line, std::move(newLines));
}

void CodeModule::AddFromString(const std::string& text) {
    impl_->EnsureIndex();
    const int32_t line = impl_->order.empty() ? impl_->Count() + 1 : impl_->declEnd + 1;
    std::string leading;
    std::vector<CodeLine> newLines = SplitCodeLines(text, leading);
    leading = WithLineEnds(leading, impl_->newLineEnd);
    for (CodeLine& l : newLines) {
        l.end = impl_->newLineEnd;
        l.hidden = WithLineEnds(l.hidden.view(), impl_->newLineEnd);
    }
    impl_->AttachHidden(line, leading);
    impl_->Insert(line, std::move(newLines));
}

void CodeModule::AddFromFile(const std::string& fileName) {
    AddFromString(ReadFileBytes(fileName));
}

int32_t CodeModule::ProcStartLine(const std::string& procName, int32_t procKind) const {
    return impl_->StartOf(static_cast<size_t>(impl_->Find(procName, procKind)));
}

int32_t CodeModule::ProcBodyLine(const std::string& procName, int32_t procKind) const {
    return impl_->procs.Body(static_cast<size_t>(impl_->Find(procName, procKind)));
}

bool CodeModule::HasProc(const std::string& procName, int32_t procKind) const {
    impl_->EnsureIndex();
    return impl_->byKey.find(ProcKey(procName, procKind)) != impl_->byKey.end();
}

int32_t CodeModule::ProcCountLines(const std::string& procName, int32_t procKind) const {
    const auto pos = static_cast<size_t>(impl_->Find(procName, procKind));
    return impl_->LastOf(pos) - impl_->StartOf(pos) + 1;
}

std::string CodeModule::ProcOfLine(int32_t line, int32_t& procKind) const {
    if (line < 1 || line > impl_->Count())
        throw VbError(kErrInvalidProcedureCall);
    impl_->EnsureIndex();
    procKind = 0;
    if (line <= impl_->declEnd || impl_->order.empty())
        return "";
    size_t pos = impl_->procs.FirstEndAtOrAfter(line);
    if (pos == impl_->order.size())
        pos = impl_->order.size() - 1;
    const auto& proc = impl_->pool[static_cast<size_t>(impl_->order[pos])];
    procKind = proc.kind;
    return proc.name;
}

bool CodeModule::Find(const std::string& target, int32_t& startLine, int32_t& startColumn,
                      int32_t& endLine, int32_t& endColumn, bool wholeWord, bool matchCase,
                      bool patternSearch) const {
    if (matchCase && patternSearch)
        throw VbError(kErrInvalidProcedureCall);
    const int32_t count = impl_->Count();
    const int32_t first = std::max(1, startLine);
    const int32_t last = (endLine < 0 || endLine > count) ? count : endLine;
    if (first > last || (target.empty() && !patternSearch))
        return false;

    const std::string needle = matchCase ? target : AsciiLower(target);
    bool found = false;
    int32_t foundLine = 0;
    size_t foundStart = 0;
    size_t foundEnd = 0;
    // A pattern is matched against the lower-case copy of each line; plain
    // text is compared in place, a character at a time.
    std::string lowered;
    impl_->lines.ForEach(first - 1, last, [&](int32_t index, const CodeLine& line) {
        if (found)
            return;
        const int32_t n = index + 1;
        std::string_view text = line.text;
        if (patternSearch) {
            lowered = AsciiLower(text);
            text = lowered;
        }
        const size_t from =
            n == first ? static_cast<size_t>(std::max(1, startColumn) - 1) : size_t{0};
        // The last column a match may end on (1-based, inclusive).
        const size_t limit = (n == endLine && endColumn >= 0)
                                 ? std::min(text.size(), static_cast<size_t>(endColumn))
                                 : text.size();
        const auto plainMatch = [&](size_t s) {
            if (text.size() - s < needle.size())
                return false;
            if (matchCase)
                return text.compare(s, needle.size(), needle) == 0;
            for (size_t i = 0; i < needle.size(); ++i) {
                if (AsciiLower(text[s + i]) != needle[i])
                    return false;
            }
            return true;
        };
        for (size_t s = from; s <= text.size(); ++s) {
            size_t e;
            if (patternSearch) {
                e = MatchLike(needle, 0, text, s, 0);
                if (e == std::string_view::npos)
                    continue;
            } else {
                e = s + needle.size();
                if (e > limit)
                    break;
                if (!plainMatch(s))
                    continue;
            }
            if (e > limit)
                break;
            if (e == s && s == text.size() && !text.empty())
                break;
            if (wholeWord &&
                ((s > 0 && IsWordChar(text[s - 1])) || (e < text.size() && IsWordChar(text[e])))) {
                continue;
            }
            found = true;
            foundLine = n;
            foundStart = s;
            foundEnd = e;
            return;
        }
    });
    if (!found)
        return false;
    startLine = foundLine;
    endLine = foundLine;
    startColumn = static_cast<int32_t>(foundStart) + 1;
    endColumn = static_cast<int32_t>(foundEnd) + 1;
    return true;
}

std::string CodeModule::Bytes() const {
    std::string out;
    AppendBytes(out);
    return out;
}

size_t CodeModule::ByteCount() const {
    size_t count = impl_->leadingHidden.size();
    impl_->lines.ForEach(0, impl_->Count(), [&](int32_t, const CodeLine& line) {
        count += line.text.size() + LineEndBytes(line.end).size() + line.hidden.view().size();
    });
    return count;
}

void CodeModule::AppendBytes(std::string& out) const {
    out.reserve(out.size() + ByteCount());
    out += impl_->leadingHidden;
    impl_->lines.ForEach(0, impl_->Count(), [&](int32_t, const CodeLine& line) {
        out += line.text;
        out += LineEndBytes(line.end);
        out += line.hidden.view();
    });
}

bool CodeModule::IsDirty() const {
    return impl_->dirty;
}

void CodeModule::MarkSaved() {
    impl_->dirty = false;
}

}  // namespace qfw::ide
