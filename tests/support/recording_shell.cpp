#include "support/recording_shell.h"

#include <algorithm>
#include <iterator>

namespace qfw {

int32_t RecordingShell::MsgBox(const std::string& prompt, int32_t style, const std::string& title) {
    Call call{Kind::MsgBox, prompt, style, title};
    call.scripted = !replies_.empty();
    if (call.scripted) {
        call.answer = replies_.front();
        replies_.pop_front();
    } else {
        call.answer = MsgBoxDefaultButton(style);
    }
    calls_.push_back(call);
    return call.answer;
}

void RecordingShell::SetBusy(bool busy) {
    Call call{Kind::SetBusy};
    call.busy = busy;
    calls_.push_back(call);
}

void RecordingShell::DoEvents() {
    calls_.push_back(Call{Kind::DoEvents});
}

void RecordingShell::ShowStatus(const std::string& text) {
    calls_.push_back(Call{Kind::ShowStatus, text});
}

void RecordingShell::EndRun() {
    calls_.push_back(Call{Kind::EndRun});
}

std::vector<RecordingShell::Call> RecordingShell::Messages() const {
    std::vector<Call> messages;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(messages),
                 [](const Call& call) { return call.kind == Kind::MsgBox; });
    return messages;
}

std::optional<std::string> RecordingShell::ShowOpen(const std::string& filter) {
    Call call{Kind::ShowOpen, filter};
    std::optional<std::string> answer;
    call.scripted = !openReplies_.empty();
    if (call.scripted) {
        answer = openReplies_.front();
        openReplies_.pop_front();
    }
    calls_.push_back(call);
    return answer;
}

}  // namespace qfw
