// The layout the two pickers share: a side picture, a frame holding the
// list lstInfo, the explanation lblInfo, a separator and the button row
// cmdOKCancel with the pickers' captions (Finish disabled). Each picker
// gives its own handlers.
#pragma once

#include <QGroupBox>
#include <QLabel>

#include "pages/list_box.h"
#include "pages/wizard_page.h"

namespace qfw::pages {

class PickerPage : public WizardPage {
  public:
    PickerPage(const char* name, const char* helpKey);

    QGroupBox* fraInfo;
    VbListBox* lstInfo;
    QLabel* lblInfo;
    ButtonRow cmdOKCancel{};

  protected:
    // Fills lstInfo with `entries` in order and selects the first.
    void FillList(const std::vector<std::string>& entries);

  private:
    void cmdOKCancel_Click(int Index);
};

}  // namespace qfw::pages
