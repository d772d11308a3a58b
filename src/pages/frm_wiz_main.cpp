#include "pages/frm_wiz_main.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "browser/browser.h"
#include "engine/ide/vb_projects.h"
#include "engine/run_messages.h"
#include "pages/frm_proj_info.h"
#include "pages/frm_user_control_info.h"
#include "pages/frm_wiz_single1.h"
#include "pages/module_state.h"
#include "platform/shell.h"
#include "platform/vb_error.h"

namespace qfw::pages {

namespace {

constexpr const char* kDescriptions[] = {
    "The Quillfern Constituent Control Wizard helps you build ActiveX controls that are based on "
    "existing (specification) controls. The wizard uses the specification control's properties, "
    "methods and events as template for your new control. After deciding which elements to "
    "include (or adding new ones) the wizard generates the necessary source code to emulate the "
    "specification control. ",
    "Here are the steps:",
    " - Select a specification control to base your control on.",
    " - Select the properties, methods and events that you would    like your control to expose "
    "to the programmer.",
    " - Choose how the properties, methods and events should       be mapped to the constituent "
    "control(s) contained within      your project.",
    "Click the Next button to continue. ",
};

}  // namespace

bool AssignUserControl(const std::string& sUserControlName) {
    Wizard& wizard = SharedWizard();
    try {
        if (ModuleState& module = Module(); module.VBInst)
            module.VBInst->ActiveVBProject(module.VBInst->VBProjects()->Item(wizard.ProjectName()));
        wizard.UserControlName(sUserControlName);
    } catch (const VbError& e) {
        CurrentShell().MsgBox(e.Description(), vbOKOnly, "");
        UnloadWizard();
        return false;
    }
    if (wizard.Result() == kResultRunEnded)
        return false;
    if (wizard.Result() == kResultNoConstituents) {
        CurrentShell().MsgBox(kMsgNoConstituent, vbOKOnly, "");
        UnloadWizard();
        return false;
    }
    return true;
}

frmWizMain::frmWizMain()
    : WizardPage("frmWizMain", "WizMain"), Qfnrws1(std::make_shared<Qfnrws>()) {
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout();
    body->addWidget(MakeSidePicture(this), 0, Qt::AlignTop);
    fraDescription = new QGroupBox("Description", this);
    auto* text = new QVBoxLayout(fraDescription);
    for (size_t i = 0; i < lblDescription.size(); ++i) {
        lblDescription[i] = new QLabel(fraDescription);
        lblDescription[i]->setWordWrap(true);
        text->addWidget(lblDescription[i]);
    }
    text->addStretch();
    body->addWidget(fraDescription, 1);
    outer->addLayout(body);
    cmdWizard = AddButtonRow(this, outer, false, [this](int i) { cmdWizard_Click(i); });
    cmdWizard[kBack]->setEnabled(false);
    cmdWizard[kFinish]->setEnabled(false);
    resize(640, 400);
}

void frmWizMain::Form_Load() {
    ModuleState& module = Module();
    module.gProjectListCount = SharedWizard().EnumerateProjects(module.gProjectList);
    if (module.gProjectListCount == 0) {
        CurrentShell().MsgBox(kMsgNoProject, vbOKOnly, "");
        UnloadWizard();
        return;
    }
    CenterForm(*this);
    setWindowTitle(Q(module.gAppTitle));
    for (size_t i = 0; i < lblDescription.size(); ++i)
        lblDescription[i]->setText(kDescriptions[i]);
}

void frmWizMain::Form_Unload() {
    UnloadWizard();
}

void frmWizMain::cmdWizard_Click(int Index) {
    RouteWizardButton(Index);
}

void frmWizMain::Next() {
    StorePosition();
    Wizard& wizard = SharedWizard();
    std::vector<std::string> projects;
    const int16_t n = wizard.EnumerateProjects(projects);
    if (n >= 2) {
        SharedBrowser().BrowserControl(Qfnrws1);
        ProjInfo().Load();
        hide();
        ProjInfo().ShowModeless();
        return;
    }
    std::vector<std::string> userControls;
    const int16_t m = wizard.EnumerateObjects(projects.empty() ? "" : projects[0], userControls);
    if (m > 1) {
        SharedBrowser().BrowserControl(Qfnrws1);
        // The picker lists the UserControls of the engine's project, which
        // must be this one, not one left from an earlier run.
        wizard.ProjectName(projects[0]);
        UserControlInfo().ShowModeless();
        hide();
    } else if (m == 0) {
        CurrentShell().MsgBox(kMsgNoUserControl, vbOKOnly, "");
        UnloadWizard();
    } else {
        CurrentShell().SetBusy(true);
        CurrentShell().DoEvents();
        SharedBrowser().BrowserControl(Qfnrws1);
        wizard.ProjectName(projects[0]);
        if (!AssignUserControl(userControls[0])) {
            CurrentShell().SetBusy(false);
            return;
        }
        WizSingle1().Load();
        CurrentShell().SetBusy(false);
        WizSingle1().ShowModeless();
        hide();
    }
}

}  // namespace qfw::pages
