// The two routines that move entries between the paired "from" and "to"
// lists of the wizard pages. Neither raises an error to its caller; a
// widget that is not a list box makes either a no-op that answers True.
//
// A list's current entry (the one with the focus) and its selected entries
// are different things: the current entry may be unselected, and entries
// may be selected without one being current.
#pragma once

class QWidget;

namespace qfw::pages {

// Appends every entry of source to target, in order, and empties source.
bool MoveAllItems(QWidget* source, QWidget* target);

// Moves the selected entries of source, in list order, to target. False,
// moving nothing, when source has no current entry. Afterwards the entry
// before the old current position becomes current (none when that was the
// first); when the list has become shorter than that position, its last
// entry becomes current and selected.
bool MoveSelectedItems(QWidget* source, QWidget* target);

}  // namespace qfw::pages
