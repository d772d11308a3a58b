#include "pages/frm_wiz_single2.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "pages/frm_wiz_single1a.h"
#include "pages/frm_wiz_single3.h"
#include "pages/module_state.h"
#include "pages/move_items.h"
#include "platform/shell.h"

namespace qfw::pages {

namespace {

void ListConstituents(VbListBox& list) {
    std::vector<std::string> constituents;
    SharedWizard().GetConstituentList(constituents);
    list.AddItems(constituents);
}

}  // namespace

std::array<QPushButton*, 4> MakeMoveButtons(QWidget* parent, QBoxLayout* layout) {
    static const char* const kCaptions[] = {"&Add >", "&Add All >", "< &Remove", "< &Remove All"};
    std::array<QPushButton*, 4> buttons{};
    layout->addStretch();
    for (size_t i = 0; i < buttons.size(); ++i) {
        buttons[i] = new QPushButton(kCaptions[i], parent);
        buttons[i]->setAutoDefault(false);
        layout->addWidget(buttons[i]);
    }
    layout->addStretch();
    return buttons;
}

frmWizSingle2::frmWizSingle2() : WizardPage("frmWizSingle2", "Wiz2") {
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout();
    body->addWidget(MakeSidePicture(this), 0, Qt::AlignTop);
    fraOrder = new QGroupBox(
        "Select order of precedence for the mapping of properties, methods and events:", this);
    auto* grid = new QGridLayout(fraOrder);
    grid->addWidget(new QLabel("Constituent Controls:", fraOrder), 0, 0);
    grid->addWidget(new QLabel("Mapping Order:", fraOrder), 0, 2);
    for (size_t i = 0; i < lstControlsFromTo.size(); ++i) {
        lstControlsFromTo[i] = new VbListBox(fraOrder, i == 0);
        lstControlsFromTo[i]->setSelectionMode(QAbstractItemView::ExtendedSelection);
        connect(lstControlsFromTo[i], &QListWidget::itemDoubleClicked, this,
                [](QListWidgetItem* item) {
                    CurrentShell().MsgBox(item->text().toStdString(), vbOKOnly, "");
                });
    }
    auto* moves = new QVBoxLayout();
    cmdAddRemove = MakeMoveButtons(fraOrder, moves);
    for (int i = 0; i < static_cast<int>(cmdAddRemove.size()); ++i)
        connect(cmdAddRemove[static_cast<size_t>(i)], &QPushButton::clicked, this,
                [this, i] { cmdAddRemove_Click(i); });
    grid->addWidget(lstControlsFromTo[0], 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(lstControlsFromTo[1], 1, 2);
    lblExplain = new QLabel(
        "Select the order in which the properties, methods and events are mapped to the "
        "constituent controls. The constituent controls are searched in the selected order for "
        "the first occurence of each property, method and event. The screen following this one "
        "allows you to map common properties, methods and events (where applicable) to more "
        "than one control.",
        fraOrder);
    lblExplain->setWordWrap(true);
    grid->addWidget(lblExplain, 2, 0, 1, 3);
    grid->setRowStretch(1, 1);
    body->addWidget(fraOrder, 1);
    outer->addLayout(body);
    cmdWizard = AddButtonRow(this, outer, false, [this](int i) { cmdWizard_Click(i); });
    cmdWizard[kNext]->setEnabled(false);
    cmdWizard[kFinish]->setEnabled(false);
    resize(640, 400);
}

void frmWizSingle2::Form_Load() {
    PlaceAtStoredPosition();
    setWindowTitle(Q(Module().gAppTitle));
    lstControlsFromTo[0]->clear();
    lstControlsFromTo[1]->clear();
    ListConstituents(*lstControlsFromTo[0]);
    if (lstControlsFromTo[0]->count() > 0)
        lstControlsFromTo[0]->SetCurrentIndex(0);
}

void frmWizSingle2::Form_Unload() {
    UnloadWizard();
}

void frmWizSingle2::showEvent(QShowEvent* event) {
    WizardPage::showEvent(event);
    Form_Activate();
}

void frmWizSingle2::Form_Activate() {
    VbListBox& source = *lstControlsFromTo[0];
    source.clear();
    lstControlsFromTo[1]->clear();
    ListConstituents(source);
    if (source.count() > 0 && source.CurrentIndex() == -1)
        source.SetCurrentIndex(0);
}

void frmWizSingle2::cmdAddRemove_Click(int Index) {
    const bool toOrder = Index < 2;
    QWidget* from = lstControlsFromTo[toOrder ? 0 : 1];
    QWidget* to = lstControlsFromTo[toOrder ? 1 : 0];
    if (Index % 2 == 0)
        MoveSelectedItems(from, to);
    else
        MoveAllItems(from, to);
    cmdWizard[kNext]->setEnabled(lstControlsFromTo[0]->count() == 0);
}

void frmWizSingle2::cmdWizard_Click(int Index) {
    RouteWizardButton(Index);
}

void frmWizSingle2::Next() {
    const std::vector<std::string> order = lstControlsFromTo[1]->Texts();
    for (size_t i = 0; i < order.size(); ++i)
        SharedWizard().SetConstituentMappingOrder(order[i], static_cast<int16_t>(i + 1));
    StorePosition();
    WizSingle3().ShowModeless();
    hide();
}

void frmWizSingle2::Back() {
    StorePosition();
    WizSingle1a().MakeVisible();
    hide();
}

}  // namespace qfw::pages
