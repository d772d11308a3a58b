#include "pages/frm_wiz_single6.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "engine/run_messages.h"
#include "pages/frm_wiz_single1a.h"
#include "pages/frm_wiz_single3.h"
#include "pages/module_state.h"
#include "platform/shell.h"
#include "platform/vb_error.h"

namespace qfw::pages {

namespace {

constexpr const char* kFinishCaption = "&Finish";

}  // namespace

frmWizSingle6::frmWizSingle6() : WizardPage("frmWizSingle6", "Wiz6") {
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout();
    body->addWidget(MakeSidePicture(this), 0, Qt::AlignTop);
    fraCreate = new QGroupBox("Create Source Code", this);
    auto* frame = new QVBoxLayout(fraCreate);
    lstStatus = new VbListBox(fraCreate);
    lstStatus->setSelectionMode(QAbstractItemView::SingleSelection);
    frame->addWidget(lstStatus, 1);
    lblConfirm = new QLabel(fraCreate);
    lblConfirm->setWordWrap(true);
    frame->addWidget(lblConfirm);
    chkPersist = new QCheckBox("Save property values with the control", fraCreate);
    frame->addWidget(chkPersist);
    body->addWidget(fraCreate, 1);
    outer->addLayout(body);
    cmdWizard = AddButtonRow(this, outer, false, [this](int i) { cmdWizard_Click(i); });
    cmdWizard[kNext]->setEnabled(false);
    resize(640, 400);
}

void frmWizSingle6::Form_Load() {
    PlaceAtStoredPosition();
    setWindowTitle(Q(Module().gAppTitle));
    lstStatus->clear();
    chkPersist->setChecked(false);
    chkPersist->setEnabled(true);
    cmdWizard[kFinish]->setText(kFinishCaption);
    for (QPushButton* button : cmdWizard)
        button->setEnabled(true);
    cmdWizard[kNext]->setEnabled(false);
    Module().generationSucceeded = false;
    SetConfirmText();
}

void frmWizSingle6::Form_Unload() {
    UnloadWizard();
}

void frmWizSingle6::SetConfirmText() {
    lblConfirm->setText(
        "The Quillfern Constituent wizard will now generate the source code for your new "
        "control. Select the Finish button to add the source code now. Choose Back to review "
        "your selections or Cancel to quit.");
}

void frmWizSingle6::cmdWizard_Click(int Index) {
    for (QPushButton* button : cmdWizard)
        button->setEnabled(false);
    switch (Index) {
        case kHelp:
            ShowHelp(HelpKey());
            break;
        case kCancel:
            UnloadWizard();
            return;
        case kBack:
            StorePosition();
            if (SharedWizard().GetConstituentCount() > 1)
                WizSingle3().MakeVisible();
            else
                WizSingle1a().MakeVisible();
            hide();
            break;
        case kFinish:
            if (cmdWizard[kFinish]->text() == kFinishCaption)
                Finish();
            else
                Close();
            return;
        default:
            break;
    }
    for (QPushButton* button : cmdWizard)
        button->setEnabled(true);
}

void frmWizSingle6::Finish() {
    AddStatus("Creating a backup of the UserControl file...");
    Wizard& wizard = SharedWizard();
    if (const int16_t failure = wizard.CreateUserControlBackup()) {
        const int32_t answer = CurrentShell().MsgBox(
            "The following error was encountered while attempting to create a backup of the "
            "UserControl file: " +
                std::to_string(failure) + " :" + ErrorDescription(failure) +
                ". Do you want to quit?",
            vbYesNo, "");
        if (answer == vbYes) {
            UnloadWizard();
            return;
        }
    }
    AddStatus("Generating Procedures and adding to UserControl...");
    wizard.PersistPropertyValues(chkPersist->isChecked());
    chkPersist->setEnabled(false);
    int32_t result = 0;
    try {
        result = wizard.BuildItemList(SpecificationRecord());
    } catch (const VbError& e) {
        // A failure raised inside generation stops it; the page reports its
        // number as it reports a failing result.
        result = e.Number();
    }
    if (result != 0) {
        CurrentShell().MsgBox(GenerationErrorMessage(result), vbOKCancel, "");
        UnloadWizard();
        return;
    }
    AddStatus("Quillfern Constituent Wizard Completed Successfully.");
    Module().generationSucceeded = true;
    CurrentShell().MsgBox("The Quillfern Constituent wizard has completed successfully.", vbOKOnly,
                          "");
    cmdWizard[kFinish]->setText("&Close");
    cmdWizard[kHelp]->setEnabled(true);
    cmdWizard[kFinish]->setEnabled(true);
}

void frmWizSingle6::Close() {
    UnloadWizard();
    Unload();
}

void frmWizSingle6::AddStatus(const std::string& line) {
    lstStatus->AddItem(line);
    lstStatus->scrollToBottom();
}

}  // namespace qfw::pages
