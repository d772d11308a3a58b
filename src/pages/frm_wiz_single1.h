// frmWizSingle1: the specification control page. Its "Available Controls"
// list offers the environment's own libraries, a library the user browsed
// to and, on request, the system folder's controls; Next has the shared
// browser list the chosen library's interfaces for the interface page.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include "pages/list_box.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

class frmWizSingle1 : public WizardPage {
  public:
    frmWizSingle1();

    QGroupBox* fraControl;
    QPushButton* cmdFilter;
    QPushButton* cmdBrowse;
    QLabel* lblControl;
    VbListBox* lstControl;
    // Lists every creatable control of the chosen library by its declared
    // interfaces instead of by position (controls compiled by Visual Basic
    // lay their interfaces out apart from their classes).
    QCheckBox* chkDeclared;
    ButtonRow cmdWizard{};

    // Rebuilds lstControl from the available-control lists and filters.
    void FillControlList();

    // The open-file dialog's filter.
    static constexpr const char* kBrowseFilter = "OCX Files (*.ocx)|*.ocx|OLB Files (*.olb)|*.olb";

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    void cmdWizard_Click(int Index);
    void cmdBrowse_Click();
    void cmdFilter_Click();
    void lstControl_DblClick();
    void Next() override;
    void Back() override;
};

}  // namespace qfw::pages
