#include "pages/frm_wiz_single3.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "pages/frm_wiz_single2.h"
#include "pages/frm_wiz_single6.h"
#include "pages/module_state.h"
#include "pages/move_items.h"
#include "platform/shell.h"

namespace qfw::pages {

namespace {

constexpr const char* kCommonLabels[] = {"Common Properties:", "Common Methods:", "Common Events:"};
constexpr const char* kSelectedLabels[] = {
    "Selected Properties:", "Selected Methods:", "Selected Events:"};

// The texts of `found` that are items of `kind` chosen on the item selection
// page, each once per chosen item with that text, in the order found.
std::vector<std::string> ChosenItems(const std::vector<std::string>& found, int16_t kind) {
    const objControl& spec = SpecificationRecord();
    std::vector<std::string> shown;
    for (const std::string& text : found) {
        for (int16_t j = 0; j < spec.ItemCount(kind); ++j) {
            if (spec.Item(kind, j) == text && spec.ItemSelected(kind, j))
                shown.push_back(text);
        }
    }
    return shown;
}

// Shows the busy pointer while it lives.
class BusyPointer {
  public:
    BusyPointer() { CurrentShell().SetBusy(true); }
    ~BusyPointer() { CurrentShell().SetBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace

frmWizSingle3::frmWizSingle3() : WizardPage("frmWizSingle3", "Wiz3") {
    auto* outer = new QVBoxLayout(this);
    fraMap = new QGroupBox(
        "Select 2 or more controls. Then select the items to map to all of the selected "
        "controls.",
        this);
    auto* grid = new QGridLayout(fraMap);
    auto* kinds = new QGroupBox("Items to View:", fraMap);
    auto* kindLayout = new QHBoxLayout(kinds);
    const char* const kindCaptions[] = {"Properties", "Methods", "Events"};
    for (size_t i = 0; i < optItem.size(); ++i) {
        optItem[i] = new QRadioButton(kindCaptions[i], kinds);
        kindLayout->addWidget(optItem[i]);
        const int index = static_cast<int>(i);
        connect(optItem[i], &QRadioButton::clicked, this, [this, index] { optItem_Click(index); });
    }
    optItem[0]->setChecked(true);
    grid->addWidget(kinds, 0, 0, 1, 4);
    grid->addWidget(new QLabel("Available Controls:", fraMap), 1, 0);
    lstControlList = new VbListBox(fraMap, true);
    lstControlList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->addWidget(lstControlList, 2, 0);
    lblCommon = new QLabel(kCommonLabels[0], fraMap);
    lblSelected = new QLabel(kSelectedLabels[0], fraMap);
    grid->addWidget(lblCommon, 1, 1);
    grid->addWidget(lblSelected, 1, 3);
    for (size_t i = 0; i < lstPropertiesFromTo.size(); ++i) {
        lstPropertiesFromTo[i] = new VbListBox(fraMap, true);
        lstPropertiesFromTo[i]->setSelectionMode(QAbstractItemView::ExtendedSelection);
        connect(lstPropertiesFromTo[i], &QListWidget::itemDoubleClicked, this, [this, i] {
            const VbListBox& list = *lstPropertiesFromTo[i];
            if (list.CurrentIndex() >= 0)
                CurrentShell().MsgBox(list.item(list.CurrentIndex())->text().toStdString(),
                                      vbOKOnly, "");
        });
    }
    auto* moves = new QVBoxLayout();
    cmdAddRemoveProperty = MakeMoveButtons(fraMap, moves);
    for (int i = 0; i < static_cast<int>(cmdAddRemoveProperty.size()); ++i)
        connect(cmdAddRemoveProperty[static_cast<size_t>(i)], &QPushButton::clicked, this,
                [this, i] { cmdAddRemoveProperty_Click(i); });
    grid->addWidget(lstPropertiesFromTo[0], 2, 1);
    grid->addLayout(moves, 2, 2);
    grid->addWidget(lstPropertiesFromTo[1], 2, 3);
    grid->setRowStretch(2, 1);
    connect(lstControlList, &QListWidget::itemClicked, this, [this] { RebuildItemLists(Kind()); });
    outer->addWidget(fraMap, 1);
    cmdWizard = AddButtonRow(this, outer, false, [this](int i) { cmdWizard_Click(i); });
    cmdWizard[kFinish]->setEnabled(false);
    resize(720, 420);
}

void frmWizSingle3::Form_Load() {
    PlaceAtStoredPosition();
    setWindowTitle(Q(Module().gAppTitle));
    optItem[0]->setChecked(true);
    lblCommon->setText(kCommonLabels[0]);
    lblSelected->setText(kSelectedLabels[0]);
    lstControlList->clear();
    std::vector<std::string> constituents;
    SharedWizard().GetConstituentList(constituents);
    lstControlList->AddItems(constituents);
    lstControlList->SetCurrentIndex(-1);
}

void frmWizSingle3::Form_Unload() {
    UnloadWizard();
}

void frmWizSingle3::showEvent(QShowEvent* event) {
    WizardPage::showEvent(event);
    Form_Activate();
}

void frmWizSingle3::Form_Activate() {
    std::vector<std::string> constituents;
    SharedWizard().GetConstituentList(constituents);
    const std::vector<std::string> shown = lstControlList->Texts();
    bool same = true;
    for (size_t i = 0; i < constituents.size() && same; ++i)
        same = i < shown.size() && shown[i] == constituents[i];
    if (same) {
        RebuildItemLists(Kind());
        return;
    }
    lstControlList->clear();
    lstControlList->AddItems(constituents);
    lstControlList->SetCurrentIndex(-1);
}

int16_t frmWizSingle3::Kind() const {
    for (size_t i = 0; i < optItem.size(); ++i) {
        if (optItem[i]->isChecked())
            return static_cast<int16_t>(i);
    }
    return 0;
}

void frmWizSingle3::RebuildItemLists(int16_t kind) {
    lstPropertiesFromTo[0]->clear();
    lstPropertiesFromTo[1]->clear();
    const std::vector<std::string> controls = lstControlList->SelectedTexts();
    if (controls.size() < 2)
        return;
    std::vector<std::string> mapped;
    std::vector<std::string> others;
    SharedWizard().GetItemList(kind, controls, mapped, others);
    lstPropertiesFromTo[1]->AddItems(ChosenItems(mapped, kind));
    lstPropertiesFromTo[0]->AddItems(ChosenItems(others, kind));
}

void frmWizSingle3::ApplyLists() {
    const std::vector<std::string> controls = lstControlList->SelectedTexts();
    const int16_t kind = Kind();
    SharedWizard().UpdateMultiMap(controls, lstPropertiesFromTo[0]->Texts(), kind, false);
    SharedWizard().UpdateMultiMap(controls, lstPropertiesFromTo[1]->Texts(), kind, true);
}

void frmWizSingle3::optItem_Click(int Index) {
    const BusyPointer busy;
    lstPropertiesFromTo[0]->clear();
    lstPropertiesFromTo[1]->clear();
    if (lstControlList->SelectedTexts().size() < 2)
        return;
    lblCommon->setText(kCommonLabels[Index]);
    lblSelected->setText(kSelectedLabels[Index]);
    RebuildItemLists(static_cast<int16_t>(Index));
}

void frmWizSingle3::cmdAddRemoveProperty_Click(int Index) {
    const BusyPointer busy;
    const bool toMapped = Index < 2;
    VbListBox* from = lstPropertiesFromTo[toMapped ? 0 : 1];
    VbListBox* to = lstPropertiesFromTo[toMapped ? 1 : 0];
    const bool moved = (Index % 2 == 0) ? MoveSelectedItems(from, to) : MoveAllItems(from, to);
    if (from->count() > 0)
        from->SetCurrentIndex(0);
    if (!moved)
        return;
    ApplyLists();
}

void frmWizSingle3::cmdWizard_Click(int Index) {
    switch (Index) {
        case kHelp:
            ShowHelp(HelpKey());
            break;
        case kCancel:
            UnloadWizard();
            break;
        case kBack:
            StorePosition();
            WizSingle2().MakeVisible();
            hide();
            break;
        case kNext:
            StorePosition();
            WizSingle6().ShowModeless();
            hide();
            break;
        default:
            break;
    }
}

}  // namespace qfw::pages
