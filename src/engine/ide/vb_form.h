// VBForm: the designer of a form-like component, read from the file's
// `Begin Library.Class Name ... End` block; VBControls: its controls.
//
// VBControls lists every control of the designer, nested ones included, in
// file order (a container's children follow the container). A control array
// gives one control per element, all with the same name. The designer is a
// snapshot of the file as loaded; the program never edits designers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qfw::ide {

class VBE;
class VBControl;

class VBControls {
  public:
    explicit VBControls(std::vector<std::shared_ptr<VBControl>> controls);

    int32_t Count() const;
    // Position from 1 to Count; anything else raises VbError 9.
    std::shared_ptr<VBControl> Item(int32_t index) const;
    // The first control with that name (letter case ignored); VbError 9 when
    // there is none.
    std::shared_ptr<VBControl> Item(const std::string& name) const;

  private:
    std::vector<std::shared_ptr<VBControl>> controls_;
};

class VBForm {
  public:
    VBForm(std::weak_ptr<ide::VBE> vbe, std::string progId, std::string name,
           std::vector<std::shared_ptr<VBControl>> controls);

    // The root object the designer belongs to (null once it is gone).
    std::shared_ptr<ide::VBE> VBE() const { return vbe_.lock(); }
    std::shared_ptr<ide::VBControls> VBControls() const { return controls_; }

    // The root block's "Library.Class" (VB.UserControl, VB.Form ...) and name.
    const std::string& ProgId() const { return progId_; }
    const std::string& Name() const { return name_; }

  private:
    std::weak_ptr<ide::VBE> vbe_;
    std::string progId_;
    std::string name_;
    std::shared_ptr<ide::VBControls> controls_;
};

}  // namespace qfw::ide
