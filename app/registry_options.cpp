#include "registry_options.h"

#include <cstdlib>

#include "engine/class_registrations.h"

namespace qfw::app {

void RegistryOptions::AddTo(CLI::App& command) {
    command.add_option("--registry", regFiles,
                       "a .reg file (REGEDIT4 or 5.00) with control registrations; repeatable "
                       "(default: the files in QFW_REGISTRY, separated by colons)");
    command.add_option("--wine-prefix", winePrefix,
                       "the Wine prefix whose registry and drive_c (C:) are used "
                       "(default: WINEPREFIX, else ~/.wine when it exists)");
}

void RegistryOptions::ApplyWinePrefix() const {
    if (!winePrefix.empty())
        setenv("WINEPREFIX", winePrefix.c_str(), 1);
}

RegistryView RegistryOptions::Load(ide::VBE& vbe, std::vector<std::string>& warnings) const {
    RegistrySources sources;
    sources.winePrefix = winePrefix.empty()
                             ? WinePrefixFrom(std::getenv("WINEPREFIX"), std::getenv("HOME"))
                             : std::optional<std::filesystem::path>(winePrefix);
    if (regFiles.empty()) {
        if (const char* list = std::getenv("QFW_REGISTRY"))
            sources.regFiles = SplitRegistryList(list);
    } else {
        sources.regFiles.assign(regFiles.begin(), regFiles.end());
    }
    RegistryView view = LoadRegistry(sources, warnings);
    LearnProjectControls(vbe, view, warnings);
    return view;
}

}  // namespace qfw::app
