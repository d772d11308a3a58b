// The components a run changed: what a front end saves when the run has
// generated code, and what it lists in a dry run.
#pragma once

#include <memory>
#include <vector>

namespace qfw::ide {

class VBE;
class VBComponent;

// The components of every loaded project whose code module changed since
// loading or the last save, in project and component order.
std::vector<std::shared_ptr<VBComponent>> ChangedComponents(VBE& vbe);

}  // namespace qfw::ide
