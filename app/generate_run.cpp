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
#include "platform/classes_root.h"
#include "platform/file_ops.h"
#include "platform/shell.h"
#include "platform/short_date.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"
#include "scratch_copy.h"
#include "unified_diff.h"

namespace qfw::app {

namespace {

// Ends the run with an exit code; an empty message means the reason was
// already shown.
struct RunStop {
    int exitCode;
    std::string message;
};

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

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        parts.push_back(std::string(Trim(text.substr(start, comma - start), " \t")));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return parts;
}

std::string JoinList(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text.empty() ? "(none)" : text;
}

// ---- Option values ----

struct ItemChoice {
    int16_t kind;
    std::string text;
};

struct MultiMapChoice {
    int16_t kind;
    std::vector<std::string> classes;
    std::string text;
};

const char* const kKindNames[] = {"property", "method", "event"};

int16_t ParseKind(const std::string& word, const std::string& option) {
    std::string lower = word;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (int16_t kind = 0; kind < 3; ++kind) {
        if (lower == kKindNames[kind])
            return kind;
    }
    throw RunStop{kExitUsage,
                  option + ": \"" + word + "\" is no item kind (property, method or event)"};
}

ItemChoice ParseSelection(const std::string& value) {
    const size_t colon = value.find(':');
    if (colon == std::string::npos || colon + 1 == value.size())
        throw RunStop{kExitUsage, "--select " + value + ": expected KIND:TEXT"};
    return {ParseKind(value.substr(0, colon), "--select"), value.substr(colon + 1)};
}

MultiMapChoice ParseMultiMap(const std::string& value) {
    const size_t first = value.find(':');
    const size_t second = first == std::string::npos ? first : value.find(':', first + 1);
    if (second == std::string::npos || second + 1 == value.size())
        throw RunStop{kExitUsage, "--map " + value + ": expected KIND:CLASS,CLASS,...:TEXT"};
    MultiMapChoice choice{ParseKind(value.substr(0, first), "--map"),
                          SplitList(value.substr(first + 1, second - first - 1)),
                          value.substr(second + 1)};
    if (choice.classes.size() < 2)
        throw RunStop{kExitUsage, "--map " + value + ": name two or more constituent classes"};
    return choice;
}

std::optional<std::chrono::year_month_day> ParseDate(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    int year = 0;
    unsigned month = 0, day = 0;
    char dash1 = 0, dash2 = 0;
    if (text.size() == 10 &&
        std::sscanf(text.c_str(), "%4d%c%2u%c%2u", &year, &dash1, &month, &dash2, &day) == 5 &&
        dash1 == '-' && dash2 == '-') {
        const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                               std::chrono::day{day}};
        if (date.ok())
            return date;
    }
    throw RunStop{kExitUsage, "--date " + text + ": expected a date as YYYY-MM-DD"};
}

// ---- Item texts ----

// The member name an item text starts with ("Caption As String", "Move (Left
// As Single)").
std::string MemberName(const std::string& text) {
    return text.substr(0, text.find_first_of(" ("));
}

// The item of `texts` that `wanted` names: the identical text, else the one
// item whose member name it is.
std::optional<std::string> FindItem(const std::vector<std::string>& texts,
                                    const std::string& wanted) {
    if (std::find(texts.begin(), texts.end(), wanted) != texts.end())
        return wanted;
    for (const std::string& text : texts) {
        if (MemberName(text) == wanted)
            return text;
    }
    return std::nullopt;
}

// ---- Steps ----

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
    std::string SpecLibrary() const;
    void ReadSpecification();
    void SelectItems();
    void SetMappingOrder();
    void MapToSeveral();
    int Generate();
    void ForEachChangedComponent(const std::function<void(ide::VBComponent&)>& action);
    void SaveChanges();
    void PrintChanges();

    const GenerateRequest& request_;
    GenerateShell shell_;
    std::unique_ptr<ScratchCopy> scratch_;
    std::shared_ptr<ide::VBE> vbe_;
    Wizard wizard_;
    objControl spec_;
};

std::shared_ptr<ide::VBE> Run::LoadProjects(const std::vector<std::string>& unixFiles) {
    auto vbe = ide::VBE::Create();
    try {
        for (const std::string& file : unixFiles) {
            const std::string absolute = std::filesystem::absolute(file).lexically_normal();
            vbe->VBProjects()->AddFromFile(UnixToWindows(absolute));
        }
    } catch (const VbError& e) {
        throw RunStop{kExitInput, e.Description() + " (error " + std::to_string(e.Number()) + ")"};
    }
    return vbe;
}

