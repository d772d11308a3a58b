#include <gtest/gtest.h>

#include "engine/ide/vbe.h"
#include "platform/classes_root.h"
#include "platform/win_path.h"
#include "support/temp_folder.h"
#include "support/wizard_peer.h"

namespace qfw {
namespace {

struct KeyCase {
    const char* progId;
    const char* key;  // the class key the rules must read
};

class ConstituentFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scope_ = std::make_unique<ScopedClassesRoot>(registry_);
        prefix_.Write("drive_c/windows/syswow64/readme.txt", "");
        drives_ = DriveMap::ForPrefix(prefix_.Path().string(), false);
        driveScope_ = std::make_unique<ScopedDriveMap>(drives_);
    }

    // Registers `key` -> {clsid} -> file under HKEY_CLASSES_ROOT, the
    // CLSID key in the 32-bit view when `wow64`.
    void Register(const std::string& key, const std::string& clsid, const std::string& file,
                  bool wow64 = false) {
        registry_.AddEntry(key, "", clsid, RegLayer::Machine);
        registry_.AddEntry(
            std::string(wow64 ? "Wow6432Node\\" : "") + "CLSID\\" + clsid + "\\InprocServer32", "",
            file, RegLayer::Machine);
    }

    // Creates the file a C:\ path names inside the prefix.
    void Install(const std::string& cPath) {
        std::string relative = cPath.substr(3);
        for (char& c : relative)
            c = c == '\\' ? '/' : c;
        prefix_.Write("drive_c/" + relative, "library");
    }

    std::string FileOf(const std::string& progId) {
        WizardTestPeer::SetConstituents(wizard_, {{progId, "ctl1"}}, vbe_);
        return wizard_.GetConstituentFileName(0);
    }

    testing::TempFolder prefix_;
    DriveMap drives_;
    std::unique_ptr<ScopedDriveMap> driveScope_;
    RegistryView registry_;
    std::unique_ptr<ScopedClassesRoot> scope_;
    std::shared_ptr<ide::VBE> vbe_ = ide::VBE::Create("C:\\Dev\\IDE.EXE");
    Wizard wizard_;
};

TEST_F(ConstituentFileTest, KeyRulesFollowTheControlsRegistrations) {
    const KeyCase cases[] = {
        {"ComctlLib.ListView", "COMCTL.ListViewCtrl\\CLSID"},
        {"comctllib.Slider", "COMCTL.SliderCtrl\\CLSID"},
        {"QfnLib.QfnGrid", "QFNGRID.QfnGridCtrl.1\\Clsid"},
        {"QfTools.QfTree", "QFTREE.QfTreeCtrl.1\\Clsid"},
        {"MhDialLib.MhDial", "MhDial.MhDialCtrl.1\\Clsid"},
        {"Crypto.MhEPEncryption", "ENCRYPT.EncryptCtrl.1\\Clsid"},
        {"MSComctlLib.TreeView", "MSComctlLib.TreeView\\Clsid"},
    };
    int n = 0;
    for (const KeyCase& c : cases) {
        const std::string clsid =
            "{00000000-0000-0000-0000-00000000000" + std::to_string(n++) + "}";
        const std::string file = std::string("C:\\WINDOWS\\SYSTEM\\") + c.progId + ".OCX";
        Register(c.key, clsid, file);
        Install(file);
        EXPECT_EQ(FileOf(c.progId), file) << c.progId;
    }
}

TEST_F(ConstituentFileTest, IntrinsicControlsUseTheEnvironmentsOwnLibrary) {
    EXPECT_EQ(FileOf("VB.TextBox"), "C:\\Dev\\IDE.OLB");
    // A library whose name merely begins with "VB" is found through its registration.
    Register("VBCCR18.TextBoxW\\Clsid", "{BBBB}", "C:\\WINDOWS\\SYSTEM\\VBCCR18.OCX");
    Install("C:\\WINDOWS\\SYSTEM\\VBCCR18.OCX");
    EXPECT_EQ(FileOf("VBCCR18.TextBoxW"), "C:\\WINDOWS\\SYSTEM\\VBCCR18.OCX");
}

TEST_F(ConstituentFileTest, FailuresLeaveTheirDescriptionAsTheResult) {
    // No registration: the empty class identifier cannot lose its last
    // character, and neither can the empty server path after it.
    EXPECT_EQ(FileOf("Other.Control"), "Invalid procedure call or argument");
    std::string text;
    EXPECT_FALSE(wizard_.FindConstituentLibrary(0, text));
    // A dot too early for the "Mh" rule's prefix.
    EXPECT_EQ(FileOf("Mh.Knob"), "Invalid procedure call or argument");
    EXPECT_EQ(wizard_.GetConstituentFileName(5), "Subscript out of range");
}

TEST_F(ConstituentFileTest, ClassIdentifierIsFollowedThroughTheUsersRegistration) {
    Register("Other.Control\\Clsid", "{AAAA}", "C:\\machine.ocx");
    registry_.AddEntry("CLSID\\{AAAA}\\InprocServer32", "", "C:\\user.ocx", RegLayer::User);
    Install("C:\\user.ocx");
    std::string file;
    WizardTestPeer::SetConstituents(wizard_, {{"Other.Control", "x"}}, vbe_);
    EXPECT_TRUE(wizard_.FindConstituentLibrary(0, file));
    EXPECT_EQ(file, "C:\\user.ocx");
}

TEST_F(ConstituentFileTest, RegisteredLibraryIsOpenedWhereA32BitProgramFindsIt) {
    // VB5/6 controls register in the 32-bit view of a 64-bit prefix; the
    // system32 they name is syswow64 on disk.
    Register("Quill.Dial\\Clsid", "{D1}", "C:\\windows\\system32\\QUILLDIAL.OCX", true);
    Install("C:\\windows\\syswow64\\QUILLDIAL.OCX");
    EXPECT_EQ(FileOf("Quill.Dial"), "C:\\windows\\syswow64\\QUILLDIAL.OCX");
    // The 64-bit view's system32 is the real one.
    Register("Quill.Edit\\Clsid", "{E1}", "C:\\windows\\system32\\QUILLEDIT.OCX");
    Install("C:\\windows\\system32\\QUILLEDIT.OCX");
    EXPECT_EQ(FileOf("Quill.Edit"), "C:\\windows\\system32\\QUILLEDIT.OCX");
}

TEST_F(ConstituentFileTest, UnopenableRegisteredLibraryGivesWayToTheOneBesideTheProject) {
    Register("Quill.Dial\\Clsid", "{D1}", "C:\\gone\\QUILLDIAL.OCX");
    std::string file;
    WizardTestPeer::SetConstituents(wizard_, {{"Quill.Dial", "dial1"}}, vbe_);
    EXPECT_FALSE(wizard_.FindConstituentLibrary(0, file));
    EXPECT_EQ(file, "File not found: C:\\gone\\QUILLDIAL.OCX");
    // What the project's Object= line taught (the copy beside the project).
    registry_.AddEntry("CLSID\\{D1}\\InprocServer32", "", "C:\\proj\\QUILLDIAL.OCX",
                       RegLayer::Learned);
    Install("C:\\proj\\QUILLDIAL.OCX");
    EXPECT_TRUE(wizard_.FindConstituentLibrary(0, file));
    EXPECT_EQ(file, "C:\\proj\\QUILLDIAL.OCX");
}

}  // namespace
}  // namespace qfw
