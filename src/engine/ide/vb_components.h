// VBComponents: the components of one project, in project-file order.
//
// Item takes a position from 1 to Count or a component Name (compared without
// regard to letter case); any other key raises VbError 9.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qfw::ide {

class VBE;
class VBProject;
class VBComponent;

class VBComponents : public std::enable_shared_from_this<VBComponents> {
  public:
    explicit VBComponents(std::weak_ptr<VBProject> project);

    int32_t Count() const;
    std::shared_ptr<VBComponent> Item(int32_t index) const;
    std::shared_ptr<VBComponent> Item(const std::string& name) const;

    std::shared_ptr<VBProject> Parent() const { return project_.lock(); }
    std::shared_ptr<ide::VBE> VBE() const;

    // Reads an existing component file (Windows path) of the given
    // vbext_ComponentType and appends it. Raises VbError (file errors, 321
    // for malformed text) naming the file and line; nothing is added then.
    std::shared_ptr<VBComponent> AddFile(const std::string& winPath, int32_t componentType);

    // A component parsed from the text of a component file, as if read from
    // `fileName`; an empty `fileName` makes a component that was never saved
    // (FileNames(1) is empty). `defaultName` names it when the text carries
    // no VB_Name attribute. Raises VbError 321 for malformed text.
    std::shared_ptr<VBComponent> AddFromText(int32_t componentType, const std::string& text,
                                             const std::string& fileName = "",
                                             const std::string& defaultName = "");

    // A new, empty, never-saved component of the given type, named like the
    // environment names new ones (UserControl1, Form1, Module1, Class1 ...).
    std::shared_ptr<VBComponent> Add(int32_t componentType);

  private:
    friend class VBProjects;
    std::shared_ptr<VBComponent> Append(std::shared_ptr<VBComponent> component);

    std::weak_ptr<VBProject> project_;
    std::vector<std::shared_ptr<VBComponent>> components_;
};

}  // namespace qfw::ide
