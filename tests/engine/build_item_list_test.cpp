// One whole generation run on the example project: discovery of its three
// constituents, the specification library's items, selections, mapping
// order and multi-mapping, then BuildItemList and the saved .ctl.
#include <gtest/gtest.h>

#include <filesystem>

#include "browser/browser.h"
#include "browser/control/qfnrws.h"
#include "engine/class_registrations.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "platform/classes_root.h"
#include "platform/shell.h"
#include "platform/short_date.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"
#include "support/module_checker.h"
#include "support/recording_shell.h"
#include "support/temp_folder.h"
#include "support/wizard_peer.h"

namespace qfw {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class BuildItemListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The golden file carries the C locale's short date.
        setenv("LC_ALL", "C", 1);
        for (const char* name :
             {"LabeledEdit.vbp", "LabeledEdit.ctl", "QUILLDIAL.OCX", "QUILLEDIT.OCX"}) {
            fs::copy_file(fs::path(QFW_EXAMPLES) / "LabeledEdit" / name, folder_.Path() / name);
        }
        Open();
    }

    // Loads the project in the folder and has discovery read the UserControl.
    void Open() {
        vbe_ = ide::VBE::Create();
        auto project = vbe_->VBProjects()->AddFromFile(folder_.Windows("LabeledEdit.vbp")).at(0);
        userControl_ = project->VBComponents()->Item("LabeledEdit");
        std::vector<std::string> warnings;
        LearnProjectControls(*vbe_, registry_, warnings);

        wizard_.SetVBInst(vbe_);
        wizard_.SetWorkFolders(folder_.Windows("program"), folder_.Windows("user"));
        SharedBrowser().BrowserControl(std::make_shared<Qfnrws>());
        wizard_.ProjectName(project->Name());
        wizard_.UserControlName("LabeledEdit");
        ASSERT_EQ(wizard_.Result(), 0);
    }

    // The specification record filled from the example's QuillEdit control,
    // as the specification control and interface pages fill it.
    void ReadSpecification(const std::string& file) {
        Browser& browser = SharedBrowser();
        std::string info;
        spec_.Clear();
        spec_.ControlFileName(file);
        browser.ControlObject(spec_);
        browser.GetControlInfo(file, kInfoInterfaces, info);
        Texts interfaces;
        ASSERT_EQ(browser.GetInterfaces(interfaces), 0);
        browser.AddSelectedInterfaces({interfaces.at(0)});
        browser.InterfaceIndex(0);
        browser.GetControlInfo(file, kInfoMembers, info);
    }

    Texts StatusLines() const {
        Texts lines;
        for (const auto& call : shell_.Calls()) {
            if (call.kind == RecordingShell::Kind::ShowStatus)
                lines.push_back(call.text);
        }
        return lines;
    }

    ScopedToday today_{std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::December,
                                                   std::chrono::day{6}}};
    testing::TempFolder folder_;
    std::shared_ptr<ide::VBE> vbe_;
    std::shared_ptr<ide::VBComponent> userControl_;
    RegistryView registry_;
    ScopedClassesRoot registryScope_{registry_};
    RecordingShell shell_;
    ScopedShell shellScope_{shell_};
    objControl spec_;
    Wizard wizard_;
};

TEST_F(BuildItemListTest, ExampleRunGivesTheGoldenUserControl) {
    ReadSpecification(folder_.Windows("QUILLEDIT.OCX"));
    spec_.SetSelectedItems(kKindProperty, {},
                           {"Caption As String", "Text As String", "Value As Long",
                            "Font As StdFont", "BackColor As Long", "hWnd As Long"});
    spec_.SetSelectedItems(
        kKindMethod, {},
        {"Refresh () ", "Move (ByVal Left As Single, ByVal Top, ByVal Width, ByVal Height) "});
    spec_.SetSelectedItems(
        kKindEvent, {},
        {"Click () ", "Change () ", "KeyDown (KeyCode As Integer, Shift As Integer) "});
    wizard_.SetConstituentMappingOrder("TextBox", 1);
    wizard_.SetConstituentMappingOrder("Label", 2);
    wizard_.SetConstituentMappingOrder("Dial", 3);
    // The caption's font follows the text box's; every constituent takes the
    // back colour.
    ASSERT_EQ(wizard_.UpdateMultiMap({"Label"}, {"Font As StdFont"}, kKindProperty, true), 0);
    ASSERT_EQ(wizard_.UpdateMultiMap({"Label", "Dial"}, {"BackColor As Long"}, kKindProperty, true),
              0);

    EXPECT_EQ(wizard_.BuildItemList(spec_), 0);
    EXPECT_EQ(StatusLines().front(), "Adding Properties for txtValue");
    EXPECT_EQ(StatusLines().back(), "Adding Events for dlLevel");
    userControl_->Save();
    const std::string saved = folder_.Read("LabeledEdit.ctl");
    EXPECT_EQ(saved,
              testing::ReadBytes(fs::path(QFW_FIXTURES) / "engine" / "LabeledEdit_generated.ctl"));
    testing::ModuleExpectations expectations;
    expectations.constituents["txtValue"].events = {
        "Click () ", "Change () ", "KeyDown (KeyCode As Integer, Shift As Integer) "};
    const auto problems = testing::CheckModule(saved, expectations);
    EXPECT_TRUE(problems.empty()) << testing::DescribeProblems(problems);
}

