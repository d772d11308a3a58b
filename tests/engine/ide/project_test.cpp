// Projects on disk through the object model: loading, the designer's
// controls, byte-faithful saving and refusal of bad input.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/ide/code_module.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_control.h"
#include "engine/ide/vb_form.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"
#include "support/temp_folder.h"

namespace qfw::ide {
namespace {

namespace fs = std::filesystem;

void WriteFileCreatingFolders(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    qfw::testing::WriteBytes(path, bytes);
}

// A scratch copy of the fixtures, so that saving never touches the originals.
class ProjectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qfw-ide-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy(fs::path(QFW_FIXTURES) / "ide", dir_, fs::copy_options::recursive);
        vbe_ = VBE::Create("C:\\VB98\\VB6.EXE");
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Win(const std::string& relative) const {
        return UnixToWindows((dir_ / relative).string());
    }
    int32_t LoadError(const std::string& relative, std::string* message = nullptr) {
        try {
            vbe_->VBProjects()->AddFromFile(Win(relative));
        } catch (const VbError& e) {
            if (message)
                *message = e.Description();
            return e.Number();
        }
        return 0;
    }

    fs::path dir_;
    std::shared_ptr<VBE> vbe_;
};

TEST_F(ProjectTest, LoadsEveryComponentOfAProject) {
    auto projects = vbe_->VBProjects()->AddFromFile(Win("gauges/Gauges.vbp"));
    ASSERT_EQ(projects.size(), 1u);
    auto project = vbe_->VBProjects()->Item("gauges");
    EXPECT_EQ(project, vbe_->ActiveVBProject());
    EXPECT_EQ(project->Name(), "Gauges");
    EXPECT_EQ(project->FileName(), Win("gauges/Gauges.vbp"));
    EXPECT_EQ(project->Type(), 3);
    EXPECT_EQ(
        project->ObjectLines(),
        std::vector<std::string>{"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX"});
    EXPECT_EQ(project->ReferenceLines().size(), 1u);

    struct Expected {
        const char* name;
        int32_t type;
        const char* file;
        bool designer;
    };
    const std::vector<Expected> table = {{"Gauge", 8, "gauges/Gauge.ctl", true},
                                         {"frmTest", 5, "gauges/frmTest.frm", true},
                                         {"modShared", 1, "gauges/Shared/modShared.bas", false},
                                         {"CRange", 2, "gauges/CRange.cls", false}};
    auto components = project->VBComponents();
    ASSERT_EQ(components->Count(), 4);
    for (size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(table[i].name);
        auto c = components->Item(static_cast<int32_t>(i + 1));
        EXPECT_EQ(c, components->Item(table[i].name));
        EXPECT_EQ(c->Name(), table[i].name);
        EXPECT_EQ(c->Type(), table[i].type);
        EXPECT_EQ(c->FileNames(1), Win(table[i].file));
        EXPECT_EQ(c->Designer() != nullptr, table[i].designer);
        EXPECT_EQ(c->Text(), qfw::testing::ReadBytes(dir_ / table[i].file)) << "round trip";
        EXPECT_EQ(c->TextSize(), c->Text().size());
    }
    EXPECT_EQ(components->Item(1)->FileCount(), 2);
    EXPECT_EQ(components->Item(1)->FileNames(2), Win("gauges/Gauge.ctx"));
    EXPECT_EQ(components->Item(2)->FileCount(), 1);
}

TEST_F(ProjectTest, DesignerControlsInFileOrder) {
    vbe_->VBProjects()->AddFromFile(Win("gauges/Gauges.vbp"));
    auto designer = vbe_->ActiveVBProject()->VBComponents()->Item("Gauge")->Designer();
    EXPECT_EQ(designer->VBE(), vbe_);
    auto controls = designer->VBControls();
    struct Expected {
        const char* name;
        const char* progId;
        const char* className;
        int32_t index;
    };
    const std::vector<Expected> table = {
        {"pbLevel", "MSComctlLib.ProgressBar", "ProgressBar", -1},
        {"picFrame", "VB.PictureBox", "PictureBox", -1},
        {"txtValue", "VB.TextBox", "TextBox", -1},
        {"lblTitle", "VB.Label", "Label", 0},
        {"lblTitle", "VB.Label", "Label", 1},
    };
    ASSERT_EQ(controls->Count(), static_cast<int32_t>(table.size()));
    for (size_t i = 0; i < table.size(); ++i) {
        auto control = controls->Item(static_cast<int32_t>(i + 1));
        EXPECT_EQ(control->Properties()->Item("Name")->Value(), table[i].name);
        EXPECT_EQ(control->ProgId(), table[i].progId);
        EXPECT_EQ(control->ClassName(), table[i].className);
        EXPECT_EQ(control->Index(), table[i].index);
    }
    EXPECT_EQ(controls->Item(3)->Properties()->Item("Text")->Value(),
              "Gr\xF6\xDF"
              "e \"1\"");  // ANSI bytes as in the file, quotes undone
    EXPECT_EQ(controls->Item(4)->Properties()->Item("BackStyle")->Value(), "0");
    EXPECT_EQ(controls->Item(4)->Properties()->Item("Font")->Value(), "");
    EXPECT_THROW(controls->Item(4)->Properties()->Item("Weight"),
                 VbError);  // inside the Font group
    EXPECT_THROW(controls->Item(6), VbError);
}

TEST_F(ProjectTest, CodeModuleOfALoadedUserControl) {
    vbe_->VBProjects()->AddFromFile(Win("gauges/Gauges.vbp"));
    auto code = vbe_->ActiveVBProject()->VBComponents()->Item("Gauge")->CodeModule();
    EXPECT_EQ(code->Lines(1, 1), "Option Explicit");
    EXPECT_EQ(code->CountOfDeclarationLines(), 3);
    EXPECT_EQ(code->ProcStartLine("Title", vbext_pk_Get), 4);
    EXPECT_EQ(code->ProcBodyLine("Title", vbext_pk_Get), 6);
    EXPECT_EQ(code->ProcCountLines("Title", vbext_pk_Get), 5);
    EXPECT_EQ(code->ProcBodyLine("Title", vbext_pk_Let), 10);
    EXPECT_EQ(code->ProcBodyLine("txtValue_Change", vbext_pk_Proc), 15);
    EXPECT_EQ(code->ProcStartLine("Describe", vbext_pk_Proc), 18);
    EXPECT_EQ(code->ProcCountLines("Describe", vbext_pk_Proc), 7);
}

TEST_F(ProjectTest, EditedFilesKeepUntouchedBytesAndUnchangedOnesAreNotWritten) {
    vbe_->VBProjects()->AddFromFile(Win("gauges/Gauges.vbp"));
    auto project = vbe_->ActiveVBProject();
    auto gauge = project->VBComponents()->Item("Gauge");
    const std::string original = qfw::testing::ReadBytes(dir_ / "gauges/Gauge.ctl");
    const auto stamp = fs::last_write_time(dir_ / "gauges/frmTest.frm");

    gauge->CodeModule()->InsertLines(3, "Private m_Dirty As Boolean");
    EXPECT_TRUE(project->IsDirty());
    project->Save();
    std::string expected = original;
    expected.insert(expected.find("Event Change()"), "Private m_Dirty As Boolean\r\n");
    EXPECT_EQ(qfw::testing::ReadBytes(dir_ / "gauges/Gauge.ctl"), expected);

    gauge->CodeModule()->DeleteLines(3);
    gauge->Save();
    EXPECT_EQ(qfw::testing::ReadBytes(dir_ / "gauges/Gauge.ctl"), original);
    EXPECT_FALSE(project->IsDirty());
    EXPECT_EQ(fs::last_write_time(dir_ / "gauges/frmTest.frm"), stamp);
}

TEST_F(ProjectTest, AFileChangedOnDiskIsNotOverwritten) {
    vbe_->VBProjects()->AddFromFile(Win("gauges/Gauges.vbp"));
    auto gauge = vbe_->ActiveVBProject()->VBComponents()->Item("Gauge");
    gauge->CodeModule()->InsertLines(1, "' generated");
    const std::string outside =
        qfw::testing::ReadBytes(dir_ / "gauges/Gauge.ctl") + "' edited elsewhere\r\n";
    WriteFileCreatingFolders(dir_ / "gauges/Gauge.ctl", outside);
    try {
        gauge->Save();
        FAIL() << "saved over a changed file";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), 75);
        EXPECT_NE(e.Description().find("changed on disk"), std::string::npos);
    }
    EXPECT_EQ(qfw::testing::ReadBytes(dir_ / "gauges/Gauge.ctl"), outside);
}

