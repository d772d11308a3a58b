#include "pages_fixture.h"

#include <QWidget>
#include <filesystem>

#include "browser/browser.h"
#include "browser/control_lists.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "pages/frm_control_list.h"
#include "pages/frm_multi_interface.h"
#include "pages/frm_proj_info.h"
#include "pages/frm_user_control_info.h"
#include "pages/frm_wiz_main.h"
#include "pages/frm_wiz_single1.h"
#include "pages/frm_wiz_single1a.h"
#include "pages/frm_wiz_single2.h"
#include "pages/frm_wiz_single3.h"
#include "pages/frm_wiz_single6.h"

namespace qfw::pages {

void PagesTest::SetUpTestSuite() {
    if (qApp == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "pages_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

void RunShell::ShowStatus(const std::string& text) {
    RecordingShell::ShowStatus(text);
    WizSingle6().AddStatus(text);
}

void PagesTest::SetUp() {
    shellScope_ = std::make_unique<ScopedShell>(shell_);
    registryScope_ = std::make_unique<ScopedClassesRoot>(registry_);
    ControlLists().gUserListFilter = true;
    ControlLists().gSystemListFilter = false;
    Module().helpViewer = [this](const std::string&, const std::string& keyword) {
        helpCalls_.push_back(keyword);
    };
    Module().showItemSelectionPage = [this] {
        ++itemPagesShown_;
        return true;
    };
    Module().generationSucceeded = false;
}

void PagesTest::TearDown() {
    UnloadWizard();
    Module().helpViewer = nullptr;
    Module().showItemSelectionPage = nullptr;
}

void PagesTest::AddProject(const std::string& name, const std::vector<std::string>& userControls) {
    std::vector<std::string> items;
    for (const std::string& control : userControls) {
        folder_.Write(name + "/" + control + ".ctl",
                      testing::UserControlText(control, {{"VB.TextBox", "txt" + control}}));
        items.push_back("UserControl=" + control + ".ctl");
    }
    if (userControls.empty()) {
        folder_.Write(name + "/Form1.frm", testing::FormText("Form1"));
        items.push_back("Form=Form1.frm");
    }
    folder_.Write(name + "/" + name + ".vbp", testing::ProjectText(name, items));
    vbe_->VBProjects()->AddFromFile(folder_.Windows(name + "/" + name + ".vbp"));
}

void PagesTest::AddProjectWithControls(const std::string& name, const std::string& userControl,
                                       const std::vector<testing::ControlSpec>& controls) {
    folder_.Write(name + "/" + userControl + ".ctl",
                  testing::UserControlText(userControl, controls));
    folder_.Write(name + "/" + name + ".vbp",
                  testing::ProjectText(name, {"UserControl=" + userControl + ".ctl"}));
    vbe_->VBProjects()->AddFromFile(folder_.Windows(name + "/" + name + ".vbp"));
}

void PagesTest::AddUnsavedProject(const std::string& name, const std::string& userControl) {
    auto project = vbe_->VBProjects()->AddNew(name);
    project->VBComponents()->AddFromText(
        ide::vbext_ct_UserControl,
        testing::UserControlText(userControl, {{"VB.TextBox", "Text1"}}));
}

void PagesTest::StartRun() {
    ConnectEnvironment(vbe_);
    WizMain().ShowModeless();
}

void PagesTest::ReachItemPage(const std::vector<testing::ControlSpec>& controls) {
    AddProjectWithControls("Proj", "Ctl", controls);
    const std::filesystem::path spec = folder_.Path() / "QUILLEDIT.OCX";
    std::filesystem::copy_file(std::string(QFW_EXAMPLES) + "/LabeledEdit/QUILLEDIT.OCX", spec,
                               std::filesystem::copy_options::overwrite_existing);
    Module().showItemSelectionPage = ShowItemSelectionPage;
    StartRun();
    Click(WizMain().cmdWizard[kNext]);
    shell_.ReplyOpen(spec.string());
    Click(WizSingle1().cmdBrowse);
    Click(WizSingle1().cmdWizard[kNext]);
    Click(MultiInterface().cmdWizard[kNext]);
}

std::string PagesTest::EntryStarting(const VbListBox& list, const std::string& prefix) {
    for (const std::string& text : list.Texts()) {
        if (text.rfind(prefix, 0) == 0)
            return text;
    }
    return prefix;
}

void PagesTest::ChooseTheReadmeExample(const std::string& spec) {
    Click(WizMain().cmdWizard[kNext]);
    shell_.ReplyOpen(spec);
    Click(WizSingle1().cmdBrowse);
    Click(WizSingle1().cmdWizard[kNext]);
    Click(MultiInterface().cmdWizard[kNext]);

    frmWizSingle1a& items = WizSingle1a();
    const std::vector<std::pair<int, std::vector<std::string>>> choices = {
        {0, {"Caption", "Text", "Value", "Font", "BackColor"}},
        {1, {"Refresh"}},
        {2, {"Change", "KeyPress"}}};
    for (const auto& [kind, names] : choices) {
        items.cmbItem->setCurrentIndex(kind);
        bool first = true;
        for (const std::string& name : names) {
            ClickEntry(*items.lstFromTo[0], EntryStarting(*items.lstFromTo[0], name + " "),
                       first ? Qt::NoModifier : Qt::ControlModifier);
            first = false;
        }
        Click(items.cmdAddRemove[0]);
    }
    Click(items.cmdWizard[kNext]);
    ASSERT_EQ(VisiblePages(), std::vector<std::string>{"frmWizSingle2"});
    for (const char* name : {"TextBox", "Label", "Dial"}) {
        ClickEntry(*WizSingle2().lstControlsFromTo[0], name);
        Click(WizSingle2().cmdAddRemove[0]);
    }
    Click(WizSingle2().cmdWizard[kNext]);
    frmWizSingle3& multi = WizSingle3();
    ClickEntry(*multi.lstControlList, "TextBox");
    ClickEntry(*multi.lstControlList, "Label", Qt::ControlModifier);
    ClickEntry(*multi.lstPropertiesFromTo[0], "BackColor As Long");
    Click(multi.cmdAddRemoveProperty[0]);
    EXPECT_EQ(multi.lstPropertiesFromTo[1]->Texts(), std::vector<std::string>{"BackColor As Long"});
    Click(multi.cmdWizard[kNext]);
    ASSERT_EQ(VisiblePages(), std::vector<std::string>{"frmWizSingle6"});
}

testing::ModuleExpectations PagesTest::ReadmeExampleEvents() {
    testing::ModuleExpectations events;
    events.constituents["txtValue"].events = {"Click () ", "Change () ",
                                              "KeyDown (KeyCode As Integer, Shift As Integer) ",
                                              "KeyPress (KeyAscii As Integer) "};
    events.constituents["dlLevel"].events = {"Change () ", "Click () ", "Scroll () "};
    return events;
}

void PagesTest::ClickEntry(QListWidget& list, const std::string& text,
                           Qt::KeyboardModifiers modifiers) {
    const auto found = list.findItems(QString::fromStdString(text), Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << text;
    list.scrollToItem(found.front());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                      list.visualItemRect(found.front()).center());
}

std::vector<std::string> PagesTest::Messages() const {
    std::vector<std::string> texts;
    for (const auto& call : shell_.Messages())
        texts.push_back(call.text);
    return texts;
}

std::vector<std::string> PagesTest::VisiblePages() {
    std::vector<std::string> names;
    for (QWidget* page : std::vector<QWidget*>{
             &WizMain(), &ProjInfo(), &UserControlInfo(), &WizSingle1(), &MultiInterface(),
             &ControlList(), &WizSingle1a(), &WizSingle2(), &WizSingle3(), &WizSingle6()}) {
        if (page->isVisible())
            names.push_back(PageName(*page));
    }
    return names;
}

}  // namespace qfw::pages
