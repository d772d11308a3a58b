// frmUserControlInfo: the UserControl picker, shown when the chosen project
// holds several UserControls.
#pragma once

#include "pages/picker_page.h"

namespace qfw::pages {

class frmUserControlInfo : public PickerPage {
  public:
    frmUserControlInfo();

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    void Next() override;
    void Back() override;
};

}  // namespace qfw::pages
