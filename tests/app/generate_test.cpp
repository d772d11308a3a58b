// qfwizard generate, end to end through the executable, on copies of the
// example project and of small projects written the way the environment
// writes them.
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/vb_project_writer.h"
#include "generate_fixture.h"
#include "support/module_checker.h"
#include "support/temp_folder.h"
#include "unified_diff.h"

namespace qfw::testing {
namespace {

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
    std::string diff =
        app::UnifiedDiff(ReadBytes(kGolden), ReadBytes(File("LabeledEdit.ctl")), "a", "b");
    std::erase(diff, '\r');
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
         "qfwizard generate: --order: \"Slider\" is no constituent class, or is named more often "
         "than the UserControl has constituents of it; allowed, each once per constituent: Dial, "
         "TextBox, Label\n"},
        {"--order naming a class twice with one constituent of it",
         {vbp, "--spec", spec, "--select-all", "--order", "textbox,TextBox"},
         1,
         "--order: \"TextBox\" is no constituent class, or is named more often"},
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

// A constituent whose library declares an enumeration (ViewLib.Shade, also
// behind an alias) beside object types: its values are assigned, the
// objects are Set, in new procedures and in procedures that already exist.
TEST_F(GenerateTest, EnumerationsAreAssignedAsValuesAndObjectsWithSet) {
    const std::string p = Project().string() + "/";
    fs::copy_file(fs::path(QFW_FIXTURES) / "typelib" / "vbview.tlb", p + "vbview.tlb");
    WriteBytes(p + "Views.ctl",
               UserControlText(
                   "Views", {{"ViewLib.View", "vwMain"}},
                   {"Option Explicit", "", "Public Property Let Shading (Shading As ViewLib.Shade)",
                    "    'Added by Quillfern Constituent Wizard -- 1/1/2024",
                    "    PropertyChanged \"Shading\"", "End Property", "",
                    "Public Property Get Shading() As ViewLib.Shade", "End Property", "",
                    "Public Function ShadeAt(ByVal Row As Long)", "End Function"}));
    WriteBytes(p + "Views.vbp", ProjectText("ViewsCtl", {"UserControl=Views.ctl"},
                                            {"{5B0E0000-2D4E-4F6A-8C1B-7E5D3A9F0003}#1.0#0; "
                                             "vbview.tlb"}));

    const Outcome run =
        Run({p + "Views.vbp", "--spec", p + "vbview.tlb", "--interface", "View", "--select",
             "property:Shading", "--select", "property:Font", "--select", "method:ShadeAt",
             "--select", "method:DefaultShade", "--select", "method:FindButton", "--select",
             "method:Pressed", "--date", "2024-01-05"});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const std::string saved = ReadBytes(p + "Views.ctl");
    for (const char* line :
         {"    vwMain.Shading = Shading", "\tShadeAt=vwMain.ShadeAt(Row)",
          "    DefaultShade = vwMain.DefaultShade( )", "    Set vwMain.Font = fonFont",
          "    Set Font = vwMain.Font", "    Set FindButton = vwMain.FindButton(Key)",
          "    Set Pressed = vwMain.Pressed( )"}) {
        EXPECT_NE(saved.find(std::string(line) + "\r\n"), std::string::npos) << line << "\nin\n"
                                                                             << saved;
    }
    ModuleExpectations expectations;
    expectations.constituents["vwMain"].members = {
        "Shading As ViewLib.Shade",
        "Font As StdFont",
        "ShadeAt (ByVal Row As Long) As ViewLib.Shade",
        "DefaultShade () As ViewLib.Shade",
        "FindButton (ByVal Key As String) As ViewLib.Button",
        "Pressed () As ViewLib.Button"};
    expectations.enumerationTypes = {"ViewLib.Shade"};
    ExpectCompiles(p + "Views.ctl", expectations);
}

// A 64-bit prefix as Wine leaves it after a 32-bit regsvr32 of the dial:
// the class in the Wow6432Node view naming system32, the file in syswow64.
void WriteSixtyFourBitPrefix(const fs::path& prefix) {
    WriteBytes(prefix / "system.reg",
               "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
               "[Software\\\\Classes\\\\QuillDialLib.Dial\\\\Clsid] 1686110674\n"
               "@=\"{D1A1D1A1-0000-4000-8000-000000000001}\"\n\n"
               "[Software\\\\Classes\\\\Wow6432Node\\\\CLSID\\\\{D1A1D1A1-0000-4000-8000-"
               "000000000001}\\\\InprocServer32] 1686110674\n"
               "@=\"C:\\\\windows\\\\system32\\\\QUILLDIAL.OCX\"\n");
    fs::create_directories(prefix / "drive_c/windows/system32");
    fs::create_directories(prefix / "drive_c/windows/syswow64");
    fs::copy_file(kExample / "QUILLDIAL.OCX", prefix / "drive_c/windows/syswow64/quilldial.ocx");
}

TEST_F(GenerateTest, OnePrefixGivesTheRegistryAndTheDrives) {
    fs::remove(Project() / "QUILLDIAL.OCX");
    const std::string vbp = File("LabeledEdit.vbp");
    const std::vector<std::string> args = {vbp,        "--spec",       File("QUILLEDIT.OCX"),
                                           "--select", "event:Change", "--dry-run"};
    const fs::path other = temp_.Path() / "other-prefix";
    WriteSixtyFourBitPrefix(other);
    // ~/.wine without WINEPREFIX, WINEPREFIX, and --wine-prefix over both.
    WriteSixtyFourBitPrefix(temp_.Path() / ".wine");
    const std::pair<std::vector<std::string>, std::vector<std::string>> ways[] = {
        {{}, {}},
        {{}, {"WINEPREFIX=" + other.string()}},
        {{"--wine-prefix", other.string()}, {"WINEPREFIX=" + (temp_.Path() / "none").string()}},
    };
    for (const auto& [options, env] : ways) {
        std::vector<std::string> withOptions = args;
        withOptions.insert(withOptions.end(), options.begin(), options.end());
        const Outcome run = Run(withOptions, env);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err.find("could not find"), std::string::npos) << run.err;
        EXPECT_NE(run.out.find("+Private Sub dlLevel_Change()"), std::string::npos) << run.err;
    }
    const Outcome missing = Run({vbp, "--spec", File("QUILLEDIT.OCX"), "--select-all",
                                 "--wine-prefix", (temp_.Path() / "nowhere").string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err, "qfwizard generate: the Wine prefix " +
                               (temp_.Path() / "nowhere").string() + " does not exist\n");
}

int Shell(const std::string& command) {
    return std::system(command.c_str());
}

TEST_F(GenerateTest, DryRunDiffAppliesToTheCrLfFileWithPatchAndGitApply) {
    // Given relative to the project folder, the diff names the file that way.
    std::vector<std::string> args = WithSpec(DemoArgs("LabeledEdit.vbp"), File("QUILLEDIT.OCX"));
    args.push_back("--dry-run");
    const Outcome run = Run(args, {}, Project().string());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("--- LabeledEdit.ctl\n+++ LabeledEdit.ctl\n@@ ")) << run.out;
    WriteBytes(temp_.Path() / "change.diff", run.out);
    const std::string golden = ReadBytes(kGolden);
    const std::string original = ReadBytes(File("LabeledEdit.ctl"));
    const std::string cd = "cd '" + Project().string() + "' && ";
    ASSERT_EQ(Shell(cd + "patch -s -p0 < ../change.diff"), 0);
    EXPECT_EQ(ReadBytes(File("LabeledEdit.ctl")), golden);
    WriteBytes(File("LabeledEdit.ctl"), original);
    ASSERT_EQ(Shell(cd + "git apply -p0 --unsafe-paths ../change.diff"), 0);
    EXPECT_EQ(ReadBytes(File("LabeledEdit.ctl")), golden);
}

