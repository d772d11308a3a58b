// qfwizard generate, end to end through the executable, on copies of the
// example project and of small projects written the way the environment
// writes them.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/vb_project_writer.h"
#include "support/module_checker.h"
#include "support/temp_folder.h"
#include "unified_diff.h"

extern char** environ;

namespace qfw::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kExample = fs::path(QFW_EXAMPLES) / "LabeledEdit";
const fs::path kGolden = fs::path(QFW_FIXTURES) / "app" / "LabeledEdit.golden.ctl";

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A sandbox: the project folder, and a home, data and temporary folder of
// its own so that nothing outside it is read or written.
class GenerateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(Project());
        fs::create_directories(Tmp());
        for (const char* name :
             {"LabeledEdit.vbp", "LabeledEdit.ctl", "QUILLDIAL.OCX", "QUILLEDIT.OCX"}) {
            fs::copy_file(kExample / name, Project() / name);
        }
    }

    fs::path Project() const { return temp_.Path() / "project"; }
    fs::path Tmp() const { return temp_.Path() / "tmp"; }
    std::string File(const std::string& name) const { return (Project() / name).string(); }

    Outcome Run(std::vector<std::string> args) const {
        args.insert(args.begin(), {QFWIZARD, "generate"});
        std::vector<std::string> env = {
            "LC_ALL=C",
            "HOME=" + temp_.Path().string(),
            "XDG_DATA_HOME=" + (temp_.Path() / "data").string(),
            "TMPDIR=" + Tmp().string(),
            "QFW_DATA_DIR=" QFW_DATA_DIR,
        };
        if (const char* path = std::getenv("PATH"))
            env.push_back(std::string("PATH=") + path);
        std::vector<char*> argv, envp;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);

        const std::string outFile = (temp_.Path() / "stdout").string();
        const std::string errFile = (temp_.Path() / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        pid_t pid = 0;
        Outcome outcome;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        outcome.out = ReadBytes(outFile);
        outcome.err = ReadBytes(errFile);
        fs::remove(outFile);
        fs::remove(errFile);
        return outcome;
    }

    // Every file under the sandbox with its bytes.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(temp_.Path())) {
            if (entry.is_regular_file())
                files[entry.path().string()] = ReadBytes(entry.path());
        }
        return files;
    }

    TempFolder temp_;
};

// The demo's selection: items for each of the three constituents, a mapping
// order and one property shared by two of them.
std::vector<std::string> DemoArgs(const std::string& project) {
    return {project,
            "--spec",
            "QUILLEDIT.OCX",
            "--select",
            "property:Caption",
            "--select",
            "property:Text",
            "--select",
            "property:Value As Long",
            "--select",
            "property:Font",
            "--select",
            "property:BackColor",
            "--select",
            "method:Refresh",
            "--select",
            "event:Change",
            "--select",
            "event:KeyPress",
            "--order",
            "TextBox,Label,Dial",
            "--map",
            "property:TextBox,Label:BackColor",
            "--date",
            "2024-01-05"};
}

std::vector<std::string> WithSpec(std::vector<std::string> args, const std::string& spec) {
    args[2] = spec;
    return args;
}

// The constituents' events as the browser reports them, for the module
// checker.
ModuleExpectations ExampleEvents() {
    ModuleExpectations expectations;
    expectations.constituents["txtValue"].events = {
        "Click () ", "Change () ", "KeyDown (KeyCode As Integer, Shift As Integer) ",
        "KeyPress (KeyAscii As Integer) "};
    expectations.constituents["dlLevel"].events = {"Change () ", "Click () ", "Scroll () "};
    return expectations;
}

// Expects the saved UserControl to compile as far as the checker can tell.
void ExpectCompiles(const std::string& file, const ModuleExpectations& expectations) {
    const auto problems = CheckModule(ReadBytes(file), expectations);
    EXPECT_TRUE(problems.empty()) << file << "\n" << DescribeProblems(problems);
}

