// frmWizSingle1a: the item selection page. For the kind chosen in cmbItem,
// its two sorted lists mirror the specification record's items split by
// their selection flag; every move writes the flags back at once, so the
// page keeps no state of its own.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <array>

#include "pages/list_box.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

class frmWizSingle1a : public WizardPage {
  public:
    frmWizSingle1a();

    QGroupBox* fraItems;
    QComboBox* cmbItem;
    // 0 the available list, 1 the selected list.
    std::array<VbListBox*, 2> lstFromTo{};
    // "&Add >", "&Add All >", "< &Remove", "< &Remove All".
    std::array<QPushButton*, 4> cmdAddRemove{};
    QPushButton* cmdNew;
    ButtonRow cmdWizard{};

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    void showEvent(QShowEvent* event) override;

  private:
    void ShowKind();
    void cmdAddRemove_Click(int Index);
    void cmdNew_Click();
    void lstFromTo_DblClick(int Index);
    void cmdWizard_Click(int Index);
    void Next() override;
    void Back() override;
};

// Loads and shows the item selection page: what the interface page's Next
// leads to. Always True (the page is shown).
bool ShowItemSelectionPage();

}  // namespace qfw::pages
