// qfwizard: the Quillfern Constituent Control Wizard.
#include <iostream>

#include "commands.h"
#include "environment_mode.h"
#include "start_up_mode.h"
#include "version.h"
#include "wizard_run.h"

int main(int argc, char** argv) {
    if (qfw::app::IsStartUpCommandLine(argc, argv))
        return qfw::app::RunStartUp(argc, argv);
    CLI::App app{
        "qfwizard - makes a Visual Basic UserControl behave like an existing ActiveX control\n"
        "by writing delegating code for its constituent controls."};
    app.set_version_flag("--version", std::string("qfwizard ") + QFW_VERSION);
    app.require_subcommand(0, 1);

    int exitCode = qfw::app::kExitOk;
    qfw::app::AddTypelibCommand(app, exitCode);
    qfw::app::AddProjectCommand(app, exitCode);
    qfw::app::AddGenerateCommand(app, exitCode);
    std::vector<std::string> projectFiles;
    app.add_option("projects", projectFiles,
                   "open these project (.vbp) or group (.vbg) files in the environment window");
    std::vector<std::string> wizardFiles;
    CLI::Option* wizard =
        app.add_option("--wizard", wizardFiles,
                       "with project files: open the environment window and start the wizard at "
                       "once; with files of its own and no others: the wizard's pages alone")
            ->expected(0, -1);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? qfw::app::kExitOk : qfw::app::kExitUsage;
    } catch (const std::exception& e) {
        // Whatever the commands did not handle themselves (a file system
        // error, memory) ends the program with one line, not an abort.
        std::cerr << "qfwizard: " << e.what() << "\n";
        return qfw::app::kExitFailed;
    }
    // A bare --wizard holds one empty value.
    std::erase(wizardFiles, std::string());
    if (!projectFiles.empty()) {
        projectFiles.insert(projectFiles.end(), wizardFiles.begin(), wizardFiles.end());
        return qfw::app::RunEnvironment(projectFiles, wizard->count() > 0, argc, argv);
    }
    if (!wizardFiles.empty())
        return qfw::app::RunWizard(wizardFiles, argc, argv);
    if (wizard->count() > 0) {
        std::cerr << "qfwizard: --wizard needs project (.vbp) or group (.vbg) files\n";
        return qfw::app::kExitUsage;
    }
    return exitCode;
}