TEST_F(GenerateTest, RunWritesTheGoldenUserControlAndItsBackup) {
    const std::string original = ReadBytes(File("LabeledEdit.ctl"));
    const Outcome run = Run(WithSpec(DemoArgs(File("LabeledEdit.vbp")), File("QUILLEDIT.OCX")));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string generated = ReadBytes(File("LabeledEdit.ctl"));
    if (std::getenv("QFW_UPDATE_GOLDEN"))
        WriteBytes(kGolden, generated);
    EXPECT_EQ(generated, ReadBytes(kGolden));
    EXPECT_EQ(ReadBytes(File("LabeledEdit.QFN")), original);
    ExpectCompiles((kExample / "LabeledEdit.ctl").string(), ExampleEvents());
    ExpectCompiles(File("LabeledEdit.ctl"), ExampleEvents());
    EXPECT_TRUE(run.out.empty());

    const char* const lines[] = {"Creating a backup of the UserControl file...\n",
                                 "Generating Procedures and adding to UserControl...\n",
                                 "Adding Properties for txtValue\n", "Adding Events for dlLevel\n",
                                 "Quillfern Constituent Wizard Completed Successfully.\n"};
    size_t at = 0;
    for (const char* line : lines) {
        const size_t found = run.err.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " in\n" << run.err;
        at = found;
    }
}

TEST_F(GenerateTest, DryRunPrintsTheDiffAndWritesNothing) {
    const auto before = Snapshot();
    std::vector<std::string> args =
        WithSpec(DemoArgs(File("LabeledEdit.vbp")), File("QUILLEDIT.OCX"));
    args.push_back("--dry-run");
    const Outcome run = Run(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Snapshot() == before) << "files changed";
    const std::string label = File("LabeledEdit.ctl");
    EXPECT_EQ(run.out, app::UnifiedDiff(before.at(label), ReadBytes(kGolden), label, label));
    EXPECT_EQ(run.err.find("Creating a backup"), std::string::npos);
}

TEST_F(GenerateTest, SecondRunExtendsInsteadOfDuplicating) {
    std::vector<std::string> args =
        WithSpec(DemoArgs(File("LabeledEdit.vbp")), File("QUILLEDIT.OCX"));
    ASSERT_EQ(Run(args).exitCode, 0);
    // Again, now also with the dial's BackColor and Change, and a new event.
    args.insert(args.end(), {"--map", "property:TextBox,Label,Dial:BackColor", "--map",
                             "event:TextBox,Dial:Change", "--select", "event:Click", "--quiet"});
    const Outcome second = Run(args);
    ASSERT_EQ(second.exitCode, 0) << second.err;
    ExpectCompiles(File("LabeledEdit.ctl"), ExampleEvents());
    EXPECT_TRUE(second.err.empty()) << second.err;
    const std::string diff =
        app::UnifiedDiff(ReadBytes(kGolden), ReadBytes(File("LabeledEdit.ctl")), "a", "b");
    const std::string expected =
        "--- a\n+++ b\n"
        "@@ -52,6 +52,19 @@\n"
        " Option Explicit\n"
        " Event Change()\n"
        " Event KeyPress(KeyAscii As Integer)\n"
        "+Event Click()\n"
        "+Private Sub dlLevel_Change()\n"
        "+\n"
        "+\t'Added by Quillfern Constituent Wizard -- \n"
        "+\tRaiseEvent Change ()\n"
        "+\n"
        "+End Sub\n"
        "+Private Sub txtValue_Click()\n"
        "+\n"
        "+\t'Added by Quillfern Constituent Wizard -- \n"
        "+\tRaiseEvent Click ()\n"
        "+\n"
        "+End Sub\n"
        " Public Property Let Value (lValue As Long)\n"
        " \n"
        "     'Added by Quillfern Constituent Wizard -- 1/5/2024\n";
    EXPECT_EQ(diff.substr(0, expected.size()), expected);
    // The existing BackColor procedure gains the dial's line; nothing else.
    EXPECT_NE(diff.find("     txtValue.BackColor = colBackColor\n+    dlLevel.BackColor = "
                        "colBackColor\n     lblCaption.BackColor = colBackColor\n"),
              std::string::npos)
        << diff;
    size_t added = 0;
    for (size_t at = diff.find("\n+"); at != std::string::npos; at = diff.find("\n+", at + 1))
        ++added;
    EXPECT_EQ(added, 1u + 13u + 1u);  // the line "+++ b", the block above, the dial's line
}

