#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <QTimer>

#include "engine/class_registrations.h"
#include "engine/ide/vb_projects.h"
#include "pages/frm_add_item.h"
#include "pages/frm_multi_interface.h"
#include "pages/frm_wiz_main.h"
#include "pages/frm_wiz_single1.h"
#include "pages/frm_wiz_single1a.h"
#include "pages/frm_wiz_single2.h"
#include "pages/frm_wiz_single3.h"
#include "pages/frm_wiz_single6.h"
#include "pages/save_changes.h"
#include "pages_fixture.h"
#include "platform/short_date.h"
#include "platform/vb_error.h"
#include "support/module_checker.h"

namespace qfw::pages {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using testing::CheckModule;
using testing::DescribeProblems;
using testing::ReadBytes;
using testing::WriteBytes;

constexpr const char* kBackupLine = "Creating a backup of the UserControl file...";
constexpr const char* kGenerateLine = "Generating Procedures and adding to UserControl...";
constexpr const char* kDoneLine = "Quillfern Constituent Wizard Completed Successfully.";
constexpr const char* kDoneMessage = "The Quillfern Constituent wizard has completed successfully.";

// The generation page of a run over a UserControl with one text box, the
// property Text chosen; the run saves as the program does when it ends.
class GenerationPageTest : public PagesTest {
  protected:
    void SetUp() override {
        PagesTest::SetUp();
        ReachItemPage({{"VB.TextBox", "txtOne"}});
        ClickEntry(*WizSingle1a().lstFromTo[0], "Text As String");
        Click(WizSingle1a().cmdAddRemove[0]);
        Click(WizSingle1a().cmdWizard[kNext]);
        ASSERT_EQ(VisiblePages(), Names{"frmWizSingle6"});
        original_ = ReadBytes(CtlFile());
        Module().runEnded = [this] {
            ++runsEnded_;
            if (Module().generationSucceeded)
                SaveChangedComponents(*vbe_, log_);
        };
    }
    void TearDown() override {
        PagesTest::TearDown();
        Module().runEnded = nullptr;
    }
    fs::path CtlFile() const { return folder_.Path() / "Proj" / "Ctl.ctl"; }
    Names Status() const { return WizSingle6().lstStatus->Texts(); }
    QPushButton* Button(int index) { return WizSingle6().cmdWizard[static_cast<size_t>(index)]; }
    std::vector<bool> Enabled() {
        std::vector<bool> enabled;
        for (QPushButton* button : WizSingle6().cmdWizard)
            enabled.push_back(button->isEnabled());
        return enabled;
    }

    // The backup question for the error the backup over a folder meets.
    void ExpectBackupQuestion() {
        const auto messages = shell_.Messages();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.front().style & 0xF, vbYesNo);
        EXPECT_TRUE(messages.front().scripted);
        EXPECT_EQ(messages.front().text,
                  "The following error was encountered while attempting to create a backup of the "
                  "UserControl file: 75 :" +
                      ErrorDescription(75) + ". Do you want to quit?");
    }

    std::string original_;
    std::ostringstream log_;
    int runsEnded_ = 0;
};

TEST_F(GenerationPageTest, FinishBacksUpGeneratesAndBecomesClose) {
    EXPECT_EQ(WizSingle6().lblConfirm->text().toStdString(),
              "The Quillfern Constituent wizard will now generate the source code for your new "
              "control. Select the Finish button to add the source code now. Choose Back to "
              "review your selections or Cancel to quit.");
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, false, true}));
    // Help (or any button but Finish and Cancel) enables all five, Next too,
    // and Next does nothing.
    Click(Button(kHelp));
    EXPECT_EQ(helpCalls_, Names{"Wizard: Wizard, Generating the Code"});
    EXPECT_EQ(Enabled(), std::vector<bool>(5, true));
    Click(Button(kNext));
    EXPECT_EQ(VisiblePages(), Names{"frmWizSingle6"});

    Click(Button(kFinish));
    EXPECT_EQ(Status(),
              (Names{kBackupLine, kGenerateLine, "Adding Properties for txtOne",
                     "Adding Methods for txtOne", "Adding Events for txtOne", kDoneLine}));
    EXPECT_EQ(Messages(), Names{kDoneMessage});
    EXPECT_EQ(Button(kFinish)->text().toStdString(), "&Close");
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false, true}));
    EXPECT_EQ(ReadBytes(folder_.Path() / "Proj" / "Ctl.QFN"), original_);
    EXPECT_EQ(ReadBytes(CtlFile()), original_);

    Click(Button(kFinish));
    EXPECT_EQ(runsEnded_, 1);
    EXPECT_TRUE(OpenPages().empty());
    const std::string saved = ReadBytes(CtlFile());
    EXPECT_NE(saved.find("Public Property Get Text() As String\r\n"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("UserControl_ReadProperties"), std::string::npos) << saved;
    EXPECT_TRUE(CheckModule(saved).empty()) << DescribeProblems(CheckModule(saved));
    EXPECT_EQ(log_.str(), "Saved " + CtlFile().string() + "\n");
}

