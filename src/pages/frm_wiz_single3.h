// frmWizSingle3: the multiple-constituent mapping page. With two or more
// constituent controls selected, its item lists show the common items chosen
// on the item selection page, split by whether they are mapped to all the
// selected controls; every move is handed to the engine at once.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <array>
#include <string>
#include <vector>

#include "pages/list_box.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

class frmWizSingle3 : public WizardPage {
  public:
    frmWizSingle3();

    QGroupBox* fraMap;
    std::array<QRadioButton*, 3> optItem{};
    VbListBox* lstControlList;
    std::array<QPushButton*, 4> cmdAddRemoveProperty{};
    // 0 the common items not mapped to all selected controls, 1 those mapped.
    std::array<VbListBox*, 2> lstPropertiesFromTo{};
    QLabel* lblCommon;
    QLabel* lblSelected;
    ButtonRow cmdWizard{};

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    void showEvent(QShowEvent* event) override;

  private:
    void Form_Activate();
    int16_t Kind() const;
    void RebuildItemLists(int16_t kind);
    void ApplyLists();
    void optItem_Click(int Index);
    void cmdAddRemoveProperty_Click(int Index);
    void cmdWizard_Click(int Index);
};

}  // namespace qfw::pages
