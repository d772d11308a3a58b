// Wizard: the engine. One object holds everything the wizard knows about the
// user's project and UserControl; discovery, item lists and code generation
// are its operations (the code-generation ones live in src/generation/).
//
// Contract: a fresh engine has empty strings, zero counts and Result 0. Its
// state carries over from one wizard run to the next until a run sets it
// anew. The engine never owns the environment: VBInst is a shared reference
// that SetVBInst replaces.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/ide/vbe.h"
#include "model/obj_control.h"

namespace qfw {

class Browser;

class Wizard {
public:
    // Keeps the environment's root object; later walks start from it.
    void SetVBInst(std::shared_ptr<ide::VBE> VBInst) { this->VBInst = std::move(VBInst); }

    const std::string& ProjectName() const { return ProjectName_; }
    void ProjectName(const std::string& value) { ProjectName_ = value; }
    int16_t ProjectCount() const { return ProjectCount_; }
    void ProjectCount(int16_t value) { ProjectCount_ = value; }
    int16_t ObjectCount() const { return ObjectCount_; }
    void ObjectCount(int16_t value) { ObjectCount_ = value; }
    const std::string& iName() const { return iName_; }
    void iName(const std::string& value) { iName_ = value; }
    const std::string& Documentation() const { return Documentation_; }
    void Documentation(const std::string& value) { Documentation_ = value; }
    int16_t Result() const { return Result_; }
    const std::string& UserControlFileName() const { return UserControlFileName_; }

private:
    std::shared_ptr<ide::VBE> VBInst;
    std::shared_ptr<ide::VBForm> UserControlDesigner;
    std::vector<std::shared_ptr<ide::VBControl>> ConstituentControls;
    std::shared_ptr<Browser> ConstituentBrowser;
    std::vector<objControl> ConstituentRecords;
    std::string ProjectName_;
    std::string UserControlName_;
    std::string UserControlFileName_;
    int16_t ProjectCount_ = 0;
    int16_t ObjectCount_ = 0;
    std::string iName_;
    std::string Documentation_;
    int16_t Result_ = 0;
};

}  // namespace qfw
