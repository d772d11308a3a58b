// VBE: the root of the environment's object model, as the engine sees it.
//
// The engine reaches every project, component and code module through this
// object. It is shared by reference: the host keeps it alive as long as the
// environment runs, and the engine holds a reference from SetVBInst on.
#pragma once

#include <string>
#include <utility>

namespace qfw::ide {

class VBE {
public:
    explicit VBE(std::string fullName) : FullName_(std::move(fullName)) {}

    // Path of the environment's executable; the rules that derive the
    // environment's own libraries from it look beside this file.
    const std::string& FullName() const { return FullName_; }

private:
    std::string FullName_;
};

// Designer and control objects, defined with the project files.
class VBForm;
class VBControl;

}  // namespace qfw::ide
