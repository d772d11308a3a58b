#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "browser/browser.h"
#include "browser/control_lists.h"
#include "pages/frm_control_list.h"
#include "pages/frm_multi_interface.h"
#include "pages/frm_wiz_main.h"
#include "pages/frm_wiz_single1.h"
#include "pages_fixture.h"
#include "platform/win_path.h"

namespace qfw::pages {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

constexpr const char* kNotALibrary =
    "Only .OCX and .OLB files may be selected for your specification control. If you are "
    "attempting to select a standard VB5 control, select VB5.OLB from the Visual Basic directory.";

// The specification control page of a run over one project with one
// UserControl.
class SpecPageTest : public PagesTest {
  protected:
    void SetUp() override {
        PagesTest::SetUp();
        AddProject("Solo", {"Gauge"});
        StartRun();
        Click(WizMain().cmdWizard[kNext]);
        ASSERT_TRUE(WizSingle1().isVisible());
    }

    // A copy of a library in the test folder, by the name given.
    std::string Library(const std::string& source, const std::string& as) {
        const fs::path target = folder_.Path() / as;
        fs::copy_file(source, target, fs::copy_options::overwrite_existing);
        return target.string();
    }
    std::string QuillEdit(const std::string& as) {
        return Library(std::string(QFW_EXAMPLES) + "/LabeledEdit/QUILLEDIT.OCX", as);
    }

    // Clicks Filter List... and, in the modal dialog, sets the boxes and
    // clicks OK (0) or Cancel (1).
    void Filter(bool user, bool system, int button) {
        QTimer::singleShot(0, [=] {
            ControlList().chkControlList[0]->setChecked(user);
            ControlList().chkControlList[1]->setChecked(system);
            QTest::mouseClick(ControlList().cmdOKCancel[static_cast<size_t>(button)],
                              Qt::LeftButton);
        });
        Click(WizSingle1().cmdFilter);
    }

