// Which Wine prefix the program works with.
//
// One rule decides it, for the registry files and for every drive letter
// alike, so that a class registered in a prefix is looked for in that same
// prefix's drive_c:
//   1. the --wine-prefix option, which must name an existing folder;
//   2. else WINEPREFIX when set and not empty (as Wine itself would);
//   3. else ~/.wine when that folder exists;
//   4. else our own folder $XDG_DATA_HOME/qfwizard (default
//      ~/.local/share/qfwizard), whose drive_c is created when first used.
#pragma once

#include <string>

namespace qfw {

struct WinePrefixChoice {
    std::string folder;      // Unix folder holding drive_c (and system.reg)
    bool ownFolder = false;  // rule 4: not a Wine prefix, only our C: drive
};

// Applies the rule to an option value ("" when not given) and the values of
// WINEPREFIX, HOME and XDG_DATA_HOME (nullptr when unset). Raises VbError 76
// naming the option's folder when it does not exist.
WinePrefixChoice ChooseWinePrefix(const std::string& option, const char* winePrefixEnv,
                                  const char* homeEnv, const char* xdgDataHomeEnv);

// The same with the process environment's values.
WinePrefixChoice ChooseWinePrefix(const std::string& option);

}  // namespace qfw
