// The options that say which Wine prefix and which registrations are used,
// shared by the commands that open projects and libraries: --registry FILE
// (repeatable, also QFW_REGISTRY, a colon-separated list) and --wine-prefix
// DIR (else WINEPREFIX, else ~/.wine when it exists, else our own folder).
// The prefix gives both the registry files and the drive map.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "engine/ide/vbe.h"
#include "platform/registry.h"
#include "platform/win_path.h"
#include "platform/wine_prefix.h"

namespace qfw::app {

struct RegistryOptions {
    std::vector<std::string> regFiles;
    std::string winePrefix;

    void AddTo(CLI::App& command);

    // The prefix the options choose. Raises VbError 76 for a --wine-prefix
    // that does not exist.
    WinePrefixChoice Prefix() const;

    // The drive map of that prefix; install it with ScopedDriveMap before
    // any path is used.
    DriveMap Drives() const;

    // The view from the prefix's registry files, the .reg files, and the
    // classes learned from the libraries the loaded projects reference.
    // Problems that do not stop the run are added to warnings. Raises
    // RegistryFileError for a .reg file the user named that cannot be read.
    RegistryView Load(ide::VBE& vbe, std::vector<std::string>& warnings) const;

    // Load for the window modes: warnings and the error that stops the
    // program are printed on standard error; nullopt after such an error.
    std::optional<RegistryView> LoadReporting(ide::VBE& vbe) const;
};

}  // namespace qfw::app
