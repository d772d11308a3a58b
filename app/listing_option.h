// --listing positional|declared: the rule by which the typelib and generate
// commands list a library's controls.
#pragma once

#include <map>
#include <string>

#include <CLI/CLI.hpp>

#include "browser/browser.h"

namespace qfw::app {

inline void AddListingOption(CLI::App& command, InterfaceListing& listing) {
    const std::map<std::string, InterfaceListing> names = {
        {"positional", InterfaceListing::Positional}, {"declared", InterfaceListing::Declared}};
    command
        .add_option("--listing", listing,
                    "how the library's controls are listed: positional (default), the wizard's "
                    "own rule, which finds a control by the types next to its class; or "
                    "declared, every creatable class with the members of the interfaces it "
                    "declares, which also finds controls compiled by Visual Basic")
        ->transform(CLI::CheckedTransformer(names, CLI::ignore_case));
}

}  // namespace qfw::app