// Copies every file of the loaded projects and loads the copies instead.
std::shared_ptr<ide::VBE> Run::CopyForDryRun(ide::VBE& original) {
    scratch_ = std::make_unique<ScratchCopy>();
    std::vector<std::string> copies;
    try {
        for (const std::string& file : request_.files)
            copies.push_back(scratch_->Add(file));
        auto projects = original.VBProjects();
        for (int32_t p = 1; p <= projects->Count(); ++p) {
            auto project = projects->Item(p);
            scratch_->Add(WindowsToUnix(project->FileName()));
            auto components = project->VBComponents();
            for (int32_t c = 1; c <= components->Count(); ++c) {
                auto component = components->Item(c);
                for (int16_t f = 1; f <= component->FileCount(); ++f) {
                    if (!component->FileNames(f).empty())
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
            return Trim(name, " \t") == Trim(request_.project, " \t");
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
    if (userControlCount == 0)
        Stop(kMsgNoUserControl, kExitInput);
    std::string userControl = userControls.front();
    if (!request_.userControl.empty()) {
        auto found =
            std::find_if(userControls.begin(), userControls.end(), [&](const std::string& name) {
                return Trim(name, " \t") == Trim(request_.userControl, " \t");
            });
        if (found == userControls.end()) {
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
    vbe_->ActiveVBProject(vbe_->VBProjects()->Item(static_cast<int32_t>(position) + 1));
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
        ReadSpecificationItems(spec_, {interfaces[chosen]}, static_cast<int16_t>(chosen));
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
    if (spec_.SelectedPropertyCount() == 0 && spec_.SelectedMethodCount() == 0 &&
        spec_.SelectedEventCount() == 0)
        Stop(kMsgNothingSelected, kExitUsage);
}

void Run::SetMappingOrder() {
    if (request_.order.empty())
        return;
    std::vector<std::string> constituents;
    wizard_.GetConstituentList(constituents);
    const std::vector<std::string> order = SplitList(request_.order);
    for (size_t i = 0; i < order.size(); ++i) {
        if (std::find(constituents.begin(), constituents.end(), order[i]) == constituents.end() ||
            std::find(order.begin(), order.begin() + static_cast<ptrdiff_t>(i), order[i]) !=
                order.begin() + static_cast<ptrdiff_t>(i)) {
            throw RunStop{kExitUsage, "--order: \"" + order[i] +
                                          "\" is no constituent class or comes twice; the "
                                          "constituents are: " +
                                          JoinList(constituents)};
        }
        wizard_.SetConstituentMappingOrder(order[i], static_cast<int16_t>(i + 1));
    }
}

void Run::MapToSeveral() {
    std::vector<std::string> constituents;
    wizard_.GetConstituentList(constituents);
    for (const std::string& value : request_.multiMaps) {
        const MultiMapChoice choice = ParseMultiMap(value);
        for (const std::string& className : choice.classes) {
            if (std::find(constituents.begin(), constituents.end(), className) ==
                constituents.end()) {
                throw RunStop{kExitUsage, "--map " + value + ": \"" + className +
                                              "\" is no constituent class; the constituents are: " +
                                              JoinList(constituents)};
            }
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
    int32_t result = 0;
    try {
        result = wizard_.BuildItemList(spec_);
    } catch (const VbError& e) {
        result = e.Number();
    }
    if (result != 0) {
        CurrentShell().MsgBox(
            "The following error was encountered while attempting to generate procedures: " +
                std::to_string(result) + ". Please contact support.",
            vbOKCancel, "");
    }
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
            if (component->IsDirty())
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
        Status("Saved " + WindowsToUnix(component.FileNames(1)));
    });
}

void Run::PrintChanges() {
    ForEachChangedComponent([this](ide::VBComponent& component) {
        const std::string copy = WindowsToUnix(component.FileNames(1));
        const std::string label = scratch_->OriginalOf(copy);
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
        if (request_.selections.empty() && !request_.selectAll)
            throw RunStop{kExitUsage, "choose items with --select KIND:TEXT or --select-all"};
        std::optional<ScopedToday> today;
        if (date)
            today.emplace(*date);

        request_.registry.ApplyWinePrefix();
        auto original = LoadProjects(request_.files);
        std::vector<std::string> warnings;
        RegistryView view;
        try {
            view = request_.registry.Load(*original, warnings);
        } catch (const RegistryFileError& e) {
            throw RunStop{kExitInput, e.what()};
        }
        for (const std::string& warning : warnings)
            std::cerr << "qfwizard generate: " << warning << "\n";
        ScopedClassesRoot classesRoot(view);

        vbe_ = request_.dryRun ? CopyForDryRun(*original) : original;
        wizard_.SetVBInst(vbe_);
        SharedBrowser().BrowserControl(std::make_shared<Qfnrws>());

        ChooseUserControl();
        ReadSpecification();
        SelectItems();
        SetMappingOrder();
        MapToSeveral();
        return Generate();
    } catch (const RunStop& stop) {
        if (!stop.message.empty())
            std::cerr << "qfwizard generate: " << stop.message << "\n";
        return stop.exitCode;
    } catch (const VbError& e) {
        std::cerr << "qfwizard generate: " << e.Description() << " (error " << e.Number() << ")\n";
        return kExitFailed;
    }
}

}  // namespace

int RunGenerate(const GenerateRequest& request) {
    Run run(request);
    return run.Execute();
}

}  // namespace qfw::app
