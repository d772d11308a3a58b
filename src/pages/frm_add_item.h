// frmAddItem: the Add Item dialog of the item selection page. It collects a
// new item's kind, name, attributes and (through frmParameters) parameters,
// and stores none of it: OK and Cancel both just close it.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "pages/wizard_page.h"

namespace qfw::pages {

class frmAddItem : public WizardPage {
  public:
    frmAddItem();

    // Loads the dialog and shows it modally, centred on the screen.
    void ShowModal();

    std::array<QRadioButton*, 3> optItem{};
    QLineEdit* txtName;
    QPushButton* cmdParameters;
    std::array<QLabel*, 4> lblAttrib{};
    // 0 data type, 1 run time, 2 design time.
    std::array<QComboBox*, 3> cmbAttrib{};
    QLineEdit* txtDefault;
    // "&OK", "&Cancel", "&Help".
    std::array<QPushButton*, 3> cmdOKCancel{};

  protected:
    void Form_Load() override;

  private:
    void cmdOKCancel_Click(int Index);
};

}  // namespace qfw::pages
