// The work file QFNCODE.DAT, the existing-procedure check, and the lookups of
// the UserControl's module that every generation operation shares.
#include <memory>
#include <string>
#include <vector>

#include "engine/ide/code_module.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "engine/wizard.h"
#include "platform/file_ops.h"
#include "platform/vb_error.h"

namespace qfw {

namespace {

// vbObjectError + 99: the component that holds the UserControl is gone.
constexpr int32_t kErrUserControlNotFound = kVbObjectError + 99;

}  // namespace

void Wizard::RecordError(int32_t number, const std::string& description) {
    LastErrorNumber_ = number;
    LastErrorDescription_ = description;
}

std::shared_ptr<ide::CodeModule> Wizard::UserControlModule() const {
    if (!VBInst)
        throw VbError(kErrObjectNotSet);
    std::shared_ptr<ide::VBProject> project = VBInst->ActiveVBProject();
    if (!project)
        throw VbError(kErrObjectNotSet);
    // A never-saved UserControl has no file name to find it by; matching the
    // empty name would pick any other unsaved component instead.
    if (UserControlFileName_.empty())
        return nullptr;
    std::shared_ptr<ide::VBComponents> components = project->VBComponents();
    for (int32_t i = 1; i <= components->Count(); ++i) {
        std::shared_ptr<ide::VBComponent> component = components->Item(i);
        if (component->FileNames(1) == UserControlFileName_)
            return component->CodeModule();
    }
    return nullptr;
}

std::string Wizard::ProjectWorkFile(const ide::VBProject& project) const {
    const std::string& path = project.FileName();
    size_t slash = path.rfind('\\');
    // Cutting before a backslash that is not there is an invalid call.
    if (slash == std::string::npos)
        throw VbError(kErrInvalidProcedureCall);
    return path.substr(0, slash) + "\\QFNCODE.DAT";
}

int16_t Wizard::CheckForExistingProc(const std::string& sProcName) {
    std::shared_ptr<ide::CodeModule> module;
    try {
        module = UserControlModule();
    } catch (const VbError&) {
        module = nullptr;
    }
    if (!module) {
        RecordError(kErrUserControlNotFound,
                    "Cannot locate user control file. Procedure CheckForExistingProc");
        return kExistingNone;
    }
    struct Question {
        int32_t procKind;
        int16_t answer;
    };
    // Sub or Function first, so a name used by both a Sub and a property is a Sub.
    for (Question q : {Question{ide::vbext_pk_Proc, kExistingSubOrFunction},
                       Question{ide::vbext_pk_Let, kExistingPropertyLet},
                       Question{ide::vbext_pk_Get, kExistingPropertyGet}}) {
        // The body-line question, asked without the error it raises for a
        // procedure that is not there.
        if (module->HasProc(sProcName, q.procKind))
            return q.answer;
    }
    return kExistingNone;
}

void Wizard::AddItemsToPendingFile(const std::string& sProjName,
                                   const std::vector<std::string>& sItem) {
    if (!VBInst)
        throw VbError(kErrObjectNotSet);
    std::shared_ptr<ide::VBProjects> projects = VBInst->VBProjects();
    std::string workFile;
    // Every project is visited: of several with the same name, the last wins.
    for (int32_t i = 1; i <= projects->Count(); ++i) {
        std::shared_ptr<ide::VBProject> project = projects->Item(i);
        if (project->Name() == sProjName)
            workFile = ProjectWorkFile(*project);
    }
    if (workFile.empty()) {
        throw VbError(kErrPathFileAccess, "No loaded project is named \"" + sProjName +
                                              "\"; no work file to append to");
    }
    std::string text;
    for (const std::string& line : sItem)
        text += line + "\r\n";
    AppendToFile(workFile, text);
}

}  // namespace qfw
