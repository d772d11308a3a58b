// MergeProcedure: forwarding into existing handlers, one more constituent in
// existing properties and methods, and new handlers through NEWPROC.DAT.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "generation/generation_fixture.h"
#include "platform/win_path.h"

namespace qfw {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string text = CrLf(lines);
    return text.substr(0, text.size() - 2);
}

class MergeProcedureTest : public GenerationTest {
  protected:
    // Loads `code` as the UserControl's code, merges, and compares the result.
    void ExpectMerge(const std::vector<std::string>& code, int16_t kind, const std::string& name,
                     const std::string& parameters, bool expectedResult,
                     const std::vector<std::string>& expectedCode, const std::string& token = "",
                     bool useSet = false) {
        WriteUserControlCode(code);
        Load();
        EXPECT_EQ(
            WizardTestPeer::Merge(wizard_, kind, name, parameters, token, useSet, "Text2", ""),
            expectedResult)
            << name;
        EXPECT_EQ(ModuleText(), Joined(expectedCode)) << name;
    }
};

TEST_F(MergeProcedureTest, ForwardingIntoExistingHandlers) {
    // No wizard comment: the comment and the call come two lines below the
    // procedure's start line (here the blank line above it).
    ExpectMerge({"Option Explicit", "", "Private Sub Text2_Click()", "    Beep", "End Sub"}, 2,
                "Click", "", true,
                {"Option Explicit", "", "Private Sub Text2_Click()", "",
                 "\t'Added by Quillfern Constituent Wizard -- ", "\tRaiseEvent Click ()", "",
                 "    Beep", "End Sub"});
    // With the comment: the call goes two lines below it, without the blank
    // before its parenthesis.
    ExpectMerge(
        {"Option Explicit", "Private Sub Text2_KeyDown(KeyCode As Integer, Shift As Integer)", "",
         "\t'Added by Quillfern Constituent Wizard -- ", "", "End Sub"},
        2, "KeyDown", "KeyCode As Integer, Shift As Integer", true,
        {"Option Explicit", "Private Sub Text2_KeyDown(KeyCode As Integer, Shift As Integer)", "",
         "\t'Added by Quillfern Constituent Wizard -- ", "", "",
         "\tRaiseEvent KeyDown(KeyCode,  Shift)", "", "End Sub"});
    // Any RaiseEvent, even of another event, leaves the handler alone.
    const std::vector<std::string> raising = {"Option Explicit", "Private Sub Text2_Change()",
                                              "    raiseevent Changed", "End Sub"};
    ExpectMerge(raising, 2, "Change", "", false, raising);
}

TEST_F(MergeProcedureTest, PropertyLetGetsOneMoreAssignment) {
    const std::vector<std::string> let = {"Option Explicit",
                                          "Public Property Let Font (fonFont As Font)",
                                          "",
                                          "    'Added by Quillfern Constituent Wizard -- 12/3/2026",
                                          "    Set Text1.Font = fonFont",
                                          "    PropertyChanged \"Font\"",
                                          "",
                                          "End Property"};
    std::vector<std::string> merged = let;
    merged.insert(merged.begin() + 5, "    Set Text2.Font = fonFont");
    ExpectMerge(let, 0, "Font", "", false, merged, "fon", true);

    // Already wired, hand-written without the comment, or only a Get: unchanged.
    const std::vector<std::string> unchanged[] = {
        merged,
        {"Option Explicit", "Public Property Let Font(ByVal f As Font)", "    Set m_f = f",
         "End Property"},
        {"Option Explicit", "Public Property Get Font() As Font", "    Set Font = m_f",
         "End Property"},
    };
    for (const auto& code : unchanged)
        ExpectMerge(code, 0, "Font", "", false, code, "fon", true);
}

TEST_F(MergeProcedureTest, MethodGetsACallWithEmptyArguments) {
    // A Sub from an earlier merge carries the comment with dashes.
    ExpectMerge(
        {"Option Explicit", "Public Sub Refresh()", "\t'Added by Quillfern Constituent Wizard --",
         "\tRefresh=Text1.Refresh()", "End Sub"},
        1, "Refresh", "", false,
        {"Option Explicit", "Public Sub Refresh()", "\t'Added by Quillfern Constituent Wizard --",
         "\tRefresh=Text1.Refresh()", "", "\tRefresh=Text2.Refresh()", "", "End Sub"});
    // One written by the builder has the comment without dashes, so the call
    // brings a comment of its own, relative to the start line.
    ExpectMerge({"Option Explicit", "Public Sub Move(Left As Single)", "",
                 "    'Added by Quillfern Constituent Wizard 12/3/2026", "    Text1.Move(Left)", "",
                 "End Sub"},
                1, "Move", "Left As Single", false,
                {"Option Explicit", "Public Sub Move(Left As Single)", "", "",
                 "\t'Added by Quillfern Constituent Wizard --", "\tMove=Text2.Move()", "",
                 "    'Added by Quillfern Constituent Wizard 12/3/2026", "    Text1.Move(Left)", "",
                 "End Sub"});
    // Another kind changes nothing.
    const std::vector<std::string> code = {"Option Explicit", "Public Sub Move()", "End Sub"};
    ExpectMerge(code, 3, "Move", "", false, code);
}

TEST_F(MergeProcedureTest, NewHandlerFallsBackToTheUserFolder) {
    // A program folder that cannot hold files (a path below a regular file).
    std::ofstream(folder_ + "/program/blocker") << "x";
    wizard_.SetWorkFolders(programFolder_ + "\\blocker\\sub", userFolder_);
    EXPECT_TRUE(WizardTestPeer::Merge(wizard_, 2, "Click", "", "", false, "Text2", ""));
    EXPECT_TRUE(std::filesystem::exists(folder_ + "/userdata/NEWPROC.DAT"));
    EXPECT_NE(ModuleText().find("Private Sub Text2_Click()"), std::string::npos);
}

TEST_F(MergeProcedureTest, HandlerThatCannotBeAddedIsNotReported) {
    std::ofstream(folder_ + "/program/blocker") << "x";
    wizard_.SetWorkFolders(programFolder_ + "\\blocker\\a", programFolder_ + "\\blocker\\b");
    const std::string before = ModuleText();
    EXPECT_FALSE(WizardTestPeer::Merge(wizard_, 2, "Click", "", "", false, "Text2", ""));
    // Without a handler the builder declares nothing.
    EXPECT_EQ(wizard_.BuildProcedures({2}, {"Click () "}, "Text2"), 0);
    EXPECT_EQ(ModuleText(), before);

    // The file is written but the module named by UserControlName is unknown.
    wizard_.SetWorkFolders(programFolder_, userFolder_);
    WizardTestPeer::Target(wizard_, "DemoCtl", "NoSuchControl", userControl_->FileNames(1));
    EXPECT_FALSE(WizardTestPeer::Merge(wizard_, 2, "Click", "", "", false, "Text2", ""));
    EXPECT_EQ(ModuleText(), before);
}

}  // namespace
}  // namespace qfw
