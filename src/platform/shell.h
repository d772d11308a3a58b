// The shell callbacks: how the core talks to whoever is in front of it.
//
// The engine and the start-up code show message boxes, set the busy pointer,
// let pending window events run, show status lines and end a wizard run.
// They do so only through CurrentShell(). The Qt pages install the GUI
// implementation, the command line a ConsoleShell, and tests a recorder
// that answers from a script. When nothing is installed, a
// non-interactive ConsoleShell writing to stderr answers.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace qfw {

// Message box buttons, icons and default button (the values of MsgBox's
// Buttons argument) and the answers, with the runtime's names.
enum VbMsgBoxStyle : int32_t {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum VbMsgBoxResult : int32_t {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

// The buttons a style shows, in order, and the one it makes the default.
std::vector<int32_t> MsgBoxButtons(int32_t style);
int32_t MsgBoxDefaultButton(int32_t style);

class Shell {
  public:
    virtual ~Shell() = default;

    // Shows prompt with the buttons and icon of `style`; returns the button
    // pressed (vbOK, vbYes, ...). An empty title means the application title.
    virtual int32_t MsgBox(const std::string& prompt, int32_t style, const std::string& title) = 0;
    // Shows (true) or clears (false) the busy pointer.
    virtual void SetBusy(bool busy) = 0;
    // Lets pending window events run (DoEvents).
    virtual void DoEvents() = 0;
    // Shows one line of progress.
    virtual void ShowStatus(const std::string& text) = 0;
    // Ends the current wizard run (closes the pages, as UnloadWizard does).
    virtual void EndRun() = 0;
    // The open-file dialog: offers the runtime's filter text ("OCX Files
    // (*.ocx)|*.ocx|..."), its first filter selected, and accepts only an
    // existing file. Answers the chosen file's Unix path, or nothing when the
    // user cancels; a shell without dialogs always cancels.
    virtual std::optional<std::string> ShowOpen(const std::string& filter);
};

// The shell now installed.
Shell& CurrentShell();

// Installs a shell for its lifetime and restores the previous one after.
class ScopedShell {
  public:
    explicit ScopedShell(Shell& shell);
    ~ScopedShell();
    ScopedShell(const ScopedShell&) = delete;
    ScopedShell& operator=(const ScopedShell&) = delete;

  private:
    Shell* previous_;
};

// One message box as it was shown and answered.
struct MessageRecord {
    std::string prompt = {};
    int32_t style = 0;
    std::string title = {};
    int32_t answer = 0;
};

// Message boxes on a text stream (normally stderr). Interactive, it reads the
// answer from `in` ("y", "n", "ok", "cancel", ... or an empty line for the
// default); otherwise, or at the end of the input, it answers with the fixed
// answer when the box offers it, else the style's default button, and says
// which on the stream. Every box is recorded. EndRun only marks the run as
// ended, for the command line to act on.
class ConsoleShell : public Shell {
  public:
    struct Options {
        std::string appTitle = "qfwizard";
        std::istream* in = nullptr;          // nullptr: non-interactive
        std::optional<int32_t> fixedAnswer;  // e.g. vbYes for --yes
    };

    ConsoleShell(std::ostream& out, Options options);

    int32_t MsgBox(const std::string& prompt, int32_t style, const std::string& title) override;
    void SetBusy(bool busy) override;
    void DoEvents() override {}
    void ShowStatus(const std::string& text) override;
    void EndRun() override { runEnded_ = true; }

    const std::vector<MessageRecord>& Messages() const { return messages_; }
    bool RunEnded() const { return runEnded_; }
    bool Busy() const { return busy_; }

  private:
    std::optional<int32_t> AskUser(const std::vector<int32_t>& buttons);

    std::ostream& out_;
    Options options_;
    std::vector<MessageRecord> messages_;
    bool runEnded_ = false;
    bool busy_ = false;
};

}  // namespace qfw
