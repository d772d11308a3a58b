// frmControlList: the modal dialog that switches the two sources of the
// "Available Controls" list on and off.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <array>

#include "pages/wizard_page.h"

namespace qfw::pages {

class frmControlList : public WizardPage {
  public:
    frmControlList();

    // Loads the dialog and shows it modally, centred on the screen.
    void ShowModal();

    QGroupBox* fraControlList;
    std::array<QCheckBox*, 2> chkControlList{};
    std::array<QPushButton*, 2> cmdOKCancel{};

  protected:
    void Form_Load() override;

  private:
    void cmdOKCancel_Click(int Index);
};

}  // namespace qfw::pages
