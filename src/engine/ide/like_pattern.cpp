#include "engine/ide/like_pattern.h"

namespace qfw::ide {

namespace {

char LowerByte(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

// Like-operator pattern matching of a pattern against text starting at
// `pos`; returns the end of the longest match, or npos.
size_t MatchLike(std::string_view pattern, size_t p, std::string_view text, size_t t, int depth) {
    if (depth > 64)
        return std::string_view::npos;
    while (p < pattern.size()) {
        const char pc = pattern[p];
        if (pc == '*') {
            while (p < pattern.size() && pattern[p] == '*')
                ++p;
            if (p == pattern.size())
                return text.size();
            for (size_t k = text.size() + 1; k-- > t;) {
                const size_t r = MatchLike(pattern, p, text, k, depth + 1);
                if (r != std::string_view::npos)
                    return r;
            }
            return std::string_view::npos;
        }
        if (t >= text.size())
            return std::string_view::npos;
        const char tc = LowerByte(text[t]);
        if (pc == '?') {
            ++p;
        } else if (pc == '#') {
            if (tc < '0' || tc > '9')
                return std::string_view::npos;
            ++p;
        } else if (pc == '[') {
            const size_t close = pattern.find(']', p + 1);
            if (close == std::string_view::npos) {
                if (tc != '[')
                    return std::string_view::npos;
                ++p;
            } else {
                std::string_view list = pattern.substr(p + 1, close - p - 1);
                bool negate = !list.empty() && list[0] == '!';
                if (negate)
                    list.remove_prefix(1);
                bool found = false;
                for (size_t i = 0; i < list.size(); ++i) {
                    const char lo = LowerByte(list[i]);
                    if (i + 2 < list.size() && list[i + 1] == '-') {
                        const char hi = LowerByte(list[i + 2]);
                        if (tc >= lo && tc <= hi)
                            found = true;
                        i += 2;
                    } else if (tc == lo) {
                        found = true;
                    }
                }
                if (found == negate)
                    return std::string_view::npos;
                p = close + 1;
            }
        } else {
            if (LowerByte(pc) != tc) {
                return std::string_view::npos;
            }
            ++p;
        }
        ++t;
    }
    return t;
}

bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace qfw::ide
