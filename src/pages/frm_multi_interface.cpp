#include "pages/frm_multi_interface.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "browser/browser.h"
#include "browser/specification.h"
#include "pages/frm_wiz_single1.h"
#include "pages/module_state.h"
#include "platform/shell.h"
#include "platform/vb_error.h"

namespace qfw::pages {

frmMultiInterface::frmMultiInterface() : WizardPage("frmMultiInterface", "WizMultiInter") {
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout();
    body->addWidget(MakeSidePicture(this), 0, Qt::AlignTop);
    fraInfo = new QGroupBox(this);
    auto* frame = new QVBoxLayout(fraInfo);
    lblInfo = new QLabel(fraInfo);
    lblInfo->setWordWrap(true);
    frame->addWidget(lblInfo);
    lstInterfaces = new VbListBox(fraInfo);
    lstInterfaces->setSelectionMode(QAbstractItemView::SingleSelection);
    frame->addWidget(lstInterfaces, 1);
    body->addWidget(fraInfo, 1);
    outer->addLayout(body);
    cmdWizard = AddButtonRow(this, outer, false, [this](int i) { cmdWizard_Click(i); });
    cmdWizard[kFinish]->setEnabled(false);
    connect(lstInterfaces, &QListWidget::itemDoubleClicked, this, [this] {
        const std::vector<std::string> selected = lstInterfaces->SelectedTexts();
        if (!selected.empty())
            CurrentShell().MsgBox(selected.front(), vbOKOnly, "");
    });
    resize(640, 400);
}

void frmMultiInterface::Form_Load() {
    lblInfo->setText(
        "Each .OCX or .OLB file actually contains one or more objects called interfaces. Select "
        "the interface that you would like to generate source code for and click Next. Double "
        "click any line to display a message box containing its contents.");
    PlaceAtStoredPosition();
    setWindowTitle(Q(Module().gAppTitle));
}

void frmMultiInterface::Form_Unload() {
    // Closing the visible page ends the run, as on the pickers.
    UnloadWizard();
}

void frmMultiInterface::showEvent(QShowEvent* event) {
    WizardPage::showEvent(event);
    Form_Activate();
}

void frmMultiInterface::Form_Activate() {
    lstInterfaces->clear();
    sInterfaces_.clear();
    SharedBrowser().GetInterfaces(sInterfaces_);
    for (const std::string& text : sInterfaces_)
        lstInterfaces->AddItem(text);
    lstInterfaces->SelectRow(0);
}

void frmMultiInterface::cmdWizard_Click(int Index) {
    if (Index != kNext) {
        RouteWizardButton(Index);
        return;
    }
    try {
        Next();
    } catch (const VbError& e) {
        // The page has no error handling of its own; a failure here is
        // reported as the runtime reports an untrapped error, and the run
        // ends.
        CurrentShell().SetBusy(false);
        CurrentShell().MsgBox(
            "Run-time error '" + std::to_string(e.Number()) + "':\n\n" + e.Description(),
            vbOKOnly | vbCritical, "");
        UnloadWizard();
    }
}

void frmMultiInterface::Next() {
    const int index = lstInterfaces->ListIndex();
    if (index < 0) {
        CurrentShell().MsgBox("You must select at least one item continue.", vbOKOnly, "");
        return;
    }
    StorePosition();
    CurrentShell().SetBusy(true);
    CurrentShell().DoEvents();
    SharedWizard().AddEnumerationTypes(ReadSpecificationItems(
        SpecificationRecord(), lstInterfaces->SelectedTexts(), static_cast<int16_t>(index)));
    CurrentShell().SetBusy(false);
    // The item selection page and the pages after it take over from here.
    if (Module().showItemSelectionPage && Module().showItemSelectionPage())
        hide();
}

void frmMultiInterface::Back() {
    StorePosition();
    WizSingle1().MakeVisible();
    hide();
}

}  // namespace qfw::pages
