// qfwizard: the Quillfern Constituent Control Wizard.
#include <CLI/CLI.hpp>

#include "version.h"

int main(int argc, char** argv) {
    CLI::App app{
        "qfwizard - makes a Visual Basic UserControl behave like an existing ActiveX control\n"
        "by writing delegating code for its constituent controls."};
    app.set_version_flag("--version", std::string("qfwizard ") + QFW_VERSION);
    CLI11_PARSE(app, argc, argv);
    if (argc == 1) std::cout << app.help();
    return 0;
}
