// VBProject: one project, read from its .vbp file (or built in memory).
//
// Name is the project's Name= value (quotes removed); a file without one is
// "Project1", as the environment names it. FileName is the full Windows path
// of the .vbp (the "path property" the engine cuts at its last backslash to
// find the project folder); empty for a project never saved.
//
// The .vbp itself is kept line by line, unknown keys and sections included;
// the program never rewrites it. Saving a project saves its changed
// components (see VBComponent::Save).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qfw::ide {

class VBE;
class VBComponents;
class ProjectFile;

class VBProject {
  public:
    VBProject(std::weak_ptr<ide::VBE> vbe, std::string name, std::string fileName);
    ~VBProject();

    const std::string& Name() const { return Name_; }
    void Name(const std::string& value) { Name_ = value; }

    // Full Windows path of the project file; empty when never saved.
    const std::string& FileName() const { return FileName_; }

    // vbext_ProjectType from the Type= key: 0 Exe, 1 OleExe, 2 OleDll,
    // 3 Control (0 when the key is missing or unknown).
    int32_t Type() const { return Type_; }

    std::shared_ptr<ide::VBComponents> VBComponents() const { return components_; }
    std::shared_ptr<ide::VBE> VBE() const { return vbe_.lock(); }

    // The project file's Object= and Reference= values, in file order, as
    // written (e.g. "{831FDD16-...}#2.0#0; MSCOMCTL.OCX").
    std::vector<std::string> ObjectLines() const;
    std::vector<std::string> ReferenceLines() const;

    // A component file the project file lists that was not on disk when the
    // project was loaded. The environment offers to load the rest, and so do
    // we; `message` names the project file, its line and the missing file.
    struct MissingFile {
        int32_t type;
        std::string path;
        std::string message;
    };
    const std::vector<MissingFile>& MissingFiles() const { return missing_; }

    // The parsed project file; null for a project built in memory.
    const ProjectFile* File() const { return file_.get(); }

    // True when any component has unsaved changes.
    bool IsDirty() const;

    // Saves every changed component that has a file; see VBComponent::Save.
    // Stops at the first failure, which is raised.
    void Save();

  private:
    friend class VBProjects;

    std::weak_ptr<ide::VBE> vbe_;
    std::string Name_;
    std::string FileName_;
    int32_t Type_ = 0;
    std::shared_ptr<ide::VBComponents> components_;
    std::unique_ptr<ProjectFile> file_;
    std::vector<MissingFile> missing_;
};

}  // namespace qfw::ide
