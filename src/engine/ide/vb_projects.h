// VBProjects: the loaded projects, in load order.
//
// Item takes a position from 1 to Count or a project Name (compared without
// regard to letter case, as the environment does); any other key raises
// VbError 9. Loading never half-loads: a file that cannot be read or
// understood raises a VbError naming the file and line, and no project of
// that call is added.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qfw::ide {

class VBE;
class VBProject;

class VBProjects {
  public:
    explicit VBProjects(std::weak_ptr<ide::VBE> vbe);

    int32_t Count() const;
    std::shared_ptr<VBProject> Item(int32_t index) const;
    std::shared_ptr<VBProject> Item(const std::string& name) const;
    std::shared_ptr<ide::VBE> VBE() const;

    // Loads a .vbp (one project) or a .vbg (its projects in group order) by
    // its Windows path; returns the projects added. Raises VbError: 53/76 for
    // a missing file (the project file or a component file it names), 321
    // for text that is not a project, group or component file, each with a
    // description "<file>: line <n>: <problem>".
    std::vector<std::shared_ptr<VBProject>> AddFromFile(const std::string& winPath);

    // A new, empty project held in memory. `fileName` is the path property;
    // empty for a project that was never saved.
    std::shared_ptr<VBProject> AddNew(const std::string& name, const std::string& fileName = "");

    // Removes a project from the collection (its files are not touched).
    void Remove(const std::shared_ptr<VBProject>& project);

  private:
    void Add(std::shared_ptr<VBProject> project);
    // Reads one .vbp and every component file it names into a project that
    // is not yet in the collection.
    static std::shared_ptr<VBProject> LoadProject(const std::weak_ptr<ide::VBE>& vbe,
                                                  const std::string& winPath);

    std::weak_ptr<ide::VBE> vbe_;
    std::vector<std::shared_ptr<VBProject>> projects_;
};

}  // namespace qfw::ide
