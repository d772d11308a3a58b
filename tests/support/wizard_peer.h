// Reaches the engine's private state, so that operations can be tested on
// state built by hand: the constituents and records discovery fills, the
// project and UserControl generation writes into, the private operations.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/ide/vb_control.h"
#include "engine/ide/vb_form.h"
#include "engine/wizard.h"

namespace qfw {

struct WizardTestPeer {
    static std::shared_ptr<ide::VBControl> Control(const std::string& progId,
                                                   const std::string& name) {
        auto properties =
            std::make_shared<ide::Properties>(std::vector<std::shared_ptr<ide::Property>>{
                std::make_shared<ide::Property>("Name", name)});
        return std::make_shared<ide::VBControl>(progId, properties, 1);
    }

    // Constituents with the given ProgIds and names, and fresh records.
    static void SetConstituents(Wizard& w,
                                const std::vector<std::pair<std::string, std::string>>& controls,
                                std::shared_ptr<ide::VBE> vbe = nullptr) {
        w.ConstituentControls.clear();
        w.ConstituentRecords.clear();
        for (const auto& [progId, name] : controls) {
            w.ConstituentControls.push_back(Control(progId, name));
            w.ConstituentRecords.push_back(std::make_shared<objControl>());
        }
        w.UserControlDesigner =
            std::make_shared<ide::VBForm>(vbe, "VB.UserControl", "Ctl", w.ConstituentControls);
    }

    static objControl& Record(Wizard& w, size_t k) { return *w.ConstituentRecords.at(k); }

    static void Target(Wizard& w, const std::string& project, const std::string& userControl,
                       const std::string& fileName) {
        w.ProjectName_ = project;
        w.UserControlName_ = userControl;
        w.UserControlFileName_ = fileName;
    }
    static bool Merge(Wizard& w, int16_t kind, const std::string& name,
                      const std::string& parameters, const std::string& token, bool useSet,
                      const std::string& control, const std::string& type) {
        return w.MergeProcedure(kind, name, parameters, token, useSet, control, type);
    }

    static void SortItems(std::vector<std::string>& items, int16_t first, int16_t last) {
        Wizard::SortItems(items, first, last);
    }
    static int16_t RemoveDuplicateItems(const std::vector<std::string>& source,
                                        std::vector<std::string>& destination) {
        return Wizard::RemoveDuplicateItems(source, destination);
    }
};

}  // namespace qfw
