// The add-in's menu entries over Qt menus and the environment window: open,
// change, the unsaved-changes prompt, saves refused for files changed on
// disk, and the mended "Constituent Wizard" entry that keeps unsaved work.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <chrono>
#include <filesystem>

#include "engine/class_registrations.h"
#include "engine/ide/code_module.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_projects.h"
#include "host/connector.h"
#include "host/environment_window.h"
#include "host/registration.h"
#include "pages/frm_wiz_main.h"
#include "pages/frm_wiz_single1a.h"
#include "pages/frm_wiz_single6.h"
#include "pages/module_state.h"
#include "pages/pages_fixture.h"
#include "platform/short_date.h"
#include "platform/vb_error.h"
#include "support/module_checker.h"
#include "unified_diff.h"

namespace qfw::host {
namespace {

using pages::PagesTest;

std::vector<std::string> Captions(QWidget* bar) {
    std::vector<std::string> captions;
    for (QAction* action : bar->actions())
        captions.push_back(action->text().toStdString());
    return captions;
}

// An environment of bare menus: a menu bar, then an Add-Ins menu.
struct Menus {
    Menus(std::vector<std::string> addInEntries) {
        for (const std::string& entry : addInEntries)
            addIns.addAction(QString::fromStdString(entry));
        application.CommandBars.Append("Menu Bar", &menuBar);
        application.CommandBars.Append("Add-Ins", &addIns);
        menuBar.addAction("&File");
    }
    QMenuBar menuBar;
    QMenu addIns;
    HostApplication application;
};

using ConnectorTest = PagesTest;
class EnvironmentTest : public PagesTest {
  protected:
    std::vector<std::string> warnings_;
};

TEST_F(ConnectorTest, EntriesGoAfterTheAddInManagerAndOnlyTheFirstIsRemoved) {
    Menus menus({"One", "Two", "&Add-In Manager...", "Three"});
    menus.application.VBE = vbe_;
    std::vector<std::string> custom;
    Connector first;
    first.IDTExtensibility_OnConnection(menus.application, 0, custom);
    EXPECT_EQ(Captions(&menus.addIns), (std::vector<std::string>{"One", "Two", "&Add-In Manager...",
                                                                 "&Quillfern Software", "Three"}));
    EXPECT_EQ(Captions(&menus.menuBar), (std::vector<std::string>{"&File", "Constituent Wizard"}));
    EXPECT_EQ(first.FirstMenuControl()->Id(), kCustomControlId);

    first.IDTExtensibility_OnDisconnection(0, custom);
    EXPECT_EQ(Captions(&menus.addIns),
              (std::vector<std::string>{"One", "Two", "&Add-In Manager...", "Three"}));
    EXPECT_EQ(Captions(&menus.menuBar), (std::vector<std::string>{"&File", "Constituent Wizard"}));

    // A second connection adds a new first entry and a further second one.
    Connector second;
    second.IDTExtensibility_OnConnection(menus.application, 0, custom);
    EXPECT_EQ(Captions(&menus.addIns)[3], "&Quillfern Software");
    EXPECT_EQ(Captions(&menus.menuBar),
              (std::vector<std::string>{"&File", "Constituent Wizard", "Constituent Wizard"}));
}

// Without the manager entry the position asked for is two past the end, which
// the bar refuses: the connection fails and nothing is added.
TEST_F(ConnectorTest, WithoutAnAddInManagerTheConnectionFails) {
    Menus menus({"One"});
    menus.application.VBE = vbe_;
    std::vector<std::string> custom;
    Connector connector;
    EXPECT_THROW(connector.IDTExtensibility_OnConnection(menus.application, 0, custom), VbError);
    EXPECT_EQ(Captions(&menus.addIns), (std::vector<std::string>{"One"}));
}

TEST_F(ConnectorTest, WithoutAnAddInsBarTheConnectionFails) {
    QMenuBar bar;
    HostApplication application;
    application.VBE = vbe_;
    application.CommandBars.Append("Menu Bar", &bar);
    std::vector<std::string> custom;
    Connector connector;
    EXPECT_THROW(connector.IDTExtensibility_OnConnection(application, 0, custom), VbError);
}

TEST_F(ConnectorTest, TheClipboardHoldsTheIconAfterConnection) {
    QApplication::clipboard()->setText("the user's text");
    Menus menus({"&Add-In Manager..."});
    menus.application.VBE = vbe_;
    std::vector<std::string> custom;
    Connector connector;
    connector.IDTExtensibility_OnConnection(menus.application, 0, custom);
    const QImage image = QApplication::clipboard()->image();
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_FALSE(connector.FirstMenuControl()->Action()->icon().isNull());
}

TEST_F(ConnectorTest, TheEntryShowsTheIntroductionPageAgainDuringARun) {
    AddProject("Alpha", {"Ctl"});
    Menus menus({"&Add-In Manager..."});
    menus.application.VBE = vbe_;
    std::vector<std::string> custom;
    Connector connector;
    connector.IDTExtensibility_OnConnection(menus.application, 0, custom);
    connector.FirstMenuControl()->Action()->trigger();
    ASSERT_EQ(VisiblePages(), std::vector<std::string>{"frmWizMain"});
    pages::WizMain().hide();
    connector.FirstMenuControl()->Action()->trigger();
    EXPECT_EQ(VisiblePages(), std::vector<std::string>{"frmWizMain"});
    EXPECT_EQ(pages::OpenPages().size(), 1u);
}

TEST_F(ConnectorTest, TestItSaysWabbits) {
    Connector connector;
    connector.TestIt();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Wabbits"});
}

TEST_F(EnvironmentTest, ShowsTheProjectsTheCodeAndTheControls) {
    AddProjectWithControls("Alpha", "Ctl", {{"VB.TextBox", "txtName"}, {"VB.Label", "lblName"}});
    EnvironmentWindow window(vbe_);
    ASSERT_EQ(window.Tree()->topLevelItemCount(), 1);
    QTreeWidgetItem* project = window.Tree()->topLevelItem(0);
    EXPECT_EQ(project->text(0).toStdString(), "Alpha (Alpha.vbp)");
    ASSERT_EQ(project->childCount(), 1);
    EXPECT_EQ(project->child(0)->text(0).toStdString(), "User Controls");
    ASSERT_TRUE(window.SelectComponent("Alpha", "Ctl"));
    EXPECT_EQ(window.CodeView()->toPlainText().toStdString(), "Option Explicit");
    EXPECT_TRUE(window.CodeView()->isReadOnly());
    ASSERT_EQ(window.ControlsList()->count(), 2);
    EXPECT_EQ(window.ControlsList()->item(0)->text().toStdString(), "txtName (VB.TextBox)");
    EXPECT_FALSE(window.isWindowModified());
}

// Changes the UserControl's code as a wizard run would.
void Change(ide::VBE& vbe) {
    vbe.VBProjects()->Item("Alpha")->VBComponents()->Item("Ctl")->CodeModule()->InsertLines(
        2, "Public Event Click()");
}

TEST_F(EnvironmentTest, ClosingWithUnsavedChangesAsks) {
    struct Case {
        int32_t answer;
        bool closes;
        bool saved;
    } cases[] = {{vbCancel, false, false}, {vbNo, true, false}, {vbYes, true, true}};
    for (const Case& c : cases) {
        testing::TempFolder folder;
        auto vbe = ide::VBE::Create();
        folder.Write("Alpha/Ctl.ctl", testing::UserControlText("Ctl", {{"VB.TextBox", "txt"}}));
        folder.Write("Alpha/Alpha.vbp", testing::ProjectText("Alpha", {"UserControl=Ctl.ctl"}));
        const std::string before = folder.Read("Alpha/Ctl.ctl");
        EnvironmentWindow window(vbe);
        window.OpenFiles({folder.Windows("Alpha/Alpha.vbp")});
        window.show();
        Change(*vbe);
        window.Refresh();
        EXPECT_TRUE(window.isWindowModified());
        shell_.Reply(c.answer);
        window.ExitAction()->trigger();
        EXPECT_EQ(window.isVisible(), !c.closes) << c.answer;
        EXPECT_EQ(folder.Read("Alpha/Ctl.ctl") != before, c.saved) << c.answer;
        EXPECT_NE(Messages().back().find("Ctl.ctl"), std::string::npos);
        window.DisconnectAddIn();
        window.hide();
    }
}

TEST_F(EnvironmentTest, SaveRefusesAFileChangedOnDisk) {
    AddProject("Alpha", {"Ctl"});
    EnvironmentWindow window(vbe_);
    Change(*vbe_);
    folder_.Write("Alpha/Ctl.ctl", "edited elsewhere\r\n");
    EXPECT_FALSE(window.SaveAll());
    EXPECT_EQ(folder_.Read("Alpha/Ctl.ctl"), "edited elsewhere\r\n");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("Ctl.ctl was changed on disk"), std::string::npos);
    EXPECT_TRUE(window.HasUnsavedChanges());
}

TEST_F(EnvironmentTest, SaveWritesTheChangeAndClearsTheMark) {
    AddProject("Alpha", {"Ctl"});
    EnvironmentWindow window(vbe_);
    ASSERT_TRUE(window.SelectComponent("Alpha", "Ctl"));
    Change(*vbe_);
    window.Refresh();
    EXPECT_NE(window.CodeView()->toPlainText().indexOf("Public Event Click()"), -1);
    window.SaveAction()->trigger();
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_NE(folder_.Read("Alpha/Ctl.ctl").find("Public Event Click()\r\n"), std::string::npos);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EnvironmentTest, ViewChangesShowsTheUnsavedChangeAsADiff) {
    AddProject("Alpha", {"Ctl"});
    EnvironmentWindow window(vbe_);
    window.diff = [](const std::string& before, const std::string& after,
                     const std::string& beforeLabel, const std::string& afterLabel) {
        return app::UnifiedDiff(before, after, beforeLabel, afterLabel);
    };
    ASSERT_TRUE(window.SelectComponent("Alpha", "Ctl"));
    EXPECT_EQ(window.SelectedChanges(), "");
    window.ChangesAction()->trigger();
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"The selected component has no unsaved changes."});

    Change(*vbe_);
    const std::string changes = window.SelectedChanges();
    EXPECT_NE(changes.find("--- Ctl.ctl (saved)\n+++ Ctl.ctl (unsaved)\n"), std::string::npos);
    EXPECT_NE(changes.find("\n+Public Event Click()\r\n"), std::string::npos);
    EXPECT_NE(changes.find("\n Option Explicit\r\n"), std::string::npos);
}

