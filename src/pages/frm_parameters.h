// frmParameters: the Parameter Information dialog opened from Add Item. Its
// list of "name As type" lines lives only while the dialog is shown.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <array>

#include "pages/list_box.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

class frmParameters : public WizardPage {
  public:
    frmParameters();

    // Loads the dialog and shows it modally, centred on the screen.
    void ShowModal();

    QLineEdit* txtName;
    QComboBox* cmbType;
    QPushButton* cmdAdd;
    QPushButton* cmdRemove;
    VbListBox* lstParameters;
    // "&OK", "&Cancel".
    std::array<QPushButton*, 2> cmdOKCancel{};

  protected:
    void Form_Load() override;

  private:
    void cmdAdd_Click();
    void cmdRemove_Click();
};

}  // namespace qfw::pages
