// CodeModule: line numbering, procedure geometry, editing and Find, as the
// environment documents them.
#include "engine/ide/code_module.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/vb_error.h"

namespace qfw::ide {
namespace {

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines)
        out += line + "\r\n";
    return out;
}

int32_t ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const VbError& e) {
        return e.Number();
    }
    return 0;
}

// The worked example: a Get and a Let of the same property, a comment above
// the first, a trailing blank line after the last.
const std::vector<std::string> kCaption = {
    "Option Explicit",                                 // 1
    "Private m_Caption As String",                     // 2
    "",                                                // 3
    "' Caption shown in the title bar",                // 4
    "Public Property Get Caption() As String",         // 5
    "    Caption = m_Caption",                         // 6
    "End Property",                                    // 7
    "",                                                // 8
    "Public Property Let Caption(ByVal v As String)",  // 9
    "    m_Caption = v",                               // 10
    "End Property",                                    // 11
    "",                                                // 12
};

struct Geometry {
    const char* name;
    int32_t kind;
    int32_t start, body, count;
};

void ExpectGeometry(const CodeModule& m, const std::vector<Geometry>& table) {
    for (const auto& g : table) {
        SCOPED_TRACE(std::string(g.name) + " kind " + std::to_string(g.kind));
        EXPECT_EQ(m.ProcStartLine(g.name, g.kind), g.start);
        EXPECT_EQ(m.ProcBodyLine(g.name, g.kind), g.body);
        EXPECT_EQ(m.ProcCountLines(g.name, g.kind), g.count);
    }
}

TEST(CodeModuleTest, PropertyGeometryFollowsTheEnvironment) {
    CodeModule m(Join(kCaption));
    EXPECT_EQ(m.CountOfLines(), 12);
    EXPECT_EQ(m.CountOfDeclarationLines(), 2);
    ExpectGeometry(m, {{"Caption", vbext_pk_Get, 3, 5, 5},
                       {"caption", vbext_pk_Let, 8, 9, 5},
                       {"CAPTION", vbext_pk_Let, 8, 9, 5}});
    int32_t kind = -1;
    EXPECT_EQ(m.ProcOfLine(4, kind), "Caption");
    EXPECT_EQ(kind, vbext_pk_Get);
    EXPECT_EQ(m.ProcOfLine(12, kind), "Caption");
    EXPECT_EQ(kind, vbext_pk_Let);
    EXPECT_EQ(m.ProcOfLine(2, kind), "");
    EXPECT_EQ(kind, 0);
}

TEST(CodeModuleTest, MissingProceduresRaise35) {
    CodeModule m(Join(kCaption));
    for (const auto& [name, kind] :
         std::vector<std::pair<std::string, int32_t>>{{"Caption", vbext_pk_Set},
                                                      {"Caption", vbext_pk_Proc},
                                                      {"Nothing", vbext_pk_Get},
                                                      {"m_Caption", vbext_pk_Proc},
                                                      {"", vbext_pk_Proc}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ErrorOf([&] { m.ProcStartLine(name, kind); }), 35);
        EXPECT_EQ(ErrorOf([&] { m.ProcBodyLine(name, kind); }), 35);
        EXPECT_EQ(ErrorOf([&] { m.ProcCountLines(name, kind); }), 35);
    }
}

TEST(CodeModuleTest, AllKindsAndSetOnly) {
    CodeModule m(Join({
        "Option Explicit",                                                    // 1
        "Private Declare Function GetTickCount Lib \"kernel32\" () As Long",  // 2
        "Public Event Changed()",                                             // 3
        "'comment",                                                           // 4
        "#Const Trace = 1",                                                   // 5
        "Private Sub UserControl_Initialize()",                               // 6
        "End Sub",                                                            // 7
        "Friend Function Total(ByVal a As Long) As Long",                     // 8
        "End Function",                                                       // 9
        "Public Property Set Picture(ByVal p As StdPicture)",                 // 10
        "End Property",                                                       // 11
        "Static Sub Counter()",                                               // 12
        "End Sub",                                                            // 13
    }));
    EXPECT_EQ(m.CountOfDeclarationLines(), 3);
    ExpectGeometry(m, {{"UserControl_Initialize", 0, 4, 6, 4},
                       {"Total", 0, 8, 8, 2},
                       {"Picture", 2, 10, 10, 2},
                       {"Counter", 0, 12, 12, 2}});
    EXPECT_EQ(ErrorOf([&] { m.ProcBodyLine("Picture", vbext_pk_Let); }), 35);
    EXPECT_EQ(ErrorOf([&] { m.ProcBodyLine("Picture", vbext_pk_Get); }), 35);
    EXPECT_EQ(ErrorOf([&] { m.ProcBodyLine("GetTickCount", 0); }), 35);
}

