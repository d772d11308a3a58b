// One whole wizard run without a window: the steps the pages take, in their
// order, from the options of `qfwizard generate`.
//
// Messages the wizard shows (the engine's and the pages' own) go to stderr
// through a non-interactive console shell, as do the progress lines. A
// question the run cannot answer interactively (the backup failure's "Do
// you want to quit?") is answered Yes. Nothing is saved unless code was
// generated; with dryRun nothing in the user's folders is written at all.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "browser/browser.h"
#include "registry_options.h"

namespace qfw::app {

struct GenerateRequest {
    std::vector<std::string> files;  // .vbp or .vbg, Unix paths
    std::string project;
    std::string userControl;
    std::string spec;                   // library: Unix or Windows path, or bare name
    std::string interfaceChoice = "0";  // position from 0, or class name
    InterfaceListing listing = InterfaceListing::Positional;
    std::vector<std::string> selections;  // KIND:TEXT
    bool selectAll = false;
    std::string order;                   // CLASS,CLASS,...
    std::vector<std::string> multiMaps;  // KIND:CLASS,CLASS,...:TEXT
    std::vector<std::string> additions;  // --add KIND:...
    bool persist = false;
    std::string date;  // YYYY-MM-DD, empty for today
    bool noBackup = false;
    bool dryRun = false;
    bool quiet = false;
    RegistryOptions registry;
};

// Runs the wizard; returns the process exit code (commands.h).
int RunGenerate(const GenerateRequest& request);

}  // namespace qfw::app
