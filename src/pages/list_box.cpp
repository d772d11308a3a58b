#include "pages/list_box.h"

#include <algorithm>

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
}

void VbListBox::AddItem(const std::string& text) {
    if (!sorted_) {
        addItem(Q(text));
        return;
    }
    insertItem(SortedInsertPosition(Texts(), text), Q(text));
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
