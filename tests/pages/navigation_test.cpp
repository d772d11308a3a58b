#include <QListWidgetItem>

#include "engine/run_messages.h"
#include "pages/frm_multi_interface.h"
#include "pages/frm_proj_info.h"
#include "pages/frm_user_control_info.h"
#include "pages/frm_wiz_main.h"
#include "pages/frm_wiz_single1.h"
#include "pages_fixture.h"

namespace qfw::pages {
namespace {

using Names = std::vector<std::string>;

// Where Next on the introduction page leads, by what is loaded.
struct ForwardCase {
    const char* label;
    std::vector<std::pair<std::string, Names>> projects;  // name, UserControls
    Names visibleAfterNext;
    Names pickerList;  // lstInfo of the page shown, when it is a picker
    bool pickersLoaded;
};

class NavigationTest : public PagesTest {};

TEST_F(NavigationTest, NextOnTheIntroductionPageFollowsWhatIsLoaded) {
    const ForwardCase cases[] = {
        {"one project, one UserControl", {{"Solo", {"Gauge"}}}, {"frmWizSingle1"}, {}, false},
        {"one project, two UserControls",
         {{"Pair", {"Gauge", "Dial"}}},
         {"frmUserControlInfo"},
         {"Gauge", "Dial"},
         true},
        {"two projects",
         {{"First", {"Gauge"}}, {"Second", {"Dial"}}},
         {"frmProjInfo"},
         {"First", "Second"},
         true},
    };
    for (const ForwardCase& c : cases) {
        SCOPED_TRACE(c.label);
        vbe_ = ide::VBE::Create();
        for (const auto& [name, controls] : c.projects)
            AddProject(name, controls);
        StartRun();
        EXPECT_EQ(VisiblePages(), Names{"frmWizMain"});
        EXPECT_FALSE(WizMain().cmdWizard[kBack]->isEnabled());
        EXPECT_FALSE(WizMain().cmdWizard[kFinish]->isEnabled());
        EXPECT_EQ(WizMain().windowTitle().toStdString(), kAppTitle);

        Click(WizMain().cmdWizard[kNext]);
        EXPECT_EQ(VisiblePages(), c.visibleAfterNext);
        EXPECT_EQ(ProjInfo().IsLoaded() || UserControlInfo().IsLoaded(), c.pickersLoaded);
        if (!c.pickerList.empty()) {
            const PickerPage& picker = ProjInfo().isVisible()
                                           ? static_cast<const PickerPage&>(ProjInfo())
                                           : static_cast<const PickerPage&>(UserControlInfo());
            EXPECT_EQ(picker.lstInfo->Texts(), c.pickerList);
            EXPECT_EQ(picker.lstInfo->ListIndex(), 0);
        }
        EXPECT_TRUE(Messages().empty());
        UnloadWizard();
        EXPECT_TRUE(VisiblePages().empty());
    }
}

TEST_F(NavigationTest, TheDirectWayShowsTheBusyPointerWhileTheSpecificationPageLoads) {
    AddProject("Solo", {"Gauge"});
    StartRun();
    Click(WizMain().cmdWizard[kNext]);
    std::vector<bool> busy;
    for (const auto& call : shell_.Calls()) {
        if (call.kind == RecordingShell::Kind::SetBusy)
            busy.push_back(call.busy);
    }
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(SharedWizard().UserControlName(), "Gauge");
    EXPECT_EQ(WizSingle1().windowTitle().toStdString(), kAppTitle);
}

TEST_F(NavigationTest, BackFromTheUserControlPickerOpensTheProjectPickerNeverShownBefore) {
    AddProject("Pair", {"Gauge", "Dial"});
    StartRun();
    Click(WizMain().cmdWizard[kNext]);
    ASSERT_FALSE(ProjInfo().IsLoaded());
    Click(UserControlInfo().cmdOKCancel[kBack]);
    EXPECT_EQ(VisiblePages(), Names{"frmProjInfo"});
    EXPECT_EQ(ProjInfo().lstInfo->Texts(), Names{"Pair"});
    EXPECT_EQ(ProjInfo().windowTitle().toStdString(), "Select Project");

    Click(ProjInfo().cmdOKCancel[kBack]);
    EXPECT_EQ(VisiblePages(), Names{"frmWizMain"});
}

TEST_F(NavigationTest, BackFromTheSpecificationPageFollowsTheEngineCounts) {
    // Two projects, the chosen one with one UserControl: the project picker
    // was used, yet Back returns to the introduction page.
    AddProject("First", {"Gauge"});
    AddProject("Second", {"Dial", "Knob"});
    StartRun();
    Click(WizMain().cmdWizard[kNext]);
    Click(ProjInfo().cmdOKCancel[kNext]);
    ASSERT_EQ(VisiblePages(), Names{"frmWizSingle1"});
    Click(WizSingle1().cmdWizard[kBack]);
    EXPECT_EQ(VisiblePages(), Names{"frmWizMain"});

    // Through the UserControl picker, Back returns to it.
    Click(WizMain().cmdWizard[kNext]);
    ProjInfo().lstInfo->SelectRow(1);
    Click(ProjInfo().cmdOKCancel[kNext]);
    ASSERT_EQ(VisiblePages(), Names{"frmUserControlInfo"});
    EXPECT_EQ(UserControlInfo().windowTitle().toStdString(), "Select UserControl");
    EXPECT_EQ(UserControlInfo().lstInfo->Texts(), (Names{"Dial", "Knob"}));
    UserControlInfo().lstInfo->SelectRow(1);
    Click(UserControlInfo().cmdOKCancel[kNext]);
    EXPECT_EQ(SharedWizard().UserControlName(), "Knob");
    ASSERT_EQ(VisiblePages(), Names{"frmWizSingle1"});
    Click(WizSingle1().cmdWizard[kBack]);
    EXPECT_EQ(VisiblePages(), Names{"frmUserControlInfo"});
    EXPECT_EQ(UserControlInfo().lstInfo->ListIndex(), 1);
}

TEST_F(NavigationTest, APageShownAgainKeepsItsStateAndDoesNotReload) {
    AddProject("Solo", {"Gauge"});
    StartRun();
    Click(WizMain().cmdWizard[kNext]);
    VbListBox& list = *WizSingle1().lstControl;
    ASSERT_EQ(list.count(), 2);
    list.addItem("kept");
    list.SelectRow(1);
    Click(WizSingle1().cmdWizard[kBack]);
    Click(WizMain().cmdWizard[kNext]);
    EXPECT_EQ(VisiblePages(), Names{"frmWizSingle1"});
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.ListIndex(), 1);
}

TEST_F(NavigationTest, ThePageTakesTheStoredPositionOnlyOnItsFirstLoad) {
    AddProject("Solo", {"Gauge"});
    StartRun();
    WizMain().move(200, 100);
    Click(WizMain().cmdWizard[kNext]);
    EXPECT_EQ(Module().gPageLeft, ToPageTwips(200 * TwipsPerPixelX()));
    EXPECT_EQ(Module().gPageTop, ToPageTwips(100 * TwipsPerPixelY()));
    EXPECT_EQ(WizSingle1().pos(), QPoint(200, 100));

    WizSingle1().move(300, 150);
    Click(WizSingle1().cmdWizard[kBack]);
    EXPECT_EQ(Module().gPageLeft, ToPageTwips(300 * TwipsPerPixelX()));
    WizMain().move(10, 10);
    Click(WizMain().cmdWizard[kNext]);
    EXPECT_EQ(WizSingle1().pos(), QPoint(300, 150));
}

TEST_F(NavigationTest, TheRunEndsWithTheSystemsMessages) {
    struct EndCase {
        const char* label;
        std::function<void(PagesTest&)> setUp;
        bool clickNext;
        std::string message;
    };
    const EndCase cases[] = {
        {"no project", [](PagesTest&) {}, false, kMsgNoProject},
        {"no UserControl", [](PagesTest& t) { t.AddProject("Empty", {}); }, true,
         kMsgNoUserControl},
        {"no constituent control",
         [](PagesTest& t) { t.AddProjectWithControls("Bare", "Plain", {}); }, true,
         kMsgNoConstituent},
        {"never saved", [](PagesTest& t) { t.AddUnsavedProject("Unsaved", "Fresh"); }, true,
         "The wizard has determined that your UserControl has not yet been saved. In order to "
         "generate source code, you must save your UserControl along with its associated "
         "project. Please save your UserControl project and then restart the wizard."},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.label);
        vbe_ = ide::VBE::Create();
        shell_ = RunShell();
        c.setUp(*this);
        StartRun();
        if (c.clickNext)
            Click(WizMain().cmdWizard[kNext]);
        EXPECT_EQ(Messages(), Names{c.message});
        EXPECT_TRUE(VisiblePages().empty());
        EXPECT_TRUE(OpenPages().empty());
        EXPECT_FALSE(UnloadWizardGuard());
    }
}