TEST(CodeModuleTest, AttributeLinesAreHiddenButKept) {
    const std::string code = Join({
        "Option Explicit",
        "Public Property Get Title() As String",
        "Attribute Title.VB_Description = \"Text\"",
        "Attribute Title.VB_UserMemId = 0",
        "    Title = \"x\"",
        "End Property",
    });
    CodeModule m(code);
    EXPECT_EQ(m.CountOfLines(), 4);
    EXPECT_EQ(m.Lines(2, 2), "Public Property Get Title() As String\r\n    Title = \"x\"");
    EXPECT_EQ(m.Bytes(), code);
    m.InsertLines(3, "    ' more");
    EXPECT_EQ(m.Bytes(), Join({
                             "Option Explicit",
                             "Public Property Get Title() As String",
                             "Attribute Title.VB_Description = \"Text\"",
                             "Attribute Title.VB_UserMemId = 0",
                             "    ' more",
                             "    Title = \"x\"",
                             "End Property",
                         }));
    m.DeleteLines(2, 1);  // the header goes, and its attributes with it
    EXPECT_EQ(m.Bytes().find("Attribute"), std::string::npos);
}

TEST(CodeModuleTest, LineEndsOfUntouchedLinesAreKept) {
    const std::string code = "Option Explicit\nDim a\r\nSub A()\rEnd Sub";
    CodeModule m(code);
    EXPECT_EQ(m.CountOfLines(), 4);
    EXPECT_EQ(m.Bytes(), code);
    EXPECT_FALSE(m.IsDirty());
    m.InsertLines(5, "' tail");
    EXPECT_TRUE(m.IsDirty());
    EXPECT_EQ(m.Bytes(), "Option Explicit\nDim a\r\nSub A()\rEnd Sub\r\n' tail\r\n");
}

// Every procedure of `m` has the geometry a fresh scan of its text gives.
void ExpectSameIndexAsFreshScan(const CodeModule& m) {
    CodeModule fresh(m.Bytes());
    ASSERT_EQ(m.CountOfLines(), fresh.CountOfLines());
    EXPECT_EQ(m.CountOfDeclarationLines(), fresh.CountOfDeclarationLines());
    for (int32_t line = 1; line <= fresh.CountOfLines(); ++line) {
        int32_t k1 = 0, k2 = 0;
        const std::string name = fresh.ProcOfLine(line, k1);
        ASSERT_EQ(m.ProcOfLine(line, k2), name) << "line " << line;
        ASSERT_EQ(k1, k2);
        if (name.empty())
            continue;
        ASSERT_EQ(m.ProcStartLine(name, k1), fresh.ProcStartLine(name, k1)) << name;
        ASSERT_EQ(m.ProcBodyLine(name, k1), fresh.ProcBodyLine(name, k1)) << name;
        ASSERT_EQ(m.ProcCountLines(name, k1), fresh.ProcCountLines(name, k1)) << name;
    }
}

TEST(CodeModuleTest, InsertsKeepTheIndexRight) {
    // Each step edits the module, then the whole geometry is compared with a
    // module built from the resulting text (which is scanned from scratch).
    struct Step {
        const char* what;
        int32_t line;
        const char* text;
    };
    const std::vector<Step> steps = {
        {"line inside a body", 6, "    Debug.Print 1"},
        {"comment above the first procedure", 4, "' more comment"},
        {"declaration", 3, "Private m_Other As Long"},
        {"declaration after the last one", 4, "Private m_Third As Long"},
        {"whole procedure between two", 11, "Private Sub Helper()\r\nEnd Sub\r\n"},
        {"whole procedure at the end", 18, "\r\nPublic Sub Last()\r\n    x = 1\r\nEnd Sub"},
        {"several lines inside the Let", 15, "    a = 1\r\n    b = 2"},
        {"procedure header splitting a body", 7, "End Property\r\nPublic Property Get Other()"},
        {"continued line", 2, "Private Const A = 1 + _"},
    };
    CodeModule m(Join(kCaption));
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        m.InsertLines(step.line, step.text);
        ExpectSameIndexAsFreshScan(m);
    }
}

