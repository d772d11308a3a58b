#include "pages/save_changes.h"

#include "engine/ide/changed_components.h"
#include "engine/ide/vb_component.h"
#include "platform/shell.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"

namespace qfw::pages {

bool SaveChangedComponents(ide::VBE& vbe, std::ostream& log) {
    bool saved = true;
    for (const auto& component : ide::ChangedComponents(vbe)) {
        const std::string file = WindowsToUnix(component->FileNames(1));
        try {
            component->Save();
            log << "Saved " << file << "\n";
        } catch (const VbError& e) {
            const std::string message = "cannot save " + file + ": " + e.Description() +
                                        " (error " + std::to_string(e.Number()) + ")";
            log << "qfwizard: " << message << "\n";
            CurrentShell().MsgBox(message, vbOKOnly | vbCritical, "");
            saved = false;
        }
    }
    return saved;
}

}  // namespace qfw::pages