TEST_F(NavigationTest, AProjectWithoutUserControlChosenInThePickerEndsTheRun) {
    AddProject("First", {"Gauge"});
    AddProject("Empty", {});
    StartRun();
    Click(WizMain().cmdWizard[kNext]);
    ProjInfo().lstInfo->clearSelection();
    Click(ProjInfo().cmdOKCancel[kNext]);
    EXPECT_EQ(Messages(), Names{"You must select a project to continue."});
    EXPECT_EQ(VisiblePages(), Names{"frmProjInfo"});
    ProjInfo().lstInfo->SelectRow(1);
    Click(ProjInfo().cmdOKCancel[kNext]);
    EXPECT_EQ(Messages().back(), kMsgNoUserControl);
    EXPECT_TRUE(OpenPages().empty());
}

TEST_F(NavigationTest, CancelEndsTheRunOnceAndLeavesTheGuardCleared) {
    AddProject("Pair", {"Gauge", "Dial"});
    StartRun();
    Click(WizMain().cmdWizard[kNext]);
    ASSERT_EQ(OpenPages().size(), 2u);
    SpecificationRecord().AddProperty("Caption");
    int runsEnded = 0;
    Module().runEnded = [&runsEnded] { ++runsEnded; };
    Click(UserControlInfo().cmdOKCancel[kCancel]);
    Module().runEnded = nullptr;
    EXPECT_EQ(runsEnded, 1);
    EXPECT_TRUE(OpenPages().empty());
    EXPECT_TRUE(VisiblePages().empty());
    EXPECT_FALSE(UnloadWizardGuard());
    EXPECT_EQ(SpecificationRecord().PropertyCount(), 0);
    Click(UserControlInfo().cmdOKCancel[kCancel]);
    EXPECT_FALSE(UnloadWizardGuard());
    // The engine keeps its names for the next run.
    EXPECT_EQ(SharedWizard().ProjectName(), "Pair");
}

TEST_F(NavigationTest, ClosingAPageWithItsCloseCommandEndsTheRun) {
    AddProject("Solo", {"Gauge"});
    StartRun();
    Click(WizMain().cmdWizard[kNext]);
    WizSingle1().close();
    EXPECT_TRUE(OpenPages().empty());
    EXPECT_TRUE(VisiblePages().empty());
}

TEST_F(NavigationTest, HelpOpensThePagesTopic) {
    AddProject("Pair", {"Gauge", "Dial"});
    StartRun();
    Click(WizMain().cmdWizard[kHelp]);
    Click(WizMain().cmdWizard[kNext]);
    Click(UserControlInfo().cmdOKCancel[kHelp]);
    EXPECT_EQ(helpCalls_,
              (Names{"Wizard", "Wizard: Wizard, Selecting the Control to apply the Wizard Code"}));
}

}  // namespace
}  // namespace qfw::pages
