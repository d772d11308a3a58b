#include "generate_run.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>

#include "browser/browser.h"
#include "browser/control/qfnrws.h"
#include "browser/specification.h"
#include "commands.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "engine/multi_map_lists.h"
#include "engine/run_messages.h"
#include "engine/wizard.h"
#include "generate_options.h"
#include "platform/classes_root.h"
#include "platform/file_ops.h"
#include "platform/shell.h"
#include "platform/short_date.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"
#include "project_of_control.h"
#include "run_leftovers.h"
#include "run_summary.h"
#include "scratch_copy.h"
#include "typed_paths.h"
#include "unified_diff.h"

namespace qfw::app {

namespace {

// The console shell of the run: progress lines are left out with --quiet.
class GenerateShell : public ConsoleShell {
  public:
    GenerateShell(bool quiet)
        : ConsoleShell(std::cerr, Options{kAppTitle, nullptr, vbYes}), quiet_(quiet) {}
    void ShowStatus(const std::string& text) override {
        if (!quiet_)
            ConsoleShell::ShowStatus(text);
    }

  private:
    bool quiet_;
};

// ---- Steps ----

// Edits can leave a module's text as it was (a second run adds nothing);
// such a component is not written, so the run reports that nothing changed.
bool DiffersFromDisk(const ide::VBComponent& component) {
    try {
        if (component.FileNames(1).empty())
            return true;
        // Sizes that differ decide it without building the text.
        const std::string disk = ReadFileBytes(component.FileNames(1));
        return disk.size() != component.TextSize() || disk != component.Text();
    } catch (const VbError&) {
        return true;
    }
}

// The component files the projects list that are not on disk: each loads
// without them, as the environment offers to.
std::vector<std::string> MissingFileWarnings(ide::VBE& vbe) {
    std::vector<std::string> warnings;
    auto projects = vbe.VBProjects();
    for (int32_t p = 1; p <= projects->Count(); ++p) {
        for (const auto& missing : projects->Item(p)->MissingFiles())
            warnings.push_back(missing.message + "; the project is loaded without it");
    }
    return warnings;
}

class Run {
  public:
    explicit Run(const GenerateRequest& request) : request_(request), shell_(request.quiet) {}

    int Execute();

  private:
    void Status(const std::string& text) { CurrentShell().ShowStatus(text); }
    // Shows one of the wizard's own messages and stops the run.
    [[noreturn]] void Stop(const std::string& message, int exitCode) {
        CurrentShell().MsgBox(message, vbOKOnly, "");
        throw RunStop{exitCode, ""};
    }

    std::shared_ptr<ide::VBE> LoadProjects(const std::vector<std::string>& unixFiles);
    std::shared_ptr<ide::VBE> CopyForDryRun(ide::VBE& original);
    void ChooseUserControl();
    void StopIfMissing(ide::VBProject& project, const std::string& userControl) const;
    std::string SpecLibrary() const;
    void ReadSpecification();
    void SelectItems();
    void SetMappingOrder();
    void MapToSeveral();
    int Generate();
    void ForEachChangedComponent(const std::function<void(ide::VBComponent&)>& action);
    void SaveChanges();
    void PrintChanges();
    std::string AsTyped(const std::string& unixPath) const;

    int Finish(int exitCode);
    void ChooseProjectFiles();
    std::string UserControlOfFile(ide::VBProject& project) const;

