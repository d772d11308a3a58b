// Writes small Visual Basic projects for the engine tests, the way the
// environment saves them: CR LF line ends, a .vbp listing its components and
// a .ctl per UserControl with one Begin block per constituent control.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder.h"

namespace qfw::testing {

struct ControlSpec {
    std::string progId;  // "VB.TextBox", "QuillDialLib.Dial"
    std::string name;
};

// The text of a .ctl with the controls in designer order and the code lines.
std::string UserControlText(const std::string& name, const std::vector<ControlSpec>& controls,
                            const std::vector<std::string>& code = {"Option Explicit"});

// The text of a .frm with no controls.
std::string FormText(const std::string& name);

// The text of a .vbp named `name` whose component lines are `items`
// ("UserControl=Ctl.ctl", "Form=Form1.frm" ...).
std::string ProjectText(const std::string& name, const std::vector<std::string>& items,
                        const std::vector<std::string>& objectLines = {});

}  // namespace qfw::testing