TEST_F(BuildItemListTest, ControlArrayIsOneConstituentReachedThroughItsLowestElement) {
    // The text box becomes an array of two, its element 1 saved first.
    std::string ctl = folder_.Read("LabeledEdit.ctl");
    const std::string begin = "   Begin VB.TextBox txtValue \r\n";
    const size_t at = ctl.find(begin);
    ASSERT_NE(at, std::string::npos);
    ctl.insert(at + begin.size(), "      Index           =   0\r\n");
    ctl.insert(at, begin +
                       "      Height          =   375\r\n"
                       "      Index           =   1\r\n"
                       "      Left            =   120\r\n"
                       "      TabIndex        =   3\r\n"
                       "      Top             =   960\r\n"
                       "      Width           =   3015\r\n"
                       "   End\r\n");
    testing::WriteBytes(folder_.Path() / "LabeledEdit.ctl", ctl);
    Open();
    ReadSpecification(folder_.Windows("QUILLEDIT.OCX"));
    spec_.SetSelectedItems(kKindProperty, {}, {"Text As String"});
    spec_.SetSelectedItems(kKindMethod, {}, {"Move (ByVal Left As Single, ByVal Top, ByVal Width, ByVal Height) "});
    spec_.SetSelectedItems(kKindEvent, {},
                           {"Change () ", "KeyDown (KeyCode As Integer, Shift As Integer) "});
    wizard_.SetConstituentMappingOrder("TextBox", 1);

    EXPECT_EQ(wizard_.BuildItemList(spec_), 0);
    // Three constituents: the dial, the array and the label.
    EXPECT_EQ(StatusLines().size(), 9u);
    const std::string code = userControl_->Text();
    for (const char* line :
         {"    txtValue(0).Text = sText", "    Text = txtValue(0).Text",
          "    txtValue(0).Move Left, Top, Width, Height",
          "Private Sub txtValue_Change(Index As Integer)", "\tRaiseEvent Change ()",
          "Private Sub txtValue_KeyDown(Index As Integer, KeyCode As Integer, Shift As Integer)",
          "\tRaiseEvent KeyDown (KeyCode,  Shift)"}) {
        EXPECT_NE(code.find(std::string(line) + "\r\n"), std::string::npos) << line;
    }
    testing::ModuleExpectations expectations;
    expectations.constituents["txtValue"] = {
        {"Change () ", "KeyDown (KeyCode As Integer, Shift As Integer) "}, true};
    const auto problems = testing::CheckModule(code, expectations);
    EXPECT_TRUE(problems.empty()) << testing::DescribeProblems(problems);
}

TEST_F(BuildItemListTest, UnselectedItemsAreNeverGenerated) {
    ReadSpecification(folder_.Windows("QUILLEDIT.OCX"));
    const std::string before = userControl_->Text();
    EXPECT_EQ(wizard_.BuildItemList(spec_), 0);
    EXPECT_EQ(userControl_->Text(), before);
}

TEST_F(BuildItemListTest, AFailedBatchIsReportedAndTheOthersStillRun) {
    objControl spec;
    spec.AddProperty("Text As String");
    spec.AddProperty("Value As Long");
    spec.AddMethod("Refresh () ");
    spec.AddMethod("Broken (Left As Single");
    spec.AddEvent("Change () ");
    const Texts all = {"Text As String", "Value As Long", "Refresh () ", "Broken (Left As Single",
                       "Change () "};
    for (int16_t kind : {kKindProperty, kKindMethod, kKindEvent})
        spec.SetSelectedItems(kind, {}, all);
    wizard_.SetConstituentMappingOrder("TextBox", 1);
    WizardTestPeer::Record(wizard_, 1).AddMethod("Broken (Left As Single");  // the text box

    EXPECT_EQ(wizard_.BuildItemList(spec), kErrInvalidProcedureCall);
    const std::string code = userControl_->Text();
    // The text box's properties before the failed batch, its events after it.
    EXPECT_NE(code.find("Text = txtValue.Text"), std::string::npos);
    EXPECT_EQ(code.find("Public Sub Refresh"), std::string::npos);
    EXPECT_NE(code.find("Private Sub txtValue_Change()"), std::string::npos);
    // The dial, next in the mapping order, still gets its batches.
    EXPECT_NE(code.find("Value = dlLevel.Value"), std::string::npos);
}

TEST_F(BuildItemListTest, AnUntypedPropertyIsGeneratedAsAVariantWithTheOthers) {
    ReadSpecification(UnixToWindows(QFW_FIXTURES "/engine/untyped.tlb"));
    ASSERT_EQ(spec_.PropertyCount(), 3);
    ASSERT_EQ(spec_.Properties(0), "Caption");
    spec_.SetSelectedItems(kKindProperty, {}, {"Caption", "Text As String"});
    wizard_.SetConstituentMappingOrder("TextBox", 1);
    WizardTestPeer::Record(wizard_, 1).AddProperty("Caption");

    EXPECT_EQ(wizard_.BuildItemList(spec_), 0);
    const std::string code = userControl_->Text();
    EXPECT_NE(code.find("Public Property Let Caption (vCaption As Variant)\r\n\r\n"
                        "    'Added by Quillfern Constituent Wizard -- 12/6/2026\r\n"
                        "    txtValue.Caption = vCaption\r\n"),
              std::string::npos);
    EXPECT_NE(code.find("Public Property Get Caption() As Variant\r\n\r\n"
                        "    'Added by Quillfern Constituent Wizard 12/6/2026\r\n"
                        "    Caption = txtValue.Caption\r\n"),
              std::string::npos);
    EXPECT_NE(code.find("    Text = txtValue.Text\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qfw
