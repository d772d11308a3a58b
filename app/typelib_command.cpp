// qfwizard typelib FILE [--interface N] [--listing RULE] [--json]: lists a type library the
// way the wizard's pages see it, through the shared browser.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "browser/browser.h"
#include "browser/control/qfnrws.h"
#include "commands.h"
#include "json.h"
#include "listing_option.h"
#include "platform/classes_root.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"
#include "registry_options.h"

namespace qfw::app {
namespace {

struct Listing {
    std::string name;
    std::string documentation;
    std::vector<std::string> interfaces;
    std::vector<std::string> properties;
    std::vector<std::string> methods;
    std::vector<std::string> events;
};

std::vector<std::string> Items(int16_t count, std::string (objControl::*item)(int16_t) const,
                               const objControl& record) {
    std::vector<std::string> result;
    for (int16_t i = 0; i < count; ++i)
        result.push_back((record.*item)(i));
    return result;
}

// A local file is passed by its absolute path; anything else (a Windows
// path, a bare name in the system folder) goes to the control as written.
std::string TypeLibNameFor(const std::string& file) {
    std::error_code error;
    if (std::filesystem::exists(file, error)) {
        const std::filesystem::path absolute = std::filesystem::absolute(file, error);
        if (!error)
            return absolute.lexically_normal().string();
    }
    return file;
}

void Print(const std::string& file, int interfaceIndex, const Listing& l, bool json) {
    if (json) {
        std::cout << "{\"file\":" << JsonString(file) << ",\"name\":" << JsonAnsi(l.name)
                  << ",\"documentation\":" << JsonAnsi(l.documentation)
                  << ",\"interfaces\":" << JsonArray(l.interfaces)
                  << ",\"interface\":" << interfaceIndex
                  << ",\"properties\":" << JsonArray(l.properties)
                  << ",\"methods\":" << JsonArray(l.methods)
                  << ",\"events\":" << JsonArray(l.events) << "}\n";
        return;
    }
    std::cout << "Library: " << Windows1252ToUtf8(l.name)
              << "\nHelp string: " << Windows1252ToUtf8(l.documentation) << "\nInterfaces:\n";
    for (size_t i = 0; i < l.interfaces.size(); ++i)
        std::cout << "  " << i << "  " << Windows1252ToUtf8(l.interfaces[i]) << "\n";
    if (l.interfaces.empty())
        return;
    std::cout << "Interface " << interfaceIndex << ": "
              << Windows1252ToUtf8(l.interfaces[static_cast<size_t>(interfaceIndex)]) << "\n";
    const std::pair<const char*, const std::vector<std::string>*> groups[] = {
        {"Properties", &l.properties}, {"Methods", &l.methods}, {"Events", &l.events}};
    for (const auto& [title, items] : groups) {
        std::cout << title << ":\n";
        for (const std::string& item : *items)
            std::cout << "  " << Windows1252ToUtf8(item) << "\n";
    }
}

int Run(const std::string& file, int interfaceIndex, InterfaceListing rule, bool json) {
    auto control = std::make_shared<Qfnrws>();
    Browser& browser = SharedBrowser();
    browser.BrowserControl(control);
    Listing listing;
    try {
        const std::string typeLibName = TypeLibNameFor(file);
        std::string info;
        browser.GetControlInfo(typeLibName, ListingInfoCode(rule), info);
        listing.name = control->iName();
        listing.documentation = control->Documentation();
        browser.GetInterfaces(listing.interfaces);
        if (!listing.interfaces.empty()) {
            if (interfaceIndex < 0 ||
                static_cast<size_t>(interfaceIndex) >= listing.interfaces.size()) {
                std::cerr << "qfwizard typelib: --interface " << interfaceIndex << ": " << file
                          << " has no such interface; the valid range is 0 to "
                          << listing.interfaces.size() - 1 << "\n";
                return kExitUsage;
            }
            browser.InterfaceIndex(static_cast<int16_t>(interfaceIndex));
            browser.GetControlInfo(typeLibName, kInfoMembers, info);
            const objControl& record = browser.ControlObject();
            listing.properties = Items(record.PropertyCount(), &objControl::Properties, record);
            listing.methods = Items(record.MethodCount(), &objControl::Methods, record);
            listing.events = Items(record.EventCount(), &objControl::Events, record);
        }
    } catch (const VbError& e) {
        std::cerr << "qfwizard typelib: " << e.Description() << " (error " << e.Number() << ")\n";
        return kExitInput;
    }
    Print(file, interfaceIndex, listing, json);
    return kExitOk;
}

// Runs the listing with the options' prefix as the drive map, so that a bare
// name is looked for in that prefix's system folders.
int RunWithPrefix(const RegistryOptions& registry, const std::string& file, int interfaceIndex,
                  InterfaceListing rule, bool json) {
    DriveMap drives;
    RegistryView view;
    std::vector<std::string> warnings;
    try {
        drives = registry.Drives();
        ScopedDriveMap driveMap(drives);
        auto vbe = ide::VBE::Create();
        view = registry.Load(*vbe, warnings);
    } catch (const VbError& e) {
        std::cerr << "qfwizard typelib: " << e.Description() << "\n";
        return kExitInput;
    } catch (const RegistryFileError& e) {
        std::cerr << "qfwizard typelib: " << e.what() << "\n";
        return kExitInput;
    }
    for (const std::string& warning : warnings)
        std::cerr << "qfwizard typelib: " << warning << "\n";
    ScopedDriveMap driveMap(drives);
    ScopedClassesRoot classesRoot(view);
    return Run(file, interfaceIndex, rule, json);
}

constexpr const char* kFooter =
    "Examples:\n"
    "  qfwizard typelib QUILLEDIT.OCX              a bare name: the system folders of the prefix\n"
    "  qfwizard typelib QUILLEDIT.OCX --wine-prefix ~/.wine-vb6\n"
    "  qfwizard typelib ./QuillDial.ocx --interface 1\n"
    "  qfwizard typelib 'C:\\Lib\\G.ocx' --json\n"
    "\n"
    "Exit codes:\n"
    "  0  success\n"
    "  1  usage: a bad option, or an --interface outside the library's range\n"
    "  2  input problem: a library that cannot be found or read, a --wine-prefix that\n"
    "     does not exist, a --registry file that cannot be read";

}  // namespace

void AddTypelibCommand(CLI::App& app, int& exitCode) {
    auto* command = app.add_subcommand(
        "typelib",
        "List a type library (.ocx, .olb, .tlb, .dll) as the wizard sees it: its name and\n"
        "help string, its controls (\"interfaces\") and the property, method and event items\n"
        "of one of them.");
    command->footer(kFooter);
    auto file = std::make_shared<std::string>();
    auto index = std::make_shared<int>(0);
    auto json = std::make_shared<bool>(false);
    auto rule = std::make_shared<InterfaceListing>(InterfaceListing::Positional);
    command
        ->add_option("FILE", *file,
                     "the library: a file, a Windows-style path (C:\\..., Z:\\...), or a bare "
                     "name in the system folders (SYSTEM, SYSTEM32, SYSWOW64 of the prefix)")
        ->required();
    command->add_option("--interface,-i", *index, "position of the interface to list (default 0)")
        ->check(CLI::NonNegativeNumber);
    AddListingOption(*command, *rule);
    command->add_flag("--json", *json, "print one JSON object instead of text");
    auto registry = std::make_shared<RegistryOptions>();
    registry->AddTo(*command);
    command->callback([file, index, rule, json, registry, &exitCode] {
        exitCode = RunWithPrefix(*registry, *file, *index, *rule, *json);
    });
}

}  // namespace qfw::app
