// qfwizard project FILE... [--json]: the projects as the object model sees
// them, so that users (and we) can check what the wizard will work with.
#include <algorithm>
#include <iostream>
#include <memory>

#include "commands.h"
#include "engine/class_registrations.h"
#include "engine/ide/code_lines.h"
#include "engine/ide/code_module.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_control.h"
#include "engine/ide/vb_form.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "json.h"
#include "platform/classes_root.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"
#include "registry_options.h"
#include "typed_paths.h"

namespace qfw::app {

namespace {

struct ProcedureRow {
    std::string name;
    int32_t kind, start, body, count;
};

// Procedures in module order: one lookup per procedure line, by ProcOfLine.
std::vector<ProcedureRow> Procedures(const ide::CodeModule& code) {
    std::vector<ProcedureRow> rows;
    std::string lastName;
    int32_t lastKind = -1;
    for (int32_t line = 1; line <= code.CountOfLines(); ++line) {
        int32_t kind = 0;
        const std::string name = code.ProcOfLine(line, kind);
        if (name.empty() || (name == lastName && kind == lastKind))
            continue;
        lastName = name;
        lastKind = kind;
        rows.push_back({name, kind, code.ProcStartLine(name, kind), code.ProcBodyLine(name, kind),
                        code.ProcCountLines(name, kind)});
        line = std::max(line, rows.back().start + rows.back().count - 1);
    }
    return rows;
}

bool ListsDesigner(int32_t type) {
    return type == ide::vbext_ct_UserControl || type == ide::vbext_ct_VBForm ||
           type == ide::vbext_ct_VBMDIForm;
}

void PrintText(ide::VBE& vbe) {
    auto projects = vbe.VBProjects();
    for (int32_t p = 1; p <= projects->Count(); ++p) {
        auto project = projects->Item(p);
        std::cout << "Project " << project->Name() << "  " << project->FileName() << "\n";
        auto components = project->VBComponents();
        for (int32_t c = 1; c <= components->Count(); ++c) {
            auto component = components->Item(c);
            std::cout << "  " << component->Name() << "  type " << component->Type() << "  "
                      << component->FileNames(1) << "\n";
            if (!ListsDesigner(component->Type()))
                continue;
            if (auto designer = component->Designer()) {
                auto controls = designer->VBControls();
                for (int32_t k = 1; k <= controls->Count(); ++k) {
                    auto control = controls->Item(k);
                    std::cout << "    control " << control->Name() << "  " << control->ClassName()
                              << "  " << control->ProgId();
                    if (component->Type() == ide::vbext_ct_UserControl) {
                        std::string library;
                        std::cout << "  library "
                                  << (FindControlLibrary(*control, vbe.FullName(), library)
                                          ? library
                                          : "(none: " + library + ")");
                    }
                    std::cout << "\n";
                }
            }
            if (auto code = component->CodeModule()) {
                for (const ProcedureRow& row : Procedures(*code)) {
                    std::cout << "    procedure " << row.name << "  kind " << row.kind << "  start "
                              << row.start << "  body " << row.body << "  count " << row.count
                              << "\n";
                }
            }
        }
    }
}

void PrintJson(ide::VBE& vbe) {
    auto projects = vbe.VBProjects();
    std::cout << "{\"projects\":[";
    for (int32_t p = 1; p <= projects->Count(); ++p) {
        auto project = projects->Item(p);
        if (p > 1)
            std::cout << ",";
        std::cout << "{\"name\":" << JsonAnsi(project->Name())
                  << ",\"file\":" << JsonString(project->FileName()) << ",\"components\":[";
        auto components = project->VBComponents();
        for (int32_t c = 1; c <= components->Count(); ++c) {
            auto component = components->Item(c);
            if (c > 1)
                std::cout << ",";
            std::cout << "{\"name\":" << JsonAnsi(component->Name())
                      << ",\"type\":" << component->Type()
                      << ",\"file\":" << JsonString(component->FileNames(1));
            if (ListsDesigner(component->Type())) {
                std::cout << ",\"controls\":[";
                if (auto designer = component->Designer()) {
                    auto controls = designer->VBControls();
                    for (int32_t k = 1; k <= controls->Count(); ++k) {
                        auto control = controls->Item(k);
                        if (k > 1)
                            std::cout << ",";
                        std::cout << "{\"name\":" << JsonAnsi(control->Name())
                                  << ",\"classname\":" << JsonAnsi(control->ClassName())
                                  << ",\"progid\":" << JsonAnsi(control->ProgId());
                        if (component->Type() == ide::vbext_ct_UserControl) {
                            std::string library;
                            const bool found =
                                FindControlLibrary(*control, vbe.FullName(), library);
                            std::cout << ",\"library\":" << (found ? JsonString(library) : "null");
                        }
                        std::cout << "}";
                    }
                }
                std::cout << "],\"procedures\":[";
                if (auto code = component->CodeModule()) {
                    bool first = true;
                    for (const ProcedureRow& row : Procedures(*code)) {
                        if (!first)
                            std::cout << ",";
                        first = false;
                        std::cout << "{\"name\":" << JsonAnsi(row.name) << ",\"kind\":" << row.kind
                                  << ",\"start\":" << row.start << ",\"body\":" << row.body
                                  << ",\"count\":" << row.count << "}";
                    }
                }
                std::cout << "]";
            }
            std::cout << "}";
        }
        std::cout << "]}";
    }
    std::cout << "]}\n";
}

}  // namespace

void AddProjectCommand(CLI::App& app, int& exitCode) {
    auto* command = app.add_subcommand(
        "project",
        "List projects (.vbp) or groups (.vbg) as the wizard sees them: components, the controls "
        "of UserControls and forms, and their procedures");
    command->footer(
        "Examples:\n"
        "  qfwizard project LabeledEdit.vbp\n"
        "  qfwizard project Controls.vbg --json\n"
        "  qfwizard project MyCtl.vbp --wine-prefix ~/.wine-vb6 --registry extra.reg\n"
        "\n"
        "Exit codes:\n"
        "  0  success (files a project lists that are missing are reported and left out)\n"
        "  1  usage: a bad option\n"
        "  2  input problem: a project or component file that cannot be read or understood,\n"
        "     a --wine-prefix that does not exist, a --registry file that cannot be read");
    auto files = std::make_shared<std::vector<std::string>>();
    auto json = std::make_shared<bool>(false);
    command->add_option("FILE", *files, "project (.vbp) or group (.vbg) files")->required();
    command->add_flag("--json", *json, "print JSON instead of text");
    auto registry = std::make_shared<RegistryOptions>();
    registry->AddTo(*command);
    command->callback([files, json, registry, &exitCode] {
        DriveMap drives;
        try {
            drives = registry->Drives();
        } catch (const VbError& e) {
            std::cerr << "qfwizard project: " << e.Description() << "\n";
            exitCode = kExitInput;
            return;
        }
        ScopedDriveMap driveMap(drives);
        auto vbe = ide::VBE::Create();
        RegistryView view;
        std::vector<std::string> warnings;
        std::string current;
        try {
            for (const std::string& file : *files) {
                current = file;
                vbe->VBProjects()->AddFromFile(UnixToWindows(file));
            }
            current.clear();
            view = registry->Load(*vbe, warnings);
        } catch (const VbError& e) {
            std::cerr << "qfwizard project: " << WithTypedPath(e.Description(), current)
                      << " (error " << e.Number() << ")\n";
            exitCode = kExitInput;
            return;
        } catch (const RegistryFileError& e) {
            std::cerr << "qfwizard project: " << e.what() << "\n";
            exitCode = kExitInput;
            return;
        }
        for (int32_t p = 1; p <= vbe->VBProjects()->Count(); ++p) {
            for (const auto& missing : vbe->VBProjects()->Item(p)->MissingFiles())
                std::cerr << "qfwizard project: " << missing.message << "\n";
        }
        for (const std::string& warning : warnings)
            std::cerr << "qfwizard project: " << warning << "\n";
        ScopedClassesRoot classesRoot(view);
        if (*json) {
            PrintJson(*vbe);
        } else {
            PrintText(*vbe);
        }
        exitCode = kExitOk;
    });
}

}  // namespace qfw::app
