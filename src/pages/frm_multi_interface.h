// frmMultiInterface: the interface page. It lists the interfaces the shared
// browser found in the specification library, rebuilt every time the page is
// shown, and its Next fills the specification record with the chosen
// interface's properties, methods and events.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <string>
#include <vector>

#include "pages/list_box.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

class frmMultiInterface : public WizardPage {
  public:
    frmMultiInterface();

    QGroupBox* fraInfo;
    QLabel* lblInfo;
    VbListBox* lstInterfaces;
    ButtonRow cmdWizard{};

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    void showEvent(QShowEvent* event) override;

  private:
    void Form_Activate();
    void cmdWizard_Click(int Index);
    void Next();
    void Back();

    std::vector<std::string> sInterfaces_;
};

}  // namespace qfw::pages
