#include "engine/ide/vbe.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "platform/win_path.h"

namespace qfw::ide {

VBE::VBE(std::string fullName) : FullName_(std::move(fullName)) {}

VBE::~VBE() = default;

std::shared_ptr<VBE> VBE::Create(const std::string& fullName) {
    return std::make_shared<VBE>(fullName.empty() ? DefaultFullName() : fullName);
}

std::string DataFolder() {
    if (const char* env = std::getenv("QFW_DATA_DIR"); env != nullptr && *env != '\0')
        return env;
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        for (const char* relative : {"../share/qfwizard", "data"}) {
            const std::filesystem::path folder = (exe.parent_path() / relative).lexically_normal();
            if (std::filesystem::exists(folder / "VB6.OLB", error))
                return folder.string();
        }
    }
    return QFW_DATA_DIR;
}

std::string VBE::DefaultFullName() {
    return UnixToWindows(DataFolder()) + "\\VB6.EXE";
}

std::shared_ptr<VBProjects> VBE::VBProjects() {
    if (!projects_)
        projects_ = std::make_shared<ide::VBProjects>(weak_from_this());
    return projects_;
}

std::shared_ptr<VBProject> VBE::ActiveVBProject() const {
    if (!projects_ || projects_->Count() == 0)
        return nullptr;
    if (auto active = active_.lock()) {
        for (int32_t i = 1; i <= projects_->Count(); ++i) {
            if (projects_->Item(i) == active)
                return active;
        }
    }
    return projects_->Item(1);
}

void VBE::ActiveVBProject(std::shared_ptr<VBProject> project) {
    active_ = project;
}

}  // namespace qfw::ide