struct ErrorCase {
    const char* name;
    std::vector<std::string> args;  // after the project file(s); {P} is the project folder
    int exitCode;
    std::string message;
};

TEST_F(GenerateTest, ErrorsGiveTheirMessageAndCodeAndChangeNothing) {
    // Projects written the way the environment writes them.
    const std::string p = Project().string() + "/";
    WriteBytes(p + "Other.vbp", ProjectText("OtherCtl", {"UserControl=Empty.ctl"}));
    WriteBytes(p + "Empty.ctl", UserControlText("Empty", {}));
    WriteBytes(p + "Forms.vbp", ProjectText("FormsOnly", {"Form=Form1.frm"}));
    WriteBytes(p + "Form1.frm", FormText("Form1"));
    WriteBytes(p + "Two.vbp", ProjectText("TwoCtls", {"UserControl=A.ctl", "UserControl=B.ctl"}));
    WriteBytes(p + "A.ctl", UserControlText("A", {{"VB.TextBox", "txtA"}}));
    WriteBytes(p + "B.ctl", UserControlText("B", {{"VB.Label", "lblB"}}));
    WriteBytes(p + "NoControls.tlb", ReadBytes(fs::path(QFW_FIXTURES) / "app" / "nocontrols.tlb"));
    fs::create_directory(p + "LabeledEdit.QFN");  // the backup cannot be written over a folder
    const std::string vbp = p + "LabeledEdit.vbp";
    const std::string spec = p + "QUILLEDIT.OCX";
    const std::string enumerating =
        "The following error was encountered while enumerating selected interfaces: ";

    const ErrorCase cases[] = {
        {"missing project file",
         {p + "Missing.vbp", "--spec", spec, "--select-all"},
         2,
         "Missing.vbp"},
        {"two projects, no --project",
         {vbp, p + "Other.vbp", "--spec", spec, "--select-all"},
         1,
         "several projects are loaded; choose one with --project: LabeledEditCtl, OtherCtl"},
        {"unknown --project",
         {vbp, "--project", "Nope", "--spec", spec, "--select-all"},
         1,
         "no project named \"Nope\" is loaded; the projects are: LabeledEditCtl"},
        {"no UserControl",
         {p + "Forms.vbp", "--spec", spec, "--select-all"},
         2,
         "You must have at least one user control to use the wizard. Please add a user control "
         "and then restart the wizard. The wizard will now exit\n"},
        {"two UserControls, no --usercontrol",
         {p + "Two.vbp", "--spec", spec, "--select-all"},
         1,
         "project TwoCtls has several UserControls; choose one with --usercontrol: A, B"},
        {"no constituent control",
         {vbp, p + "Other.vbp", "--project", "OtherCtl", "--spec", spec, "--select-all"},
         2,
         "You must have at least one constituent control in order to use the wizard. The wizard "
         "will now exit."},
        {"library without interfaces",
         {vbp, "--spec", p + "NoControls.tlb", "--select-all"},
         2,
         enumerating + "Subscript out of range . Please contact support."},
        {"library missing", {vbp, "--spec", p + "Gone.ocx", "--select-all"}, 2, enumerating},
        {"no such interface",
         {vbp, "--spec", spec, "--interface", "3", "--select-all"},
         1,
         "has no such interface; its interfaces are:\n  0  QuillEdit - Quill edit field"},
        {"no such item",
         {vbp, "--spec", spec, "--select", "property:Colour"},
         1,
         "--select property:Colour: the interface has no such property; its items are: Caption "
         "As String, "},
        {"no item chosen", {vbp, "--spec", spec}, 1, "--select KIND:TEXT or --select-all"},
        {"bad kind", {vbp, "--spec", spec, "--select", "sub:Refresh"}, 1, "no item kind"},
        {"bad date", {vbp, "--spec", spec, "--select-all", "--date", "5/1/2024"}, 1, "YYYY-MM-DD"},
        {"unknown --order class",
         {vbp, "--spec", spec, "--select-all", "--order", "TextBox,Slider"},
         1,
         "--order: \"Slider\" is no constituent class or comes twice; the constituents are: "
         "Dial, TextBox, Label"},
        {"--map of an item not common to all",
         {vbp, "--spec", spec, "--select-all", "--map", "property:TextBox,Label:Font"},
         1,
         "those that can be mapped are: BackColor As Long"},
        {"backup fails",
         {vbp, "--spec", spec, "--select-all"},
         3,
         "The following error was encountered while attempting to create a backup of the "
         "UserControl file: "},
    };
    for (const ErrorCase& c : cases) {
        const auto before = Snapshot();
        const Outcome run = Run(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << "\n" << run.err;
        EXPECT_TRUE(run.out.empty()) << c.name;
        EXPECT_TRUE(Snapshot() == before) << c.name << ": files changed";
    }
}

TEST_F(GenerateTest, GenerationFailureIsReportedNotSuccess) {
    // The work file cannot be written over a folder: every batch reports
    // it, and its lines still reach the module, so that the saved module
    // declares the event its new handler raises.
    fs::create_directory(Project() / "QFNCODE.DAT");
    const Outcome run = Run({File("LabeledEdit.vbp"), "--spec", File("QUILLEDIT.OCX"), "--select",
                             "property:Text", "--select", "event:Change"});
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_NE(run.err.find("The following error was encountered while attempting to generate "
                           "procedures: 75. Please contact support."),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("Completed Successfully"), std::string::npos);
    const std::string saved = ReadBytes(File("LabeledEdit.ctl"));
    for (const char* line : {"Private Sub dlLevel_Change()", "Event Change()",
                             "Public Property Let Text (sText As String)"}) {
        EXPECT_NE(saved.find(std::string(line) + "\r\n"), std::string::npos) << line;
    }
    ExpectCompiles(File("LabeledEdit.ctl"), ExampleEvents());
}

// A UserControl written the way the environment writes it (CR LF, ANSI),
// with what real UserControls hold: an array of text boxes (element 1 saved
// first), labelled End statements, a header continued onto a second line,
// comments above a header, and a commented-out event declaration.
TEST_F(GenerateTest, RealUserControlGetsCodeThatCompilesInTheRightPlaces) {
    const std::string ansiComment =
        "' Gr\xf6\xdf"
        "e und Lage";
    std::string ctl = UserControlText(
        "Parts", {{"VB.TextBox", "txtPart"}, {"VB.TextBox", "txtPart"}, {"VB.Label", "lblCaption"}},
        {"Option Explicit", "'Event Click()", "Private Const Note = \"Event Change() follows\"", "",
         ansiComment, "' Moves every part.", "Public Sub Move(Left As Single, Top, Width, Height)",
         "    On Error GoTo Done", "    lblCaption.Move Left, Top, Width, Height", "Done: End Sub",
         "Private Sub lblCaption_Click()", "    Beep", "100 End Sub", "Public Sub Refresh( _",
         "    )", "    lblCaption.Refresh", "End Sub"});
    // The two text boxes are the elements 1 and 0 of one array.
    size_t at = ctl.find("txtPart \r\n");
    ctl.insert(at + 10, "      Index           =   1\r\n");
    at = ctl.find("txtPart \r\n", at + 10);
    ctl.insert(at + 10, "      Index           =   0\r\n");
    const std::string p = Project().string() + "/";
    WriteBytes(p + "Parts.ctl", ctl);
    WriteBytes(p + "Parts.vbp", ProjectText("PartsCtl", {"UserControl=Parts.ctl"}));

    const Outcome run =
        Run({p + "Parts.vbp", "--spec", File("QUILLEDIT.OCX"), "--select", "property:Text",
             "--select", "method:Move", "--select", "method:Refresh", "--select", "event:Click",
             "--select", "event:Change", "--select", "event:KeyDown", "--order", "TextBox,Label",
             "--date", "2024-01-05"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Completed Successfully"), std::string::npos) << run.err;
    // One constituent for the array.
    EXPECT_EQ(run.err.find("Adding Properties for txtPart"),
              run.err.rfind("Adding Properties for txtPart"));

    const std::string saved = ReadBytes(p + "Parts.ctl");
    const auto expectLines = [&](const std::vector<std::string>& lines) {
        EXPECT_NE(saved.find(CrLf(lines)), std::string::npos) << CrLf(lines) << "\nin\n" << saved;
    };
    // The declarations: the commented-out and the quoted events declare nothing.
    expectLines({"Option Explicit", "'Event Click()",
                 "Private Const Note = \"Event Change() follows\"", "Event Click()",
                 "Event Change()", "Event KeyDown(KeyCode As Integer, Shift As Integer)"});
    // Merged right after the header, below the comments above it; every
    // argument passed to the array's element.
    expectLines({ansiComment, "' Moves every part.",
                 "Public Sub Move(Left As Single, Top, Width, Height)", "",
                 "\t'Added by Quillfern Constituent Wizard --",
                 "\ttxtPart(0).Move Left, Top, Width, Height", "", "    On Error GoTo Done"});
    // After the last line of the continued header.
    expectLines({"Public Sub Refresh( _", "    )", "",
                 "\t'Added by Quillfern Constituent Wizard --", "\ttxtPart(0).Refresh", "",
                 "    lblCaption.Refresh", "End Sub"});
    expectLines(
        {"Private Sub txtPart_KeyDown(Index As Integer, KeyCode As Integer, Shift As Integer)", "",
         "\t'Added by Quillfern Constituent Wizard -- ", "\tRaiseEvent KeyDown (KeyCode,  Shift)",
         "", "End Sub"});
    expectLines({"    txtPart(0).Text = sText"});
    expectLines({"Done: End Sub", "Private Sub lblCaption_Click()", "    Beep", "100 End Sub"});

    ModuleExpectations expectations;
    expectations.constituents["txtPart"] = {
        {"Click () ", "Change () ", "KeyDown (KeyCode As Integer, Shift As Integer) "}, true};
    expectations.constituents["lblCaption"].events = {"Click () "};
    ExpectCompiles(p + "Parts.ctl", expectations);
}

// The example's specification control compiled by Visual Basic: its
// default and event interfaces stand apart from its class, so only the
// declared listing finds it, with the items of the original control.
TEST_F(GenerateTest, DeclaredListingReadsAControlCompiledByVisualBasic) {
    fs::copy_file(fs::path(QFW_FIXTURES) / "typelib" / "vbedit.ocx", Project() / "vbedit.ocx");
    const std::vector<std::string> args =
        WithSpec(DemoArgs(File("LabeledEdit.vbp")), File("vbedit.ocx"));

    const auto before = Snapshot();
    const Outcome positional = Run(args);
    EXPECT_EQ(positional.exitCode, 2);
    EXPECT_NE(positional.err.find("The following error was encountered while enumerating "
                                  "selected interfaces: Subscript out of range . Please contact "
                                  "support.\n"
                                  "qfwizard generate: no control of the library is listed by "
                                  "position; --listing declared lists the library's controls\n"),
              std::string::npos)
        << positional.err;
    EXPECT_TRUE(Snapshot() == before) << "files changed";

    std::vector<std::string> declared = args;
    declared.insert(declared.end(), {"--listing", "declared"});
    const Outcome run = Run(declared);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(File("LabeledEdit.ctl")), ReadBytes(kGolden));
    ExpectCompiles(File("LabeledEdit.ctl"), ExampleEvents());
}

}  // namespace
}  // namespace qfw::testing
