// MergeProcedure: forwarding into existing handlers, one more constituent in
// existing properties and methods, and new handlers through NEWPROC.DAT.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "generation/generation_fixture.h"
#include "platform/vb_error.h"
#include "support/module_checker.h"

namespace qfw {
namespace {

using MergeProcedureTest = GenerationTest;

TEST_F(MergeProcedureTest, CasesFromTheCaseFile) {
    for (const CaseBlock& c : ReadCases("merge_cases.txt")) {
        WriteUserControlCode(c.code);
        Load();
        auto key = [&](const char* k) { return c.keys.count(k) ? c.keys.at(k) : std::string(); };
        const std::string control = c.keys.count("control") ? key("control") : "Text2";
        const int16_t kind = static_cast<int16_t>(std::stoi(key("kind")));
        const bool result =
            WizardTestPeer::Merge(wizard_, kind, key("name"), key("params"), key("token"),
                                  key("set") == "true", control, key("type"));
        EXPECT_EQ(result, key("result") == "true") << c.title;
        EXPECT_EQ(ModuleText(), JoinedCrLf(c.hasExpect ? c.expect : c.code)) << c.title;

        // The handler's parameters are those of the event it forwards.
        testing::ModuleExpectations::Constituent constituent;
        constituent.isArray = control.find('(') != std::string::npos;
        if (kind == kKindEvent)
            constituent.events = {key("name") + " (" + key("params") + ") "};
        testing::ModuleExpectations expectations;
        expectations.constituents[control.substr(0, control.find('('))] = constituent;
        const auto problems = testing::CheckModule(ModuleText(), expectations);
        EXPECT_TRUE(problems.empty()) << c.title << "\n" << testing::DescribeProblems(problems);
    }
}

TEST_F(MergeProcedureTest, NewHandlerFallsBackToTheUserFolder) {
    // A program folder that cannot hold files (a path below a regular file).
    std::ofstream(folder_ + "/program/blocker") << "x";
    WriteUserControlCode({"Option Explicit", "Event Click()"});
    Load();
    wizard_.SetWorkFolders(programFolder_ + "\\blocker\\sub", userFolder_);
    EXPECT_TRUE(WizardTestPeer::Merge(wizard_, 2, "Click", "", "", false, "Text2", ""));
    EXPECT_TRUE(std::filesystem::exists(folder_ + "/userdata/NEWPROC.DAT"));
    EXPECT_NE(ModuleText().find("Private Sub Text2_Click()"), std::string::npos);
}

TEST_F(MergeProcedureTest, HandlerThatCannotBeAddedIsNotDeclaredAndFailsTheBatch) {
    std::ofstream(folder_ + "/program/blocker") << "x";
    wizard_.SetWorkFolders(programFolder_ + "\\blocker\\a", programFolder_ + "\\blocker\\b");
    const std::string before = ModuleText();
    EXPECT_FALSE(WizardTestPeer::Merge(wizard_, 2, "Click", "", "", false, "Text2", ""));
    // Without a handler the builder declares nothing, and the batch reports
    // why the event is missing.
    EXPECT_EQ(wizard_.BuildProcedures({2}, {"Click () "}, "Text2"), kErrPathNotFound);
    EXPECT_EQ(ModuleText(), before);

    // The file is written but the module named by UserControlName is unknown.
    wizard_.SetWorkFolders(programFolder_, userFolder_);
    WizardTestPeer::Target(wizard_, "DemoCtl", "NoSuchControl", userControl_->FileNames(1));
    EXPECT_FALSE(WizardTestPeer::Merge(wizard_, 2, "Click", "", "", false, "Text2", ""));
    EXPECT_EQ(ModuleText(), before);
}

}  // namespace
}  // namespace qfw
