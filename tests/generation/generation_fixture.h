// A real project in a temporary folder for the generation tests: the Demo
// fixture (Demo.vbp and MyCtl.ctl, written the way the environment writes
// them) loaded through the object model, and an engine aimed at it.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/ide/code_module.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vbe.h"
#include "engine/wizard.h"
#include "platform/short_date.h"
#include "support/module_checker.h"
#include "support/temp_folder.h"
#include "support/wizard_peer.h"

namespace qfw {

// Reads the fixture file tests/fixtures/generation/<name> as bytes.
std::string FixtureBytes(const std::string& name);

// The lines, each followed by CR LF.
using testing::CrLf;

// The lines joined by CR LF, as CodeModule::Lines gives a range.
std::string JoinedCrLf(const std::vector<std::string>& lines);

// One case of a case file under tests/fixtures/generation: "== title", then
// "key: value" lines, then "-- code" and "-- expect" blocks of literal lines
// ('#' lines before the first case are comments).
struct CaseBlock {
    std::string title;
    std::map<std::string, std::string> keys;
    std::vector<std::string> code;
    std::vector<std::string> expect;
    bool hasExpect = false;
};
std::vector<CaseBlock> ReadCases(const std::string& name);

class GenerationTest : public ::testing::Test {
  protected:
    // Every wizard comment of the tests carries 12/3/2026 (the C locale's
    // short date of 3 December 2026).
    ScopedToday today_{std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::December,
                                                   std::chrono::day{3}}};

    void SetUp() override;
    void TearDown() override;

    // Unix and Windows paths of a file in the temporary project folder.
    std::string UnixPath(const std::string& name) const;
    std::string WinPath(const std::string& name) const;
    std::string ReadProjectFile(const std::string& name) const;
    bool ProjectFileExists(const std::string& name) const;

    // Replaces the code of MyCtl.ctl (everything after its Attribute lines)
    // before the project is loaded again with Load().
    void WriteUserControlCode(const std::vector<std::string>& codeLines);
    void Load();

    // Saves the UserControl and returns its file's bytes.
    std::string SaveAndRead();
    // The code module's whole text, lines joined by CR LF.
    std::string ModuleText() const;

    testing::TempFolder temp_;
    std::string folder_;         // Unix path of the temporary project folder
    std::string programFolder_;  // Windows path of the folder NEWPROC.DAT goes to
    std::string userFolder_;     // Windows path of the per-user fallback folder
    std::shared_ptr<ide::VBE> vbe_;
    std::shared_ptr<ide::VBComponent> userControl_;
    std::shared_ptr<ide::CodeModule> module_;
    Wizard wizard_;
    // What the module's event handlers must match; TearDown checks the
    // module the way the compiler would.
    testing::ModuleExpectations expectations_;
    bool checkModule_ = true;
};

}  // namespace qfw
