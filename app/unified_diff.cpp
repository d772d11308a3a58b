#include "unified_diff.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace qfw::app {

namespace {

// Beyond this many differing lines the trace of the search would grow past
// a few hundred megabytes; the middle is then replaced as a whole.
constexpr int kMaxEditDistance = 4000;

struct Lines {
    std::vector<std::string_view> lines;
    bool missingFinalNewline = false;
};

Lines SplitLines(std::string_view text) {
    Lines result;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            result.lines.push_back(text.substr(start));
            result.missingFinalNewline = true;
            break;
        }
        result.lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

enum class Op : char { Keep, Delete, Insert };

// A shortest edit script turning a into b (Myers' greedy search, keeping
// each step's furthest reaching paths for the walk back).
std::vector<Op> MiddleScript(const std::vector<std::string_view>& a,
                             const std::vector<std::string_view>& b) {
    const int n = static_cast<int>(a.size());
    const int m = static_cast<int>(b.size());
    std::vector<Op> script;
    const int max = n + m;
    if (max == 0)
        return script;
    // trace[d][k + d]: furthest x on diagonal k after d edits.
    std::vector<std::vector<int>> trace;
    int found = -1;
    for (int d = 0; d <= std::min(max, kMaxEditDistance) && found < 0; ++d) {
        std::vector<int> v(static_cast<size_t>(2 * d + 1), 0);
        const std::vector<int>* prev = d > 0 ? &trace.back() : nullptr;
        auto prevAt = [&](int k) { return (*prev)[static_cast<size_t>(k + d - 1)]; };
        for (int k = -d; k <= d; k += 2) {
            int x;
            if (d == 0) {
                x = 0;
            } else if (k == -d || (k != d && prevAt(k - 1) < prevAt(k + 1))) {
                x = prevAt(k + 1);
            } else {
                x = prevAt(k - 1) + 1;
            }
            int y = x - k;
            while (x < n && y < m && a[static_cast<size_t>(x)] == b[static_cast<size_t>(y)]) {
                ++x;
                ++y;
            }
            v[static_cast<size_t>(k + d)] = x;
            if (x >= n && y >= m)
                found = d;
        }
        trace.push_back(std::move(v));
    }
    if (found < 0) {
        script.assign(static_cast<size_t>(n), Op::Delete);
        script.insert(script.end(), static_cast<size_t>(m), Op::Insert);
        return script;
    }
    int x = n;
    int y = m;
    for (int d = found; d > 0; --d) {
        const std::vector<int>& prev = trace[static_cast<size_t>(d - 1)];
        auto prevAt = [&](int k) { return prev[static_cast<size_t>(k + d - 1)]; };
        const int k = x - y;
        const bool down = k == -d || (k != d && prevAt(k - 1) < prevAt(k + 1));
        const int prevK = down ? k + 1 : k - 1;
        const int prevX = prevAt(prevK);
        const int prevY = prevX - prevK;
        while (x > prevX && y > prevY) {
            script.push_back(Op::Keep);
            --x;
            --y;
        }
        script.push_back(down ? Op::Insert : Op::Delete);
        x = prevX;
        y = prevY;
    }
    while (x > 0 && y > 0) {
        script.push_back(Op::Keep);
        --x;
        --y;
    }
    std::reverse(script.begin(), script.end());
    return script;
}

std::vector<Op> EditScript(const std::vector<std::string_view>& a,
                           const std::vector<std::string_view>& b) {
    size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const std::vector<std::string_view> aMiddle(a.begin() + static_cast<ptrdiff_t>(head),
                                                a.end() - static_cast<ptrdiff_t>(tail));
    const std::vector<std::string_view> bMiddle(b.begin() + static_cast<ptrdiff_t>(head),
                                                b.end() - static_cast<ptrdiff_t>(tail));
    std::vector<Op> script(head, Op::Keep);
    const std::vector<Op> middle = MiddleScript(aMiddle, bMiddle);
    script.insert(script.end(), middle.begin(), middle.end());
    script.insert(script.end(), tail, Op::Keep);
    return script;
}

// "start,count" of a hunk side: 1-based, or the line before for an empty side.
std::string Range(size_t first, size_t count) {
    return std::to_string(count == 0 ? first : first + 1) + "," + std::to_string(count);
}

}  // namespace

std::string UnifiedDiff(std::string_view before, std::string_view after,
                        const std::string& beforeLabel, const std::string& afterLabel,
                        int context) {
    const Lines a = SplitLines(before);
    const Lines b = SplitLines(after);
    const std::vector<Op> script = EditScript(a.lines, b.lines);
    // The line-index pair before each script entry.
    std::vector<size_t> aAt(script.size() + 1), bAt(script.size() + 1);
    for (size_t i = 0; i < script.size(); ++i) {
        aAt[i + 1] = aAt[i] + (script[i] != Op::Insert ? 1 : 0);
        bAt[i + 1] = bAt[i] + (script[i] != Op::Delete ? 1 : 0);
    }
    // A changed final line without newline on one side only differs in its
    // newline, which the line comparison cannot see.
    const bool eolChanged = a.missingFinalNewline != b.missingFinalNewline;
    std::vector<bool> changed(script.size());
    for (size_t i = 0; i < script.size(); ++i) {
        changed[i] = script[i] != Op::Keep ||
                     (eolChanged && (aAt[i + 1] == a.lines.size() || bAt[i + 1] == b.lines.size()));
    }

    std::string out;
    const size_t ctx = static_cast<size_t>(std::max(context, 0));
    size_t i = 0;
    while (i < script.size()) {
        if (!changed[i]) {
            ++i;
            continue;
        }
        const size_t start = i > ctx ? i - ctx : 0;
        size_t end = i;
        // Extend while the next change is close enough to share the context.
        for (size_t j = i; j < script.size(); ++j) {
            if (changed[j])
                end = j + 1;
            else if (j >= end + 2 * ctx)
                break;
        }
        end = std::min(script.size(), end + ctx);
        if (out.empty())
            out += "--- " + beforeLabel + "\n+++ " + afterLabel + "\n";
        out += "@@ -" + Range(aAt[start], aAt[end] - aAt[start]) + " +" +
               Range(bAt[start], bAt[end] - bAt[start]) + " @@\n";
        for (size_t j = start; j < end; ++j) {
            const bool fromA = script[j] != Op::Insert;
            const size_t lineIndex = fromA ? aAt[j] : bAt[j];
            const Lines& side = fromA ? a : b;
            auto emit = [&](char mark, const Lines& from, size_t index) {
                out += mark;
                out += from.lines[index];
                out += '\n';
                if (from.missingFinalNewline && index + 1 == from.lines.size())
                    out += "\\ No newline at end of file\n";
            };
            if (script[j] == Op::Keep && changed[j]) {
                emit('-', a, aAt[j]);
                emit('+', b, bAt[j]);
            } else if (script[j] == Op::Keep) {
                emit(' ', side, lineIndex);
            } else {
                emit(script[j] == Op::Delete ? '-' : '+', side, lineIndex);
            }
        }
        i = end;
    }
    return out;
}

}  // namespace qfw::app
