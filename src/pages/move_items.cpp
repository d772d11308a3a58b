#include "pages/move_items.h"

#include <string>
#include <vector>

#include "pages/list_box.h"

namespace qfw::pages {

bool MoveAllItems(QWidget* source, QWidget* target) {
    auto* from = dynamic_cast<VbListBox*>(source);
    auto* to = dynamic_cast<VbListBox*>(target);
    if (from == nullptr || to == nullptr)
        return true;
    to->AddItems(from->Texts());
    from->clear();
    return true;
}

bool MoveSelectedItems(QWidget* source, QWidget* target) {
    auto* from = dynamic_cast<VbListBox*>(source);
    auto* to = dynamic_cast<VbListBox*>(target);
    if (from == nullptr || to == nullptr)
        return true;
    const int k = from->CurrentIndex();
    if (k == -1)
        return false;
    std::vector<std::string> moved;
    std::vector<std::string> kept;
    for (int i = 0; i < from->count(); ++i)
        (from->item(i)->isSelected() ? moved : kept).push_back(from->item(i)->text().toStdString());
    to->AddItems(moved);
    if (!moved.empty())
        from->SetTexts(kept);
    if (from->count() >= k) {
        from->SetCurrentIndex(k - 1);
    } else {
        from->SetCurrentIndex(from->count() - 1);
        if (from->count() > 0)
            from->item(from->count() - 1)->setSelected(true);
    }
    return true;
}

}  // namespace qfw::pages
