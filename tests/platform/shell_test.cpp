#include "platform/shell.h"
#include "support/recording_shell.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qfw {
namespace {

// What start-up does on a first run: ask, then confirm.
void OfferRegistration() {
    if (CurrentShell().MsgBox("Add Constituent Wizard to VB AddIn?", vbYesNo, "QfWizard") == vbNo) {
        CurrentShell().MsgBox("Terminating Wizard Now.", vbOKOnly, "QfWizard");
        CurrentShell().EndRun();
        return;
    }
    CurrentShell().SetBusy(true);
    CurrentShell().DoEvents();
    CurrentShell().ShowStatus("registering");
    CurrentShell().SetBusy(false);
}

TEST(RecordingShell, AnswersFromItsScriptAndRecordsEveryCall) {
    RecordingShell shell;
    ScopedShell installed(shell);
    shell.Reply(vbNo);
    OfferRegistration();
    const auto& calls = shell.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].text, "Add Constituent Wizard to VB AddIn?");
    EXPECT_EQ(calls[0].style, vbYesNo);
    EXPECT_EQ(calls[0].title, "QfWizard");
    EXPECT_EQ(calls[0].answer, vbNo);
    EXPECT_TRUE(calls[0].scripted);
    EXPECT_EQ(calls[1].answer, vbOK);
    EXPECT_FALSE(calls[1].scripted);
    EXPECT_EQ(calls[2].kind, RecordingShell::Kind::EndRun);
    EXPECT_EQ(shell.UnusedReplies(), 0u);

    RecordingShell yes;
    ScopedShell inner(yes);
    yes.Reply(vbYes);
    OfferRegistration();
    using K = RecordingShell::Kind;
    std::vector<K> kinds;
    for (const auto& call : yes.Calls())
        kinds.push_back(call.kind);
    EXPECT_EQ(kinds,
              (std::vector<K>{K::MsgBox, K::SetBusy, K::DoEvents, K::ShowStatus, K::SetBusy}));
    EXPECT_TRUE(yes.Calls()[1].busy);
    EXPECT_FALSE(yes.Calls()[4].busy);
    EXPECT_EQ(yes.Calls()[3].text, "registering");
}

TEST(ScopedShell, RestoresThePreviousShell) {
    RecordingShell outer;
    ScopedShell a(outer);
    {
        RecordingShell inner;
        ScopedShell b(inner);
        EXPECT_EQ(&CurrentShell(), &inner);
    }
    EXPECT_EQ(&CurrentShell(), &outer);
}

TEST(MsgBoxStyles, ButtonsAndDefaults) {
    const struct {
        int32_t style;
        std::vector<int32_t> buttons;
        int32_t defaultButton;
    } cases[] = {
        {vbOKOnly, {vbOK}, vbOK},
        {vbOKCancel | vbQuestion, {vbOK, vbCancel}, vbOK},
        {vbYesNo | vbDefaultButton2, {vbYes, vbNo}, vbNo},
        {vbYesNoCancel | vbExclamation | vbDefaultButton3, {vbYes, vbNo, vbCancel}, vbCancel},
        {vbYesNo | vbDefaultButton3, {vbYes, vbNo}, vbYes},
        {vbAbortRetryIgnore, {vbAbort, vbRetry, vbIgnore}, vbAbort},
        {vbRetryCancel | vbCritical, {vbRetry, vbCancel}, vbRetry},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MsgBoxButtons(c.style), c.buttons) << c.style;
        EXPECT_EQ(MsgBoxDefaultButton(c.style), c.defaultButton) << c.style;
    }
}

TEST(ConsoleShell, NonInteractiveAnswersTheDefaultOrTheFixedAnswer) {
    std::ostringstream out;
    ConsoleShell shell(out, {.appTitle = "QfWizard", .in = nullptr, .fixedAnswer = vbYes});
    EXPECT_EQ(shell.MsgBox("Continue?", vbYesNo | vbDefaultButton2 | vbQuestion, ""), vbYes);
    EXPECT_EQ(shell.MsgBox("Retry?", vbRetryCancel, "T"), vbRetry);
    EXPECT_EQ(shell.MsgBox("Done.", vbOKOnly | vbInformation, "T"), vbOK);
    EXPECT_EQ(out.str(),
              "QfWizard (Question): Continue?\n  -> Yes\nT: Retry?\n  -> Retry\n"
              "T (Information): Done.\n");
    ASSERT_EQ(shell.Messages().size(), 3u);
    EXPECT_EQ(shell.Messages()[1].answer, vbRetry);
    EXPECT_FALSE(shell.RunEnded());
    shell.EndRun();
    EXPECT_TRUE(shell.RunEnded());
}

TEST(ConsoleShell, InteractiveReadsAnswersAndFallsBackToTheDefault) {
    std::istringstream in("maybe\nn\n\n");
    std::ostringstream out;
    ConsoleShell shell(out, {.appTitle = "QfWizard", .in = &in, .fixedAnswer = std::nullopt});
    EXPECT_EQ(shell.MsgBox("Add?", vbYesNo, ""), vbNo);
    EXPECT_EQ(shell.MsgBox("Add?", vbYesNo | vbDefaultButton2, ""), vbNo);  // empty line
    EXPECT_EQ(shell.MsgBox("Add?", vbOKCancel, ""), vbOK);                  // end of input
    EXPECT_NE(out.str().find("[Yes/No]? Please answer"), std::string::npos);
}

}  // namespace
}  // namespace qfw
