#include "pages/frm_proj_info.h"

#include "engine/run_messages.h"
#include "pages/frm_user_control_info.h"
#include "pages/frm_wiz_main.h"
#include "pages/frm_wiz_single1.h"
#include "pages/module_state.h"
#include "platform/shell.h"

namespace qfw::pages {

frmProjInfo::frmProjInfo() : PickerPage("frmProjInfo", "WizProjInfo") {}

void frmProjInfo::Form_Load() {
    CenterForm(*this);
    setWindowTitle("Select Project");
    lblInfo->setText(
        "The wizard has determined that more that one project is currently loaded. Please select "
        "the project that contains the user control that you would like to add source code to "
        "and then click OK.");
    FillList(Module().gProjectList);
}

void frmProjInfo::Form_Unload() {
    // Closing the visible page with the window's close command would leave
    // the run behind hidden pages the user cannot reach; it ends the run.
    UnloadWizard();
}

void frmProjInfo::Next() {
    if (lstInfo->ListIndex() < 0) {
        CurrentShell().MsgBox("You must select a project to continue.", vbOKOnly, "");
        return;
    }
    Wizard& wizard = SharedWizard();
    wizard.ProjectName(lstInfo->SelectedTexts().front());
    std::vector<std::string> userControls;
    const int16_t m = wizard.EnumerateObjects(wizard.ProjectName(), userControls);
    if (m == 0) {
        CurrentShell().MsgBox(kMsgNoUserControl, vbOKOnly, "");
        UnloadWizard();
    } else if (m == 1) {
        if (!AssignUserControl(userControls[0]))
            return;
        WizSingle1().Load();
        hide();
        WizSingle1().ShowModeless();
    } else {
        UserControlInfo().Load();
        hide();
        UserControlInfo().ShowModeless();
    }
}

void frmProjInfo::Back() {
    WizMain().MakeVisible();
    hide();
}

}  // namespace qfw::pages
