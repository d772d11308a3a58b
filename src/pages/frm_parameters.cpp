#include "pages/frm_parameters.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "pages/module_state.h"
#include "platform/text_codec.h"

namespace qfw::pages {

frmParameters::frmParameters() : WizardPage("frmParameters", "") {
    auto* outer = new QVBoxLayout(this);
    auto* frame = new QGroupBox("Parameter Information", this);
    auto* form = new QFormLayout(frame);
    txtName = new QLineEdit(frame);
    cmbType = new QComboBox(frame);
    auto* nameLabel = new QLabel("&Name", frame);
    nameLabel->setBuddy(txtName);
    auto* typeLabel = new QLabel("&Type", frame);
    typeLabel->setBuddy(cmbType);
    form->addRow(nameLabel, txtName);
    form->addRow(typeLabel, cmbType);
    outer->addWidget(frame);
    auto* listRow = new QHBoxLayout();
    auto* listButtons = new QVBoxLayout();
    cmdAdd = new QPushButton("&Add", this);
    cmdRemove = new QPushButton("&Remove", this);
    for (QPushButton* button : {cmdAdd, cmdRemove}) {
        button->setAutoDefault(false);
        listButtons->addWidget(button);
    }
    listButtons->addStretch();
    listRow->addLayout(listButtons);
    lstParameters = new VbListBox(this);
    listRow->addWidget(lstParameters, 1);
    outer->addLayout(listRow, 1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    const char* const captions[] = {"&OK", "&Cancel"};
    for (int i = 0; i < static_cast<int>(cmdOKCancel.size()); ++i) {
        auto*& button = cmdOKCancel[static_cast<size_t>(i)];
        button = new QPushButton(captions[i], this);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdOKCancel_Click(i); });
    }
    outer->addLayout(buttons);
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
    setWindowTitle("Parameter Information");
    setModal(true);
    resize(360, 300);
}

void frmParameters::ShowModal() {
    Load();
    if (IsLoaded())
        exec();
}

void frmParameters::Form_Load() {
    CenterForm(*this);
    txtName->clear();
    lstParameters->clear();
    lstParameters->AddItems(parameterList);
    cmbType->clear();
    cmbType->addItems({"String", "Integer", "Long", "Boolean"});
    cmbType->setCurrentIndex(0);
}

void frmParameters::cmdAdd_Click() {
    const std::string name(Trim(txtName->text().toStdString(), " "));
    if (name.empty())
        return;
    lstParameters->AddItem(name + " As " + cmbType->currentText().toStdString());
}

void frmParameters::cmdRemove_Click() {
    const int current = lstParameters->CurrentIndex();
    if (current >= 0)
        delete lstParameters->takeItem(current);
}

void frmParameters::cmdOKCancel_Click(int Index) {
    if (Index == 0)
        parameterList = lstParameters->Texts();
    Unload();
}

}  // namespace qfw::pages
