#include "unified_diff.h"

#include <gtest/gtest.h>

namespace qfw::app {
namespace {

struct DiffCase {
    const char* name;
    std::string before;
    std::string after;
    std::string expected;  // without the two header lines
};

TEST(UnifiedDiffTest, HunksMatchDiffU) {
    const DiffCase cases[] = {
        {"equal texts give nothing", "a\r\nb\r\n", "a\r\nb\r\n", ""},
        {"insertion in the middle, CR kept", "a\r\nb\r\nc\r\n", "a\r\nb\r\nX\r\nc\r\n",
         "@@ -1,3 +1,4 @@\n a\r\n b\r\n+X\r\n c\r\n"},
        {"insertion at the start of an empty text", "", "x\n", "@@ -0,0 +1,1 @@\n+x\n"},
        {"deletion keeps three lines of context", "1\n2\n3\n4\n5\n6\n7\n8\n9\n",
         "1\n2\n3\n4\n6\n7\n8\n9\n", "@@ -2,7 +2,6 @@\n 2\n 3\n 4\n-5\n 6\n 7\n 8\n"},
        {"changes far apart make two hunks", "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\n",
         "A\nb\nc\nd\ne\nf\ng\nh\ni\nJ\n",
         "@@ -1,4 +1,4 @@\n-a\n+A\n b\n c\n d\n@@ -7,4 +7,4 @@\n g\n h\n i\n-j\n+J\n"},
        {"changes six lines apart share one hunk", "a\n1\n2\n3\n4\n5\n6\nb\n",
         "A\n1\n2\n3\n4\n5\n6\nB\n", "@@ -1,8 +1,8 @@\n-a\n+A\n 1\n 2\n 3\n 4\n 5\n 6\n-b\n+B\n"},
        {"a lost final newline is marked", "a\nb\n", "a\nb",
         "@@ -1,2 +1,2 @@\n a\n-b\n+b\n\\ No newline at end of file\n"},
        {"repeated lines: the shortest script", "x\nx\ny\nx\n", "x\ny\nx\nx\n",
         "@@ -1,4 +1,4 @@\n x\n-x\n y\n+x\n x\n"},
    };
    for (const DiffCase& c : cases) {
        const std::string header = "--- old\n+++ new\n";
        const std::string diff = UnifiedDiff(c.before, c.after, "old", "new");
        EXPECT_EQ(diff, c.expected.empty() ? "" : header + c.expected) << c.name;
    }
}

// Applies a unified diff's hunks to `before`, as patch would.
std::string Apply(const std::string& before, const std::string& diff) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < before.size();) {
        const size_t end = before.find('\n', start);
        lines.push_back(before.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::string> result;
    size_t next = 0;
    size_t pos = diff.find("@@");
    while (pos != std::string::npos && pos < diff.size()) {
        const size_t end = diff.find('\n', pos);
        const std::string line = diff.substr(pos, end - pos);
        pos = end + 1;
        if (line.rfind("@@", 0) == 0) {
            const size_t from = std::stoul(line.substr(4));
            const size_t count = std::stoul(line.substr(line.find(',') + 1));
            const size_t first = count == 0 ? from : from - 1;
            while (next < first)
                result.push_back(lines[next++]);
        } else if (line[0] == ' ') {
            result.push_back(lines[next++]);
        } else if (line[0] == '-') {
            ++next;
        } else if (line[0] == '+') {
            result.push_back(line.substr(1));
        }
    }
    while (next < lines.size())
        result.push_back(lines[next++]);
    std::string text;
    for (const std::string& line : result)
        text += line + "\n";
    return text;
}

TEST(UnifiedDiffTest, LargeEditsApplyBackToTheNewText) {
    std::string before, after;
    for (int i = 0; i < 3000; ++i) {
        before += "line " + std::to_string(i) + "\n";
        if (i % 7 != 0)
            after += "line " + std::to_string(i) + "\n";
        if (i % 11 == 0)
            after += "new " + std::to_string(i) + "\n";
    }
    EXPECT_EQ(Apply(before, UnifiedDiff(before, after, "a", "b")), after);
}

}  // namespace
}  // namespace qfw::app
