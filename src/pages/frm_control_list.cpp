#include "pages/frm_control_list.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "browser/control_lists.h"
#include "pages/module_state.h"

namespace qfw::pages {

frmControlList::frmControlList() : WizardPage("frmControlList", "") {
    auto* outer = new QVBoxLayout(this);
    fraControlList =
        new QGroupBox("Select the controls to view in the Available Controls list:", this);
    auto* frame = new QVBoxLayout(fraControlList);
    chkControlList[0] = new QCheckBox("Controls selected by the user.", fraControlList);
    chkControlList[1] =
        new QCheckBox("All controls found in the &SYSTEM directory.", fraControlList);
    for (QCheckBox* box : chkControlList)
        frame->addWidget(box);
    outer->addWidget(fraControlList);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    cmdOKCancel[0] = new QPushButton("&OK", this);
    cmdOKCancel[1] = new QPushButton("&Cancel", this);
    for (int i = 0; i < 2; ++i) {
        buttons->addWidget(cmdOKCancel[static_cast<size_t>(i)]);
        connect(cmdOKCancel[static_cast<size_t>(i)], &QPushButton::clicked, this,
                [this, i] { cmdOKCancel_Click(i); });
    }
    outer->addLayout(buttons);
    setWindowTitle("Customize Available Controls listing");
    setModal(true);
    resize(420, 160);
}

void frmControlList::ShowModal() {
    Load();
    if (IsLoaded())
        exec();
}

void frmControlList::Form_Load() {
    CenterForm(*this);
    chkControlList[0]->setChecked(ControlLists().gUserListFilter);
    chkControlList[1]->setChecked(ControlLists().gSystemListFilter);
}

void frmControlList::cmdOKCancel_Click(int Index) {
    if (Index == 0) {
        ControlLists().gUserListFilter = chkControlList[0]->isChecked();
        ControlLists().gSystemListFilter = chkControlList[1]->isChecked();
    }
    Unload();
}

}  // namespace qfw::pages