TEST_F(ProjectTest, GroupLoadsItsProjectsInOrder) {
    auto projects = vbe_->VBProjects()->AddFromFile(Win("group/Chat.vbg"));
    ASSERT_EQ(vbe_->VBProjects()->Count(), 2);
    EXPECT_EQ(vbe_->VBProjects()->Item(1)->Name(), "ChatClient");
    EXPECT_EQ(vbe_->VBProjects()->Item(2)->Name(), "ChatServer");
    EXPECT_EQ(vbe_->ActiveVBProject()->Name(), "ChatClient");
    vbe_->ActiveVBProject(vbe_->VBProjects()->Item(2));
    EXPECT_EQ(vbe_->ActiveVBProject()->Name(), "ChatServer");
    // FRMMAIN.FRM names frmMain.frm: elements are found without regard to case.
    auto form = vbe_->VBProjects()->Item(1)->VBComponents()->Item(1);
    EXPECT_EQ(form->Name(), "frmMain");
    EXPECT_EQ(form->Text(), qfw::testing::ReadBytes(dir_ / "group/Client/frmMain.frm"));
    // LF-only files load and keep their line ends.
    auto server = vbe_->VBProjects()->Item("ChatServer")->VBComponents()->Item("CServer");
    EXPECT_EQ(server->CodeModule()->ProcBodyLine("Send", 0), 2);
    EXPECT_EQ(server->Text(), qfw::testing::ReadBytes(dir_ / "group/Server/CServer.cls"));
    EXPECT_THROW(vbe_->VBProjects()->Item(3), VbError);
    EXPECT_THROW(vbe_->VBProjects()->Item("Nope"), VbError);
}

