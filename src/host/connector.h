// Connector: the add-in's connection class ("QFNWizard.Connector"). The
// environment creates it and calls its connection handlers; on connection it
// hands the environment to the shared engine and puts "&Quillfern Software"
// after "&Add-In Manager..." in the Add-Ins menu and "Constituent Wizard" at
// the end of the menu bar; a click on the first opens the wizard's
// introduction page.
//
// The add-in shares the environment's process. "Constituent Wizard" would
// end the add-in's own process; here it ends the add-in alone, as if that
// process had gone: the wizard's pages close, its menu entries stop
// responding, and the environment with its unsaved work stays.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/ide/vbe.h"
#include "host/command_bars.h"

namespace qfw::host {

// The environment's root object as an add-in reaches it: the object model,
// its command bars and the event-source factory.
struct HostApplication {
    std::shared_ptr<ide::VBE> VBE;
    host::CommandBars CommandBars;
    host::Events Events;
};

class Connector {
  public:
    // Published fields the program itself neither reads nor writes.
    std::shared_ptr<CommandBarControl> MenuLines;
    std::shared_ptr<CommandBar> NewMenu;
    int32_t ConnectID = 0;

    // Shows "Wabbits".
    void TestIt();
    void AfterClick() {}
    void ConnectAddIn(const std::shared_ptr<ide::VBE>& /*VBInstance*/) {}
    void DisconnectAddIn(int16_t /*Mode*/) {}

    // Errors (a missing "Add-Ins" bar) go back to the caller as VbError.
    void IDTExtensibility_OnConnection(HostApplication& Application, int32_t ConnectMode,
                                       std::vector<std::string>& custom);
    void IDTExtensibility_OnDisconnection(int32_t RemoveMode, std::vector<std::string>& custom);
    void IDTExtensibility_OnAddInsUpdate(std::vector<std::string>& /*custom*/) {}
    void IDTExtensibility_OnStartupComplete(std::vector<std::string>& /*custom*/) {}

    // Loads the introduction page and shows it modeless.
    void MenuHandler_Click(CommandBarControl& CommandBarControl, bool& handled,
                           bool& CancelDefault);
    // Ends the add-in: every wizard page closes and the menu entries stop
    // responding.
    void MenuHandler1_Click(CommandBarControl& CommandBarControl, bool& handled,
                            bool& CancelDefault);

    // Whether MenuHandler1_Click has ended the add-in.
    bool Ended() const { return ended_; }
    // The two entries it added, for the environment and tests.
    const std::shared_ptr<CommandBarControl>& FirstMenuControl() const { return menuControl_; }
    const std::shared_ptr<CommandBarControl>& SecondMenuControl() const { return menuControl1_; }

  private:
    HostApplication* VBInstance = nullptr;
    std::shared_ptr<CommandBarControl> menuControl_;
    std::shared_ptr<CommandBarControl> menuControl1_;
    std::shared_ptr<CommandBarEvents> MenuHandler;
    std::shared_ptr<CommandBarEvents> MenuHandler1;
    bool ended_ = false;
};

}  // namespace qfw::host
