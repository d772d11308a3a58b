#include "pages/frm_wiz_single1.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "browser/browser.h"
#include "browser/control_lists.h"
#include "browser/specification.h"
#include "engine/run_messages.h"
#include "pages/frm_control_list.h"
#include "pages/frm_multi_interface.h"
#include "pages/frm_proj_info.h"
#include "pages/frm_user_control_info.h"
#include "pages/frm_wiz_main.h"
#include "pages/module_state.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw::pages {

namespace {

constexpr const char* kNotALibrary =
    "Only .OCX and .OLB files may be selected for your specification control. If you are "
    "attempting to select a standard VB5 control, select VB5.OLB from the Visual Basic directory.";

// The control list entry of a library: its help string from the browser and
// the file as it was passed. Raises the browser's error for an unreadable one.
std::string LibraryEntry(const std::string& library) {
    std::string info;
    SharedBrowser().GetControlInfo(library, kInfoLibrary, info);
    return ControlListEntry(LibraryHelpString(info), library);
}

}  // namespace

frmWizSingle1::frmWizSingle1() : WizardPage("frmWizSingle1", "Wiz1") {
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout();
    body->addWidget(MakeSidePicture(this), 0, Qt::AlignTop);
    fraControl = new QGroupBox(
        "Select the control that most closely matches the control that you are creating:", this);
    auto* frame = new QVBoxLayout(fraControl);
    lblControl = new QLabel("Available Controls:", fraControl);
    frame->addWidget(lblControl);
    lstControl = new VbListBox(fraControl);
    lstControl->setSelectionMode(QAbstractItemView::SingleSelection);
    lstControl->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The file behind each help string stays out of sight, without an ellipsis.
    lstControl->setTextElideMode(Qt::ElideNone);
    frame->addWidget(lstControl, 1);
    auto* listButtons = new QHBoxLayout();
    chkDeclared = new QCheckBox("List every control of the library", fraControl);
    cmdFilter = new QPushButton("&Filter List...", fraControl);
    cmdBrowse = new QPushButton("&Browse...", fraControl);
    listButtons->addWidget(chkDeclared);
    listButtons->addStretch();
    listButtons->addWidget(cmdFilter);
    listButtons->addWidget(cmdBrowse);
    frame->addLayout(listButtons);
    body->addWidget(fraControl, 1);
    outer->addLayout(body);
    cmdWizard = AddButtonRow(this, outer, false, [this](int i) { cmdWizard_Click(i); });
    cmdWizard[kFinish]->setEnabled(false);
    connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowse_Click(); });
    connect(cmdFilter, &QPushButton::clicked, this, [this] { cmdFilter_Click(); });
    connect(lstControl, &QListWidget::itemDoubleClicked, this, [this] { lstControl_DblClick(); });
    resize(640, 400);
}

void frmWizSingle1::Form_Load() {
    PlaceAtStoredPosition();
    setWindowTitle(Q(Module().gAppTitle));
    lstControl->clear();
    try {
        std::vector<std::string> libraries;
        if (SharedWizard().GetVBLibs(libraries) != 0)
            return;
        auto& selected = ControlLists().gSelectedControls;
        for (size_t i = 0; i < libraries.size(); ++i) {
            const std::string entry = LibraryEntry(libraries[i]);
            selected.resize(i + 1);
            selected[i] = entry;
            lstControl->AddItem(entry);
            lstControl->SelectRow(lstControl->count() - 1);
        }
        FillControlList();
        lstControl->SelectRow(0);
    } catch (const VbError&) {
        // The page shows what it listed before the failure.
    }
}

void frmWizSingle1::Form_Unload() {
    UnloadWizard();
}

void frmWizSingle1::FillControlList() {
    lstControl->clear();
    for (const std::string& entry : qfw::FillControlList(ControlLists()))
        lstControl->AddItem(entry);
}

void frmWizSingle1::cmdWizard_Click(int Index) {
    RouteWizardButton(Index);
}

void frmWizSingle1::cmdBrowse_Click() {
    const std::optional<std::string> file = CurrentShell().ShowOpen(kBrowseFilter);
    if (!file)
        return;
    const std::string extension =
        AsciiUpper(file->size() >= 3 ? file->substr(file->size() - 3) : *file);
    if (extension != "OCX" && extension != "OLB") {
        CurrentShell().MsgBox(kNotALibrary, vbOKOnly, "");
        return;
    }
    try {
        const std::string entry = LibraryEntry(UnixToWindows(*file));
        ControlLists().gSelectedControls = {entry};
        lstControl->AddItem(entry);
        lstControl->clearSelection();
        lstControl->SelectRow(lstControl->count() - 1);
        ControlLists().gUserListFilter = true;
    } catch (const VbError&) {
        // An unreadable library adds nothing.
    }
}

void frmWizSingle1::cmdFilter_Click() {
    ControlList().ShowModal();
    FillControlList();
}

void frmWizSingle1::lstControl_DblClick() {
    const std::vector<std::string> selected = lstControl->SelectedTexts();
    if (selected.empty())
        return;
    const std::string& line = selected.front();
    CurrentShell().MsgBox(std::string(Trim(line.substr(0, line.find('|')))), vbOKOnly, "");
}

void frmWizSingle1::Next() {
    const std::vector<std::string> selected = lstControl->SelectedTexts();
    if (selected.empty()) {
        CurrentShell().MsgBox("You must select an item to continue.", vbOKOnly, "");
        return;
    }
    StorePosition();
    CurrentShell().SetBusy(true);
    CurrentShell().DoEvents();
    try {
        ListSpecificationInterfaces(
            SpecificationRecord(), ControlListFile(selected.front()),
            chkDeclared->isChecked() ? InterfaceListing::Declared : InterfaceListing::Positional);
        MultiInterface().Load();
        CurrentShell().SetBusy(false);
        MultiInterface().ShowModeless();
        hide();
    } catch (const VbError& e) {
        CurrentShell().SetBusy(false);
        std::string message = EnumerationErrorMessage(e.Description());
        // An empty positional listing is what a control compiled by Visual
        // Basic gives; the declared listing finds it.
        if (e.Number() == kErrSubscriptOutOfRange && !chkDeclared->isChecked())
            message += "\n" + std::string(kMsgTryDeclaredListing);
        CurrentShell().MsgBox(message, vbOKOnly, "");
        UnloadWizard();
    }
}

void frmWizSingle1::Back() {
    StorePosition();
    const Wizard& wizard = SharedWizard();
    if (wizard.ObjectCount() >= 2)
        UserControlInfo().MakeVisible();
    else if (wizard.ProjectCount() >= 1)
        WizMain().MakeVisible();
    else
        ProjInfo().MakeVisible();
    hide();
}

}  // namespace qfw::pages
