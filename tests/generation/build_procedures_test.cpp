// BuildProcedures on a real UserControl file: the generated text byte for
// byte, where it lands, and the batch rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "generation/generation_fixture.h"
#include "platform/vb_error.h"
#include "support/module_checker.h"

namespace qfw {
namespace {

const std::vector<std::string> kProperties = {"Caption As String", "Font As StdFont",
                                              "BackColor As OLE_COLOR", "hWnd As Long"};
const std::vector<std::string> kMethods = {"Move (Left As Single, Top As Variant) ",
                                           "GetCount () As Long"};
const std::vector<std::string> kEvents = {"Click () ",
                                          "KeyDown (KeyCode As Integer, Shift As Integer) "};

std::vector<int16_t> Kinds(size_t count, int16_t kind) {
    return std::vector<int16_t>(count, kind);
}

class BuildProceduresTest : public GenerationTest {
  protected:
    // One constituent's three batches, in the order the item-list builder
    // passes them.
    void GenerateFor(const std::string& control) {
        EXPECT_EQ(wizard_.BuildProcedures(Kinds(kProperties.size(), 0), kProperties, control), 0);
        EXPECT_EQ(wizard_.BuildProcedures(Kinds(kMethods.size(), 1), kMethods, control), 0);
        EXPECT_EQ(wizard_.BuildProcedures(Kinds(kEvents.size(), 2), kEvents, control), 0);
    }
};

TEST_F(BuildProceduresTest, EachBatchWritesItsGoldenWorkFile) {
    ASSERT_EQ(wizard_.BuildProcedures(Kinds(4, 0), kProperties, "Text1"), 0);
    EXPECT_EQ(ReadProjectFile("QFNCODE.DAT"), FixtureBytes("qfncode_properties.golden"));
    ASSERT_EQ(wizard_.BuildProcedures(Kinds(2, 1), kMethods, "Text1"), 0);
    EXPECT_EQ(ReadProjectFile("QFNCODE.DAT"), FixtureBytes("qfncode_methods.golden"));
    ASSERT_EQ(wizard_.BuildProcedures(Kinds(2, 2), kEvents, "Text1"), 0);
    EXPECT_EQ(ReadProjectFile("QFNCODE.DAT"), FixtureBytes("qfncode_events.golden"));
    // The last handler written stays in the program's folder.
    EXPECT_EQ(ReadProjectFile("../program/NEWPROC.DAT"), FixtureBytes("newproc_keydown.golden"));
}

TEST_F(BuildProceduresTest, ABatchOfHandlersLeavesTheLastInTheFolderItCouldWrite) {
    // The program's folder cannot hold files: the batch's handlers go through
    // the user's folder, where the last one stays, and every handler reaches
    // the module.
    std::ofstream(folder_ + "/program/blocker") << "x";
    wizard_.SetWorkFolders(programFolder_ + "\\blocker\\sub", userFolder_);
    ASSERT_EQ(wizard_.BuildProcedures(Kinds(kEvents.size(), 2), kEvents, "Text1"), 0);
    EXPECT_EQ(ReadProjectFile("../userdata/NEWPROC.DAT"), FixtureBytes("newproc_keydown.golden"));
    EXPECT_NE(ModuleText().find("Private Sub Text1_Click()"), std::string::npos);
    EXPECT_NE(ModuleText().find("Private Sub Text1_KeyDown("), std::string::npos);
}

TEST_F(BuildProceduresTest, TwoConstituentsGiveTheGoldenUserControl) {
    GenerateFor("Text1");
    EXPECT_EQ(SaveAndRead(), FixtureBytes("MyCtl_after_text1.ctl"));

    // The second constituent finds every procedure: its properties and
    // methods are merged, its events get handlers of their own and no second
    // declaration.
    const std::string workFile = ReadProjectFile("QFNCODE.DAT");
    EXPECT_EQ(wizard_.BuildProcedures(Kinds(4, 0), kProperties, "Text2"), 0);
    EXPECT_EQ(ReadProjectFile("QFNCODE.DAT"), workFile);
    EXPECT_EQ(wizard_.BuildProcedures(Kinds(2, 1), kMethods, "Text2"), 0);
    EXPECT_EQ(wizard_.BuildProcedures(Kinds(2, 2), kEvents, "Text2"), 0);
    EXPECT_EQ(SaveAndRead(), FixtureBytes("MyCtl_after_text2.ctl"));
    // Nothing new to declare: the work file was deleted and not rewritten.
    EXPECT_FALSE(ProjectFileExists("QFNCODE.DAT"));
    EXPECT_EQ(wizard_.LastErrorNumber(), kErrSubscriptOutOfRange);

    // Running the first constituent again finds it wired in everywhere.
    GenerateFor("Text1");
    EXPECT_EQ(SaveAndRead(), FixtureBytes("MyCtl_after_text2.ctl"));
}

TEST_F(BuildProceduresTest, PropertyVariantsFromTheCaseFile) {
    for (const CaseBlock& c : ReadCases("property_variants.txt")) {
        ASSERT_EQ(wizard_.BuildProcedures({0}, {c.keys.at("item")}, "Text1"), 0) << c.title;
        std::istringstream file(ReadProjectFile("QFNCODE.DAT"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line.substr(0, line.size() - 1));
        ASSERT_EQ(lines.size(), 15u) << c.title;
        EXPECT_EQ((std::vector<std::string>{lines[0], lines[3], lines[8], lines[11]}), c.expect)
            << c.title;
    }
}

TEST_F(BuildProceduresTest, MethodsPassEveryArgumentAndReturnTheirValue) {
    struct Case {
        std::string item, header, body;
    };
    const Case cases[] = {
        {"Clear () ", "Public Sub Clear", "    Text1.Clear"},
        {"SetColor (Index As Long) ", "Public Sub SetColor(Index As Long)",
         "    Text1.SetColor(Index)"},
        {"Move (Left As Single, Top As Variant) ",
         "Public Sub Move(Left As Single, Top As Variant)", "    Text1.Move Left, Top"},
        {"ButtonClick (ByVal Button As MSComctlLib.Button) ",
         "Public Sub ButtonClick(ByVal Button As MSComctlLib.Button)",
         "    Text1.ButtonClick(Button)"},
        {"Find (Target As String) As Long", "Public Function Find(Target As String)",
         "    Find = Text1.Find(Target)"},
        {"Span (A As Long, B As Long) As Long", "Public Function Span(A As Long, B As Long)",
         "    Span = Text1.Span(A, B)"},
        {"Items () As MSComctlLib.ListItems", "Public Function Items",
         "    Set Items = Text1.Items( )"},
        {"GetFont () As StdFont", "Public Function GetFont", "    Set GetFont = Text1.GetFont( )"},
        {"GetColor () As Long", "Public Function GetColor", "    GetColor = Text1.GetColor( )"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(wizard_.BuildProcedures({1}, {c.item}, "Text1"), 0) << c.item;
        const std::string keyword =
            c.header.find("Function") != std::string::npos ? "Function" : "Sub";
        EXPECT_EQ(ReadProjectFile("QFNCODE.DAT"),
                  CrLf({c.header, "", "    'Added by Quillfern Constituent Wizard 12/3/2026",
                        c.body, "", "End " + keyword, ""}))
            << c.item;
    }
}

TEST_F(BuildProceduresTest, EnumerationsAreAssignedAsValuesInNewAndMergedProcedures) {
    // The libraries read for the run named ViewLib.Shade an enumeration;
    // ViewLib.Button stays an object type.
    wizard_.AddEnumerationTypes({"viewlib.SHADE"});
    const std::vector<std::string> properties = {"Shading As ViewLib.Shade",
                                                 "Picked As ViewLib.Button"};
    const std::vector<std::string> methods = {"ShadeAt (ByVal Row As Long) As ViewLib.Shade",
                                              "DefaultShade () As ViewLib.Shade",
                                              "Pressed () As ViewLib.Button"};
    for (const char* control : {"Text1", "Text2"}) {
        ASSERT_EQ(wizard_.BuildProcedures(Kinds(2, 0), properties, control), 0);
        ASSERT_EQ(wizard_.BuildProcedures(Kinds(3, 1), methods, control), 0);
    }
    const std::string code = ModuleText();
    for (const char* line : {
             "Public Property Let Shading (Shading As ViewLib.Shade)",
             "    Text1.Shading = Shading",
             "    Text2.Shading = Shading",
             "Public Property Get Shading() As ViewLib.Shade",
             "    Shading = Text1.Shading",
             "    Set Text1.Picked = Picked",
             "    Set Text2.Picked = Picked",
             "    Set Picked = Text1.Picked",
             "    ShadeAt = Text1.ShadeAt(Row)",
             "\tShadeAt=Text2.ShadeAt(Row)",
             "    DefaultShade = Text1.DefaultShade( )",
             "\tDefaultShade=Text2.DefaultShade()",
             "    Set Pressed = Text1.Pressed( )",
             "\tSet Pressed=Text2.Pressed()",
         }) {
        EXPECT_NE(code.find(std::string(line) + "\r\n"), std::string::npos) << line;
    }
    for (const char* control : {"Text1", "Text2"})
        expectations_.constituents[control].members = {properties[0], properties[1], methods[0],
                                                       methods[1], methods[2]};
    expectations_.enumerationTypes = {"ViewLib.Shade"};
}

TEST_F(BuildProceduresTest, ControlArrayDelegatesToItsElement) {
    ASSERT_EQ(wizard_.BuildProcedures({0}, {"Text As String"}, "txt(0)"), 0);
    ASSERT_EQ(wizard_.BuildProcedures({1}, {"Move (Left As Single, Top As Variant) "}, "txt(0)"),
              0);
    ASSERT_EQ(wizard_.BuildProcedures({2, 2}, {"Change () ", "KeyPress (KeyAscii As Integer) "},
                                      "txt(0)"),
              0);
    const std::string code = ModuleText();
    for (const char* line :
         {"    txt(0).Text = sText", "    Text = txt(0).Text", "    txt(0).Move Left, Top",
          "Private Sub txt_Change(Index As Integer)", "\tRaiseEvent Change ()",
          "Private Sub txt_KeyPress(Index As Integer, KeyAscii As Integer)",
          "\tRaiseEvent KeyPress (KeyAscii)", "Event KeyPress(KeyAscii As Integer)"}) {
        EXPECT_NE(code.find(std::string(line) + "\r\n"), std::string::npos) << line;
    }
    expectations_.constituents["txt"] = {{"Change () ", "KeyPress (KeyAscii As Integer) "}, true};
}

TEST_F(BuildProceduresTest, HwndIsSkippedInAnyLetterCase) {
    const std::string before = ModuleText();
    EXPECT_EQ(
        wizard_.BuildProcedures({0, 0, 1}, {"hWnd As Long", "HWND As Long", "hwnd () "}, "Text1"),
        0);
    EXPECT_EQ(ModuleText(), before);
    EXPECT_FALSE(ProjectFileExists("QFNCODE.DAT"));
}

TEST_F(BuildProceduresTest, BatchWhoseItemsAllExistInsertsNothing) {
    // Caption exists only as a Get (nothing to merge into); Text's Let is
    // already wired to Text1.
    WriteUserControlCode({"Option Explicit", "", "Public Property Get Caption() As String",
                          "End Property", "", "Public Property Let Text(ByVal s As String)",
                          "    'Added by Quillfern Constituent Wizard -- 1/1/2026",
                          "    Text1.Text = s", "End Property"});
    Load();
    wizard_.AddItemsToPendingFile("DemoCtl", {"' left from an earlier run"});
    const std::string before = ModuleText();
    EXPECT_EQ(wizard_.BuildProcedures({0, 0}, {"Caption As String", "Text As String"}, "Text1"), 0);
    EXPECT_EQ(ModuleText(), before);
    EXPECT_EQ(ReadProjectFile("QFNCODE.DAT"), "' left from an earlier run\r\n");
}

TEST_F(BuildProceduresTest, EventsThatAlreadyRaiseLeaveTheBufferEmpty) {
    WriteUserControlCode({"Option Explicit", "Event Changed()", "Private Sub Text1_Click()",
                          "    RaiseEvent Changed", "End Sub"});
    Load();
    wizard_.AddItemsToPendingFile("DemoCtl", {"stale"});
    const std::string before = ModuleText();
    EXPECT_EQ(wizard_.BuildProcedures({2}, {"Click () "}, "Text1"), 0);
    EXPECT_EQ(ModuleText(), before);
    EXPECT_FALSE(ProjectFileExists("QFNCODE.DAT"));
}

TEST_F(BuildProceduresTest, OnlyEventStatementsDeclareEvents) {
    const std::string handler = FixtureBytes("newproc_click.golden");
    struct Case {
        std::vector<std::string> code;
        bool declares;
    };
    const Case cases[] = {
        {{"Option Explicit", "Public Event Click()"}, false},
        {{"Option Explicit", "  event click ()"}, false},
        // Comments and strings that mention the event declare nothing.
        {{"Option Explicit", "'Event Click()", "Private Const Note = \"Event Click() fires\""},
         true},
        {{"Option Explicit", "Event ClickTwice()"}, true},
    };
    for (const Case& c : cases) {
        WriteUserControlCode(c.code);
        Load();
        EXPECT_EQ(wizard_.BuildProcedures({2}, {"Click () "}, "Text1"), 0);
        std::string expected = JoinedCrLf(c.code) + "\r\n";
        if (c.declares)
            expected += "Event Click()\r\n";
        expected += handler.substr(0, handler.size() - 2);
        EXPECT_EQ(ModuleText(), expected) << c.code.back();
        const auto problems = testing::CheckModule(ModuleText());
        EXPECT_TRUE(problems.empty()) << testing::DescribeProblems(problems);
    }
}

TEST_F(BuildProceduresTest, ErrorsEndTheCallWithTheirNumber) {
    const std::string before = ModuleText();
    // A parameter list that is never closed: nothing of the batch is
    // inserted, not even the items before it.
    EXPECT_EQ(
        wizard_.BuildProcedures({0, 0}, {"Caption As String", "Broken (Left As Single"}, "Text1"),
        kErrInvalidProcedureCall);
    EXPECT_EQ(ModuleText(), before);
    EXPECT_FALSE(ProjectFileExists("QFNCODE.DAT"));

    WizardTestPeer::Target(wizard_, "NoSuchProject", "MyCtl", userControl_->FileNames(1));
    EXPECT_EQ(wizard_.BuildProcedures({0}, {"Caption As String"}, "Text1"), kErrObjectNotSet);
    EXPECT_EQ(ModuleText(), before);
}

TEST_F(BuildProceduresTest, LinesThatCannotReachTheModuleFailTheCall) {
    // Without the UserControl in the active project there is no module to
    // insert into: the batch is lost, and the call says so.
    WizardTestPeer::Target(wizard_, "DemoCtl", "MyCtl", "");
    const std::string before = ModuleText();
    EXPECT_EQ(wizard_.BuildProcedures({0}, {"Caption As String"}, "Text1"),
              kErrSubscriptOutOfRange);
    EXPECT_EQ(ModuleText(), before);
    EXPECT_EQ(ReadProjectFile("QFNCODE.DAT"), FixtureBytes("property_caption.golden"));
}

TEST_F(BuildProceduresTest, UnwritableWorkFileStillDeclaresTheForwardedEvents) {
    // The handler goes into the module while the batch runs; its event's
    // declaration must follow it even though the work file cannot be
    // written. The call reports the work file's error.
    std::filesystem::create_directory(UnixPath("QFNCODE.DAT"));
    const std::string before = ModuleText();
    const int32_t result = wizard_.BuildProcedures({2}, {"Click () "}, "Text1");
    EXPECT_TRUE(IsFileError(result)) << result;
    const std::string handler = FixtureBytes("newproc_click.golden");
    EXPECT_EQ(ModuleText(),
              before + "\r\nEvent Click()\r\n" + handler.substr(0, handler.size() - 2));

    // A property batch reaches the module the same way.
    EXPECT_TRUE(IsFileError(wizard_.BuildProcedures({0}, {"Caption As String"}, "Text1")));
    EXPECT_NE(ModuleText().find(FixtureBytes("property_caption.golden")), std::string::npos);
}

TEST_F(BuildProceduresTest, IndexedPropertyPassesItsIndexEverywhere) {
    const std::vector<std::string> items = {"List (Index As Integer) As String"};
    ASSERT_EQ(wizard_.BuildProcedures({0}, items, "Text1"), 0);
    EXPECT_EQ(ReadProjectFile("QFNCODE.DAT"),
              CrLf({"Public Property Let List(Index As Integer, sList As String)", "",
                    "    'Added by Quillfern Constituent Wizard -- 12/3/2026",
                    "    Text1.List(Index) = sList", "    PropertyChanged \"List\"", "",
                    "End Property", "", "Public Property Get List(Index As Integer) As String", "",
                    "    'Added by Quillfern Constituent Wizard 12/3/2026",
                    "    List = Text1.List(Index)", "", "End Property", ""}));
    // Further constituents, one of them a control array, are merged into
    // the Let with the index.
    ASSERT_EQ(wizard_.BuildProcedures({0}, items, "Text2"), 0);
    ASSERT_EQ(wizard_.BuildProcedures({0}, items, "lst(0)"), 0);
    ASSERT_EQ(wizard_.BuildProcedures({0}, items, "Text2"), 0);
    EXPECT_NE(ModuleText().find(
                  JoinedCrLf({"    Text1.List(Index) = sList", "    lst(0).List(Index) = sList",
                              "    Text2.List(Index) = sList", "    PropertyChanged \"List\""})),
              std::string::npos)
        << ModuleText();
}

TEST_F(BuildProceduresTest, IndexedObjectPropertyIsSetAndMergedIntoTheSet) {
    const std::vector<std::string> items = {"Panel (Index As Long) As MSComctlLib.Panel"};
    ASSERT_EQ(wizard_.BuildProcedures({0}, items, "Text1"), 0);
    ASSERT_EQ(wizard_.BuildProcedures({0}, items, "Text2"), 0);
    EXPECT_NE(ModuleText().find(JoinedCrLf(
                  {"Public Property Set Panel(Index As Long, Panel As MSComctlLib.Panel)", "",
                   "    'Added by Quillfern Constituent Wizard -- 12/3/2026",
                   "    Set Text1.Panel(Index) = Panel", "    Set Text2.Panel(Index) = Panel"})),
              std::string::npos)
        << ModuleText();
}

}  // namespace
}  // namespace qfw
