// CodeModule: the code of one component, numbered the way the environment's
// code window numbers it, with the environment's editing and lookup members.
//
// Line numbering. Line 1 is the first line after the file's header (VERSION,
// Object lines, designer block or class settings, module Attribute lines).
// Member Attribute lines further down (Attribute Caption.VB_UserMemId = 0)
// are hidden: they get no line number and no member sees them, but they stay
// attached to the line above them and are saved right after it (and dropped
// with it when that line is deleted). Attribute lines in inserted text are
// hidden the same way.
//
// Procedures. A procedure is a Sub, Function, Property Get, Property Let or
// Property Set statement (with optional Public/Private/Friend/Static) and the
// lines up to its End statement. Kinds (vbext_ProcKind): 0 Sub or Function,
// 1 Property Let, 2 Property Set, 3 Property Get. Names match without regard
// to letter case. For a procedure:
//   - its body line is the line of its Sub/Function/Property statement;
//   - its start line is the line after the previous procedure's End line, or
//     for the first procedure the line after the declarations section, so
//     blank and comment lines above a procedure belong to it;
//   - its count runs from its start line through its End line, and for the
//     last procedure also through the lines after its End line to the end
//     of the module.
// The declarations section ends at the last declaration statement (any code
// line that is not blank, a comment or a #Const line) before the first
// procedure; CountOfDeclarationLines is that line's number (0 when none).
// Asking for a procedure that does not exist with that kind raises VbError
// 35. Line numbers out of range raise VbError 5.
//
// Speed. Procedures are kept in an index that InsertLines, DeleteLines,
// ReplaceLine and AddFrom* update in place: inserting text that holds no
// procedure statement, or whole procedures between two procedures, costs
// O(lines inserted + procedures) and lookups cost O(1) on average. Other
// edits (for instance text that splits a procedure) mark the index stale and
// the next lookup rescans the module once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/ide/code_lines.h"

namespace qfw::ide {

class VBComponent;

// vbext_ProcKind.
enum vbext_ProcKind : int32_t {
    vbext_pk_Proc = 0,
    vbext_pk_Let = 1,
    vbext_pk_Set = 2,
    vbext_pk_Get = 3,
};

class CodeModule {
  public:
    // A module holding `code`: the file's bytes after its header. Lines end in
    // CR LF, LF or CR; each line's own ending is kept and written back.
    // Inserted lines end in `newLineEnd`, the file's own line end, and a last
    // line without one gets it before anything is added after it.
    explicit CodeModule(std::string_view code = {}, LineEnd newLineEnd = LineEnd::kCrLf);
    ~CodeModule();
    CodeModule(const CodeModule&) = delete;
    CodeModule& operator=(const CodeModule&) = delete;

    std::shared_ptr<VBComponent> Parent() const { return parent_.lock(); }

    int32_t CountOfLines() const;
    int32_t CountOfDeclarationLines() const;

    // `count` lines from `startLine`, joined with CR LF (no trailing CR LF);
    // a count of 0 gives "". The range must lie within 1..CountOfLines.
    std::string Lines(int32_t startLine, int32_t count) const;

    // Inserts `code` so that its first line becomes line `line` (1 to
    // CountOfLines + 1); the old line and all after it move down. CR LF (or a
    // bare LF or CR) inside `code` separates lines; one trailing line end is
    // ignored, so "a\r\n" inserts one line and "" inserts one empty line.
    void InsertLines(int32_t line, const std::string& code);

    // Deletes `count` lines from `startLine` (with their hidden attributes).
    void DeleteLines(int32_t startLine, int32_t count = 1);

    // Replaces line `line` with `code`; line ends inside `code` make it
    // several lines.
    void ReplaceLine(int32_t line, const std::string& code);

    // Inserts `text` before the first procedure (at its start line, so that
    // the procedure's leading comments move down with it), or at the end when
    // the module has no procedure.
    void AddFromString(const std::string& text);

    // AddFromString with the bytes of a text file (Windows path). File errors
    // are raised as VbError (53 file not found ...); the module is unchanged.
    void AddFromFile(const std::string& fileName);

    int32_t ProcStartLine(const std::string& procName, int32_t procKind) const;
    int32_t ProcBodyLine(const std::string& procName, int32_t procKind) const;
    int32_t ProcCountLines(const std::string& procName, int32_t procKind) const;

    // Whether ProcBodyLine would answer for this name and kind, without
    // raising error 35 when it would not. Code generation asks this for
    // every item it writes.
    bool HasProc(const std::string& procName, int32_t procKind) const;

    // The name of the procedure whose start..start+count-1 range holds `line`,
    // its kind stored in `procKind`; "" (and kind 0) for a line of the
    // declarations section.
    std::string ProcOfLine(int32_t line, int32_t& procKind) const;

    // Searches for `target` from (startLine, startColumn) through (endLine,
    // endColumn), both ends inclusive, columns 1-based. endLine -1 means the
    // last line, endColumn -1 the end of that line; a match on the end line
    // must end at or before endColumn. An endLine past the last line searches
    // through the end of the module. Without matchCase the search ignores
    // letter case; wholeWord needs a character that is not a letter, digit or
    // underscore (or the line's edge) on both sides; patternSearch reads
    // `target` as a Like pattern (* ? # [list] [!list]). On success the four
    // positions are set to the match (endColumn just past its last character)
    // and the result is true; on failure they are unchanged. matchCase and
    // patternSearch together raise VbError 5. Matches never span lines.
    bool Find(const std::string& target, int32_t& startLine, int32_t& startColumn, int32_t& endLine,
              int32_t& endColumn, bool wholeWord = false, bool matchCase = false,
              bool patternSearch = false) const;

    // The code as it is saved: every line with its own line end (CR LF for
    // lines added here) and its hidden attribute lines.
    std::string Bytes() const;
    // The size of Bytes(), and Bytes() appended to `out` (which it reserves
    // room in first, so that a large module is copied once).
    size_t ByteCount() const;
    void AppendBytes(std::string& out) const;

    // True after any change since construction or the last MarkSaved().
    bool IsDirty() const;
    void MarkSaved();

  private:
    friend class VBComponent;
    friend class VBComponents;

    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::weak_ptr<VBComponent> parent_;
};

}  // namespace qfw::ide
