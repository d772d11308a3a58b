// The options that say where HKEY_CLASSES_ROOT comes from, shared by the
// commands that look control classes up: --registry FILE (repeatable, also
// QFW_REGISTRY, a colon-separated list) and --wine-prefix DIR (also
// WINEPREFIX, which then also places the C: drive).
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "engine/ide/vbe.h"
#include "platform/registry.h"

namespace qfw::app {

struct RegistryOptions {
    std::vector<std::string> regFiles;
    std::string winePrefix;

    void AddTo(CLI::App& command);

    // Points the drive map at --wine-prefix; call before any path is used.
    void ApplyWinePrefix() const;

    // The view from the prefix's registry files, the .reg files, and the
    // classes learned from the libraries the loaded projects reference.
    // Problems that do not stop the run are added to warnings. Raises
    // RegistryFileError for a .reg file the user named that cannot be read.
    RegistryView Load(ide::VBE& vbe, std::vector<std::string>& warnings) const;
};

}  // namespace qfw::app
