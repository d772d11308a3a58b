#include "pages/frm_wiz_single1a.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "pages/frm_add_item.h"
#include "pages/frm_multi_interface.h"
#include "pages/frm_wiz_single2.h"
#include "pages/frm_wiz_single6.h"
#include "pages/module_state.h"
#include "pages/move_items.h"
#include "platform/shell.h"
#include "platform/vb_error.h"

namespace qfw::pages {

frmWizSingle1a::frmWizSingle1a() : WizardPage("frmWizSingle1a", "Wiz1a") {
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout();
    body->addWidget(MakeSidePicture(this), 0, Qt::AlignTop);
    fraItems = new QGroupBox(
        "Select the Properties, Methods and Events that you would like to include in your "
        "control:",
        this);
    auto* grid = new QGridLayout(fraItems);
    auto* kindRow = new QHBoxLayout();
    kindRow->addWidget(new QLabel("Item:", fraItems));
    cmbItem = new QComboBox(fraItems);
    kindRow->addWidget(cmbItem, 1);
    grid->addLayout(kindRow, 0, 0, 1, 3);
    grid->addWidget(new QLabel("Available Items:", fraItems), 1, 0);
    grid->addWidget(new QLabel("Selected Items:", fraItems), 1, 2);
    auto* moves = new QVBoxLayout();
    cmdAddRemove = MakeMoveButtons(fraItems, moves);
    for (int i = 0; i < static_cast<int>(cmdAddRemove.size()); ++i)
        connect(cmdAddRemove[static_cast<size_t>(i)], &QPushButton::clicked, this,
                [this, i] { cmdAddRemove_Click(i); });
    cmdNew = new QPushButton("&New...", fraItems);
    cmdNew->setAutoDefault(false);
    moves->addWidget(cmdNew);
    for (size_t i = 0; i < lstFromTo.size(); ++i) {
        lstFromTo[i] = new VbListBox(fraItems, true);
        lstFromTo[i]->setSelectionMode(QAbstractItemView::ExtendedSelection);
        const int index = static_cast<int>(i);
        connect(lstFromTo[i], &QListWidget::itemDoubleClicked, this,
                [this, index] { lstFromTo_DblClick(index); });
    }
    grid->addWidget(lstFromTo[0], 2, 0);
    grid->addLayout(moves, 2, 1);
    grid->addWidget(lstFromTo[1], 2, 2);
    grid->setRowStretch(2, 1);
    body->addWidget(fraItems, 1);
    outer->addLayout(body);
    cmdWizard = AddButtonRow(this, outer, false, [this](int i) { cmdWizard_Click(i); });
    cmdWizard[kFinish]->setEnabled(false);
    connect(cmdNew, &QPushButton::clicked, this, [this] { cmdNew_Click(); });
    connect(cmbItem, &QComboBox::currentIndexChanged, this, [this] { ShowKind(); });
    resize(640, 400);
}

void frmWizSingle1a::Form_Load() {
    PlaceAtStoredPosition();
    setWindowTitle(Q(Module().gAppTitle));
    // Showing the page right after loading shows the first kind.
    const QSignalBlocker quiet(cmbItem);
    cmbItem->clear();
    cmbItem->addItems({"Properties", "Methods", "Events"});
    cmbItem->setCurrentIndex(0);
}

void frmWizSingle1a::Form_Unload() {
    UnloadWizard();
}

void frmWizSingle1a::showEvent(QShowEvent* event) {
    WizardPage::showEvent(event);
    if (cmbItem->currentIndex() != 0)
        cmbItem->setCurrentIndex(0);
    else
        ShowKind();
}

void frmWizSingle1a::ShowKind() {
    lstFromTo[0]->clear();
    lstFromTo[1]->clear();
    const int16_t kind = static_cast<int16_t>(cmbItem->currentIndex());
    if (kind < 0)
        return;
    try {
        const objControl& spec = SpecificationRecord();
        std::vector<std::string> available;
        std::vector<std::string> selected;
        for (int16_t i = 0; i < spec.ItemCount(kind); ++i)
            (spec.ItemSelected(kind, i) ? selected : available).push_back(spec.Item(kind, i));
        lstFromTo[0]->AddItems(available);
        lstFromTo[1]->AddItems(selected);
    } catch (const VbError&) {
        // The lists show what was added before the failure.
    }
}

void frmWizSingle1a::cmdAddRemove_Click(int Index) {
    const bool toSelected = Index < 2;
    QWidget* from = lstFromTo[toSelected ? 0 : 1];
    QWidget* to = lstFromTo[toSelected ? 1 : 0];
    const bool moved = (Index % 2 == 0) ? MoveSelectedItems(from, to) : MoveAllItems(from, to);
    if (!moved)
        return;
    SpecificationRecord().SetSelectedItems(static_cast<int16_t>(cmbItem->currentIndex()),
                                           lstFromTo[0]->Texts(), lstFromTo[1]->Texts());
}

void frmWizSingle1a::cmdNew_Click() {
    frmAddItem& dialog = AddItem();
    dialog.ShowModal();
    // The new item is selected in the record: show its kind, so it appears
    // in the selected list.
    const int16_t kind = dialog.AddedKind();
    if (kind < 0)
        return;
    if (cmbItem->currentIndex() != kind)
        cmbItem->setCurrentIndex(kind);
    else
        ShowKind();
}

void frmWizSingle1a::lstFromTo_DblClick(int Index) {
    const VbListBox& list = *lstFromTo[static_cast<size_t>(Index)];
    const int current = list.CurrentIndex();
    if (current >= 0)
        CurrentShell().MsgBox(list.item(current)->text().toStdString(), vbOKOnly, "");
}

void frmWizSingle1a::cmdWizard_Click(int Index) {
    RouteWizardButton(Index);
}

void frmWizSingle1a::Next() {
    const objControl& spec = SpecificationRecord();
    if (spec.SelectedPropertyCount() == 0 && spec.SelectedMethodCount() == 0 &&
        spec.SelectedEventCount() == 0) {
        CurrentShell().MsgBox("You must select at least one property, method or event to continue.",
                              vbOKOnly, "");
        return;
    }
    StorePosition();
    if (SharedWizard().GetConstituentCount() > 1)
        WizSingle2().ShowModeless();
    else
        WizSingle6().ShowModeless();
    hide();
}

void frmWizSingle1a::Back() {
    StorePosition();
    MultiInterface().MakeVisible();
    hide();
}

bool ShowItemSelectionPage() {
    WizSingle1a().ShowModeless();
    return true;
}

}  // namespace qfw::pages
