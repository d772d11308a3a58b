// UnifiedDiff: the change between two texts in the unified format of
// `diff -u`, for showing what a run would write without writing it.
//
// Lines end at LF; a CR before it is part of the line and is printed with
// it, so that patch and git apply apply the diff to the CR LF file itself. The edit script is a
// shortest one (Myers) over the lines between the common head and tail;
// when the two middles differ in more than a few thousand lines it falls
// back to replacing the whole middle, which is still a correct diff.
#pragma once

#include <string>
#include <string_view>

namespace qfw::app {

// The diff of `before` and `after` with `context` unchanged lines around
// each change, headed "--- beforeLabel" / "+++ afterLabel"; empty when the
// texts are equal.
std::string UnifiedDiff(std::string_view before, std::string_view after,
                        const std::string& beforeLabel, const std::string& afterLabel,
                        int context = 3);

}  // namespace qfw::app
