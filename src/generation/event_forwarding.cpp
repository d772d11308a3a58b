// MergeProcedure: extending code that already exists in the UserControl, and
// the constituents' event handlers that raise the UserControl's own events.
//
// Every object-model call here is allowed to fail: a failed step is skipped
// and the operation goes on, and nothing reaches the caller but the result.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ide/code_module.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "engine/wizard.h"
#include "generation/code_templates.h"
#include "generation/item_text.h"
#include "platform/file_ops.h"
#include "platform/vb_error.h"

namespace qfw {

namespace {

using generation::JoinLines;

// The lines of one procedure as the environment reports them: from its start
// line up to, but not into, the line that follows it.
struct ProcedureSpan {
    int32_t start = 0;
    int32_t end = 0;  // start + count: the first line after the procedure
};

std::optional<ProcedureSpan> FindProcedure(const ide::CodeModule* module, const std::string& name,
                                           int32_t procKind) {
    if (!module || !module->HasProc(name, procKind))
        return std::nullopt;
    ProcedureSpan span;
    try {
        span.start = module->ProcStartLine(name, procKind);
    } catch (const VbError&) {
        return std::nullopt;
    }
    try {
        span.end = span.start + module->ProcCountLines(name, procKind);
    } catch (const VbError&) {
        span.end = span.start;
    }
    return span;
}

// The line where `target` first occurs within the procedure (any letter
// case), or nothing. The search stops at column 1 of the line after the
// procedure, so only the procedure's own lines can match; for the module's
// last procedure that line does not exist and its last line is searched
// to its end instead.
std::optional<int32_t> FindInProcedure(const ide::CodeModule& module, const ProcedureSpan& span,
                                       const std::string& target) {
    int32_t startLine = span.start;
    int32_t startColumn = 1;
    int32_t endLine = span.end;
    int32_t endColumn = 1;
    try {
        const int32_t count = module.CountOfLines();
        if (endLine > count) {
            endLine = count;
            endColumn = -1;
        }
        if (module.Find(target, startLine, startColumn, endLine, endColumn))
            return startLine;
    } catch (const VbError&) {
    }
    return std::nullopt;
}

void InsertIgnoringFailure(ide::CodeModule& module, int32_t line, const std::string& text) {
    try {
        module.InsertLines(line, text);
    } catch (const VbError&) {
    }
}

// Event: the handler exists, so forwarding goes into it unless it already
// raises an event.
bool ForwardInExistingHandler(ide::CodeModule& module, const ProcedureSpan& handler,
                              const std::string& name, const std::string& parameters) {
    if (FindInProcedure(module, handler, "RaiseEvent "))
        return false;
    const std::string arguments = generation::RaiseEventArguments(parameters);
    std::optional<int32_t> comment =
        FindInProcedure(module, handler, std::string(generation::kWizardCommentDashes));
    if (comment) {
        InsertIgnoringFailure(module, *comment + 2,
                              JoinLines(generation::ForwardingAfterComment(name, arguments)));
    } else {
        InsertIgnoringFailure(module, handler.start + 2,
                              JoinLines(generation::ForwardingWithComment(name, arguments)));
    }
    return true;
}

// Property: one more assignment in the Let, for the current constituent.
void MergeIntoPropertyLet(ide::CodeModule* module, const generation::ProcedureParts& item,
                          const std::string& control) {
    std::optional<ProcedureSpan> let = FindProcedure(module, item.name, ide::vbext_pk_Let);
    if (!let)
        return;
    if (FindInProcedure(*module, *let, control + "." + item.name))
        return;
    std::optional<int32_t> comment =
        FindInProcedure(*module, *let, std::string(generation::kWizardCommentDashesBlank));
    // Hand-written procedures without the wizard's comment are left alone.
    if (!comment)
        return;
    InsertIgnoringFailure(*module, *comment + 2, generation::PropertyMergeLine(item, control));
}

// Method: one more call in the Sub or Function, for the current constituent.
void MergeIntoMethod(ide::CodeModule* module, const std::string& name, const std::string& control) {
    std::optional<ProcedureSpan> method = FindProcedure(module, name, ide::vbext_pk_Proc);
    if (!method)
        return;
    if (FindInProcedure(*module, *method, control + "." + name))
        return;
    std::optional<int32_t> comment =
        FindInProcedure(*module, *method, std::string(generation::kWizardCommentDashes));
    if (comment) {
        InsertIgnoringFailure(*module, *comment + 2,
                              JoinLines(generation::MethodMergeAfterComment(name, control)));
    } else {
        InsertIgnoringFailure(*module, method->start + 2,
                              JoinLines(generation::MethodMergeWithComment(name, control)));
    }
}

}  // namespace

bool Wizard::MergeProcedure(int16_t kind, const std::string& name, const std::string& parameters,
                            const std::string& token, bool useSet, const std::string& control,
                            const std::string& type) {
    std::shared_ptr<ide::CodeModule> module;
    try {
        module = UserControlModule();
    } catch (const VbError&) {
        module = nullptr;
    }
    switch (kind) {
        case kKindEvent: {
            std::optional<ProcedureSpan> handler =
                FindProcedure(module.get(), control + "_" + name, ide::vbext_pk_Proc);
            if (!handler)
                return AddNewHandler(control, name, parameters);
            return ForwardInExistingHandler(*module, *handler, name, parameters);
        }
        case kKindProperty:
            MergeIntoPropertyLet(module.get(),
                                 generation::ProcedureParts{name, parameters, type, token, useSet},
                                 control);
            return false;
        case kKindMethod:
            MergeIntoMethod(module.get(), name, control);
            return false;
        default:
            return false;
    }
}

bool Wizard::AddNewHandler(const std::string& control, const std::string& name,
                           const std::string& parameters) {
    const std::string text = JoinLines(generation::ForwardingHandler(control, name, parameters));
    if (ProgramFolder_.empty() || UserDataFolder_.empty())
        SetWorkFolders({}, {});
    // An installed program's folder is read-only for its users; the handler
    // then goes through the user's own data folder.
    std::string handlerFile;
    int32_t failure = 0;
    for (const std::string& folder : {ProgramFolder_, UserDataFolder_}) {
        const std::string candidate = folder + "\\NEWPROC.DAT";
        try {
            if (folder == UserDataFolder_)
                CreateFolders(folder);
            // Deleted, then created afresh: a scratch file read back at once.
            try {
                DeleteFile(candidate);
            } catch (const VbError& e) {
                if (e.Number() != kErrFileNotFound)
                    throw;
            }
            AppendToFile(candidate, text);
            handlerFile = candidate;
            break;
        } catch (const VbError& e) {
            failure = e.Number();
        }
    }
    // Without the handler in the module nobody would raise the event, so the
    // caller must not declare it; the batch then reports the failure.
    if (handlerFile.empty()) {
        NoteHandlerFailure(failure);
        return false;
    }
    try {
        if (!VBInst)
            throw VbError(kErrObjectNotSet);
        std::shared_ptr<ide::VBComponent> userControl =
            VBInst->VBProjects()->Item(ProjectName_)->VBComponents()->Item(UserControlName_);
        std::shared_ptr<ide::CodeModule> module = userControl->CodeModule();
        if (!module)
            throw VbError(kErrObjectNotSet);
        // The module takes the handler file's text as AddFromFile would; the
        // bytes are the ones just written, so they are not read back.
        module->AddFromString(text);
    } catch (const VbError& e) {
        NoteHandlerFailure(e.Number());
        return false;
    }
    return true;
}

void Wizard::NoteHandlerFailure(int32_t number) {
    if (HandlerFailure_ == 0)
        HandlerFailure_ = number;
}

}  // namespace qfw