// Answers the Add-In Manager: sets the add-in's box and presses OK.
void AnswerAddInManager(bool loaded) {
    QTimer::singleShot(0, [loaded] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* list = dialog->findChild<QListWidget*>("lstAddIns");
        ASSERT_NE(list, nullptr);
        list->item(0)->setCheckState(loaded ? Qt::Checked : Qt::Unchecked);
        static_cast<QDialog*>(dialog)->accept();
    });
}

TEST_F(EnvironmentTest, TheAddInManagerConnectsAndDisconnects) {
    AddProject("Alpha", {"Ctl"});
    EnvironmentWindow window(vbe_);
    AnswerAddInManager(true);
    window.AddInManagerAction()->trigger();
    ASSERT_NE(window.AddIn(), nullptr);
    EXPECT_EQ(Captions(window.AddInsMenu()),
              (std::vector<std::string>{"&Add-In Manager...", "&Quillfern Software"}));
    AnswerAddInManager(false);
    window.AddInManagerAction()->trigger();
    EXPECT_EQ(window.AddIn(), nullptr);
    EXPECT_EQ(Captions(window.AddInsMenu()), std::vector<std::string>{"&Add-In Manager..."});
}

TEST_F(EnvironmentTest, StartUpConnectsAnEnteredAndRegisteredAddIn) {
    struct Case {
        const char* value;
        bool registered;
        bool connected;
    } cases[] = {
        {"1", true, true}, {"0", true, false}, {"1", false, false}, {nullptr, true, false}};
    for (const Case& c : cases) {
        testing::TempFolder folder;
        folder.Write("VBAddIn.INI",
                     c.value ? std::string("[Add-Ins32]\r\nQFNWizard.Connector=") + c.value + "\r\n"
                             : std::string());
        RegistryView view;
        if (c.registered)
            view.LoadRegText(RegistrationText("Z:\\q", "Z:\\q.tlb"), "registry.reg", warnings_);
        ScopedClassesRoot root(view);
        EnvironmentWindow window(vbe_);
        window.ConnectEnteredAddIns(folder.Unix("VBAddIn.INI"));
        EXPECT_EQ(window.AddIn() != nullptr, c.connected) << (c.value ? c.value : "none");
        window.DisconnectAddIn();
    }
}

