// The constituent controls: their class names, mapping order, and the
// library file whose type information describes each of them.
#include "engine/class_registrations.h"
#include "engine/ide/vb_control.h"
#include "engine/ide/vb_form.h"
#include "engine/wizard.h"
#include "platform/vb_error.h"

namespace qfw {

int16_t Wizard::ConstituentIndexOf(const std::string& sClassName) const {
    for (size_t k = 0; k < ConstituentControls.size(); ++k) {
        if (ConstituentControls[k]->ClassName() == sClassName)
            return static_cast<int16_t>(k);
    }
    return -1;
}

int16_t Wizard::GetConstituentCount() const {
    return static_cast<int16_t>(ConstituentControls.size());
}

int16_t Wizard::GetConstituentList(std::vector<std::string>& sConstituentList) const {
    sConstituentList.clear();
    for (const auto& control : ConstituentControls)
        sConstituentList.push_back(control->ClassName());
    return 0;
}

bool Wizard::SetConstituentMappingOrder(const std::string& sClassName, int16_t iOrder) {
    const int16_t k = ConstituentIndexOf(sClassName);
    if (k >= 0 && static_cast<size_t>(k) < ConstituentRecords.size()) {
        ConstituentRecords[static_cast<size_t>(k)]->MappingOrder(iOrder);
    }
    return true;
}

std::string Wizard::GetConstituentFileName(int16_t Index) const {
    std::string fileName;
    FindConstituentLibrary(Index, fileName);
    return fileName;
}

bool Wizard::FindConstituentLibrary(int16_t Index, std::string& result) const {
    if (Index < 0 || static_cast<size_t>(Index) >= ConstituentControls.size()) {
        result = ErrorDescription(kErrSubscriptOutOfRange);
        return false;
    }
    const ide::VBE* vbe = UserControlDesigner ? UserControlDesigner->VBE().get() : nullptr;
    return FindControlLibrary(*ConstituentControls[static_cast<size_t>(Index)],
                              vbe ? vbe->FullName() : std::string(), result);
}

}  // namespace qfw
