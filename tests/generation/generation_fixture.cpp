#include "generation/generation_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "platform/win_path.h"
#include "support/temp_folder.h"

namespace qfw {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

namespace {}  // namespace

std::string FixtureBytes(const std::string& name) {
    return ReadBytes(fs::path(QFW_FIXTURES) / "generation" / name);
}

std::string JoinedCrLf(const std::vector<std::string>& lines) {
    std::string text = CrLf(lines);
    return text.substr(0, text.size() - std::min<size_t>(text.size(), 2));
}

std::vector<CaseBlock> ReadCases(const std::string& name) {
    std::vector<CaseBlock> cases;
    std::istringstream in(FixtureBytes(name));
    std::vector<std::string>* block = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("== ", 0) == 0) {
            cases.push_back({line.substr(3), {}, {}, {}, false});
            block = nullptr;
        } else if (cases.empty()) {
            continue;
        } else if (line == "-- code") {
            block = &cases.back().code;
        } else if (line == "-- expect") {
            block = &cases.back().expect;
            cases.back().hasExpect = true;
        } else if (block) {
            block->push_back(line);
        } else if (size_t colon = line.find(": "); colon != std::string::npos) {
            cases.back().keys[line.substr(0, colon)] = line.substr(colon + 2);
        }
    }
    EXPECT_FALSE(cases.empty()) << name << " holds no case";
    return cases;
}

void GenerationTest::SetUp() {
    // The goldens carry the C locale's short date.
    setenv("LC_ALL", "C", 1);
    folder_ = temp_.Path().string();
    fs::create_directories(fs::path(folder_) / "program");
    programFolder_ = UnixToWindows(folder_ + "/program");
    userFolder_ = UnixToWindows(folder_ + "/userdata");
    fs::create_directories(fs::path(folder_) / "project");
    for (const char* name : {"Demo.vbp", "MyCtl.ctl"}) {
        fs::copy_file(fs::path(QFW_FIXTURES) / "generation" / "Demo" / name,
                      fs::path(folder_) / "project" / name);
    }
    Load();
    // The text boxes' events the tests forward, as the browser reports them.
    for (const char* control : {"Text1", "Text2"}) {
        expectations_.constituents[control].events = {
            "Click () ", "KeyDown (KeyCode As Integer, Shift As Integer) "};
    }
}

void GenerationTest::TearDown() {
    // Whatever a test generated must still compile.
    if (module_ && checkModule_) {
        const auto problems = testing::CheckModule(ModuleText(), expectations_);
        EXPECT_TRUE(problems.empty()) << testing::DescribeProblems(problems);
    }
    std::error_code ec;
    // A test may have made the program folder read-only; the temporary
    // folder's removal needs it writable again.
    fs::permissions(fs::path(folder_) / "program", fs::perms::owner_all, ec);
}

std::string GenerationTest::UnixPath(const std::string& name) const {
    return folder_ + "/project/" + name;
}

std::string GenerationTest::WinPath(const std::string& name) const {
    return UnixToWindows(UnixPath(name));
}

std::string GenerationTest::ReadProjectFile(const std::string& name) const {
    return ReadBytes(UnixPath(name));
}

bool GenerationTest::ProjectFileExists(const std::string& name) const {
    return fs::exists(UnixPath(name));
}

void GenerationTest::WriteUserControlCode(const std::vector<std::string>& codeLines) {
    std::string bytes = FixtureBytes("Demo/MyCtl.ctl");
    const std::string lastAttribute = "Attribute VB_Exposed = True\r\n";
    bytes = bytes.substr(0, bytes.find(lastAttribute) + lastAttribute.size()) + CrLf(codeLines);
    WriteBytes(UnixPath("MyCtl.ctl"), bytes);
}

void GenerationTest::Load() {
    vbe_ = ide::VBE::Create();
    std::shared_ptr<ide::VBProject> project =
        vbe_->VBProjects()->AddFromFile(WinPath("Demo.vbp")).at(0);
    userControl_ = project->VBComponents()->Item("MyCtl");
    module_ = userControl_->CodeModule();
    wizard_ = Wizard();
    wizard_.SetVBInst(vbe_);
    WizardTestPeer::Target(wizard_, project->Name(), "MyCtl", userControl_->FileNames(1));
    wizard_.SetWorkFolders(programFolder_, userFolder_);
}

std::string GenerationTest::SaveAndRead() {
    userControl_->Save();
    return ReadProjectFile("MyCtl.ctl");
}

std::string GenerationTest::ModuleText() const {
    return module_->Lines(1, module_->CountOfLines());
}

}  // namespace qfw
