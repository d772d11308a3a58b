// The shell of the Qt front end: message boxes titled with the wizard's
// title, the wait cursor as the busy pointer, Qt's event loop for pending
// events, the open-file dialog, and UnloadWizard to end a run.
#pragma once

#include <functional>
#include <string>

#include "platform/shell.h"

namespace qfw::pages {

class GuiShell : public Shell {
  public:
    int32_t MsgBox(const std::string& prompt, int32_t style, const std::string& title) override;
    void SetBusy(bool busy) override;
    void DoEvents() override;
    // Progress lines go to the sink (the generation page's status list).
    void ShowStatus(const std::string& text) override;
    void EndRun() override;
    std::optional<std::string> ShowOpen(const std::string& filter) override;

    std::function<void(const std::string&)> statusSink;

  private:
    bool busy_ = false;
};

// The runtime's filter text "Name (*.a)|*.a|Name (*.b)|*.b" as Qt's name
// filters "Name (*.a);;Name (*.b)"; the descriptions carry the patterns.
std::string QtFileFilter(const std::string& vbFilter);

}  // namespace qfw::pages
