// frmParameters: the Parameter Information dialog opened from Add Item. It
// starts from the list in `parameterList` and OK hands the edited list of
// "name As type" lines back there; Cancel leaves it as it was.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <array>
#include <string>
#include <vector>

#include "pages/list_box.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

class frmParameters : public WizardPage {
  public:
    frmParameters();

    // Loads the dialog and shows it modally, centred on the screen.
    void ShowModal();

    std::vector<std::string> parameterList;

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
    void cmdOKCancel_Click(int Index);
};

}  // namespace qfw::pages
