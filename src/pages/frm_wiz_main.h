// frmWizMain: the introduction page. It explains the wizard and holds the
// browser control instance Qfnrws1 that the shared Browser reads libraries
// through. Its Next settles the project and the UserControl: the project
// picker when several projects are loaded, the UserControl picker when the
// project holds several UserControls, otherwise straight to the
// specification control page.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <array>
#include <memory>

#include "browser/control/qfnrws.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

class frmWizMain : public WizardPage {
  public:
    frmWizMain();

    std::shared_ptr<Qfnrws> Qfnrws1;
    QGroupBox* fraDescription;
    std::array<QLabel*, 6> lblDescription{};
    ButtonRow cmdWizard{};

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    void cmdWizard_Click(int Index);
    void Next() override;
};

// Hands a UserControl to the engine, which finds its constituent controls,
// and makes its project the one generated into. False when the run cannot go
// on: the engine already ended it (never saved), or the UserControl has no
// constituent control (told to the user, run ended).
bool AssignUserControl(const std::string& sUserControlName);

}  // namespace qfw::pages
