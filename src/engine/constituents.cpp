// The constituent controls: their class names, mapping order, and the
// library file whose type information describes each of them.
#include <algorithm>
#include <cctype>

#include "engine/class_registrations.h"
#include "engine/ide/vb_control.h"
#include "engine/ide/vb_form.h"
#include "engine/wizard.h"
#include "platform/classes_root.h"
#include "platform/vb_error.h"

namespace qfw {

namespace {

// Blanks (not tabs) removed from both ends, as the runtime's Trim does.
std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The runtime's Left: a negative length is an invalid procedure call.
std::string Left(const std::string& text, int32_t length) {
    if (length < 0)
        throw VbError(kErrInvalidProcedureCall);
    return text.substr(0, static_cast<size_t>(length));
}

// The default value of a key under HKEY_CLASSES_ROOT, read as the original
// did: into a 2048-character buffer, blanks trimmed, and the last character
// (the terminating NUL the size counts) dropped. A missing key reads as an
// empty text, so dropping its last character fails with error 5.
std::string ReadDefaultValue(const std::string& key) {
    constexpr uint32_t kBufferSize = 2048;
    std::string text;
    RegKey handle;
    if (ClassesRoot().OpenKey(key, handle) == kErrorSuccess) {
        std::string buffer(kBufferSize, '\0');
        uint32_t size = kBufferSize;
        if (ClassesRoot().QueryValueEx(handle, "", nullptr,
                                       reinterpret_cast<uint8_t*>(buffer.data()),
                                       &size) == kErrorSuccess) {
            text = buffer.substr(0, size);
        }
    }
    text = Trim(text);
    return Left(text, static_cast<int32_t>(text.size()) - 1);
}

}  // namespace

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

bool FindControlLibrary(const ide::VBControl& control, const std::string& vbeFullName,
                        std::string& result) {
    // Every step runs even after an earlier one failed: a failure leaves its
    // description as the result, and a later step that succeeds replaces it.
    bool found = false;
    auto step = [&](auto&& action) {
        try {
            action();
        } catch (const VbError& e) {
            result = e.Description();
            found = false;
        }
    };
    const std::string& progId = control.ProgId();
    if (Left(progId, 2) == "VB") {
        step([&] {
            if (vbeFullName.empty()) throw VbError(kErrObjectNotSet);
            result = Left(vbeFullName, static_cast<int32_t>(vbeFullName.size()) - 3) + "OLB";
            found = true;
        });
        return found;
    }

    std::string key;
    std::string clsid;
    step([&] { key = ConstituentClassKey(progId, control.ClassName()); });
    step([&] { clsid = ReadDefaultValue(key); });
    step([&] {
        result = ReadDefaultValue("CLSID\\" + clsid + "\\InprocServer32");
        found = true;
    });
    return found;
}

}  // namespace qfw
