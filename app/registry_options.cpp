#include "registry_options.h"

#include <cstdlib>
#include <iostream>

#include "engine/class_registrations.h"
#include "host/registration.h"

namespace qfw::app {

void RegistryOptions::AddTo(CLI::App& command) {
    command.add_option("--registry", regFiles,
                       "a .reg file (REGEDIT4 or 5.00) with control registrations; repeatable "
                       "(default: the files in QFW_REGISTRY, separated by colons)");
    command.add_option("--wine-prefix", winePrefix,
                       "the Wine prefix whose registry and drives (C: is its drive_c) are used "
                       "(default: WINEPREFIX, else ~/.wine when it exists, else "
                       "$XDG_DATA_HOME/qfwizard)");
}

WinePrefixChoice RegistryOptions::Prefix() const {
    return ChooseWinePrefix(winePrefix);
}

DriveMap RegistryOptions::Drives() const {
    const WinePrefixChoice prefix = Prefix();
    return DriveMap::ForPrefix(prefix.folder, prefix.ownFolder);
}

RegistryView RegistryOptions::Load(ide::VBE& vbe, std::vector<std::string>& warnings) const {
    RegistrySources sources;
    if (const WinePrefixChoice prefix = Prefix(); !prefix.ownFolder)
        sources.winePrefix = std::filesystem::path(prefix.folder);
    if (regFiles.empty()) {
        if (const char* list = std::getenv("QFW_REGISTRY"))
            sources.regFiles = SplitRegistryList(list);
    } else {
        sources.regFiles.assign(regFiles.begin(), regFiles.end());
    }
    RegistryView view = LoadRegistry(sources, warnings);
    // What the program registered itself (its add-in class) stands beside
    // the prefix's own registrations.
    host::MergeUserRegistry(view, warnings);
    LearnProjectControls(vbe, view, warnings);
    return view;
}

std::optional<RegistryView> RegistryOptions::LoadReporting(ide::VBE& vbe) const {
    std::vector<std::string> warnings;
    std::optional<RegistryView> view;
    try {
        view = Load(vbe, warnings);
    } catch (const RegistryFileError& e) {
        std::cerr << "qfwizard: " << e.what() << "\n";
        return std::nullopt;
    }
    for (const std::string& warning : warnings)
        std::cerr << "qfwizard: " << warning << "\n";
    return view;
}

}  // namespace qfw::app
