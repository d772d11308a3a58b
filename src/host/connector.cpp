#include "host/connector.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>

#include "host/frm4_icon.h"
#include "pages/frm_wiz_main.h"
#include "pages/module_state.h"
#include "platform/shell.h"

namespace qfw::host {
namespace {

constexpr const char* kAddInManager = "&Add-In Manager...";

}  // namespace

void Connector::TestIt() {
    CurrentShell().MsgBox("Wabbits", vbOKOnly, "");
}

void Connector::IDTExtensibility_OnConnection(HostApplication& Application, int32_t /*ConnectMode*/,
                                              std::vector<std::string>& /*custom*/) {
    VBInstance = &Application;
    pages::ConnectEnvironment(VBInstance->VBE);

    const std::shared_ptr<CommandBarControls> addIns =
        VBInstance->CommandBars.Item("Add-Ins")->Controls();
    const int16_t count = addIns->Count();
    int16_t p = 1;
    for (; p <= count; ++p) {
        if (addIns->Item(p)->Caption() == kAddInManager)
            break;
    }
    menuControl_ = addIns->Add(static_cast<int16_t>(p + 1));
    menuControl_->Caption("&Quillfern Software");

    {
        frm4Icon form;
        QApplication::clipboard()->setPixmap(form.Picture2->pixmap());
    }
    menuControl_->PasteFace();

    MenuHandler = VBInstance->Events.CommandBarEvents(menuControl_);
    MenuHandler->OnClick([this](CommandBarControl& control, bool& handled, bool& cancel) {
        MenuHandler_Click(control, handled, cancel);
    });

    menuControl1_ = VBInstance->CommandBars.Item(menuControl_->Id())->Controls()->Add();
    menuControl1_->Caption("Constituent Wizard");
    MenuHandler1 = VBInstance->Events.CommandBarEvents(menuControl1_);
    MenuHandler1->OnClick([this](CommandBarControl& control, bool& handled, bool& cancel) {
        MenuHandler1_Click(control, handled, cancel);
    });
}

void Connector::IDTExtensibility_OnDisconnection(int32_t /*RemoveMode*/,
                                                 std::vector<std::string>& /*custom*/) {
    if (menuControl_)
        menuControl_->Delete();
    pages::UnloadWizard();
}

void Connector::MenuHandler_Click(CommandBarControl& /*CommandBarControl*/, bool& /*handled*/,
                                  bool& /*CancelDefault*/) {
    pages::WizMain().ShowModeless();
}

void Connector::MenuHandler1_Click(CommandBarControl& /*CommandBarControl*/, bool& /*handled*/,
                                   bool& /*CancelDefault*/) {
    ended_ = true;
    pages::UnloadWizard();
    // The handlers are cleared, not destroyed: this call runs inside one.
    MenuHandler->OnClick({});
    MenuHandler1->OnClick({});
}

}  // namespace qfw::host
