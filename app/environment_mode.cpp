#include "environment_mode.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "commands.h"
#include "host/environment_window.h"
#include "host/frm4_icon.h"
#include "host/start_up.h"
#include "pages/frm_wiz_single6.h"
#include "pages/gui_shell.h"
#include "pages/help_window.h"
#include "pages/module_state.h"
#include "platform/classes_root.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"
#include "registry_options.h"
#include "unified_diff.h"

namespace qfw::app {

int RunEnvironment(const std::vector<std::string>& files, bool wizard, int& argc, char** argv) {
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
    std::vector<std::string> winPaths;
    for (const std::string& file : files)
        winPaths.push_back(UnixToWindows(std::filesystem::absolute(file).lexically_normal()));

    QApplication application(argc, argv);
    QApplication::setWindowIcon(host::QuillfernIcon());
    pages::GuiShell shell;
    ScopedShell installShell(shell);
    host::EnvironmentWindow window(vbe);
    window.diff = [](const std::string& before, const std::string& after,
                     const std::string& beforeLabel, const std::string& afterLabel) {
        return UnifiedDiff(before, after, beforeLabel, afterLabel);
    };
    window.OpenFiles(winPaths);

    std::optional<RegistryView> view = registry.LoadReporting(*vbe);
    if (!view)
        return kExitInput;
    ScopedClassesRoot classesRoot(*view);

    pages::ModuleState& module = pages::Module();
    module.helpViewer = pages::ShowHelpWindow;
    // The generation's progress lines go to the generation page's status list.
    shell.statusSink = [](const std::string& line) { pages::WizSingle6().AddStatus(line); };
    // After a run the changed module shows its new code and the title its
    // unsaved state.
    module.runEnded = [&window] { window.Refresh(); };
    window.show();
    window.ConnectEnteredAddIns(host::WindowsProfileFile(host::kAddInFile));
    if (wizard) {
        window.ConnectAddIn();
        if (window.AddIn())
            QTimer::singleShot(0, window.AddIn()->FirstMenuControl()->Action(), &QAction::trigger);
    }
    const int code = QApplication::exec();
    module.runEnded = nullptr;
    return code == 0 ? kExitOk : kExitFailed;
}

}  // namespace qfw::app
