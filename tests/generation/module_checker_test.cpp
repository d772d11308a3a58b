// The module checker the generation tests rely on: each rule catches the
// module it is there for, and valid code passes.
#include "support/module_checker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace qfw::testing {
namespace {

TEST(ModuleChecker, EachRuleCatchesItsFault) {
    struct Case {
        const char* title;
        std::vector<std::string> code;
        const char* problem;  // a piece of the one problem expected; nullptr for none
    };
    const Case cases[] = {
        {"valid code with labels, continued headers and Call",
         {"Option Explicit", "Event Click()", "Private Sub Text1_Click()",
          "    RaiseEvent Click ()", "    Call Text1.Move(1, 2)", "    Text1.Move 1, 2",
          "Done: End Sub", "Public Function Span(A As Long, _", "    B As Long)",
          "    Span = Text1.Span(A, B)", "100 End Function"},
         nullptr},
        {"an indexed property's accessors",
         {"Public Property Let List(ByVal Index As Integer, sList As String)", "End Property",
          "Public Property Get List(Index As Integer) As String", "End Property",
          "Public Property Set Panel(Index, Panel As Panel)", "End Property",
          "Public Property Get Panel(Index) As Panel", "End Property"},
         nullptr},
        {"Set of a property the module gives only a Let",
         {"Public Property Let Font (fonFont As Font)", "    Set Text1.Font = fonFont",
          "End Property", "Public Property Get Font() As Font", "    Set Font = Text1.Font",
          "End Property", "Private Sub UserControl_ReadProperties(PropBag As PropertyBag)",
          "    Set Font = PropBag.ReadProperty(\"Font\", Ambient.Font)", "End Sub"},
         "has no Property Set"},
        {"Set of a property with a Property Set, and of one the module does not define",
         {"Public Property Set Font (fonFont As Font)", "End Property",
          "Public Property Get Font() As Font", "End Property", "Private Sub Go()",
          "    Set Font = Ambient.Font", "    Set Picture = Nothing", "End Sub"},
         nullptr},
        {"Let without the Get's index",
         {"Public Property Let List(Index)", "End Property", "Public Property Get List() As String",
          "End Property"},
         "inconsistent"},
        {"Let of another type than the Get",
         {"Public Property Get Caption() As String", "End Property",
          "Public Property Let Caption (lCaption As Long)", "End Property"},
         "inconsistent"},
        {"Let whose index differs from the Get's",
         {"Public Property Let List(Index As Long, sList As String)", "End Property",
          "Public Property Get List(Index As Integer) As String", "End Property"},
         "inconsistent"},
        {"Let without a value", {"Public Property Let Caption()", "End Property"}, "no value"},
        {"undeclared event",
         {"Option Explicit", "'Event Click()", "Private Sub Text1_Click()", "    RaiseEvent Click",
          "End Sub"},
         "RaiseEvent Click"},
        {"assignment to a Sub's name",
         {"Public Sub Refresh()", "\tRefresh=Text1.Refresh()", "End Sub"},
         "assigns to its own name"},
        {"several arguments in parentheses",
         {"Public Sub Move(Left As Single, Top As Single)", "    txt(0).Move(Left, Top)",
          "End Sub"},
         "without Call"},
        {"event declared twice", {"Event Click()", "Public Event Click()"}, "event Click"},
        {"procedure declared twice",
         {"Public Sub Refresh()", "End Sub", "Public Sub refresh()", "End Sub"},
         "Ambiguous name"},
        {"statement after the procedures",
         {"Public Sub Refresh()", "End Sub", "    RaiseEvent Click ()"},
         "Only comments"},
        {"statement in the declarations", {"Option Explicit", "Text1.Refresh"}, "Invalid outside"},
        {"procedure inside a procedure",
         {"Public Sub A()", "Public Sub B()", "End Sub"},
         "starts inside A"},
        {"End of another kind", {"Public Function A()", "End Sub"}, "does not match A"},
        {"handler with the wrong parameters",
         {"Private Sub Text1_KeyDown(KeyCode As Integer)", "End Sub"},
         "does not match description"},
        {"array handler without Index",
         {"Private Sub txt_Change()", "End Sub"},
         "does not match description"},
        {"ByVal where the event passes by reference",
         {"Private Sub Text1_KeyDown(ByVal KeyCode As Integer, Shift As Integer)", "End Sub"},
         "does not match description"},
        {"enumerations assigned as values, objects with Set",
         {"Public Property Let Shading (Shading As ViewLib.Shade)", "    Text1.Shading = Shading",
          "End Property", "Public Function Pressed", "    Set Pressed = Text1.Pressed( )",
          "    Set Text1.Picked = txt(0).Pressed", "End Function"},
         nullptr},
        {"Set from an enumeration parameter",
         {"Public Property Let Shading (Shading As ViewLib.Shade)",
          "    Set Text1.Shading = Shading", "End Property"},
         "enumeration ViewLib.Shade"},
        {"Set to a property of an enumeration type",
         {"Public Property Get Shading() As viewlib.shade", "    Set Shading = Text1.Caption",
          "End Property"},
         "enumeration viewlib.shade"},
        {"Set from a constituent's enumeration member",
         {"Public Function ShadeAt(ByVal Row As Long)", "\tSet ShadeAt=txt(0).ShadeAt(Row)",
          "End Function"},
         "enumeration ViewLib.Shade"},
    };
    ModuleExpectations expectations;
    expectations.constituents["Text1"].events = {"KeyDown (KeyCode As Integer, Shift As Integer) "};
    expectations.constituents["Text1"].members = {"Shading As ViewLib.Shade",
                                                  "Pressed () As ViewLib.Button"};
    expectations.constituents["txt"] = {{"Change () "}, true};
    expectations.constituents["txt"].members = {"ShadeAt (ByVal Row As Long) As ViewLib.Shade",
                                                "Pressed () As ViewLib.Button"};
    expectations.enumerationTypes = {"ViewLib.Shade"};
    for (const Case& c : cases) {
        const std::vector<std::string> problems = CheckModule(CrLf(c.code), expectations);
        if (!c.problem) {
            EXPECT_TRUE(problems.empty()) << c.title << "\n" << DescribeProblems(problems);
            continue;
        }
        ASSERT_EQ(problems.size(), 1u) << c.title << "\n" << DescribeProblems(problems);
        EXPECT_NE(problems[0].find(c.problem), std::string::npos) << c.title << ": " << problems[0];
    }
}

TEST(ModuleChecker, SavedFilesAreReadPastTheirHeader) {
    const std::string file = CrLf(
        {"VERSION 5.00", "Begin VB.UserControl A ", "   Begin VB.TextBox T ",
         "      BeginProperty Font ", "      EndProperty", "   End", "End",
         "Attribute VB_Name = \"A\"", "Option Explicit", "Public Property Get Caption() As String",
         "Attribute Caption.VB_UserMemId = 0", "End Property"});
    EXPECT_TRUE(CheckModule(file).empty()) << DescribeProblems(CheckModule(file));
}

}  // namespace
}  // namespace qfw::testing