TEST_F(EnvironmentTest, TheMendedSecondEntryEndsTheAddInAndKeepsUnsavedWork) {
    AddProject("Alpha", {"Ctl"});
    EnvironmentWindow window(vbe_);
    window.show();
    window.ConnectAddIn();
    ASSERT_NE(window.AddIn(), nullptr);
    EXPECT_EQ(Captions(window.AddInsMenu()),
              (std::vector<std::string>{"&Add-In Manager...", "&Quillfern Software"}));
    Change(*vbe_);
    window.AddIn()->FirstMenuControl()->Action()->trigger();
    ASSERT_EQ(VisiblePages(), std::vector<std::string>{"frmWizMain"});

    window.AddIn()->SecondMenuControl()->Action()->trigger();
    EXPECT_TRUE(VisiblePages().empty());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.HasUnsavedChanges());
    EXPECT_TRUE(window.AddIn()->Ended());
    window.AddIn()->FirstMenuControl()->Action()->trigger();
    EXPECT_TRUE(VisiblePages().empty());

    // The Add-In Manager shows it unloaded and loads it anew.
    AnswerAddInManager(true);
    window.AddInManagerAction()->trigger();
    ASSERT_FALSE(window.AddIn()->Ended());
    EXPECT_EQ(Captions(window.AddInsMenu()),
              (std::vector<std::string>{"&Add-In Manager...", "&Quillfern Software"}));
    window.AddIn()->FirstMenuControl()->Action()->trigger();
    EXPECT_EQ(VisiblePages(), std::vector<std::string>{"frmWizMain"});
    shell_.Reply(vbNo);
    window.close();
}

