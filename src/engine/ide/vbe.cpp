#include "engine/ide/vbe.h"

#include <algorithm>
#include <cstdlib>

#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "platform/win_path.h"

namespace qfw::ide {

VBE::VBE(std::string fullName) : FullName_(std::move(fullName)) {}

VBE::~VBE() = default;

std::shared_ptr<VBE> VBE::Create(const std::string& fullName) {
    return std::make_shared<VBE>(fullName.empty() ? DefaultFullName() : fullName);
}

std::string VBE::DefaultFullName() {
    const char* env = std::getenv("QFW_DATA_DIR");
    const std::string dataDir = (env != nullptr && *env != '\0') ? env : QFW_DATA_DIR;
    return UnixToWindows(dataDir) + "\\VB6.EXE";
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
