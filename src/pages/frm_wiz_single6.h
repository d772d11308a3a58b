// frmWizSingle6: the generation page. Finish has the engine back up the
// UserControl file and generate all code, with the progress in lstStatus;
// after success the Finish button becomes Close, which ends the run.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include "pages/list_box.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

class frmWizSingle6 : public WizardPage {
  public:
    frmWizSingle6();

    QGroupBox* fraCreate;
    VbListBox* lstStatus;
    QLabel* lblConfirm;
    // "Save property values with the control": off whenever the page loads.
    QCheckBox* chkPersist;
    ButtonRow cmdWizard{};

    // Appends a line to lstStatus and keeps it in view: the page's own
    // progress lines and, through the shell, the engine's.
    void AddStatus(const std::string& line);

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    void SetConfirmText();
    void cmdWizard_Click(int Index);
    void Finish();
    void Close();
};

}  // namespace qfw::pages