TEST_F(GenerationPageTest, TheCheckBoxSavesPropertyValuesAndStartsOffInTheNextRun) {
    QCheckBox& persist = *WizSingle6().chkPersist;
    EXPECT_EQ(persist.text().toStdString(), "Save property values with the control");
    EXPECT_FALSE(persist.isChecked());
    QTest::mouseClick(&persist, Qt::LeftButton, Qt::NoModifier, QPoint(8, persist.height() / 2));
    ASSERT_TRUE(persist.isChecked());
    Click(Button(kFinish));
    EXPECT_EQ(Messages(), Names{kDoneMessage});
    EXPECT_TRUE(SharedWizard().PersistPropertyValues());
    Click(Button(kFinish));
    const std::string saved = ReadBytes(CtlFile());
    for (const char* line :
         {"Private Sub UserControl_ReadProperties(PropBag As PropertyBag)\r\n",
          "Private Sub UserControl_WriteProperties(PropBag As PropertyBag)\r\n",
          "PropBag.ReadProperty(\"Text\", ", "Call PropBag.WriteProperty(\"Text\", "})
        EXPECT_NE(saved.find(line), std::string::npos) << line << "\n" << saved;
    EXPECT_TRUE(CheckModule(saved).empty()) << DescribeProblems(CheckModule(saved));

    // The page loaded again, as the next run loads it, shows the box off.
    ASSERT_TRUE(OpenPages().empty());
    WizSingle6().Load();
    EXPECT_FALSE(WizSingle6().chkPersist->isChecked());
    WizSingle6().Unload();
}

TEST_F(GenerationPageTest, AMemberAddedInTheDialogIsWrittenOnTheUserControlAndSaved) {
    Click(Button(kBack));
    ASSERT_EQ(VisiblePages(), Names{"frmWizSingle1a"});
    QTimer::singleShot(0, [&] {
        frmAddItem& add = AddItem();
        add.txtName->setText("Shade");
        add.cmbAttrib[0]->setCurrentText("Long");
        add.txtDefault->setText("7");
        add.cmbAttrib[1]->setCurrentText("Read Only");
        Click(add.cmdOKCancel[0]);
        if (add.IsLoaded())
            Click(add.cmdOKCancel[1]);
    });
    Click(WizSingle1a().cmdNew);
    EXPECT_TRUE(Messages().empty());
    Click(WizSingle1a().cmdWizard[kNext]);
    ASSERT_EQ(VisiblePages(), Names{"frmWizSingle6"});
    WizSingle6().chkPersist->setChecked(true);
    Click(Button(kFinish));
    Click(Button(kFinish));
    const std::string saved = ReadBytes(CtlFile());
    for (const char* text :
         {"Public Property Get Shade() As Long\r\n", "382", "PropBag.ReadProperty(\"Shade\", 7)",
          "PropBag.ReadProperty(\"Text\", "})
        EXPECT_NE(saved.find(text), std::string::npos) << text << "\n" << saved;
    EXPECT_TRUE(CheckModule(saved).empty()) << DescribeProblems(CheckModule(saved));
}

TEST_F(GenerationPageTest, BackWithOneConstituentGoesToTheItemPage) {
    Click(Button(kBack));
    EXPECT_EQ(VisiblePages(), Names{"frmWizSingle1a"});
    Click(WizSingle1a().cmdWizard[kNext]);
    EXPECT_EQ(Enabled(), std::vector<bool>(5, true));
}

TEST_F(GenerationPageTest, AFailingBackupAnsweredNoGeneratesWithoutABackup) {
    fs::create_directory(folder_.Path() / "Proj" / "Ctl.QFN");
    shell_.Reply(vbNo);
    Click(Button(kFinish));
    ExpectBackupQuestion();
    EXPECT_EQ(Status().front(), kBackupLine);
    EXPECT_EQ(Status().at(1), kGenerateLine);
    EXPECT_EQ(Status().back(), kDoneLine);
    Click(Button(kFinish));
    EXPECT_NE(ReadBytes(CtlFile()), original_);
}