TEST(CodeModuleTest, ManyProceduresStayIndexedThroughEdits) {
    // Hundreds of procedures, edited at the front, the middle and the end,
    // with whole procedures added and removed between the edits.
    std::string text = "Option Explicit\r\n";
    for (int i = 0; i < 300; ++i) {
        text += "\r\nPublic Sub P" + std::to_string(i) + "()\r\n    x = " + std::to_string(i) +
                "\r\nEnd Sub\r\n";
    }
    CodeModule m(text);
    for (int round = 0; round < 40; ++round) {
        const std::string name = "P" + std::to_string((round * 37) % 300);
        const int32_t body = m.ProcBodyLine(name, 0);
        m.InsertLines(body + 1, "    y = 1\r\n    z = 2");
        if (round % 3 == 0)
            m.AddFromString("Public Sub N" + std::to_string(round) + "()\r\nEnd Sub\r\n");
        if (round % 4 == 1)
            m.DeleteLines(body + 1, 1);
        if (round % 5 == 2)
            m.InsertLines(m.CountOfLines() + 1,
                          "Public Sub E" + std::to_string(round) + "()\r\nEnd Sub");
    }
    ExpectSameIndexAsFreshScan(m);
}

TEST(CodeModuleTest, ProceduresAddedBeforeTheFirstStayIndexed) {
    // Generation adds each new procedure before the first one, thousands of
    // times; the index makes room at its front. Mixed in: whole procedures
    // put in after the first procedure, after the 70th and near the end,
    // lines added to and removed from bodies.
    std::string text = "Option Explicit\r\nPrivate m_X As Long\r\n";
    for (int i = 0; i < 150; ++i)
        text += "\r\nPublic Sub P" + std::to_string(i) + "()\r\n    x = 1\r\nEnd Sub\r\n";
    CodeModule m(text);
    for (int round = 0; round < 400; ++round) {
        const std::string id = std::to_string(round);
        std::string added = "Public Sub F" + id + "()\r\n    RaiseEvent E\r\nEnd Sub\r\n";
        if (round % 5 == 0)
            added += "\r\nPublic Property Get G" + id + "() As Long\r\nEnd Property\r\n";
        m.AddFromString(added);
        if (round % 6 == 1) {
            m.InsertLines(m.ProcBodyLine("F" + std::to_string(round - 1), 0),
                          "Private Sub A" + id + "()\r\nEnd Sub\r\n");
        } else if (round % 6 == 5 && round >= 70) {
            m.InsertLines(m.ProcBodyLine("F" + std::to_string(round - 70), 0),
                          "Private Sub C" + id + "()\r\nEnd Sub\r\n");
        } else if (round % 6 == 3) {
            m.InsertLines(m.ProcBodyLine("P140", 0), "Private Sub B" + id + "()\r\nEnd Sub\r\n");
        }
        const std::string target = "P" + std::to_string((round * 7) % 150);
        if (round % 4 == 2)
            m.InsertLines(m.ProcBodyLine(target, 0) + 1, "    y = 2");
        if (round % 8 == 6)
            m.DeleteLines(m.ProcBodyLine(target, 0) + 1, 1);
        if (round % 100 == 99) {
            SCOPED_TRACE("round " + id);
            ExpectSameIndexAsFreshScan(m);
        }
    }
    EXPECT_EQ(m.ProcStartLine("F399", 0), 3);
}

