#include "start_up_mode.h"

#include <strings.h>
#include <QApplication>
#include <cstring>
#include <iostream>

#include "commands.h"
#include "host/registration.h"
#include "host/start_up.h"
#include "pages/gui_shell.h"
#include "platform/vb_error.h"

namespace qfw::app {
namespace {

// The automation server convention: "/REGSERVER" or "-REGSERVER" in any case
// registers the server, whatever Main then says about it.
bool AsksForRegistration(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strlen(argv[i]) == 10 && (argv[i][0] == '/' || argv[i][0] == '-') &&
            ::strcasecmp(argv[i] + 1, "REGSERVER") == 0)
            return true;
    }
    return false;
}

}  // namespace

bool IsStartUpCommandLine(int argc, char** argv) {
    return argc == 1 || argv[1][0] == '/';
}

int RunStartUp(int& argc, char** argv) {
    if (AsksForRegistration(argc, argv)) {
        try {
            host::RegisterThisProgram();
        } catch (const VbError& e) {
            std::cerr << "qfwizard: " << e.Description() << "\n";
            return kExitFailed;
        }
    }
    const host::StartUpPlatform platform = host::ProcessStartUpPlatform(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName(host::kAppTitle);
    pages::GuiShell shell;
    ScopedShell installShell(shell);
    host::Main(platform);
    return kExitOk;
}

}  // namespace qfw::app
