#include "engine/ide/vbe.h"

#include "engine/ide/vb_projects.h"

namespace qfw::ide {

VBE::VBE(std::string fullName) : FullName_(std::move(fullName)) {}

VBE::~VBE() = default;

}  // namespace qfw::ide