TEST(CodeModuleTest, DeletesAndReplacesKeepTheIndexRight) {
    CodeModule m(Join(kCaption));
    m.DeleteLines(6);  // a body line
    ExpectGeometry(m, {{"Caption", 3, 3, 5, 4}, {"Caption", 1, 7, 8, 5}});
    m.ReplaceLine(6, "End Property ' closed");
    ExpectGeometry(m, {{"Caption", 1, 7, 8, 5}});
    m.ReplaceLine(8, "Public Property Let Title(ByVal v As String)");
    EXPECT_EQ(ErrorOf([&] { m.ProcStartLine("Caption", 1); }), 35);
    ExpectGeometry(m, {{"Title", 1, 7, 8, 5}});
    m.DeleteLines(3, 4);  // the whole Get
    ExpectGeometry(m, {{"Title", 1, 3, 4, 5}});
    EXPECT_EQ(ErrorOf([&] { m.ProcStartLine("Caption", 3); }), 35);
}

TEST(CodeModuleTest, AddFromStringGoesBeforeTheFirstProcedure) {
    CodeModule m(Join(kCaption));
    m.AddFromString("Private m_Dirty As Boolean");
    EXPECT_EQ(m.Lines(3, 1), "Private m_Dirty As Boolean");
    EXPECT_EQ(m.CountOfDeclarationLines(), 3);
    m.AddFromString("Public Sub A()\r\nEnd Sub\r\n\r\n");
    // The blank line after A's End belongs to the procedure below it.
    ExpectGeometry(m, {{"A", 0, 4, 4, 2}, {"Caption", 3, 6, 9, 6}});
    m.AddFromString("Public Sub B()\r\nEnd Sub\r\n");
    ExpectGeometry(m, {{"B", 0, 4, 4, 2}, {"A", 0, 6, 6, 2}, {"Caption", 3, 8, 11, 6}});
}

TEST(CodeModuleTest, AddFromStringAppendsWithoutProcedures) {
    CodeModule m("Option Explicit\r\n' only a comment\r\n");
    m.AddFromString("Sub A()\r\nEnd Sub\r\n");
    EXPECT_EQ(m.Lines(1, m.CountOfLines()),
              "Option Explicit\r\n' only a comment\r\nSub A()\r\nEnd Sub");
    ExpectGeometry(m, {{"A", 0, 2, 3, 3}});
    CodeModule empty;
    empty.AddFromString("Sub B()\r\nEnd Sub");
    ExpectGeometry(empty, {{"B", 0, 1, 1, 2}});
    EXPECT_EQ(empty.CountOfDeclarationLines(), 0);
}

TEST(CodeModuleTest, InsertLinesTextAndRange) {
    CodeModule m("a\r\nb\r\n");
    m.InsertLines(2, "x\r\ny\r\n");
    m.InsertLines(1, "");
    EXPECT_EQ(m.Lines(1, 5), "\r\na\r\nx\r\ny\r\nb");
    EXPECT_EQ(ErrorOf([&] { m.InsertLines(0, "z"); }), 5);
    EXPECT_EQ(ErrorOf([&] { m.InsertLines(7, "z"); }), 5);
    EXPECT_EQ(ErrorOf([&] { m.DeleteLines(5, 2); }), 5);
    EXPECT_EQ(ErrorOf([&] { m.ReplaceLine(6, "z"); }), 5);
    EXPECT_EQ(m.Lines(3, 0), "");
}

struct FindCase {
    const char* what;
    const char* target;
    int32_t sl, sc, el, ec;
    bool whole, match, pattern;
    bool found;
    int32_t fsl, fsc, fel, fec;
};

