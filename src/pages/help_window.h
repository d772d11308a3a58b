// The help viewer: one window that shows the program's HTML help file and
// looks a keyword up in the file's keyword index (the links of its list
// with id "keywords"), the way the platform's help looked keywords up. A
// keyword the index does not hold shows the index itself.
#pragma once

#include <optional>
#include <string>

namespace qfw::pages {

// The anchor the keyword index links `keyword` to (compared ignoring case).
std::optional<std::string> HelpAnchor(const std::string& html, const std::string& keyword);

// Opens (or raises) the help window on the topic of `keyword` in `file`.
void ShowHelpWindow(const std::string& file, const std::string& keyword);

}  // namespace qfw::pages
