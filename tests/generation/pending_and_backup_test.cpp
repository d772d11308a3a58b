// The existing-procedure check, the pending work file, the UserControl
// backup and the environment's library list.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/ide/vbe.h"
#include "generation/generation_fixture.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw {
namespace {

using PendingAndBackupTest = GenerationTest;

TEST_F(PendingAndBackupTest, ExistingProcedureKinds) {
    WriteUserControlCode({"Option Explicit", "Public Sub Both()", "End Sub",
                          "Public Property Get Both() As Long", "End Property",
                          "Public Property Let LetGet(ByVal v As Long)", "End Property",
                          "Public Property Get LetGet() As Long", "End Property",
                          "Public Property Get GetOnly() As Long", "End Property",
                          "Public Property Set SetOnly(ByVal v As Object)", "End Property",
                          "Private Function Fn() As Long", "End Function"});
    Load();
    // A Sub and a property of one name do not compile; the lookup is what is
    // tested here, not generated code.
    checkModule_ = false;
    struct Case {
        std::string name;
        int16_t result;
    };
    const Case cases[] = {{"Both", 1},    {"LetGet", 2}, {"letget", 2}, {"GetOnly", 4},
                          {"SetOnly", 0}, {"Fn", 1},     {"Missing", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(wizard_.CheckForExistingProc(c.name), c.result) << c.name;
    EXPECT_EQ(wizard_.LastErrorNumber(), 0);
}

TEST_F(PendingAndBackupTest, NeverSavedUserControlHasNoProcedures) {
    WriteUserControlCode({"Option Explicit", "Public Sub Refresh()", "End Sub"});
    Load();
    WizardTestPeer::Target(wizard_, "DemoCtl", "MyCtl", "");
    EXPECT_EQ(wizard_.CheckForExistingProc("Refresh"), 0);
    EXPECT_EQ(wizard_.LastErrorNumber(), static_cast<int32_t>(0x80040063u));
    EXPECT_EQ(wizard_.LastErrorDescription(),
              "Cannot locate user control file. Procedure CheckForExistingProc");
}

TEST_F(PendingAndBackupTest, PendingFileKeepsEarlierLinesInFront) {
    wizard_.AddItemsToPendingFile("DemoCtl", {"Line one", ""});
    wizard_.AddItemsToPendingFile("DemoCtl", {"Line two"});
    EXPECT_EQ(ReadProjectFile("QFNCODE.DAT"), "Line one\r\n\r\nLine two\r\n");
    try {
        wizard_.AddItemsToPendingFile("demoCtl", {"x"});
        ADD_FAILURE() << "a project name is compared exactly";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), kErrPathFileAccess);
    }
}

TEST_F(PendingAndBackupTest, BackupReplacesTheLastThreeCharacters) {
    const std::string original = ReadProjectFile("MyCtl.ctl");
    EXPECT_EQ(wizard_.CreateUserControlBackup(), 0);
    EXPECT_EQ(ReadProjectFile("MyCtl.QFN"), original);

    // A second backup replaces the first.
    std::ofstream(UnixPath("MyCtl.ctl"), std::ios::binary | std::ios::app) << "' changed\r\n";
    EXPECT_EQ(wizard_.CreateUserControlBackup(), 0);
    EXPECT_EQ(ReadProjectFile("MyCtl.QFN"), ReadProjectFile("MyCtl.ctl"));

    // Whatever the extension: MyCtl.x becomes MyCtQFN.
    std::filesystem::copy_file(UnixPath("MyCtl.ctl"), UnixPath("MyCtl.x"));
    WizardTestPeer::Target(wizard_, "DemoCtl", "MyCtl", WinPath("MyCtl.x"));
    EXPECT_EQ(wizard_.CreateUserControlBackup(), 0);
    EXPECT_TRUE(ProjectFileExists("MyCtQFN"));
}

TEST_F(PendingAndBackupTest, BackupFailuresAreReportedByNumber) {
    WizardTestPeer::Target(wizard_, "DemoCtl", "MyCtl", "");
    EXPECT_EQ(wizard_.CreateUserControlBackup(), 0);
    EXPECT_FALSE(ProjectFileExists("MyCtl.QFN"));

    WizardTestPeer::Target(wizard_, "DemoCtl", "MyCtl", WinPath("Gone.ctl"));
    EXPECT_EQ(wizard_.CreateUserControlBackup(), kErrFileNotFound);
    EXPECT_FALSE(ProjectFileExists("Gone.QFN"));

    WizardTestPeer::Target(wizard_, "DemoCtl", "MyCtl", "ab");
    EXPECT_EQ(wizard_.CreateUserControlBackup(), kErrInvalidProcedureCall);
}

TEST(GetVBLibs, NamesBesideTheEnvironment) {
    Wizard w;
    std::vector<std::string> libs = {"old"};
    EXPECT_EQ(w.GetVBLibs(libs), kErrObjectNotSet);
    EXPECT_EQ(libs, std::vector<std::string>{"old"});

    w.SetVBInst(ide::VBE::Create("C:\\Dev\\IDE.EXE"));
    EXPECT_EQ(w.GetVBLibs(libs), 0);
    EXPECT_EQ(libs, (std::vector<std::string>{"C:\\Dev\\IDE.OLB", "C:\\Dev\\IDEEXT.OLB"}));

    // Too short to cut four characters: nothing changes.
    w.SetVBInst(ide::VBE::Create("EXE"));
    EXPECT_EQ(w.GetVBLibs(libs), kErrInvalidProcedureCall);
    EXPECT_EQ(libs[0], "C:\\Dev\\IDE.OLB");
}

}  // namespace
}  // namespace qfw
