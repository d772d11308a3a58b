#include "engine/ide/vb_projects.h"

#include <algorithm>

#include "engine/ide/code_lines.h"
#include "engine/ide/project_file.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vbe.h"
#include "platform/file_ops.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw::ide {

namespace {

int32_t ProjectTypeCode(const std::string& type) {
    const std::string t = AsciiLower(type);
    if (t == "oleexe")
        return 1;
    if (t == "oledll")
        return 2;
    if (t == "control")
        return 3;
    return 0;
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           AsciiLower(text.substr(text.size() - suffix.size())) == AsciiLower(suffix);
}

}  // namespace

VBProjects::VBProjects(std::weak_ptr<ide::VBE> vbe) : vbe_(std::move(vbe)) {}

int32_t VBProjects::Count() const {
    return static_cast<int32_t>(projects_.size());
}

std::shared_ptr<VBProject> VBProjects::Item(int32_t index) const {
    if (index < 1 || index > Count())
        throw VbError(kErrSubscriptOutOfRange);
    return projects_[static_cast<size_t>(index - 1)];
}

std::shared_ptr<VBProject> VBProjects::Item(const std::string& name) const {
    const std::string wanted = AsciiLower(name);
    for (const auto& project : projects_) {
        if (AsciiLower(project->Name()) == wanted)
            return project;
    }
    throw VbError(kErrSubscriptOutOfRange);
}

std::shared_ptr<ide::VBE> VBProjects::VBE() const {
    return vbe_.lock();
}

std::shared_ptr<VBProject> VBProjects::AddNew(const std::string& name,
                                              const std::string& fileName) {
    auto project = std::make_shared<VBProject>(vbe_, name, fileName);
    project->components_ = std::make_shared<ide::VBComponents>(project);
    Add(project);
    return project;
}

void VBProjects::Add(std::shared_ptr<VBProject> project) {
    projects_.push_back(std::move(project));
}

void VBProjects::Remove(const std::shared_ptr<VBProject>& project) {
    projects_.erase(std::remove(projects_.begin(), projects_.end(), project), projects_.end());
}

std::shared_ptr<VBProject> VBProjects::LoadProject(const std::weak_ptr<ide::VBE>& vbe,
                                                   const std::string& winPath) {
    const std::string fullPath = NormalizeWindowsPath(winPath);
    ProjectFile file = ProjectFile::Parse(ReadFileBytes(fullPath), fullPath);
    std::string name = file.UnquotedValue("Name");
    if (name.empty())
        name = "Project1";
    auto project = std::make_shared<VBProject>(vbe, name, fullPath);
    project->components_ = std::make_shared<ide::VBComponents>(project);
    project->Type_ = ProjectTypeCode(file.Value("Type"));
    const std::string folder = WindowsFolderOf(fullPath);
    for (const ProjectItem& item : file.Items()) {
        const std::string path = CombineWindowsPath(folder, item.path);
        if (item.type == vbext_ct_RelatedDocument) {
            project->components_->Append(
                std::make_shared<VBComponent>(item.type, WindowsFileNameOf(path), path));
            continue;
        }
        if (!FileExists(path)) {
            project->missing_.push_back(
                {item.type, path,
                 fullPath + ": line " + std::to_string(item.line) + ": file not found: " + path});
            continue;
        }
        std::string fallback = item.name;
        if (fallback.empty()) {
            fallback = WindowsFileNameOf(path);
            fallback = fallback.substr(0, fallback.find_last_of('.'));
        }
        project->components_->AddFromText(item.type, ReadFileBytes(path), path, fallback);
    }
    project->file_ = std::make_unique<ProjectFile>(std::move(file));
    return project;
}

std::vector<std::shared_ptr<VBProject>> VBProjects::AddFromFile(const std::string& winPath) {
    std::vector<std::shared_ptr<VBProject>> loaded;
    const std::string fullPath = NormalizeWindowsPath(winPath);
    if (EndsWithNoCase(fullPath, ".vbg")) {
        const GroupFile group = GroupFile::Parse(ReadFileBytes(fullPath), fullPath);
        const std::string folder = WindowsFolderOf(fullPath);
        for (const auto& member : group.projects) {
            const std::string path = CombineWindowsPath(folder, member.path);
            if (!FileExists(path)) {
                throw VbError(kErrFileNotFound, fullPath + ": line " + std::to_string(member.line) +
                                                    ": file not found: " + path);
            }
            loaded.push_back(LoadProject(vbe_, path));
        }
    } else {
        loaded.push_back(LoadProject(vbe_, fullPath));
    }
    for (const auto& project : loaded)
        Add(project);
    return loaded;
}

}  // namespace qfw::ide