TEST_F(GenerationPageTest, AFailingBackupAnsweredYesEndsTheRunWithNothingGenerated) {
    fs::create_directory(folder_.Path() / "Proj" / "Ctl.QFN");
    shell_.Reply(vbYes);
    Click(Button(kFinish));
    ExpectBackupQuestion();
    EXPECT_EQ(Status(), Names{kBackupLine});
    EXPECT_TRUE(OpenPages().empty());
    EXPECT_EQ(runsEnded_, 1);
    EXPECT_EQ(ReadBytes(CtlFile()), original_);
}

TEST_F(GenerationPageTest, AGenerationFailureIsReportedAndTheRunEndsWithoutSaving) {
    fs::create_directory(folder_.Path() / "Proj" / "QFNCODE.DAT");
    shell_.Reply(vbCancel);
    Click(Button(kFinish));
    EXPECT_EQ(Messages(), Names{"The following error was encountered while attempting to generate "
                                "procedures: 75. Please contact support."});
    EXPECT_EQ(shell_.Messages().front().style & 0xF, vbOKCancel);
    EXPECT_TRUE(OpenPages().empty());
    EXPECT_EQ(runsEnded_, 1);
    EXPECT_EQ(ReadBytes(CtlFile()), original_);
}

TEST_F(GenerationPageTest, CloseRefusesToOverwriteAFileChangedOnDisk) {
    Click(Button(kFinish));
    WriteBytes(CtlFile(), original_ + "' edited elsewhere\r\n");
    Click(Button(kFinish));
    EXPECT_EQ(ReadBytes(CtlFile()), original_ + "' edited elsewhere\r\n");
    const std::string message = "cannot save " + CtlFile().string() + ": " +
                                folder_.Windows("Proj/Ctl.ctl") +
                                " was changed on disk since it was loaded; not overwritten "
                                "(error 75)";
    EXPECT_EQ(Messages(), (Names{kDoneMessage, message}));
}

TEST_F(GenerationPageTest, CancelAndTheCloseCommandEndTheRunWithoutSaving) {
    Click(Button(kCancel));
    EXPECT_TRUE(OpenPages().empty());
    EXPECT_EQ(runsEnded_, 1);
    EXPECT_TRUE(ReadBytes(CtlFile()) == original_);
    EXPECT_FALSE(fs::exists(folder_.Path() / "Proj" / "Ctl.QFN"));
}

// A whole run over the example project by clicks, with the choices of the
// README's `generate` example.
class WholeRunTest : public PagesTest {};

TEST_F(WholeRunTest, ClicksGiveTheGoldenUserControlAndItsBackup) {
    fs::copy(std::string(QFW_EXAMPLES) + "/LabeledEdit", folder_.Path() / "LabeledEdit");
    const fs::path ctl = folder_.Path() / "LabeledEdit" / "LabeledEdit.ctl";
    const std::string original = ReadBytes(ctl);
    vbe_->VBProjects()->AddFromFile(folder_.Windows("LabeledEdit/LabeledEdit.vbp"));
    std::vector<std::string> warnings;
    LearnProjectControls(*vbe_, registry_, warnings);
    ScopedToday today(std::chrono::year_month_day{std::chrono::year{2024}, std::chrono::month{1},
                                                  std::chrono::day{5}});
    bool saved = false;
    std::ostringstream log;
    Module().showItemSelectionPage = ShowItemSelectionPage;
    Module().runEnded = [&] { saved = SaveChangedComponents(*vbe_, log); };
    StartRun();
    ChooseTheReadmeExample((folder_.Path() / "LabeledEdit" / "QUILLEDIT.OCX").string());
    Click(WizSingle6().cmdWizard[kFinish]);
    EXPECT_EQ(WizSingle6().lstStatus->Texts().back(), kDoneLine);
    Click(WizSingle6().cmdWizard[kFinish]);

    EXPECT_TRUE(saved) << log.str();
    EXPECT_TRUE(OpenPages().empty());
    EXPECT_EQ(ReadBytes(ctl), ReadBytes(fs::path(QFW_FIXTURES) / "app" / "LabeledEdit.golden.ctl"));
    EXPECT_EQ(ReadBytes(folder_.Path() / "LabeledEdit" / "LabeledEdit.QFN"), original);
    const auto problems = CheckModule(ReadBytes(ctl), ReadmeExampleEvents());
    EXPECT_TRUE(problems.empty()) << DescribeProblems(problems);
    Module().runEnded = nullptr;
}

