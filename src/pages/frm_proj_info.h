// frmProjInfo: the project picker, shown when several projects are loaded.
#pragma once

#include "pages/picker_page.h"

namespace qfw::pages {

class frmProjInfo : public PickerPage {
  public:
    frmProjInfo();

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    void Next() override;
    void Back() override;
};

}  // namespace qfw::pages
