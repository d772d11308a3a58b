#include "platform/shell.h"

#include <algorithm>
#include <iostream>

#include "platform/text_codec.h"

namespace qfw {
namespace {

Shell*& InstalledShell() {
    static Shell* installed = nullptr;
    return installed;
}

Shell& FallbackShell() {
    static ConsoleShell fallback(std::cerr, ConsoleShell::Options{});
    return fallback;
}

const char* ButtonName(int32_t button) {
    switch (button) {
        case vbOK:
            return "OK";
        case vbCancel:
            return "Cancel";
        case vbAbort:
            return "Abort";
        case vbRetry:
            return "Retry";
        case vbIgnore:
            return "Ignore";
        case vbYes:
            return "Yes";
        case vbNo:
            return "No";
        default:
            return "?";
    }
}

const char* IconName(int32_t style) {
    switch (style & 0x70) {
        case vbCritical:
            return "Error";
        case vbQuestion:
            return "Question";
        case vbExclamation:
            return "Warning";
        case vbInformation:
            return "Information";
        default:
            return nullptr;
    }
}

}  // namespace

std::vector<int32_t> MsgBoxButtons(int32_t style) {
    switch (style & 0x0F) {
        case vbOKCancel:
            return {vbOK, vbCancel};
        case vbAbortRetryIgnore:
            return {vbAbort, vbRetry, vbIgnore};
        case vbYesNoCancel:
            return {vbYes, vbNo, vbCancel};
        case vbYesNo:
            return {vbYes, vbNo};
        case vbRetryCancel:
            return {vbRetry, vbCancel};
        default:
            return {vbOK};
    }
}

int32_t MsgBoxDefaultButton(int32_t style) {
    const auto buttons = MsgBoxButtons(style);
    const size_t index = static_cast<size_t>((style & 0x300) >> 8);
    return index < buttons.size() ? buttons[index] : buttons.front();
}

std::optional<std::string> Shell::ShowOpen(const std::string&) {
    return std::nullopt;
}

Shell& CurrentShell() {
    Shell* installed = InstalledShell();
    return installed != nullptr ? *installed : FallbackShell();
}

ScopedShell::ScopedShell(Shell& shell) : previous_(InstalledShell()) {
    InstalledShell() = &shell;
}

ScopedShell::~ScopedShell() {
    InstalledShell() = previous_;
}

ConsoleShell::ConsoleShell(std::ostream& out, Options options)
    : out_(out), options_(std::move(options)) {}

std::optional<int32_t> ConsoleShell::AskUser(const std::vector<int32_t>& buttons) {
    out_ << "[";
    for (size_t i = 0; i < buttons.size(); ++i)
        out_ << (i > 0 ? "/" : "") << ButtonName(buttons[i]);
    out_ << "]? " << std::flush;
    std::string line;
    while (std::getline(*options_.in, line)) {
        const std::string answer = AsciiLower(line);
        if (answer.empty())
            return std::nullopt;
        for (const int32_t button : buttons) {
            const std::string name = AsciiLower(ButtonName(button));
            if (answer == name || answer == name.substr(0, 1))
                return button;
        }
        out_ << "Please answer one of the buttons shown: " << std::flush;
    }
    return std::nullopt;
}

int32_t ConsoleShell::MsgBox(const std::string& prompt, int32_t style, const std::string& title) {
    const auto buttons = MsgBoxButtons(style);
    const std::string& shownTitle = title.empty() ? options_.appTitle : title;
    out_ << shownTitle;
    if (const char* icon = IconName(style))
        out_ << " (" << icon << ")";
    out_ << ": " << prompt << "\n";
    std::optional<int32_t> answer;
    if (options_.in != nullptr && buttons.size() > 1)
        answer = AskUser(buttons);
    if (!answer) {
        const bool offered =
            options_.fixedAnswer &&
            std::find(buttons.begin(), buttons.end(), *options_.fixedAnswer) != buttons.end();
        answer = offered ? *options_.fixedAnswer : MsgBoxDefaultButton(style);
        if (buttons.size() > 1)
            out_ << "  -> " << ButtonName(*answer) << "\n";
    }
    out_ << std::flush;
    messages_.push_back({prompt, style, title, *answer});
    return *answer;
}

void ConsoleShell::SetBusy(bool busy) {
    busy_ = busy;
}

void ConsoleShell::ShowStatus(const std::string& text) {
    out_ << text << "\n" << std::flush;
}

}  // namespace qfw