TEST(CodeModuleTest, FindTable) {
    CodeModule m(Join({
        "Private Sub Text1_Click()",         // 1
        "    'Added by Wizard -- ",          // 2
        "    RaiseEvent Click ()",           // 3
        "End Sub",                           // 4
        "Sub Other()",                       // 5
        "    Text1.Caption = Text1Caption",  // 6
        "End Sub",                           // 7
    }));
    const std::vector<FindCase> table = {
        {"plain hit", "RaiseEvent ", 1, 1, 4, 1, false, false, false, true, 3, 5, 3, 16},
        {"ignores case", "raiseevent", 1, 1, -1, -1, false, false, false, true, 3, 5, 3, 15},
        {"match case misses", "raiseevent", 1, 1, -1, -1, false, true, false, false, 0, 0, 0, 0},
        {"outside the range", "RaiseEvent", 4, 1, 7, 1, false, false, false, false, 0, 0, 0, 0},
        {"end column limits the end line", "End Sub", 1, 1, 4, 1, false, false, false, false, 0, 0,
         0, 0},
        {"end column at the match's end", "End Sub", 1, 1, 4, 7, false, false, false, true, 4, 1, 4,
         8},
        {"end line -1 is the last line", "Other", 1, 1, -1, 1, false, false, false, true, 5, 5, 5,
         10},
        {"start column skips", "Text1", 6, 6, 6, -1, false, false, false, true, 6, 21, 6, 26},
        {"whole word skips Text1Caption", "Text1", 6, 6, 6, -1, true, false, false, false, 0, 0, 0,
         0},
        {"whole word hit", "Caption", 6, 1, 7, -1, true, false, false, true, 6, 11, 6, 18},
        {"dashed comment", "'Added by Wizard --", 1, 1, 5, 1, false, false, false, true, 2, 5, 2,
         24},
        {"pattern", "Text#.*=", 1, 1, -1, -1, false, false, true, true, 6, 5, 6, 20},
        {"pattern list", "[!0-9]ther", 1, 1, -1, -1, false, false, true, true, 5, 5, 5, 10},
        {"end line past the end", "End Sub", 5, 1, 99, 1, false, false, false, true, 7, 1, 7, 8},
    };
    for (const FindCase& c : table) {
        SCOPED_TRACE(c.what);
        int32_t sl = c.sl, sc = c.sc, el = c.el, ec = c.ec;
        EXPECT_EQ(m.Find(c.target, sl, sc, el, ec, c.whole, c.match, c.pattern), c.found);
        if (c.found) {
            EXPECT_EQ(sl, c.fsl);
            EXPECT_EQ(sc, c.fsc);
            EXPECT_EQ(el, c.fel);
            EXPECT_EQ(ec, c.fec);
        } else {
            EXPECT_EQ(sl, c.sl);
            EXPECT_EQ(sc, c.sc);
            EXPECT_EQ(el, c.el);
            EXPECT_EQ(ec, c.ec);
        }
    }
    int32_t sl = 1, sc = 1, el = -1, ec = -1;
    EXPECT_EQ(ErrorOf([&] { m.Find("x", sl, sc, el, ec, false, true, true); }), 5);
}

TEST(CodeModuleTest, ContinuedHeaderAndDeclaration) {
    CodeModule m(Join({
        "Private Const Big As Long = 1 + _",     // 1
        "    2",                                 // 2
        "' about F",                             // 3
        "Public Function F(ByVal a As Long, _",  // 4
        "    ByVal b As Long) As Long",          // 5
        "    ' End Function inside a comment",   // 6
        "End Function",                          // 7
    }));
    EXPECT_EQ(m.CountOfDeclarationLines(), 2);
    ExpectGeometry(m, {{"F", 0, 3, 4, 5}});
}

TEST(CodeModuleTest, LabelsAndLineNumbersBeforeEndStatements) {
    const std::vector<std::string> code = {
        "Option Explicit",         // 1
        "Private Sub A()",         // 2
        "    On Error GoTo Done",  // 3
        "    Beep",                // 4
        "Done: End Sub",           // 5
        "' about B",               // 6
        "Private Sub B()",         // 7
        "    Beep",                // 8
        "100 End Sub",             // 9
        "",                        // 10
        "Private Function C() _",  // 11
        "    As Long",             // 12
        "10: End Function",        // 13
        "",                        // 14
        "Private Sub D()",         // 15
        "    Stop: x = 1",         // 16
        "    Call Go(Count:=1)",   // 17
        "End Sub",                 // 18
    };
    CodeModule m(Join(code));
    ExpectGeometry(
        m, {{"A", 0, 2, 2, 4}, {"B", 0, 6, 7, 4}, {"C", 0, 10, 11, 4}, {"D", 0, 14, 15, 5}});
    // Inserting into B keeps the later procedures where they are.
    m.InsertLines(8, "    Beep");
    ExpectGeometry(m, {{"B", 0, 6, 7, 5}, {"C", 0, 11, 12, 4}});
}

}  // namespace
}  // namespace qfw::ide