// The whole run by clicks in the window over a copy of the example project:
// Add-Ins > "&Quillfern Software", the README's choices, Finish, Close. The
// pages leave the new code in the window, unsaved; the window's Save writes
// what the headless run writes.
TEST_F(EnvironmentTest, ARunByClicksThenSaveGivesTheGoldenUserControl) {
    namespace fs = std::filesystem;
    fs::copy(std::string(QFW_EXAMPLES) + "/LabeledEdit", folder_.Path() / "LabeledEdit");
    const fs::path ctl = folder_.Path() / "LabeledEdit" / "LabeledEdit.ctl";
    const std::string original = testing::ReadBytes(ctl);
    ScopedToday today(std::chrono::year_month_day{std::chrono::year{2024}, std::chrono::month{1},
                                                  std::chrono::day{5}});
    EnvironmentWindow window(vbe_);
    window.diff = [](const std::string& before, const std::string& after,
                     const std::string& beforeLabel, const std::string& afterLabel) {
        return app::UnifiedDiff(before, after, beforeLabel, afterLabel);
    };
    window.OpenFiles({folder_.Windows("LabeledEdit/LabeledEdit.vbp")});
    LearnProjectControls(*vbe_, registry_, warnings_);
    pages::Module().showItemSelectionPage = pages::ShowItemSelectionPage;
    pages::Module().runEnded = [&window] { window.Refresh(); };
    window.show();
    ASSERT_TRUE(window.SelectComponent("LabeledEditCtl", "LabeledEdit"));
    window.ConnectAddIn();
    ASSERT_NE(window.AddIn(), nullptr);

    QAction* entry = nullptr;
    for (QAction* action : window.AddInsMenu()->actions()) {
        if (action->text() == "&Quillfern Software")
            entry = action;
    }
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    ChooseTheReadmeExample((folder_.Path() / "LabeledEdit" / "QUILLEDIT.OCX").string());
    Click(pages::WizSingle6().cmdWizard[pages::kFinish]);
    EXPECT_EQ(pages::WizSingle6().lstStatus->Texts().back(),
              "Quillfern Constituent Wizard Completed Successfully.");
    Click(pages::WizSingle6().cmdWizard[pages::kFinish]);
    EXPECT_TRUE(pages::OpenPages().empty());
    pages::Module().runEnded = nullptr;

    // Close left the file alone: the new code is in the window, unsaved.
    EXPECT_EQ(testing::ReadBytes(ctl), original);
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_NE(window.CodeView()->toPlainText().indexOf("Public Property Get Caption() As String"),
              -1);
    const std::string changes = window.SelectedChanges();
    EXPECT_NE(changes.find("--- LabeledEdit.ctl (saved)\n+++ LabeledEdit.ctl (unsaved)\n"),
              std::string::npos)
        << changes;
    EXPECT_NE(changes.find("\n+Public Property Get Caption() As String\r\n"), std::string::npos);

    window.SaveAction()->trigger();
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "The Quillfern Constituent wizard has completed successfully."});
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(window.SelectedChanges(), "");
    const std::string saved = testing::ReadBytes(ctl);
    EXPECT_EQ(saved, testing::ReadBytes(fs::path(QFW_FIXTURES) / "app" / "LabeledEdit.golden.ctl"));
    EXPECT_EQ(testing::ReadBytes(folder_.Path() / "LabeledEdit" / "LabeledEdit.QFN"), original);
    const auto problems = testing::CheckModule(saved, ReadmeExampleEvents());
    EXPECT_TRUE(problems.empty()) << testing::DescribeProblems(problems);
    window.DisconnectAddIn();
}

}  // namespace
}  // namespace qfw::host
