#include "pages/frm_user_control_info.h"

#include "browser/browser.h"
#include "pages/frm_proj_info.h"
#include "pages/frm_wiz_main.h"
#include "pages/frm_wiz_single1.h"
#include "pages/module_state.h"

namespace qfw::pages {

frmUserControlInfo::frmUserControlInfo() : PickerPage("frmUserControlInfo", "WizUserInfo") {}

void frmUserControlInfo::Form_Load() {
    CenterForm(*this);
    ModuleState& module = Module();
    SharedWizard().EnumerateObjects(SharedWizard().ProjectName(), module.gUserControlList);
    setWindowTitle("Select UserControl");
    lblInfo->setText(
        "The wizard has found more than one user control within the project you selected. Please "
        "Select the UserControl you would like the wizard to create source code for and then "
        "click OK.");
    FillList(module.gUserControlList);
}

void frmUserControlInfo::Form_Unload() {
    // As on the project picker: closing the visible page ends the run.
    UnloadWizard();
}

void frmUserControlInfo::Next() {
    StorePosition();
    if (lstInfo->ListIndex() >= 0) {
        SharedBrowser().BrowserControl(WizMain().Qfnrws1);
        if (!AssignUserControl(lstInfo->SelectedTexts().front()))
            return;
    }
    WizSingle1().Load();
    hide();
    WizSingle1().ShowModeless();
}

void frmUserControlInfo::Back() {
    ProjInfo().ShowModeless();
    hide();
}

}  // namespace qfw::pages
