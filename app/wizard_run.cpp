#include "wizard_run.h"

#include <QApplication>
#include <filesystem>
#include <iostream>

#include "commands.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "pages/frm_wiz_main.h"
#include "pages/frm_wiz_single6.h"
#include "pages/gui_shell.h"
#include "pages/help_window.h"
#include "pages/module_state.h"
#include "pages/save_changes.h"
#include "platform/classes_root.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"
#include "registry_options.h"

namespace qfw::app {

int RunWizard(const std::vector<std::string>& files, int& argc, char** argv) {
    RegistryOptions registry;
    DriveMap drives;
    try {
        drives = registry.Drives();
    } catch (const VbError& e) {
        std::cerr << "qfwizard: " << e.Description() << "\n";
        return kExitUsage;
    }
    ScopedDriveMap driveMap(drives);
    auto vbe = ide::VBE::Create();
    try {
        for (const std::string& file : files) {
            const std::string absolute = std::filesystem::absolute(file).lexically_normal();
            vbe->VBProjects()->AddFromFile(UnixToWindows(absolute));
        }
    } catch (const VbError& e) {
        std::cerr << "qfwizard: " << e.Description() << " (error " << e.Number() << ")\n";
        return kExitInput;
    }
    std::optional<RegistryView> view = registry.LoadReporting(*vbe);
    if (!view)
        return kExitInput;
    ScopedClassesRoot classesRoot(*view);

    QApplication application(argc, argv);
    // The run decides when the program ends (runEnded), with its exit code.
    QApplication::setQuitOnLastWindowClosed(false);
    pages::GuiShell shell;
    ScopedShell installShell(shell);
    pages::ModuleState& module = pages::Module();
    module.helpViewer = pages::ShowHelpWindow;
    shell.statusSink = [](const std::string& line) { pages::WizSingle6().AddStatus(line); };
    // Code reaches the UserControl's file only when generation ran to its end;
    // a cancelled or failed run leaves it as it was (the backup aside).
    module.runEnded = [&vbe, &module] {
        const bool saved =
            !module.generationSucceeded || pages::SaveChangedComponents(*vbe, std::cerr);
        QCoreApplication::exit(saved ? kExitOk : kExitFailed);
    };
    pages::ConnectEnvironment(vbe);

    pages::WizMain().ShowModeless();
    if (pages::OpenPages().empty())
        return kExitOk;
    return QApplication::exec();
}

}  // namespace qfw::app
