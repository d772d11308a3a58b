// Main: the add-in list entry, the registration offer and its messages, with
// the profile file in a temporary folder and WinExec recorded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "browser/control_lists.h"
#include "host/registration.h"
#include "host/start_up.h"
#include "pages/module_state.h"
#include "platform/profile.h"
#include "support/recording_shell.h"
#include "support/temp_folder.h"

namespace qfw::host {
namespace {

const std::string kNo =
    "This Wizard must be connected to Visual Basic before you can use it.\r\n"
    "Once connected you can access this Wizard by starting Visual Basic and selecting this "
    "wizard from the 'Add-In' menu.\r\nTerminating Wizard Now.";

struct Started {
    std::string commandLine;
    int32_t show = -1;
};

class StartUpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform_.programFolder = "Z:\\opt\\qfw\\bin";
        platform_.profileFile = [this](const std::string& bareName) {
            return folder_.Unix(bareName);
        };
        platform_.winExec = [this](const std::string& commandLine, int32_t show) {
            started_.push_back({commandLine, show});
            return 33u;
        };
    }

    std::vector<std::string> Prompts() const {
        std::vector<std::string> prompts;
        for (const RecordingShell::Call& call : shell_.Messages())
            prompts.push_back(call.text);
        return prompts;
    }
    std::string Entry() const {
        return GetPrivateProfileString("Add-Ins32", "QFNWizard.Connector", "none", 100,
                                       folder_.Unix("VBAddIn.INI"));
    }

    testing::TempFolder folder_;
    RecordingShell shell_;
    ScopedShell scope_{shell_};
    StartUpPlatform platform_;
    std::vector<Started> started_;
};

TEST_F(StartUpTest, EnteredValuesStartSilently) {
    struct Case {
        const char* ini;
        bool offered;
    } cases[] = {
        {nullptr, true},                                            // no file
        {"[Add-Ins32]\r\nOther.Connect=1\r\n", true},               // no key
        {"[Add-Ins32]\r\nQFNWizard.Connector=0\r\n", true},         // "0"
        {"[Add-Ins32]\r\nQFNWizard.Connector=abc\r\n", true},       // not a number
        {"[Add-Ins32]\r\nQFNWizard.Connector=1\r\n", false},        // entered
        {"[Add-Ins32]\r\nQFNWizard.Connector=2 extra\r\n", false},  // a number first
        {"[add-ins32]\r\nqfnwizard.connector= 1\r\n", false},       // names ignore case
    };
    for (const Case& c : cases) {
        testing::TempFolder folder;
        platform_.profileFile = [&](const std::string& name) { return folder.Unix(name); };
        if (c.ini)
            folder.Write("VBAddIn.INI", c.ini);
        RecordingShell shell;
        ScopedShell scope(shell);
        shell.Reply(vbNo);
        shell.Reply(vbOK);
        Main(platform_);
        EXPECT_EQ(!shell.Messages().empty(), c.offered) << (c.ini ? c.ini : "no file");
    }
    EXPECT_TRUE(started_.empty());
}

TEST_F(StartUpTest, YesEntersTheAddInAndStartsRegistrationHidden) {
    folder_.Write("VBAddIn.INI", "[Add-Ins32]\r\nQFNWizard.Connector=0\r\nOther=1\r\n");
    shell_.Reply(vbYes);
    shell_.Reply(vbOK);
    Main(platform_);
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Add Constituent Wizard to VB AddIn?",
                                                   "'QfWizard' has been connected."}));
    EXPECT_EQ(shell_.Messages()[0].style, vbYesNo);
    EXPECT_EQ(shell_.Messages()[0].title, "QfWizard");
    EXPECT_EQ(shell_.Messages()[1].style, vbOKOnly);
    EXPECT_EQ(Entry(), "1");
    EXPECT_EQ(folder_.Read("VBAddIn.INI"), "[Add-Ins32]\r\nQFNWizard.Connector=1\r\nOther=1\r\n");
    ASSERT_EQ(started_.size(), 1u);
    EXPECT_EQ(started_[0].commandLine, "Z:\\opt\\qfw\\bin\\qfwizard.exe /REGSERVER");
    EXPECT_EQ(started_[0].show, 0);
}

TEST_F(StartUpTest, YesCreatesTheFileAndIgnoresAFailedStart) {
    platform_.winExec = [this](const std::string& commandLine, int32_t show) {
        started_.push_back({commandLine, show});
        return 2u;
    };
    shell_.Reply(vbYes);
    shell_.Reply(vbOK);
    Main(platform_);
    EXPECT_EQ(folder_.Read("VBAddIn.INI"), "[Add-Ins32]\r\nQFNWizard.Connector=1\r\n");
    EXPECT_EQ(started_.size(), 1u);
    EXPECT_EQ(Prompts().back(), "'QfWizard' has been connected.");
}