// The same run by clicks and by `qfwizard generate` over two copies of a
// UserControl with two text boxes and a label, the event Change mapped onto
// the first text box and the label.
TEST_F(WholeRunTest, ClicksGiveWhatGenerateGivesForTwoConstituentsOfOneClass) {
    const std::vector<testing::ControlSpec> controls = {
        {"VB.TextBox", "txtFirst"}, {"VB.Label", "lblName"}, {"VB.TextBox", "txtSecond"}};
    folder_.Write("Cli/Twin.ctl", testing::UserControlText("Twin", controls));
    folder_.Write("Cli/Cli.vbp", testing::ProjectText("Proj", {"UserControl=Twin.ctl"}));
    folder_.Write("Proj/Twin.ctl", testing::UserControlText("Twin", controls));
    folder_.Write("Proj/Proj.vbp", testing::ProjectText("Proj", {"UserControl=Twin.ctl"}));
    const fs::path spec = folder_.Path() / "QUILLEDIT.OCX";
    fs::copy_file(std::string(QFW_EXAMPLES) + "/LabeledEdit/QUILLEDIT.OCX", spec);
    const std::string command =
        std::string(QFWIZARD) + " generate " + (folder_.Path() / "Cli" / "Cli.vbp").string() +
        " --spec " + spec.string() +
        " --select property:Text --select property:BackColor --select event:Change"
        " --order TextBox,Label --map event:TextBox,Label:Change --date 2024-01-05"
        " --quiet 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    vbe_->VBProjects()->AddFromFile(folder_.Windows("Proj/Proj.vbp"));
    ScopedToday today(std::chrono::year_month_day{std::chrono::year{2024}, std::chrono::month{1},
                                                  std::chrono::day{5}});
    std::ostringstream log;
    Module().showItemSelectionPage = ShowItemSelectionPage;
    Module().runEnded = [&] { SaveChangedComponents(*vbe_, log); };
    StartRun();
    Click(WizMain().cmdWizard[kNext]);
    shell_.ReplyOpen(spec.string());
    Click(WizSingle1().cmdBrowse);
    Click(WizSingle1().cmdWizard[kNext]);
    Click(MultiInterface().cmdWizard[kNext]);
    frmWizSingle1a& items = WizSingle1a();
    ClickEntry(*items.lstFromTo[0], "Text As String");
    ClickEntry(*items.lstFromTo[0], "BackColor As Long", Qt::ControlModifier);
    Click(items.cmdAddRemove[0]);
    items.cmbItem->setCurrentIndex(2);
    const std::string change = EntryStarting(*items.lstFromTo[0], "Change ");
    ClickEntry(*items.lstFromTo[0], change);
    Click(items.cmdAddRemove[0]);
    Click(items.cmdWizard[kNext]);
    // The page sends both TextBox entries under one class name, so the first
    // text box ends up with position 2 and the second with none: before the
    // label, as --order TextBox,Label puts it.
    for (const char* name : {"TextBox", "TextBox", "Label"}) {
        ClickEntry(*WizSingle2().lstControlsFromTo[0], name);
        Click(WizSingle2().cmdAddRemove[0]);
    }
    Click(WizSingle2().cmdWizard[kNext]);
    frmWizSingle3& multi = WizSingle3();
    ClickEntry(*multi.lstControlList, "Label");
    ClickEntry(*multi.lstControlList, "TextBox", Qt::ControlModifier);
    Click(multi.optItem[2]);
    ClickEntry(*multi.lstPropertiesFromTo[0], change);
    Click(multi.cmdAddRemoveProperty[0]);
    EXPECT_EQ(multi.lstPropertiesFromTo[1]->Texts(), Names{change});
    Click(multi.cmdWizard[kNext]);
    Click(WizSingle6().cmdWizard[kFinish]);
    Click(WizSingle6().cmdWizard[kFinish]);
    Module().runEnded = nullptr;

    const std::string clicked = ReadBytes(folder_.Path() / "Proj" / "Twin.ctl");
    EXPECT_EQ(clicked, ReadBytes(folder_.Path() / "Cli" / "Twin.ctl"));
    EXPECT_NE(clicked.find("Private Sub lblName_Change()"), std::string::npos) << clicked;
    const auto problems = CheckModule(clicked);
    EXPECT_TRUE(problems.empty()) << DescribeProblems(problems);
}

}  // namespace
}  // namespace qfw::pages