TEST_F(GenerateTest, DryRunAndRealRunAgree) {
    // A related document and a resource file the project names are absent;
    // the control file is read-only to its group and others.
    std::string vbp = ReadBytes(File("LabeledEdit.vbp"));
    vbp.insert(vbp.find("UserControl="), "RelatedDoc=Notes.txt\r\nResFile32=\"Res.res\"\r\n");
    WriteBytes(File("LabeledEdit.vbp"), vbp);
    fs::permissions(File("LabeledEdit.ctl"), fs::perms::owner_read | fs::perms::owner_write);
    std::vector<std::string> args =
        WithSpec(DemoArgs(File("LabeledEdit.vbp")), File("QUILLEDIT.OCX"));
    args.push_back("--dry-run");
    const Outcome dry = Run(args);
    args.pop_back();
    const std::string before = ReadBytes(File("LabeledEdit.ctl"));
    const Outcome real = Run(args);
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_EQ(real.exitCode, 0) << real.err;
    EXPECT_EQ(dry.out, app::UnifiedDiff(before, ReadBytes(File("LabeledEdit.ctl")),
                                        File("LabeledEdit.ctl"), File("LabeledEdit.ctl")));
    EXPECT_EQ(fs::status(File("LabeledEdit.ctl")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    // No temporary folder at all: the dry run still works.
    args.push_back("--dry-run");
    const Outcome noTmp = Run(args, {"TMPDIR=" + (temp_.Path() / "none").string()});
    EXPECT_EQ(noTmp.exitCode, 0) << noTmp.err;
}

TEST_F(GenerateTest, ARunThatWritesNothingLeavesNothingNew) {
    const std::vector<std::string> args =
        WithSpec(DemoArgs(File("LabeledEdit.vbp")), File("QUILLEDIT.OCX"));
    ASSERT_EQ(Run(args).exitCode, 0);
    fs::remove(File("LabeledEdit.QFN"));
    const auto before = Snapshot();
    // The same run again adds nothing, so it makes no backup either.
    const Outcome again = Run(args);
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_TRUE(Snapshot() == before) << "files changed";
}

TEST_F(GenerateTest, AMissingComponentFileIsAWarningUnlessItIsTheUserControl) {
    std::string vbp = ReadBytes(File("LabeledEdit.vbp"));
    vbp.insert(vbp.find("UserControl="), "Module=Util; Util.bas\r\n");
    WriteBytes(File("LabeledEdit.vbp"), vbp);
    std::vector<std::string> args =
        WithSpec(DemoArgs(File("LabeledEdit.vbp")), File("QUILLEDIT.OCX"));
    args.push_back("--dry-run");
    const Outcome dry = Run(args);
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_NE(dry.err.find("LabeledEdit.vbp: line 4: file not found: "), std::string::npos)
        << dry.err;
    EXPECT_NE(dry.err.find("Util.bas; the project is loaded without it\n"), std::string::npos)
        << dry.err;

    fs::rename(File("LabeledEdit.ctl"), File("Elsewhere.ctl"));
    const auto before = Snapshot();
    const Outcome missing = Run(WithSpec(DemoArgs(File("LabeledEdit.vbp")), File("QUILLEDIT.OCX")));
    EXPECT_EQ(missing.exitCode, 2) << missing.err;
    EXPECT_NE(missing.err.find("qfwizard generate: the UserControl file " +
                               File("LabeledEdit.ctl") + " is missing; it cannot be changed\n"),
              std::string::npos)
        << missing.err;
    EXPECT_TRUE(Snapshot() == before) << "files changed";
}

TEST_F(GenerateTest, PathsKeepTheirBytesInMessagesAndJson) {
    const fs::path folder = temp_.Path() /
                            "Projekt-\xc3\x9c"
                            "ber";  // UTF-8 "Über"
    fs::create_directories(folder);
    for (const char* name : {"LabeledEdit.vbp", "LabeledEdit.ctl", "QUILLDIAL.OCX"})
        fs::copy_file(Project() / name, folder / name);
    const std::string vbp = (folder / "LabeledEdit.vbp").string();
    const Outcome json = RunProgram({"project", vbp, "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_NE(json.out.find("Projekt-\xc3\x9c"
                            "ber\\\\LabeledEdit.vbp\""),
              std::string::npos)
        << json.out;
    const Outcome saved = Run({vbp, "--spec", File("QUILLEDIT.OCX"), "--select", "event:Change"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_NE(saved.err.find("Saved " + (folder / "LabeledEdit.ctl").string() + "\n"),
              std::string::npos)
        << saved.err;
}

TEST_F(GenerateTest, NamesMatchWithoutRegardToCaseAndOrderRepeatsAClass) {
    // Two text boxes and a label; --order names TextBox once per text box.
    const std::string p = Project().string() + "/";
    WriteBytes(p + "Pair.vbp", ProjectText("PairCtl", {"UserControl=Pair.ctl"}));
    WriteBytes(p + "Pair.ctl", UserControlText("Pair", {{"VB.TextBox", "txtFirst"},
                                                        {"VB.Label", "lblName"},
                                                        {"VB.TextBox", "txtSecond"}}));
    const Outcome run =
        Run({p + "Pair.vbp", "--project", "pairctl", "--usercontrol", "PAIR", "--spec",
             File("QUILLEDIT.OCX"), "--select", "PROPERTY:text", "--select", "event:change",
             "--select", "property:backcolor", "--order", "textbox,TEXTBOX,label", "--map",
             "property:textbox,Label:BACKCOLOR", "--date", "2024-01-05"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string code = ReadBytes(p + "Pair.ctl");
    EXPECT_NE(code.find("Public Property Get Text"), std::string::npos) << code;
    EXPECT_NE(code.find("Private Sub txtFirst_Change()"), std::string::npos) << code;
    EXPECT_NE(run.err.find("Summary:\n  txtFirst: "), std::string::npos) << run.err;
}

TEST_F(GenerateTest, SummaryNamesWhatNoConstituentHasAndQuietKeepsOnlyErrors) {
    const std::vector<std::string> args = {File("LabeledEdit.vbp"), "--spec", File("QUILLEDIT.OCX"),
                                           "--select-all", "--dry-run"};
    const Outcome run = Run(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("  txtValue: 16 procedures generated, 0 merged\n"), std::string::npos)
        << run.err;
    const size_t unmatched =
        run.err.find("  Selected items no constituent has (nothing delegates them):\n");
    ASSERT_NE(unmatched, std::string::npos) << run.err;
    EXPECT_NE(run.err.find("    method GetLineCount () As Long\n", unmatched), std::string::npos)
        << run.err;
    std::vector<std::string> quiet = args;
    quiet.push_back("--quiet");
    EXPECT_EQ(Run(quiet).err, "");
}

TEST_F(GenerateTest, AUserControlFileStandsForTheProjectBesideItThatListsIt) {
    const Outcome run =
        Run({File("LabeledEdit.ctl"), "--spec", File("QUILLEDIT.OCX"), "--select", "event:Change"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(ReadBytes(File("LabeledEdit.ctl")).find("Private Sub dlLevel_Change()"),
              std::string::npos);

    WriteBytes(File("Stray.ctl"), UserControlText("Stray", {{"VB.TextBox", "txt"}}));
    const Outcome stray = Run({File("Stray.ctl"), "--spec", File("QUILLEDIT.OCX"), "--select-all"});
    EXPECT_EQ(stray.exitCode, 1);
    EXPECT_EQ(stray.err, "qfwizard generate: " + File("Stray.ctl") +
                             " is a UserControl file and no project (.vbp) beside it lists it; "
                             "pass the project that holds it\n");
}

TEST_F(GenerateTest, TypelibAndProjectCommandsGiveExactCodesAndMessages) {
    const fs::path prefix = temp_.Path() / "prefix";
    WriteSixtyFourBitPrefix(prefix);
    const std::string dial = File("QUILLDIAL.OCX");
    struct CommandCase {
        const char* name;
        std::vector<std::string> args;
        int exitCode;
        std::string out;  // the start of standard output
        std::string err;  // all of standard error
    };
    const CommandCase cases[] = {
        {"bare name from the prefix's syswow64",
         {"typelib", "QUILLDIAL.OCX", "--wine-prefix", prefix.string()},
         0,
         "Library: QuillDialLib\nHelp string: Quill Dial Control\nInterfaces:\n",
         ""},
        {"--interface out of range",
         {"typelib", dial, "--interface", "4"},
         1,
         "",
         "qfwizard typelib: --interface 4: " + dial +
             " has no such interface; the valid range is 0 to 0\n"},
        {"missing --wine-prefix",
         {"typelib", dial, "--wine-prefix", (temp_.Path() / "nowhere").string()},
         2,
         "",
         "qfwizard typelib: the Wine prefix " + (temp_.Path() / "nowhere").string() +
             " does not exist\n"},
        {"bare name found nowhere",
         {"typelib", "NOWHERE.OCX"},
         2,
         "",
         "qfwizard typelib: NOWHERE.OCX: File not found (error 53)\n"},
        {"missing project file",
         {"project", File("Missing.vbp")},
         2,
         "",
         "qfwizard project: File not found: " + File("Missing.vbp") + " (error 53)\n"},
    };
    for (const CommandCase& c : cases) {
        const Outcome run = RunProgram(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << "\n" << run.err;
        EXPECT_TRUE(run.out.starts_with(c.out)) << c.name << "\n" << run.out;
        EXPECT_EQ(run.err, c.err) << c.name;
    }
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
