// VBE: the root of the environment's object model, as the engine sees it.
//
// The engine reaches every project, component and code module through this
// object. It is shared by reference: the host keeps it alive as long as the
// environment runs, and the engine holds a reference from SetVBInst on.
// Always create it with VBE::Create (or std::make_shared): its collections
// hand out references back to it.
//
// Projects come from .vbp/.vbg files on disk (VBProjects().AddFromFile) or
// are built in memory (VBProjects().AddNew, VBComponents().AddFromText).
#pragma once

#include <memory>
#include <string>
#include <utility>

namespace qfw::ide {

// The program's data folder: QFW_DATA_DIR when set; else beside the
// executable as installed (../share/qfwizard) or as copied (data/), so that
// an installed or copied binary finds its libraries and help; else the
// source tree's data/ folder the build was made from.
std::string DataFolder();

class VBProjects;
class VBProject;

class VBE : public std::enable_shared_from_this<VBE> {
  public:
    explicit VBE(std::string fullName);
    ~VBE();

    // A root object whose FullName is `fullName` (DefaultFullName() when
    // empty), with no project loaded.
    static std::shared_ptr<VBE> Create(const std::string& fullName = "");

    // The environment's executable inside the program's data folder, as a
    // Windows path: <data>\VB6.EXE. The environment's own type libraries
    // (VB6.OLB with the intrinsic controls, VB6EXT.OLB with this object
    // model) sit beside it, so the rules that derive them from FullName find
    // them. <data> is $QFW_DATA_DIR when set, otherwise found relative to
    // the executable (../share/qfwizard when installed, data/ beside a
    // copy), otherwise the data/ folder the program was built with.
    static std::string DefaultFullName();

    // Path of the environment's executable; the rules that derive the
    // environment's own libraries from it look beside this file.
    const std::string& FullName() const { return FullName_; }

    // Every loaded project, in load order (group order for a .vbg).
    std::shared_ptr<ide::VBProjects> VBProjects();

    // The project generated into: the one set last, otherwise the first
    // project loaded; null when no project is loaded. A project removed from
    // VBProjects stops being active.
    std::shared_ptr<VBProject> ActiveVBProject() const;
    void ActiveVBProject(std::shared_ptr<VBProject> project);

  private:
    std::string FullName_;
    std::shared_ptr<ide::VBProjects> projects_;
    std::weak_ptr<VBProject> active_;
};

// Designer and control objects, defined in vb_form.h and vb_control.h.
class VBForm;
class VBControl;

}  // namespace qfw::ide
