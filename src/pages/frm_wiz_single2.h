// frmWizSingle2: the mapping order page. The user moves every constituent
// control's class name from the sorted left list into the order list; Next
// (enabled once the left list is empty) hands each one its position.
#pragma once

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <array>

#include "pages/list_box.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

class frmWizSingle2 : public WizardPage {
  public:
    frmWizSingle2();

    QGroupBox* fraOrder;
    // 0 the constituents not yet placed (sorted), 1 the mapping order.
    std::array<VbListBox*, 2> lstControlsFromTo{};
    std::array<QPushButton*, 4> cmdAddRemove{};
    QLabel* lblExplain;
    ButtonRow cmdWizard{};

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    void showEvent(QShowEvent* event) override;

  private:
    void Form_Activate();
    void cmdAddRemove_Click(int Index);
    void cmdWizard_Click(int Index);
    void Next() override;
    void Back() override;
};

// The four move buttons of the paired lists of the mapping pages, captioned
// "&Add >", "&Add All >", "< &Remove", "< &Remove All", in `layout`.
std::array<QPushButton*, 4> MakeMoveButtons(QWidget* parent, QBoxLayout* layout);

}  // namespace qfw::pages
