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

namespace ide {
class CodeModule;
class VBComponent;
class VBProject;
}  // namespace ide

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

    // ---- Code generation (src/generation) ----
    //
    // Generation writes into the code module of the UserControl: the component
    // of the active project whose saved file is UserControlFileName. A
    // UserControl that was never saved has no such component.

    // Appends the lines of sItem, each with CR LF, to the work file
    // QFNCODE.DAT in the folder of the project named sProjName (the last
    // project of that name). Raises VbError for a project it cannot find
    // (75, empty path) and for any file error.
    void AddItemsToPendingFile(const std::string& sProjName, const std::vector<std::string>& sItem);

    // Generates one batch of items of one constituent: new procedures into the
    // work file and then into the module, existing procedures and event
    // handlers extended in place. Result: 0 when the call completed (also
    // when nothing was inserted), otherwise the number of the error that
    // stopped it. Subscript errors (9) are remembered in LastError and file
    // errors (50 to 80) are skipped; neither stops the call.
    int32_t BuildProcedures(const std::vector<int16_t>& iType,
                            const std::vector<std::string>& sProcName,
                            const std::string& sControlName);

    // Which procedure named sProcName the UserControl's module holds: 1 Sub or
    // Function, 2 Property Let, 4 Property Get (asked in that order), 0 none.
    // Never fails: without the UserControl's component the answer is 0 and
    // LastError says so.
    int16_t CheckForExistingProc(const std::string& sProcName);

    // Copies the UserControl's file to the same name with its last three
    // characters replaced by "QFN", over an earlier backup. 0 on success
    // (and for a never-saved UserControl, which has nothing to copy),
    // otherwise the error number; the UserControl's file is never changed.
    int16_t CreateUserControlBackup();

    // The environment's two type libraries, derived from its FullName:
    // X.OLB and XEXT.OLB beside X.EXE. 0 on success, otherwise the error
    // number and sLibs unchanged.
    int32_t GetVBLibs(std::vector<std::string>& sLibs);

    // The short lower-case prefix of a generated value-parameter name for a
    // property named sProcedure of type sType ("s" for String ...).
    std::string GetTypeToken(const std::string& sProcedure, const std::string& sType) const;

    // Adds property-bag persistence for one property: a member declaration at
    // the end of the declarations section, and a read and a write line after
    // the wizard comment of UserControl_ReadProperties and
    // UserControl_WriteProperties, creating those procedures (and comments)
    // when missing. Only adds lines, and none that is already there. Errors
    // of the object model are raised to the caller.
    void UpdatePropertyBag(const std::string& sProcedure, const std::string& sDataType,
                           const std::string& sControlName, bool bUseSet);

    // The last error generation recorded without failing (0 and "" when none).
    int32_t LastErrorNumber() const { return LastErrorNumber_; }
    const std::string& LastErrorDescription() const { return LastErrorDescription_; }

    // Where NEWPROC.DAT is written: the program's folder, or the per-user
    // data folder when the program's folder is not writable (an installed
    // program). Both are Windows paths; by default they are found from the
    // running executable and XDG_DATA_HOME.
    void SetWorkFolders(std::string programFolder, std::string userDataFolder);

  private:
    friend struct WizardTestPeer;

    bool MergeProcedure(int16_t kind, const std::string& name, const std::string& parameters,
                        const std::string& token, bool useSet, const std::string& control,
                        const std::string& type);

    // Generation helpers (src/generation).
    std::shared_ptr<ide::CodeModule> UserControlModule() const;
    std::string ProjectWorkFile(const ide::VBProject& project) const;
    std::string WizardDate() const;
    bool AddNewHandler(const std::string& control, const std::string& name,
                       const std::string& parameters);
    void RecordError(int32_t number, const std::string& description);

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

    int32_t LastErrorNumber_ = 0;
    std::string LastErrorDescription_;
    std::string ProgramFolder_;
    std::string UserDataFolder_;
};

}  // namespace qfw