TEST_F(StartUpTest, NoExplainsAndChangesNothing) {
    shell_.Reply(vbNo);
    shell_.Reply(vbOK);
    Main(platform_);
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Add Constituent Wizard to VB AddIn?", kNo}));
    EXPECT_EQ(Entry(), "none");
    EXPECT_TRUE(started_.empty());
}

TEST_F(StartUpTest, CommandLinesOtherThanEmpty) {
    struct Case {
        const char* commandLine;
        std::vector<std::string> prompts;
    } cases[] = {
        {"/REGSERVER", {"Registering Wizard"}},
        {"-REGSERVER", {"Registering Wizard"}},
        {"/regserver", {}},
        {"-Embedding", {}},
    };
    for (const Case& c : cases) {
        RecordingShell shell;
        ScopedShell scope(shell);
        platform_.commandLine = c.commandLine;
        Main(platform_);
        std::vector<std::string> prompts;
        for (const RecordingShell::Call& call : shell.Messages())
            prompts.push_back(call.text);
        EXPECT_EQ(prompts, c.prompts) << c.commandLine;
    }
    EXPECT_TRUE(started_.empty());
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "VBAddIn.INI"));
}

TEST_F(StartUpTest, SetsTheTitleAndTheUserListFilter) {
    pages::Module().gAppTitle.clear();
    ControlLists().gUserListFilter = false;
    platform_.commandLine = "-Embedding";
    Main(platform_);
    EXPECT_EQ(pages::Module().gAppTitle, "Quillfern Constituent Control Wizard");
    EXPECT_TRUE(ControlLists().gUserListFilter);
}

TEST(Val, ReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"", 0},    {"hello", 0}, {"0", 0}, {"1", 1}, {" 12x", 12},
                 {"-3", -3}, {"0.5", 0.5}, {".", 0}, {"+", 0}, {"1.2.3", 1.2}};
    for (const Case& c : cases)
        EXPECT_EQ(Val(c.text), c.value) << c.text;
}

TEST(Registration, TheViewFindsTheRegisteredConnector) {
    testing::TempFolder folder;
    const auto file = folder.Path() / "sub" / "registry.reg";
    RegisterServer(file, "Z:\\opt\\qfw\\bin\\qfwizard", "Z:\\opt\\qfw\\share\\QFNWizard.tlb");
    RegistryView view;
    EXPECT_FALSE(IsProgIdRegistered(view, "QFNWizard.Connector"));
    std::vector<std::string> warnings;
    view.LoadRegFile(file, warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_TRUE(IsProgIdRegistered(view, "QFNWizard.Connector"));
    EXPECT_FALSE(IsProgIdRegistered(view, "QFNWizard.Other"));

    const auto read = [&](const std::string& path) {
        RegKey key;
        EXPECT_EQ(view.OpenKey(path, key), kErrorSuccess) << path;
        const auto value = view.ReadValue(key, "");
        return value ? value->data : std::string("missing");
    };
    // Values read as RegQueryValueExA gives them: text and terminator.
    const std::string clsid = std::string("CLSID\\") + kConnectorClsid;
    EXPECT_EQ(read("QFNWizard.Connector\\Clsid"), std::string(kConnectorClsid) + '\0');
    EXPECT_EQ(read(clsid + "\\LocalServer32"), std::string("Z:\\opt\\qfw\\bin\\qfwizard") + '\0');
    EXPECT_EQ(read(clsid + "\\ProgID"), std::string("QFNWizard.Connector") + '\0');
    EXPECT_EQ(read(std::string("TypeLib\\") + kTypeLibId + "\\1.0\\0\\win32"),
              std::string("Z:\\opt\\qfw\\share\\QFNWizard.tlb") + '\0');
}

TEST(Registration, TheUserFileMergesIntoTheView) {
    testing::TempFolder folder;
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", folder.Path().c_str(), 1);
    RegistryView view;
    std::vector<std::string> warnings;
    MergeUserRegistry(view, warnings);
    EXPECT_FALSE(IsProgIdRegistered(view, "QFNWizard.Connector"));
    RegisterServer(UserRegistryFile(), "Z:\\q", "Z:\\q.tlb");
    EXPECT_EQ(UserRegistryFile(), folder.Path() / "qfwizard" / "registry.reg");
    MergeUserRegistry(view, warnings);
    EXPECT_TRUE(IsProgIdRegistered(view, "QFNWizard.Connector"));
    EXPECT_TRUE(warnings.empty());
    if (old)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace qfw::host