TEST_F(ProjectTest, BadInputFailsWithFileAndLineAndAddsNothing) {
    const std::string begin = "VERSION 5.00\r\nBegin VB.UserControl Bad \r\n";
    struct Case {
        const char* what;
        const char* file;
        std::string bytes;
        int32_t error;
        const char* message;
    };
    const std::vector<Case> table = {
        {"unterminated Begin", "bad/Bad.ctl",
         begin + "   Begin VB.TextBox t \r\n   End\r\nAttribute VB_Name = \"Bad\"\r\n", 321,
         "Bad.ctl: line 2: \"Begin VB.UserControl Bad\" has no matching End"},
        {"unterminated BeginProperty", "bad/Bad.ctl", begin + "   BeginProperty Font \r\nEnd\r\n",
         321, "Bad.ctl: line 4: \"End\" without"},
        {"empty designer file", "bad/Bad.ctl", "", 321, "Bad.ctl: line 1: expected"},
        {"control without a name", "bad/Bad.ctl",
         begin + "   Begin VB.TextBox \r\n   End\r\nEnd\r\n", 321,
         "Bad.ctl: line 3: \"Begin VB.TextBox\" names no control"},
        {"binary garbage", "bad/Bad.ctl", std::string("VERSION 5.00\r\n\0\x01\x02", 17), 321,
         "Bad.ctl: line 2: binary"},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir_ / "bad");
        WriteFileCreatingFolders(dir_ / "bad/Bad.vbp", std::string("Type=Control\r\nUserControl=") +
                                                           fs::path(c.file).filename().string() +
                                                           "\r\nName=\"Bad\"\r\n");
        if (std::string(c.file) == "bad/Bad.ctl")
            WriteFileCreatingFolders(dir_ / c.file, c.bytes);
        std::string message;
        EXPECT_EQ(LoadError("bad/Bad.vbp", &message), c.error);
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(vbe_->VBProjects()->Count(), 0);
    }
    WriteFileCreatingFolders(dir_ / "bad/Empty.vbp", "");
    EXPECT_EQ(LoadError("bad/Empty.vbp"), 321);
    WriteFileCreatingFolders(dir_ / "bad/Garbage.vbp", std::string("\x7f"
                                                                   "ELF\0\0",
                                                                   6));
    EXPECT_EQ(LoadError("bad/Garbage.vbp"), 321);
    EXPECT_EQ(LoadError("bad/Nothing.vbp"), 53);
    WriteFileCreatingFolders(dir_ / "bad/G.vbg", "VBGROUP 5.0\r\nProject=Gone.vbp\r\n");
    EXPECT_EQ(LoadError("bad/G.vbg"), 53);
    EXPECT_EQ(vbe_->VBProjects()->Count(), 0);
}

TEST_F(ProjectTest, AMissingComponentFileIsReportedAndTheRestLoads) {
    WriteFileCreatingFolders(dir_ / "gone/Gone.vbp",
                             "Type=Control\r\nUserControl=Missing.ctl\r\nModule=Util; Util.bas\r\n"
                             "RelatedDoc=Notes.txt\r\nName=\"Gone\"\r\n");
    WriteFileCreatingFolders(dir_ / "gone/Util.bas", "Attribute VB_Name = \"Util\"\r\n");
    vbe_->VBProjects()->AddFromFile(Win("gone/Gone.vbp"));
    auto project = vbe_->ActiveVBProject();
    ASSERT_EQ(project->MissingFiles().size(), 1u);
    EXPECT_EQ(project->MissingFiles()[0].path, Win("gone/Missing.ctl"));
    EXPECT_EQ(project->MissingFiles()[0].message,
              Win("gone/Gone.vbp") + ": line 2: file not found: " + Win("gone/Missing.ctl"));
    // The module and the (absent) related document are there.
    EXPECT_EQ(project->VBComponents()->Count(), 2);
}

