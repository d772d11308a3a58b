// The two item lists the multiple-constituent mapping page shows for a set of
// constituents, shared with the headless run's --map.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/wizard.h"

namespace qfw {

// From GetItemList for kind iType and the constituents sClasses: the items
// already mapped to all of them (`mapped`) and the others (`others`), each
// kept only where it equals a selected item of `spec`, once for every such
// item; items the author did not choose are not offered.
void MultiMapLists(const Wizard& wizard, const objControl& spec, int16_t iType,
                   const std::vector<std::string>& sClasses, std::vector<std::string>& mapped,
                   std::vector<std::string>& others);

}  // namespace qfw
