#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace qfw {

// A shell for tests: records every call in order and answers message boxes
// and open-file dialogs from a script.
// A box with no scripted reply left gets its default button, and the record
// says it was not scripted, so a test can insist that every answer was.
class RecordingShell : public Shell {
  public:
    enum class Kind { MsgBox, SetBusy, DoEvents, ShowStatus, EndRun, ShowOpen };

    struct Call {
        Kind kind = Kind::MsgBox;
        std::string text = {};  // prompt or status text
        int32_t style = 0;
        std::string title = {};
        int32_t answer = 0;
        bool scripted = false;
        bool busy = false;
    };

    // Queues the answer for the next message box.
    void Reply(int32_t answer) { replies_.push_back(answer); }
    // Queues the answer for the next open-file dialog (nothing: cancelled).
    void ReplyOpen(std::optional<std::string> file) { openReplies_.push_back(std::move(file)); }

    int32_t MsgBox(const std::string& prompt, int32_t style, const std::string& title) override;
    void SetBusy(bool busy) override;
    void DoEvents() override;
    void ShowStatus(const std::string& text) override;
    void EndRun() override;
    // Records the filter as the call's text; unscripted, the dialog is cancelled.
    std::optional<std::string> ShowOpen(const std::string& filter) override;

    const std::vector<Call>& Calls() const { return calls_; }
    // The message boxes only.
    std::vector<Call> Messages() const;
    size_t UnusedReplies() const { return replies_.size(); }

  private:
    std::deque<int32_t> replies_;
    std::deque<std::optional<std::string>> openReplies_;
    std::vector<Call> calls_;
};

}  // namespace qfw