    const GenerateRequest& request_;
    GenerateShell shell_;
    RunLeftovers backup_;     // put back unless the UserControl was written
    RunLeftovers workFiles_;  // never outlive the run
    bool wroteUserControl_ = false;
    std::vector<std::string> files_;  // the project files to load
    std::string controlFile_;         // a .ctl given instead of its project
    std::unique_ptr<ScratchCopy> scratch_;
    std::shared_ptr<ide::VBE> vbe_;
    Wizard wizard_;
    objControl spec_;
};

std::shared_ptr<ide::VBE> Run::LoadProjects(const std::vector<std::string>& unixFiles) {
    auto vbe = ide::VBE::Create();
    for (const std::string& file : unixFiles) {
        try {
            const std::string absolute = std::filesystem::absolute(file).lexically_normal();
            vbe->VBProjects()->AddFromFile(UnixToWindows(absolute));
        } catch (const VbError& e) {
            throw RunStop{kExitInput, WithTypedPath(e.Description(), file) + " (error " +
                                          std::to_string(e.Number()) + ")"};
        }
    }
    return vbe;
}

// Copies every file of the loaded projects and loads the copies instead.
std::shared_ptr<ide::VBE> Run::CopyForDryRun(ide::VBE& original) {
    scratch_ = std::make_unique<ScratchCopy>();
    std::vector<std::string> copies;
    try {
        for (const std::string& file : files_)
            copies.push_back(scratch_->Add(file));
        auto projects = original.VBProjects();
        for (int32_t p = 1; p <= projects->Count(); ++p) {
            auto project = projects->Item(p);
            scratch_->Add(WindowsToUnix(project->FileName()));
            auto components = project->VBComponents();
            for (int32_t c = 1; c <= components->Count(); ++c) {
                auto component = components->Item(c);
                for (int16_t f = 1; f <= component->FileCount(); ++f) {
                    // An absent related document is no reason to stop a dry
                    // run that the real run would pass.
                    if (!component->FileNames(f).empty() && FileExists(component->FileNames(f)))
                        scratch_->Add(WindowsToUnix(component->FileNames(f)));
                }
            }
        }
    } catch (const std::filesystem::filesystem_error& e) {
        throw RunStop{kExitInput,
                      std::string("cannot copy the project for a dry run: ") + e.what()};
    }
    auto copy = LoadProjects(copies);
    const std::string work = UnixToWindows(scratch_->WorkFolder());
    wizard_.SetWorkFolders(work, work);
    return copy;
}

void Run::ChooseUserControl() {
    std::vector<std::string> projects;
    const int16_t projectCount = wizard_.EnumerateProjects(projects);
    if (projectCount == 0)
        Stop(kMsgNoProject, kExitInput);
    size_t position = 0;
    if (!request_.project.empty()) {
        auto found = std::find_if(projects.begin(), projects.end(), [&](const std::string& name) {
            return EqualsIgnoreCase(Trim(name, " \t"), Trim(request_.project, " \t"));
        });
        if (found == projects.end()) {
            throw RunStop{kExitUsage, "no project named \"" + request_.project +
                                          "\" is loaded; the projects are: " + JoinList(projects)};
        }
        position = static_cast<size_t>(found - projects.begin());
    } else if (projectCount > 1) {
        throw RunStop{kExitUsage, "several projects are loaded; choose one with --project: " +
                                      JoinList(projects)};
    }
    const std::string projectName = projects[position];

    std::vector<std::string> userControls;
    const int16_t userControlCount = wizard_.EnumerateObjects(projectName, userControls);
    const auto project = vbe_->VBProjects()->Item(static_cast<int32_t>(position) + 1);
    if (userControlCount == 0) {
        StopIfMissing(*project, "");
        Stop(kMsgNoUserControl, kExitInput);
    }
    std::string userControl = userControls.front();
    if (request_.userControl.empty() && !controlFile_.empty()) {
        userControl = UserControlOfFile(*project);
    } else if (!request_.userControl.empty()) {
        auto found =
            std::find_if(userControls.begin(), userControls.end(), [&](const std::string& name) {
                return EqualsIgnoreCase(Trim(name, " \t"), Trim(request_.userControl, " \t"));
            });
        if (found == userControls.end()) {
            StopIfMissing(*project, std::string(Trim(request_.userControl, " \t")));
            throw RunStop{kExitUsage, "project " + projectName + " has no UserControl named \"" +
                                          request_.userControl +
                                          "\"; its UserControls are: " + JoinList(userControls)};
        }
        userControl = *found;
    } else if (userControlCount > 1) {
        throw RunStop{kExitUsage, "project " + projectName +
                                      " has several UserControls; choose one with --usercontrol: " +
                                      JoinList(userControls)};
    }

    // Generation works on the environment's active project, which the user
    // would have selected there.
    vbe_->ActiveVBProject(project);
    try {
        wizard_.ProjectName(projectName);
        wizard_.UserControlName(userControl);
    } catch (const VbError& e) {
        throw RunStop{kExitInput, e.Description() + " (error " + std::to_string(e.Number()) + ")"};
    }
    if (wizard_.Result() == kResultRunEnded || shell_.RunEnded())
        throw RunStop{kExitInput, ""};
    if (wizard_.Result() == kResultNoConstituents)
        Stop(kMsgNoConstituent, kExitInput);
}

// The files to load: a UserControl file given instead of a project stands
// for the one project beside it that lists it.
void Run::ChooseProjectFiles() {
    for (const std::string& file : request_.files) {
        if (!IsControlFile(file)) {
            files_.push_back(file);
            continue;
        }
        const ProjectOfControl found = FindProjectOfControl(file);
        if (found.project.empty())
            throw RunStop{kExitUsage, found.problem};
        controlFile_ = std::filesystem::absolute(file).lexically_normal().string();
        files_.push_back(found.project);
    }
}

// The name of the UserControl whose file was given instead of its project.
std::string Run::UserControlOfFile(ide::VBProject& project) const {
    auto components = project.VBComponents();
    for (int32_t c = 1; c <= components->Count(); ++c) {
        auto component = components->Item(c);
        if (component->Type() != ide::vbext_ct_UserControl || component->FileNames(1).empty())
            continue;
        std::string file = WindowsToUnix(component->FileNames(1));
        if (scratch_)
            file = scratch_->OriginalOf(file);
        if (EqualsIgnoreCase(file, controlFile_))
            return component->Name();
    }
    throw RunStop{kExitInput, controlFile_ + " is not loaded with its project"};
}

// A UserControl whose file is missing cannot be changed: the run stops
// naming the file when it is the one asked for (any of them for an empty
// name, when no UserControl could be loaded).
void Run::StopIfMissing(ide::VBProject& project, const std::string& userControl) const {
    for (const auto& missing : project.MissingFiles()) {
        if (missing.type != ide::vbext_ct_UserControl)
            continue;
        std::string base = WindowsFileNameOf(missing.path);
        base = base.substr(0, base.find_last_of('.'));
        if (userControl.empty() || EqualsIgnoreCase(base, userControl)) {
            const std::string file = WindowsToUnix(missing.path);
            throw RunStop{kExitInput, "the UserControl file " +
                                          (scratch_ ? scratch_->OriginalOf(file) : file) +
                                          " is missing; it cannot be changed"};
        }
    }
}

// A file that exists is passed by its full path; a Windows path or a bare
// name (looked up in the system folder) as written.
std::string Run::SpecLibrary() const {
    const std::string& spec = request_.spec;
    if (spec.find('\\') != std::string::npos || (spec.size() >= 2 && spec[1] == ':'))
        return spec;
    std::error_code error;
    if (std::filesystem::exists(spec, error) || spec.find('/') != std::string::npos)
        return UnixToWindows(std::filesystem::absolute(spec).lexically_normal().string());
    return spec;
}

void Run::ReadSpecification() {
    std::vector<std::string> interfaces;
    try {
        interfaces = ListSpecificationInterfaces(spec_, SpecLibrary(), request_.listing);
    } catch (const VbError& e) {
        CurrentShell().MsgBox(EnumerationErrorMessage(e.Description()), vbOKOnly, "");
        const bool nothingListed = e.Number() == kErrSubscriptOutOfRange &&
                                   request_.listing == InterfaceListing::Positional;
        throw RunStop{kExitInput, nothingListed ? "no control of the library is listed by "
                                                  "position; --listing declared lists the "
                                                  "library's controls"
                                                : ""};
    }

    size_t chosen = interfaces.size();
    const std::string& wanted = request_.interfaceChoice;
    if (!wanted.empty() && std::all_of(wanted.begin(), wanted.end(), ::isdigit)) {
        chosen = wanted.size() < 6 ? std::stoul(wanted) : interfaces.size();
    } else {
        for (size_t i = 0; i < interfaces.size() && chosen == interfaces.size(); ++i) {
            if (InterfaceClassName(interfaces[i]) == wanted)
                chosen = i;
        }
    }
    if (chosen >= interfaces.size()) {
        std::string list;
        for (size_t i = 0; i < interfaces.size(); ++i)
            list += "\n  " + std::to_string(i) + "  " + interfaces[i];
        throw RunStop{kExitUsage, "--interface " + wanted + ": " + request_.spec +
                                      " has no such interface; its interfaces are:" + list};
    }
    try {
        wizard_.AddEnumerationTypes(
            ReadSpecificationItems(spec_, {interfaces[chosen]}, static_cast<int16_t>(chosen)));
    } catch (const VbError& e) {
        throw RunStop{kExitInput, request_.spec + ": " + e.Description() + " (error " +
                                      std::to_string(e.Number()) + ")"};
    }
}

void Run::SelectItems() {
    std::vector<std::vector<std::string>> selected(3);
    for (const std::string& value : request_.selections) {
        const ItemChoice choice = ParseSelection(value);
        const std::vector<std::string> texts = spec_.ItemTexts(choice.kind);
        const std::optional<std::string> item = FindItem(texts, choice.text);
        if (!item) {
            throw RunStop{kExitUsage, "--select " + value + ": the interface has no such " +
                                          kKindNames[choice.kind] +
                                          "; its items are: " + JoinList(texts)};
        }
        selected[static_cast<size_t>(choice.kind)].push_back(*item);
    }
    for (int16_t kind = 0; kind < 3; ++kind) {
        std::vector<std::string> chosen;
        std::vector<std::string> available;
        for (const std::string& text : spec_.ItemTexts(kind)) {
            const auto& picked = selected[static_cast<size_t>(kind)];
            const bool isChosen =
                request_.selectAll || std::find(picked.begin(), picked.end(), text) != picked.end();
            (isChosen ? chosen : available).push_back(text);
        }
        spec_.SetSelectedItems(kind, available, chosen);
    }
    // New members join the record selected, as the Add Item dialog adds them.
    for (const std::string& value : request_.additions) {
        const std::string refusal = wizard_.AddCustomItem(spec_, ParseAddition(value));
        if (!refusal.empty())
            throw RunStop{kExitUsage, "--add " + value + ": " + refusal};
    }
    if (spec_.SelectedPropertyCount() == 0 && spec_.SelectedMethodCount() == 0 &&
        spec_.SelectedEventCount() == 0)
        Stop(kMsgNothingSelected, kExitUsage);
}

void Run::SetMappingOrder() {
    if (request_.order.empty())
        return;
    std::vector<std::string> constituents;
    wizard_.GetConstituentList(constituents);
    std::vector<std::string> available = constituents;
    const std::vector<std::string> order = SplitList(request_.order);
    for (size_t i = 0; i < order.size(); ++i) {
        const std::optional<std::string> className = TakeClass(available, order[i]);
        if (!className) {
            throw RunStop{kExitUsage,
                          "--order: \"" + order[i] +
                              "\" is no constituent class, or is named more often than the "
                              "UserControl has constituents of it; allowed, each once per "
                              "constituent: " +
                              JoinList(constituents)};
        }
        // As the page does: each position names a class, whose first
        // constituent takes that place in the order.
        wizard_.SetConstituentMappingOrder(*className, static_cast<int16_t>(i + 1));
    }
}

void Run::MapToSeveral() {
    std::vector<std::string> constituents;
    wizard_.GetConstituentList(constituents);
    for (const std::string& value : request_.multiMaps) {
        MultiMapChoice choice = ParseMultiMap(value);
        std::vector<std::string> available = constituents;
        for (std::string& className : choice.classes) {
            const std::optional<std::string> found = TakeClass(available, className);
            if (!found) {
                throw RunStop{kExitUsage, "--map " + value + ": \"" + className +
                                              "\" is no constituent class; the constituents are: " +
                                              JoinList(constituents)};
            }
            className = *found;
        }
        // The page offers the chosen specification items that every
        // constituent has.
        std::vector<std::string> mapped, offered;
        MultiMapLists(wizard_, spec_, choice.kind, choice.classes, mapped, offered);
        offered.insert(offered.end(), mapped.begin(), mapped.end());
        const std::optional<std::string> item = FindItem(offered, choice.text);
        if (!item) {
            throw RunStop{kExitUsage, "--map " + value + ": no selected " +
                                          kKindNames[choice.kind] +
                                          " common to every constituent has that text; those "
                                          "that can be mapped are: " +
                                          JoinList(offered)};
        }
        if (const int32_t failure =
                wizard_.UpdateMultiMap(choice.classes, {*item}, choice.kind, true)) {
            throw RunStop{kExitFailed, "--map " + value + ": " + ErrorDescription(failure)};
        }
    }
}

int Run::Generate() {
    if (!request_.dryRun) {
        const std::string ctl = wizard_.UserControlFileName();
        if (ctl.size() >= 3)
            backup_.Watch(ctl.substr(0, ctl.size() - 3) + "QFN");
        workFiles_.Watch(WindowsFolderOf(ctl) + "\\QFNCODE.DAT");
    }
    if (!request_.dryRun && !request_.noBackup) {
        Status("Creating a backup of the UserControl file...");
        if (const int16_t failure = wizard_.CreateUserControlBackup()) {
            const int32_t answer = CurrentShell().MsgBox(
                "The following error was encountered while attempting to create a backup of "
                "the UserControl file: " +
                    std::to_string(failure) + " :" + ErrorDescription(failure) +
                    ". Do you want to quit?",
                vbYesNo | vbQuestion, "");
            if (answer == vbYes) {
                throw RunStop{kExitFailed,
                              "nothing was generated (--no-backup generates without a backup)"};
            }
        }
    }
    Status("Generating Procedures and adding to UserControl...");
    auto module =
        vbe_->ActiveVBProject()->VBComponents()->Item(wizard_.UserControlName())->CodeModule();
    // The procedures before generation, for the summary only.
    ProcedureTexts before = request_.quiet ? ProcedureTexts() : ProcedureTextsOf(*module);
    int32_t result = 0;
    try {
        result = wizard_.BuildItemList(spec_);
    } catch (const VbError& e) {
        result = e.Number();
    }
    if (result != 0) {
        CurrentShell().MsgBox(GenerationErrorMessage(result), vbOKCancel, "");
    }
    bool codeChanged = false;
    ForEachChangedComponent([&](ide::VBComponent&) { codeChanged = true; });
    if (!request_.quiet)
        std::cerr << RunSummary(before, ProcedureTextsOf(*module), codeChanged, wizard_, spec_);
    before.clear();
    if (request_.dryRun) {
        PrintChanges();
    } else {
        SaveChanges();
    }
    if (result != 0) {
        throw RunStop{kExitFailed, request_.dryRun
                                       ? "generation failed part way"
                                       : "generation failed part way; the code generated "
                                         "before the failure was saved"};
    }
    Status("Quillfern Constituent Wizard Completed Successfully.");
    return kExitOk;
}

void Run::ForEachChangedComponent(const std::function<void(ide::VBComponent&)>& action) {
    auto projects = vbe_->VBProjects();
    for (int32_t p = 1; p <= projects->Count(); ++p) {
        auto components = projects->Item(p)->VBComponents();
        for (int32_t c = 1; c <= components->Count(); ++c) {
            auto component = components->Item(c);
            if (component->IsDirty() && DiffersFromDisk(*component))
                action(*component);
        }
    }
}

void Run::SaveChanges() {
    ForEachChangedComponent([this](ide::VBComponent& component) {
        try {
            component.Save();
        } catch (const VbError& e) {
            throw RunStop{kExitFailed, "cannot save " + component.FileNames(1) + ": " +
                                           e.Description() + " (error " +
                                           std::to_string(e.Number()) + ")"};
        }
        wroteUserControl_ = true;
        Status("Saved " + AsTyped(WindowsToUnix(component.FileNames(1))));
    });
}

// A path the way the user named the project: relative to the current
// folder when the project was given by a relative path (so that the diff
// applies with patch -p0 there), absolute otherwise.
std::string Run::AsTyped(const std::string& unixPath) const {
    if (request_.files.empty() || std::filesystem::path(request_.files.front()).is_absolute())
        return unixPath;
    std::error_code error;
    const std::filesystem::path relative =
        std::filesystem::path(unixPath).lexically_relative(std::filesystem::current_path(error));
    return error || relative.empty() ? unixPath : relative.string();
}

void Run::PrintChanges() {
    ForEachChangedComponent([this](ide::VBComponent& component) {
        const std::string copy = WindowsToUnix(component.FileNames(1));
        const std::string label = AsTyped(scratch_->OriginalOf(copy));
        std::cout << UnifiedDiff(ReadFileBytes(component.FileNames(1)), component.Text(), label,
                                 label);
    });
    std::cout << std::flush;
}

int Run::Execute() {
    ScopedShell installShell(shell_);
    try {
        const auto date = ParseDate(request_.date);
        for (const std::string& value : request_.selections)
            ParseSelection(value);
        for (const std::string& value : request_.multiMaps)
            ParseMultiMap(value);
        for (const std::string& value : request_.additions)
            ParseAddition(value);
        if (request_.selections.empty() && !request_.selectAll && request_.additions.empty())
            throw RunStop{kExitUsage, "choose items with --select KIND:TEXT or --select-all"};
        std::optional<ScopedToday> today;
        if (date)
            today.emplace(*date);

        DriveMap drives;
        try {
            drives = request_.registry.Drives();
        } catch (const VbError& e) {
            throw RunStop{kExitInput, e.Description()};
        }
        ScopedDriveMap driveMap(drives);
        ChooseProjectFiles();
        auto original = LoadProjects(files_);
        std::vector<std::string> warnings = MissingFileWarnings(*original);
        RegistryView view;
        try {
            view = request_.registry.Load(*original, warnings);
        } catch (const RegistryFileError& e) {
            throw RunStop{kExitInput, e.what()};
        }
        for (std::string warning : warnings) {
            for (const std::string& file : files_)
                warning = WithTypedPath(warning, file);
            std::cerr << "qfwizard generate: " << warning << "\n";
        }
        ScopedClassesRoot classesRoot(view);

        vbe_ = request_.dryRun ? CopyForDryRun(*original) : original;
        wizard_.SetVBInst(vbe_);
        wizard_.PersistPropertyValues(request_.persist);
        SharedBrowser().BrowserControl(std::make_shared<Qfnrws>());

        ChooseUserControl();
        ReadSpecification();
        SelectItems();
        SetMappingOrder();
        MapToSeveral();
        return Finish(Generate());
    } catch (const RunStop& stop) {
        if (!stop.message.empty())
            std::cerr << "qfwizard generate: " << stop.message << "\n";
        return Finish(stop.exitCode);
    } catch (const VbError& e) {
        std::cerr << "qfwizard generate: " << e.Description() << " (error " << e.Number() << ")\n";
        return Finish(kExitFailed);
    } catch (const std::exception& e) {
        // A fault of the surroundings (a temporary folder that cannot be
        // made, a file system error) ends the run like any other failure.
        std::cerr << "qfwizard generate: " << e.what() << "\n";
        return Finish(kExitFailed);
    }
}

int Run::Finish(int exitCode) {
    workFiles_.Restore();
    if (!wroteUserControl_)
        backup_.Restore();
    return exitCode;
}

}  // namespace

int RunGenerate(const GenerateRequest& request) {
    Run run(request);
    return run.Execute();
}

}  // namespace qfw::app
