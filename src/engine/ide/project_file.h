// ProjectFile (.vbp) and GroupFile (.vbg): the project and group files as
// lines, with the entries the object model needs.
//
// Both keep every line as it was read; nothing here writes files. Parsing
// errors are VbError 321 with "<file>: line <n>: <problem>".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qfw::ide {

// One component entry of a .vbp: Form=, Module=, Class=, UserControl=,
// PropertyPage=, UserDocument=, Designer=, RelatedDoc=.
struct ProjectItem {
    std::string key;   // as written (Form, UserControl ...)
    int32_t type = 0;  // vbext_ComponentType
    std::string name;  // Module=/Class= only; empty otherwise
    std::string path;  // as written (relative to the .vbp or absolute)
    int32_t line = 0;  // 1-based line in the .vbp
};

class ProjectFile {
  public:
    // Parses the bytes of a .vbp read from `fileName` (used in messages).
    static ProjectFile Parse(const std::string& bytes, const std::string& fileName);

    // Every line, without line ends, in file order.
    const std::vector<std::string>& Lines() const { return lines_; }
    const std::vector<ProjectItem>& Items() const { return items_; }

    // Values of all lines with this key before the first [section], in order
    // (key compared without regard to case), as written after the first "=".
    std::vector<std::string> Values(const std::string& key) const;
    // The first such value; "" when the key is absent.
    std::string Value(const std::string& key) const;
    // A quoted value without its quotes (Name="Gauges" gives Gauges).
    std::string UnquotedValue(const std::string& key) const;

  private:
    std::vector<std::string> lines_;
    std::vector<ProjectItem> items_;
};

// A .vbg: its member projects in group order (StartupProject= or Project=).
struct GroupFile {
    struct Member {
        std::string path;  // as written, relative to the .vbg or absolute
        bool startup = false;
        int32_t line = 0;
    };
    std::vector<Member> projects;
    std::vector<std::string> lines;

    static GroupFile Parse(const std::string& bytes, const std::string& fileName);
};

}  // namespace qfw::ide
