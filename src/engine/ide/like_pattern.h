// The Like operator's pattern matching as CodeModule::Find uses it for a
// pattern search: * ? # [list] [!list], letters compared without regard to
// case (the caller lower-cases the text).
#pragma once

#include <cstddef>
#include <string_view>

namespace qfw::ide {

// Matches `pattern` from `p` against `text` from `t`; returns the end of the
// longest match, or npos. `depth` caps the recursion of nested stars.
size_t MatchLike(std::string_view pattern, size_t p, std::string_view text, size_t t, int depth);

// A character that belongs to a word for a whole-word search.
bool IsWordChar(char c);

}  // namespace qfw::ide
