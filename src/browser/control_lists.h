// The "Available Controls" list of the specification control page: the
// libraries the user picked, and the libraries of the system folder, each
// shown when its filter is on.
//
// The state is module state shared by the pages; it lives here, in one
// place, and is reached through ControlLists().
#pragma once

#include <string>
#include <vector>

namespace qfw {

struct ControlListState {
    std::vector<std::string> gSelectedControls;  // the user's libraries
    std::vector<std::string> gSystemControls;    // the system folder's libraries
    bool gUserListFilter = true;
    bool gSystemListFilter = false;
};

ControlListState& ControlLists();

// A list entry: the library's help string, 100 blanks (which push the file
// out of sight in the list box), "|" and the library file.
std::string ControlListEntry(const std::string& helpString, const std::string& file);

// The file of an entry: the text after its first "|".
std::string ControlListFile(const std::string& entry);

// The help string of a GetControlInfo library answer "Name|Help string".
std::string LibraryHelpString(const std::string& controlInfo);

// The lines of the "Available Controls" list box: the user's libraries when
// their filter is on, then the system folder's (listed once per run) when
// theirs is. A failure ends the list with the entries added so far.
std::vector<std::string> FillControlList(ControlListState& state);

}  // namespace qfw
