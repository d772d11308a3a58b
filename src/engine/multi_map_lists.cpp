#include "engine/multi_map_lists.h"

namespace qfw {

namespace {

std::vector<std::string> SelectedInSpec(const objControl& spec, int16_t iType,
                                        const std::vector<std::string>& texts) {
    std::vector<std::string> offered;
    for (const std::string& text : texts) {
        for (int16_t j = 0; j < spec.ItemCount(iType); ++j) {
            if (spec.Item(iType, j) == text && spec.ItemSelected(iType, j))
                offered.push_back(text);
        }
    }
    return offered;
}

}  // namespace

void MultiMapLists(const Wizard& wizard, const objControl& spec, int16_t iType,
                   const std::vector<std::string>& sClasses, std::vector<std::string>& mapped,
                   std::vector<std::string>& others) {
    std::vector<std::string> allMapped, allOthers;
    // The result is not used: a failed listing offers what it listed.
    wizard.GetItemList(iType, sClasses, allMapped, allOthers);
    mapped = SelectedInSpec(spec, iType, allMapped);
    others = SelectedInSpec(spec, iType, allOthers);
}

}  // namespace qfw
