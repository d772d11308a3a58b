#include "pages/picker_page.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "pages/module_state.h"

namespace qfw::pages {

PickerPage::PickerPage(const char* name, const char* helpKey) : WizardPage(name, helpKey) {
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout();
    body->addWidget(MakeSidePicture(this), 0, Qt::AlignTop);
    auto* right = new QVBoxLayout();
    lblInfo = new QLabel(this);
    lblInfo->setWordWrap(true);
    right->addWidget(lblInfo);
    fraInfo = new QGroupBox(this);
    auto* frame = new QVBoxLayout(fraInfo);
    lstInfo = new VbListBox(fraInfo);
    lstInfo->setSelectionMode(QAbstractItemView::SingleSelection);
    frame->addWidget(lstInfo);
    right->addWidget(fraInfo, 1);
    body->addLayout(right, 1);
    outer->addLayout(body);
    cmdOKCancel = AddButtonRow(this, outer, true, [this](int i) { cmdOKCancel_Click(i); });
    cmdOKCancel[kFinish]->setEnabled(false);
    resize(560, 360);
}

void PickerPage::FillList(const std::vector<std::string>& entries) {
    lstInfo->clear();
    for (const std::string& entry : entries)
        lstInfo->AddItem(entry);
    lstInfo->SelectRow(0);
}

void PickerPage::cmdOKCancel_Click(int Index) {
    RouteWizardButton(Index);
}

}  // namespace qfw::pages
