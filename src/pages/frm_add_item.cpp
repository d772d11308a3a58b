#include "pages/frm_add_item.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "pages/frm_parameters.h"
#include "pages/module_state.h"

namespace qfw::pages {

namespace {

const QStringList kDataTypes = {"String", "Integer", "Long", "Boolean"};
const QStringList kAccess = {"Read/Write", "Read Only", "Write Only", "Not Available"};

}  // namespace

frmAddItem::frmAddItem() : WizardPage("frmAddItem", "WizAddItem") {
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    auto* type = new QGroupBox("Type", this);
    auto* typeLayout = new QVBoxLayout(type);
    const char* const kinds[] = {"Property", "Method", "Event"};
    for (size_t i = 0; i < optItem.size(); ++i) {
        optItem[i] = new QRadioButton(kinds[i], type);
        typeLayout->addWidget(optItem[i]);
    }
    optItem[0]->setChecked(true);
    top->addWidget(type);
    auto* nameLayout = new QVBoxLayout();
    nameLayout->addWidget(new QLabel("Name", this));
    txtName = new QLineEdit(this);
    nameLayout->addWidget(txtName);
    cmdParameters = new QPushButton("&Parameters", this);
    cmdParameters->setAutoDefault(false);
    nameLayout->addWidget(cmdParameters);
    nameLayout->addStretch();
    top->addLayout(nameLayout, 1);
    outer->addLayout(top);
    auto* attributes = new QGroupBox("Item Attributes:", this);
    auto* form = new QFormLayout(attributes);
    const char* const labels[] = {"Data Type:", "Default Value:", "Run Time:", "Design Time:"};
    for (size_t i = 0; i < lblAttrib.size(); ++i)
        lblAttrib[i] = new QLabel(labels[i], attributes);
    for (QComboBox*& combo : cmbAttrib)
        combo = new QComboBox(attributes);
    txtDefault = new QLineEdit(attributes);
    form->addRow(lblAttrib[0], cmbAttrib[0]);
    form->addRow(lblAttrib[1], txtDefault);
    form->addRow(lblAttrib[2], cmbAttrib[1]);
    form->addRow(lblAttrib[3], cmbAttrib[2]);
    outer->addWidget(attributes);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    const char* const captions[] = {"&OK", "&Cancel", "&Help"};
    for (int i = 0; i < static_cast<int>(cmdOKCancel.size()); ++i) {
        auto*& button = cmdOKCancel[static_cast<size_t>(i)];
        button = new QPushButton(captions[i], this);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdOKCancel_Click(i); });
    }
    outer->addLayout(buttons);
    connect(cmdParameters, &QPushButton::clicked, this, [] { Parameters().ShowModal(); });
    setWindowTitle("Add Item");
    setModal(true);
    resize(420, 320);
}

void frmAddItem::ShowModal() {
    Load();
    if (IsLoaded())
        exec();
}

void frmAddItem::Form_Load() {
    CenterForm(*this);
    optItem[0]->setChecked(true);
    txtName->clear();
    txtDefault->clear();
    cmbAttrib[0]->clear();
    cmbAttrib[0]->addItems(kDataTypes);
    for (size_t i = 1; i < cmbAttrib.size(); ++i) {
        cmbAttrib[i]->clear();
        cmbAttrib[i]->addItems(kAccess);
    }
    for (QComboBox* combo : cmbAttrib)
        combo->setCurrentIndex(0);
}

void frmAddItem::cmdOKCancel_Click(int Index) {
    if (Index == 2) {
        ShowHelp(HelpKey());
        return;
    }
    Unload();
}

}  // namespace qfw::pages
