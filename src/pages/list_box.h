// A list box as the wizard's pages use it. A sorted list box keeps its
// entries in the platform's order: compared case-insensitively ("alpha",
// "Beta", "gamma"), an entry equal to others going after them. An unsorted
// one keeps the order entries were added in. Qt's own sorting compares case
// and would put "Zed" before "alpha", so it is not used.
#pragma once

#include <QListWidget>
#include <string>
#include <vector>

namespace qfw::pages {

class VbListBox : public QListWidget {
  public:
    explicit VbListBox(QWidget* parent, bool sorted = false);

    bool Sorted() const { return sorted_; }
    void AddItem(const std::string& text);
    // Adds the texts as AddItem would one after the other, in one pass: a
    // sorted list merges them in, keeping its entries' selection and its
    // current entry.
    void AddItems(const std::vector<std::string>& texts);
    // Replaces the entries with `texts`, unsorted, none selected or current.
    void SetTexts(const std::vector<std::string>& texts);
    // The entries' texts in list order.
    std::vector<std::string> Texts() const;
    // The selected entries' texts in list order.
    std::vector<std::string> SelectedTexts() const;
    // The position of the selected entry, -1 when none (ListIndex).
    int ListIndex() const;
    // Selects the entry at `index` and makes it current.
    void SelectRow(int index);
    // The current entry (the one with the focus), -1 when none; it need not
    // be selected.
    int CurrentIndex() const;
    // Makes the entry at `index` current without selecting it; -1 leaves no
    // current entry.
    void SetCurrentIndex(int index);

  private:
    bool sorted_;
};

// The position at which a sorted list inserts `text` among `texts`: after
// every entry that compares less or equal, case-insensitively.
int SortedInsertPosition(const std::vector<std::string>& texts, const std::string& text);

}  // namespace qfw::pages
