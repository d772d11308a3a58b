// qfwizard generate FILE... [options]: one whole wizard run from the command
// line, for scripts and CI.
#include <memory>

#include "commands.h"
#include "generate_run.h"
#include "listing_option.h"

namespace qfw::app {

namespace {

constexpr const char* kDescription =
    "Run the wizard without a window: choose the project and UserControl, read the\n"
    "specification control's library, select items, set the mapping order and shared\n"
    "items, back up the .ctl file, generate the code into the UserControl and save it.\n"
    "Progress and the wizard's messages go to standard error.";

constexpr const char* kFooter =
    "Examples:\n"
    "  qfwizard generate LabeledEdit.vbp --spec QUILLEDIT.OCX --select-all\n"
    "  qfwizard generate LabeledEdit.ctl --spec QUILLEDIT.OCX --select-all --dry-run > c.diff\n"
    "  qfwizard generate Pair.vbp --spec QUILLEDIT.OCX --select-all --order TextBox,TextBox,Label\n"
    "  qfwizard generate LabeledEdit.vbp --spec QUILLEDIT.OCX \\\n"
    "      --select property:Caption --select property:Text --select 'property:Value As Long' \\\n"
    "      --select method:Refresh --select event:Change --select event:KeyPress \\\n"
    "      --order TextBox,Label,Dial --map property:TextBox,Label:BackColor --date 2024-01-05\n"
    "  qfwizard generate LabeledEdit.vbp --spec QUILLEDIT.OCX --select-all --persist \\\n"
    "      --add 'property:Title:String:Untitled:rw/ro' --add 'event:Changed(Value As Long)'\n"
    "  qfwizard generate Group.vbg --project MyCtls --usercontrol Gauge --spec 'C:\\Lib\\G.ocx' "
    "\\\n"
    "      --interface Gauge --select-all --dry-run\n"
    "\n"
    "Exit codes:\n"
    "  0  success\n"
    "  1  usage: a bad option, or a choice to make (--project, --usercontrol, items,\n"
    "     a .ctl that no project beside it lists)\n"
    "  2  input problem: a file that cannot be read, no project, no UserControl, a\n"
    "     missing or unsaved UserControl file, no constituent control, a library\n"
    "     without interfaces, a --wine-prefix that does not exist\n"
    "  3  the run failed: backup, generation or saving (code generated before a\n"
    "     generation failure is saved, as the wizard leaves it in the environment),\n"
    "     or the system failed (one line names the error)\n"
    "--dry-run ends with the same code as the real run would.";

}  // namespace

void AddGenerateCommand(CLI::App& app, int& exitCode) {
    auto* command = app.add_subcommand("generate", kDescription);
    command->footer(kFooter);
    auto request = std::make_shared<GenerateRequest>();
    command
        ->add_option("FILE", request->files,
                     "the project (.vbp) or group (.vbg) files to load, as the environment would; "
                     "a UserControl (.ctl) stands for the project beside it that lists it")
        ->required();
    command->add_option("--project", request->project,
                        "the project that holds the UserControl; needed when several are loaded");
    command->add_option("--usercontrol", request->userControl,
                        "the UserControl to generate into; needed when the project has several");
    command
        ->add_option("--spec", request->spec,
                     "the specification control's library (.ocx, .olb, .tlb, .dll): a Unix "
                     "path, a Windows path (C:\\..., Z:\\...), or a bare name in the system "
                     "folder, e.g. QUILLEDIT.OCX")
        ->required();
    command->add_option("--interface", request->interfaceChoice,
                        "the interface (control) of the library: its position in the list "
                        "from 0, or its class name, e.g. 0 or QuillEdit (default 0; "
                        "`qfwizard typelib LIBRARY` lists them)");
    AddListingOption(*command, request->listing);
    command->add_option("--select", request->selections,
                        "an item to generate, KIND:TEXT with KIND property, method or event and "
                        "TEXT the exact item text or the member name, e.g. property:Caption, "
                        "'property:Value As Long', event:KeyPress; repeatable");
    command->add_flag("--select-all", request->selectAll,
                      "select every property, method and event of the interface");
    command->add_option("--order", request->order,
                        "the mapping order, constituent class names separated by commas, e.g. "
                        "TextBox,Label,Dial: an item goes to the first constituent in this order "
                        "that has it (default: the order of the controls on the UserControl)");
    command->add_option("--map", request->multiMaps,
                        "map one selected item common to several constituents onto all of them, "
                        "KIND:CLASS,CLASS,...:TEXT, e.g. property:TextBox,Label:BackColor; "
                        "repeatable");
    command->add_option("--add", request->additions,
                        "add a member the interface does not have, selected: "
                        "property:Name:Type[:Default][:ACCESS] (ACCESS: RUN or RUN/DESIGN, each "
                        "rw, ro, wo or na), method:Name(params)[:Type], event:Name(params), e.g. "
                        "'property:Title:String:Untitled:rw/ro', 'method:Clear()', "
                        "'event:Changed(Value As Long)'; a member no constituent has becomes the "
                        "UserControl's own; repeatable");
    command->add_flag("--persist", request->persist,
                      "save property values with the control: every generated property is "
                      "read in UserControl_ReadProperties and written in "
                      "UserControl_WriteProperties");
    command->add_option("--date", request->date,
                        "the date in the wizard's comments, YYYY-MM-DD (default today), for "
                        "reproducible output");
    command->add_flag("--no-backup", request->noBackup,
                      "do not copy the .ctl file to its .QFN backup first");
    command->add_flag("--dry-run", request->dryRun,
                      "write nothing (no backup, no work files, no save); print the change to "
                      "the UserControl as a unified diff on standard output");
    command->add_flag("--quiet,-q", request->quiet,
                      "leave out the progress lines and the summary; errors are still shown");
    request->registry.AddTo(*command);
    command->callback([request, &exitCode] { exitCode = RunGenerate(*request); });
}

}  // namespace qfw::app
