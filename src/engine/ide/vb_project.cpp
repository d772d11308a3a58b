#include "engine/ide/vb_project.h"

#include "engine/ide/project_file.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"

namespace qfw::ide {

VBProject::VBProject(std::weak_ptr<ide::VBE> vbe, std::string name, std::string fileName)
    : vbe_(std::move(vbe)), Name_(std::move(name)), FileName_(std::move(fileName)) {}

VBProject::~VBProject() = default;

std::vector<std::string> VBProject::ObjectLines() const {
    return file_ ? file_->Values("Object") : std::vector<std::string>{};
}

std::vector<std::string> VBProject::ReferenceLines() const {
    return file_ ? file_->Values("Reference") : std::vector<std::string>{};
}

bool VBProject::IsDirty() const {
    for (int32_t i = 1; i <= components_->Count(); ++i) {
        if (components_->Item(i)->IsDirty())
            return true;
    }
    return false;
}

void VBProject::Save() {
    for (int32_t i = 1; i <= components_->Count(); ++i) {
        const auto component = components_->Item(i);
        if (component->IsDirty() && !component->FileNames(1).empty())
            component->Save();
    }
}

}  // namespace qfw::ide