    VbListBox& List() { return *WizSingle1().lstControl; }
};

TEST_F(SpecPageTest, LoadListsTheEnvironmentsLibrariesWithTheFirstSelected) {
    const Names lines = List().Texts();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(ControlListFile(lines[0]), UnixToWindows(std::string(QFW_DATA_DIR) + "/VB6.OLB"));
    EXPECT_EQ(ControlListFile(lines[1]), UnixToWindows(std::string(QFW_DATA_DIR) + "/VB6EXT.OLB"));
    EXPECT_EQ(ControlLists().gSelectedControls, lines);
    EXPECT_EQ(List().ListIndex(), 0);
    EXPECT_EQ(WizSingle1().fraControl->title().toStdString(),
              "Select the control that most closely matches the control that you are creating:");
}

TEST_F(SpecPageTest, BrowseAcceptsOcxAndOlbInAnyCaseAndRefusesOtherFiles) {
    struct BrowseCase {
        std::string file;
        bool accepted;
    };
    const BrowseCase cases[] = {
        {QuillEdit("quilledit.ocx"), true},
        {QuillEdit("QUILLEDIT.OCX"), true},
        {Library(std::string(QFW_DATA_DIR) + "/VB6.OLB", "vb6.olb"), true},
        {Library(std::string(QFW_FIXTURES) + "/app/nocontrols.tlb", "nocontrols.tlb"), false},
        {QuillEdit("quilledit.dll"), false},
    };
    for (const BrowseCase& c : cases) {
        SCOPED_TRACE(c.file);
        shell_ = RunShell();
        const int before = List().count();
        shell_.ReplyOpen(c.file);
        Click(WizSingle1().cmdBrowse);
        ASSERT_EQ(shell_.Calls().front().kind, RecordingShell::Kind::ShowOpen);
        EXPECT_EQ(shell_.Calls().front().text, "OCX Files (*.ocx)|*.ocx|OLB Files (*.olb)|*.olb");
        if (c.accepted) {
            EXPECT_TRUE(Messages().empty());
            ASSERT_EQ(List().count(), before + 1);
            EXPECT_EQ(List().ListIndex(), before);
            EXPECT_EQ(ControlListFile(List().Texts().back()), UnixToWindows(c.file));
            EXPECT_EQ(ControlLists().gSelectedControls, Names{List().Texts().back()});
        } else {
            EXPECT_EQ(Messages(), Names{kNotALibrary});
            EXPECT_EQ(List().count(), before);
        }
    }
    // A cancelled dialog changes nothing.
    const Names lines = List().Texts();
    Click(WizSingle1().cmdBrowse);
    EXPECT_EQ(List().Texts(), lines);
}

TEST_F(SpecPageTest, FilterListRebuildsTheListFromTheChosenSources) {
    shell_.ReplyOpen(QuillEdit("quilledit.ocx"));
    Click(WizSingle1().cmdBrowse);
    const Names browsed = ControlLists().gSelectedControls;
    ASSERT_EQ(browsed.size(), 1u);

    Filter(true, false, 1);
    EXPECT_EQ(List().Texts(), browsed);
    EXPECT_EQ(List().ListIndex(), -1);
    EXPECT_FALSE(ControlList().isVisible());

    Filter(false, false, 0);
    EXPECT_TRUE(List().Texts().empty());
    EXPECT_FALSE(ControlLists().gUserListFilter);

    // Cancel keeps the flags, and the list is still rebuilt.
    Filter(true, true, 1);
    EXPECT_TRUE(List().Texts().empty());
    EXPECT_FALSE(ControlLists().gUserListFilter);
    EXPECT_FALSE(ControlLists().gSystemListFilter);

    Filter(true, false, 0);
    EXPECT_EQ(List().Texts(), browsed);
    Click(WizSingle1().cmdWizard[kNext]);
    EXPECT_EQ(Messages(), Names{"You must select an item to continue."});
    EXPECT_TRUE(WizSingle1().isVisible());
}

TEST_F(SpecPageTest, TheSystemListIsReadOncePerRun) {
    const char* previous = std::getenv("WINEPREFIX");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("WINEPREFIX", folder_.Path().c_str(), 1);
    const fs::path system = folder_.Path() / "drive_c" / "windows" / "system";
    fs::create_directories(system);
    fs::copy_file(std::string(QFW_EXAMPLES) + "/LabeledEdit/QUILLDIAL.OCX",
                  system / "QUILLDIAL.OCX");

    Filter(false, true, 0);
    const Names first = List().Texts();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(ControlListFile(first[0]), "QUILLDIAL.OCX");
    fs::remove(system / "QUILLDIAL.OCX");
    Filter(true, true, 0);
    EXPECT_EQ(List().Texts().back(), first[0]);
    EXPECT_EQ(List().count(), 3);

    if (saved.empty())
        unsetenv("WINEPREFIX");
    else
        setenv("WINEPREFIX", saved.c_str(), 1);
}

TEST_F(SpecPageTest, DoubleClickShowsTheLibrarysHelpString) {
    QListWidgetItem* item = List().item(0);
    List().itemDoubleClicked(item);
    ASSERT_EQ(Messages().size(), 1u);
    const std::string line = List().Texts()[0];
    EXPECT_EQ(Messages()[0], line.substr(0, line.find(std::string(100, ' '))));
    EXPECT_FALSE(Messages()[0].empty());
}

TEST_F(SpecPageTest, NextListsTheInterfacesAndTheInterfacePageFillsTheRecord) {
    Click(WizSingle1().cmdWizard[kNext]);
    ASSERT_EQ(VisiblePages(), Names{"frmMultiInterface"});
    frmMultiInterface& page = MultiInterface();
    const Names interfaces = page.lstInterfaces->Texts();
    ASSERT_GE(interfaces.size(), 2u);
    EXPECT_EQ(page.lstInterfaces->ListIndex(), 0);
    EXPECT_EQ(page.windowTitle().toStdString(), Module().gAppTitle);

    page.lstInterfaces->SelectRow(1);
    Click(page.cmdWizard[kNext]);
    EXPECT_EQ(itemPagesShown_, 1);
    EXPECT_FALSE(page.isVisible());
    EXPECT_GT(SpecificationRecord().PropertyCount(), 0);
    EXPECT_EQ(SharedBrowser().SelectedInterfaces(), Names{interfaces[1]});
    EXPECT_TRUE(SpecificationRecord().ControlFileName().empty());

    // Shown again, the page lists the interfaces anew with the first selected.
    page.MakeVisible();
    EXPECT_EQ(page.lstInterfaces->ListIndex(), 0);
    Click(page.cmdWizard[kBack]);
    EXPECT_EQ(VisiblePages(), Names{"frmWizSingle1"});
}

TEST_F(SpecPageTest, ALibraryWithoutControlsEndsTheRunWithTheEnumerationError) {
    shell_.ReplyOpen(Library(std::string(QFW_FIXTURES) + "/app/nocontrols.tlb", "nocontrols.olb"));
    Click(WizSingle1().cmdBrowse);
    ASSERT_TRUE(Messages().empty());
    Click(WizSingle1().cmdWizard[kNext]);
    EXPECT_EQ(Messages(),
              Names{"The following error was encountered while enumerating selected interfaces: "
                    "Subscript out of range . Please contact support.\nIf the control was built "
                    "with Visual Basic, run the wizard again with \"List every control of the "
                    "library\" checked."});
    EXPECT_TRUE(OpenPages().empty());
    EXPECT_TRUE(ControlLists().gSelectedControls.empty());
}

// A control compiled by Visual Basic keeps its interfaces apart from its
// class: only the declared listing finds it, and only when the box asks.
TEST_F(SpecPageTest, TheDeclaredListingBoxListsControlsCompiledByVisualBasic) {
    const std::string vbEdit =
        Library(std::string(QFW_FIXTURES) + "/typelib/vbedit.ocx", "vbedit.ocx");
    EXPECT_FALSE(WizSingle1().chkDeclared->isChecked());
    WizSingle1().chkDeclared->setChecked(true);
    shell_.ReplyOpen(vbEdit);
    Click(WizSingle1().cmdBrowse);
    Click(WizSingle1().cmdWizard[kNext]);
    ASSERT_TRUE(Messages().empty()) << Messages()[0];
    ASSERT_EQ(VisiblePages(), Names{"frmMultiInterface"});
    const Names interfaces = MultiInterface().lstInterfaces->Texts();
    ASSERT_FALSE(interfaces.empty());
    EXPECT_EQ(interfaces[0].substr(0, interfaces[0].find(" - ")), "QuillEdit");
    Click(MultiInterface().cmdWizard[kNext]);
    EXPECT_GT(SpecificationRecord().PropertyCount(), 0);
}

}  // namespace
}  // namespace qfw::pages
