#include "engine/ide/changed_components.h"

#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"

namespace qfw::ide {

std::vector<std::shared_ptr<VBComponent>> ChangedComponents(VBE& vbe) {
    std::vector<std::shared_ptr<VBComponent>> changed;
    auto projects = vbe.VBProjects();
    for (int32_t p = 1; p <= projects->Count(); ++p) {
        auto components = projects->Item(p)->VBComponents();
        for (int32_t c = 1; c <= components->Count(); ++c) {
            auto component = components->Item(c);
            if (component->IsDirty())
                changed.push_back(component);
        }
    }
    return changed;
}

}  // namespace qfw::ide
