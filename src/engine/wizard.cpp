#include "engine/wizard.h"

#include "platform/text_codec.h"

namespace qfw {

void Wizard::AddEnumerationTypes(const std::vector<std::string>& sTypes) {
    for (const std::string& type : sTypes)
        EnumerationTypes_.insert(AsciiLower(Trim(type)));
}

bool Wizard::IsEnumerationType(const std::string& sType) const {
    return EnumerationTypes_.count(AsciiLower(Trim(sType))) > 0;
}

}  // namespace qfw
