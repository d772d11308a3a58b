#include "pages/frm_add_item.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "engine/wizard.h"
#include "pages/frm_parameters.h"
#include "pages/module_state.h"
#include "platform/shell.h"
#include "platform/text_codec.h"

namespace qfw::pages {

namespace {

// A method's first return type: none, which makes it a Sub.
constexpr const char* kNoReturnType = "(None)";

QStringList PropertyTypes() {
    QStringList types;
    for (const char* type : kCustomPropertyTypes)
        types << type;
    return types;
}

QStringList AccessNames() {
    QStringList names;
    for (const char* name : kAccessNames)
        names << name;
    return names;
}

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
    connect(cmdParameters, &QPushButton::clicked, this, [this] { cmdParameters_Click(); });
    for (QRadioButton* option : optItem)
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                optItem_Click();
        });
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
    addedKind_ = -1;
    parameters_.clear();
    txtName->clear();
    txtDefault->clear();
    for (size_t i = 1; i < cmbAttrib.size(); ++i) {
        cmbAttrib[i]->clear();
        cmbAttrib[i]->addItems(AccessNames());
        cmbAttrib[i]->setCurrentIndex(0);
    }
    if (optItem[0]->isChecked())
        optItem_Click();
    else
        optItem[0]->setChecked(true);
}

int16_t frmAddItem::Kind() const {
    for (size_t i = 0; i < optItem.size(); ++i) {
        if (optItem[i]->isChecked())
            return static_cast<int16_t>(i);
    }
    return kKindProperty;
}

void frmAddItem::optItem_Click() {
    const int16_t kind = Kind();
    const bool property = kind == kKindProperty;
    cmbAttrib[0]->clear();
    if (kind == kKindMethod)
        cmbAttrib[0]->addItem(kNoReturnType);
    cmbAttrib[0]->addItems(PropertyTypes());
    cmbAttrib[0]->setCurrentIndex(0);
    cmbAttrib[0]->setEnabled(kind != kKindEvent);
    lblAttrib[0]->setEnabled(kind != kKindEvent);
    for (size_t i = 1; i < lblAttrib.size(); ++i)
        lblAttrib[i]->setEnabled(property);
    txtDefault->setEnabled(property);
    cmbAttrib[1]->setEnabled(property);
    cmbAttrib[2]->setEnabled(property);
    cmdParameters->setEnabled(!property);
}

CustomItem frmAddItem::Item() const {
    CustomItem item;
    item.kind = Kind();
    item.name = std::string(Trim(txtName->text().toStdString(), " "));
    if (item.kind != kKindEvent) {
        item.type = cmbAttrib[0]->currentText().toStdString();
        if (item.type == kNoReturnType)
            item.type.clear();
    }
    if (item.kind == kKindProperty) {
        item.defaultValue = std::string(Trim(txtDefault->text().toStdString(), " "));
        item.runTime = static_cast<MemberAccess>(cmbAttrib[1]->currentIndex());
        item.designTime = static_cast<MemberAccess>(cmbAttrib[2]->currentIndex());
    } else {
        item.parameters = parameters_;
    }
    return item;
}

void frmAddItem::cmdParameters_Click() {
    frmParameters& dialog = Parameters();
    dialog.parameterList = parameters_;
    dialog.ShowModal();
    parameters_ = dialog.parameterList;
}

void frmAddItem::cmdOKCancel_Click(int Index) {
    if (Index == 2) {
        ShowHelp(HelpKey());
        return;
    }
    if (Index == 0) {
        const CustomItem item = Item();
        const std::string refusal = SharedWizard().AddCustomItem(SpecificationRecord(), item);
        if (!refusal.empty()) {
            CurrentShell().MsgBox(refusal, vbOKOnly, "");
            return;
        }
        addedKind_ = item.kind;
    }
    Unload();
}

}  // namespace qfw::pages