TEST_F(ProjectTest, InsertedLinesFollowTheFilesLineEndsAndNeverGlue) {
    struct Case {
        const char* what;
        std::string file;
        std::string expected;
    };
    const std::string head =
        "VERSION 5.00\nBegin VB.UserControl U\nEnd\nAttribute VB_Name = \"U\"\n";
    const Case cases[] = {
        {"LF file ending in its Attribute lines", head + "Attribute VB_Exposed = True",
         head + "Attribute VB_Exposed = True\nEvent Click()\n"},
        {"LF file whose last code line has no break", head + "Option Explicit",
         head + "Option Explicit\nEvent Click()\n"},
        {"CR LF file whose last code line has no break",
         "VERSION 5.00\r\nBegin VB.UserControl U\r\nEnd\r\nAttribute VB_Name = \"U\"\r\nOption "
         "Explicit",
         "VERSION 5.00\r\nBegin VB.UserControl U\r\nEnd\r\nAttribute VB_Name = \"U\"\r\nOption "
         "Explicit\r\nEvent Click()\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir_ / "lf");
        WriteFileCreatingFolders(dir_ / "lf/U.ctl", c.file);
        WriteFileCreatingFolders(dir_ / "lf/U.vbp", "Type=Control\nUserControl=U.ctl\n");
        auto vbe = VBE::Create("C:\\VB98\\VB6.EXE");
        vbe->VBProjects()->AddFromFile(Win("lf/U.vbp"));
        auto control = vbe->ActiveVBProject()->VBComponents()->Item("U");
        auto code = control->CodeModule();
        code->InsertLines(code->CountOfLines() + 1, "Event Click()");
        EXPECT_EQ(control->TextSize(), c.expected.size());
        control->Save();
        EXPECT_EQ(qfw::testing::ReadBytes(dir_ / "lf/U.ctl"), c.expected);
    }
}

TEST_F(ProjectTest, SavingGoesThroughSymbolicAndHardLinks) {
    vbe_->VBProjects()->AddFromFile(Win("gauges/Gauges.vbp"));
    // The project's Gauge.ctl becomes a symbolic link to a file elsewhere,
    // and that file has a second (hard) name.
    fs::create_directories(dir_ / "real");
    fs::rename(dir_ / "gauges/Gauge.ctl", dir_ / "real/Gauge.ctl");
    fs::create_symlink("../real/Gauge.ctl", dir_ / "gauges/Gauge.ctl");
    fs::create_hard_link(dir_ / "real/Gauge.ctl", dir_ / "real/Second.ctl");
    fs::permissions(dir_ / "real/Gauge.ctl", fs::perms::owner_read | fs::perms::owner_write);
    auto gauge = vbe_->ActiveVBProject()->VBComponents()->Item("Gauge");
    gauge->CodeModule()->InsertLines(1, "' through");
    gauge->Save();
    EXPECT_TRUE(fs::is_symlink(dir_ / "gauges/Gauge.ctl"));
    const std::string saved = qfw::testing::ReadBytes(dir_ / "real/Gauge.ctl");
    EXPECT_NE(saved.find("' through\r\n"), std::string::npos);
    EXPECT_EQ(qfw::testing::ReadBytes(dir_ / "real/Second.ctl"), saved);
    EXPECT_EQ(fs::status(dir_ / "real/Gauge.ctl").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(InMemoryProjectTest, NeverSavedComponentsHaveNoFile) {
    auto vbe = VBE::Create();
    EXPECT_TRUE(vbe->FullName().ends_with("\\VB6.EXE"));
    EXPECT_EQ(vbe->ActiveVBProject(), nullptr);
    auto project = vbe->VBProjects()->AddNew("Demo", "C:\\Work\\Demo.vbp");
    auto added = project->VBComponents()->Add(vbext_ct_UserControl);
    EXPECT_EQ(added->Name(), "UserControl1");
    EXPECT_EQ(added->FileNames(1), "");
    EXPECT_EQ(added->Designer()->VBControls()->Count(), 0);
    added->CodeModule()->InsertLines(1, "Option Explicit");
    EXPECT_THROW(added->Save(), VbError);
    auto text = project->VBComponents()->AddFromText(
        vbext_ct_UserControl,
        "VERSION 5.00\r\nBegin VB.UserControl Ctl \r\n   Begin VB.TextBox Text1 \r\n   End\r\n"
        "End\r\nAttribute VB_Name = \"Ctl\"\r\nOption Explicit\r\n");
    EXPECT_EQ(project->VBComponents()->Item("ctl"), text);
    EXPECT_EQ(text->Designer()->VBControls()->Item(1)->ClassName(), "TextBox");
    EXPECT_EQ(text->CodeModule()->CountOfLines(), 1);
    EXPECT_EQ(text->CodeModule()->Parent(), text);
    EXPECT_EQ(project->VBComponents()->Add(vbext_ct_UserControl)->Name(), "UserControl2");
}

}  // namespace
}  // namespace qfw::ide
