// frmAddItem: the Add Item dialog of the item selection page. It collects a
// new item's kind, name, attributes and (through frmParameters) parameters;
// OK adds the item to the specification record through the engine and
// closes the dialog, or shows why it cannot and stays open. Cancel adds
// nothing.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <array>
#include <string>
#include <vector>

#include "engine/custom_item.h"

#include "pages/wizard_page.h"

namespace qfw::pages {

class frmAddItem : public WizardPage {
  public:
    frmAddItem();

    // Loads the dialog and shows it modally, centred on the screen.
    void ShowModal();

    // The item the dialog's controls describe now.
    CustomItem Item() const;
    // The kind of the item the last OK added, or -1 when the dialog was
    // left without adding one.
    int16_t AddedKind() const { return addedKind_; }

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
    void cmdParameters_Click();
    // Offers the attributes that the chosen kind has: a property its type,
    // default and access, a method its return type and parameters, an
    // event its parameters.
    void optItem_Click();
    int16_t Kind() const;

    std::vector<std::string> parameters_;
    int16_t addedKind_ = -1;
};

}  // namespace qfw::pages
