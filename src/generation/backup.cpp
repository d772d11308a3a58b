// CreateUserControlBackup and GetVBLibs: the copy of the UserControl's file
// taken before generation, and the environment's own type libraries.
#include <string>
#include <vector>

#include "engine/ide/vbe.h"
#include "engine/wizard.h"
#include "platform/file_ops.h"
#include "platform/vb_error.h"

namespace qfw {

namespace {

// The runtime's Left(text, Len(text) - cut): too short a text is an invalid
// procedure call.
std::string WithoutLast(const std::string& text, size_t cut) {
    if (text.size() < cut)
        throw VbError(kErrInvalidProcedureCall);
    return text.substr(0, text.size() - cut);
}

}  // namespace

int16_t Wizard::CreateUserControlBackup() {
    if (UserControlFileName_.empty())
        return 0;
    try {
        // The last three characters are replaced whatever they are, so
        // MyCtl.ctl gives MyCtl.QFN and MyCtl.x gives MyCtQFN.
        const std::string backup = WithoutLast(UserControlFileName_, 3) + "QFN";
        CopyFile(UserControlFileName_, backup);
        return 0;
    } catch (const VbError& e) {
        return static_cast<int16_t>(e.Number());
    }
}

int32_t Wizard::GetVBLibs(std::vector<std::string>& sLibs) {
    try {
        if (!VBInst)
            throw VbError(kErrObjectNotSet);
        const std::string& fullName = VBInst->FullName();
        std::vector<std::string> libs{WithoutLast(fullName, 3) + "OLB",
                                      WithoutLast(fullName, 4) + "EXT.OLB"};
        sLibs = std::move(libs);
        return 0;
    } catch (const VbError& e) {
        return e.Number();
    }
}

}  // namespace qfw
