#include "pages/list_box.h"

#include <QItemSelection>
#include <QStringList>
#include <algorithm>
#include <iterator>

#include "pages/wizard_page.h"

namespace qfw::pages {

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return QString::compare(Q(a), Q(b), Qt::CaseInsensitive) < 0;
}

}  // namespace

int SortedInsertPosition(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::upper_bound(texts.begin(), texts.end(), text, LessIgnoringCase) -
                            texts.begin());
}

VbListBox::VbListBox(QWidget* parent, bool sorted) : QListWidget(parent), sorted_(sorted) {
    setSortingEnabled(false);
    setUniformItemSizes(true);
}

void VbListBox::AddItem(const std::string& text) {
    if (!sorted_) {
        addItem(Q(text));
        return;
    }
    insertItem(SortedInsertPosition(Texts(), text), Q(text));
}

void VbListBox::AddItems(const std::vector<std::string>& texts) {
    if (texts.empty())
        return;
    if (!sorted_ || count() == 0) {
        std::vector<std::string> ordered = texts;
        if (sorted_)
            std::stable_sort(ordered.begin(), ordered.end(), LessIgnoringCase);
        QStringList list;
        list.reserve(static_cast<int>(ordered.size()));
        for (const std::string& text : ordered)
            list << Q(text);
        addItems(list);
        return;
    }
    // Each new entry goes after every entry that compares less or equal,
    // the old ones and the new ones added before it.
    struct Entry {
        std::string text;
        bool selected = false;
        bool current = false;
    };
    std::vector<Entry> old;
    old.reserve(static_cast<size_t>(count()));
    for (int i = 0; i < count(); ++i)
        old.push_back({item(i)->text().toStdString(), item(i)->isSelected(), i == currentRow()});
    std::vector<Entry> added;
    added.reserve(texts.size());
    for (const std::string& text : texts)
        added.push_back({text});
    const auto less = [](const Entry& a, const Entry& b) {
        return LessIgnoringCase(a.text, b.text);
    };
    std::stable_sort(added.begin(), added.end(), less);
    std::vector<Entry> merged;
    merged.reserve(old.size() + added.size());
    std::merge(old.begin(), old.end(), added.begin(), added.end(), std::back_inserter(merged),
               less);
    QStringList list;
    list.reserve(static_cast<int>(merged.size()));
    for (const Entry& entry : merged)
        list << Q(entry.text);
    clear();
    addItems(list);
    QItemSelection selection;
    int current = -1;
    for (int i = 0; i < static_cast<int>(merged.size()); ++i) {
        if (merged[static_cast<size_t>(i)].selected)
            selection.select(model()->index(i, 0), model()->index(i, 0));
        if (merged[static_cast<size_t>(i)].current)
            current = i;
    }
    selectionModel()->select(selection, QItemSelectionModel::Select);
    SetCurrentIndex(current);
}

void VbListBox::SetTexts(const std::vector<std::string>& texts) {
    clear();
    QStringList list;
    list.reserve(static_cast<int>(texts.size()));
    for (const std::string& text : texts)
        list << Q(text);
    addItems(list);
}

int VbListBox::CurrentIndex() const {
    return currentRow();
}

void VbListBox::SetCurrentIndex(int index) {
    if (index < 0 || index >= count()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    selectionModel()->setCurrentIndex(model()->index(index, 0), QItemSelectionModel::NoUpdate);
}

std::vector<std::string> VbListBox::Texts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < count(); ++i)
        texts.push_back(item(i)->text().toStdString());
    return texts;
}

std::vector<std::string> VbListBox::SelectedTexts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            texts.push_back(item(i)->text().toStdString());
    }
    return texts;
}

int VbListBox::ListIndex() const {
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            return i;
    }
    return -1;
}

void VbListBox::SelectRow(int index) {
    if (index < 0 || index >= count())
        return;
    setCurrentRow(index);
    item(index)->setSelected(true);
}

}  // namespace qfw::pages
