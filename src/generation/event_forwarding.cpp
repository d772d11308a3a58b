// MergeProcedure: extending code that already exists in the UserControl, and
// the constituents' event handlers that raise the UserControl's own events.
//
// Every object-model call here is allowed to fail: a failed step is skipped
// and the operation goes on, and nothing reaches the caller but the result.
#include <cctype>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ide/code_lines.h"
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
#include "platform/text_codec.h"
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

// The line after the procedure's header statement: after its Sub, Function
// or Property line and every line that line is continued onto. Merged lines
// go there when the procedure has no wizard comment, so that they land
// inside the procedure whatever blank or comment lines stand above it.
int32_t LineAfterHeader(const ide::CodeModule& module, const std::string& name, int32_t procKind) {
    int32_t line = module.ProcBodyLine(name, procKind);
    while (line < module.CountOfLines() && ide::EndsWithContinuation(module.Lines(line, 1)))
        ++line;
    return line + 1;
}

// Whether lines may go in after `text`, a line of a procedure's body, without
// landing inside a statement: it is blank, a comment, or a simple statement
// that neither opens, divides nor closes a block, is not continued onto the
// next line, carries no label and does not end the procedure.
bool IsPlainLine(const std::string& text) {
    const ide::LineInfo info = ide::ClassifyLine(text);
    if (info.continues)
        return false;
    if (info.cls == ide::LineClass::kBlank || info.cls == ide::LineClass::kComment)
        return true;
    if (info.cls != ide::LineClass::kCode)
        return false;
    std::string trimmed = AsciiLower(text);
    trimmed.erase(0, trimmed.find_first_not_of(" \t"));
    const size_t wordEnd = trimmed.find_first_of(" \t:'(");
    const std::string word = trimmed.substr(0, wordEnd);
    if (wordEnd != std::string::npos && trimmed[wordEnd] == ':' &&
        trimmed.compare(wordEnd, 2, ":=") != 0) {
        return false;  // a label
    }
    for (std::string_view block :
         {"if", "else", "elseif", "end", "select", "case", "for", "next", "do", "loop", "while",
          "wend", "with", "#if", "#else", "#elseif", "#end"}) {
        if (word == block)
            return false;
    }
    return !word.empty() && !std::isdigit(static_cast<unsigned char>(word[0]));
}

// Where lines merged after the wizard comment at line `comment` go: two
// lines below it, as procedures the builder wrote expect, unless the line
// between is not a plain line; then right after the comment.
int32_t LineAfterComment(const ide::CodeModule& module, int32_t comment) {
    try {
        if (comment < module.CountOfLines() && IsPlainLine(module.Lines(comment + 1, 1)))
            return comment + 2;
    } catch (const VbError&) {
    }
    return comment + 1;
}

// The procedure's header line says whether it is a Function.
bool IsFunction(const ide::CodeModule& module, const std::string& name) {
    try {
        std::string header =
            AsciiLower(module.Lines(module.ProcBodyLine(name, ide::vbext_pk_Proc), 1));
        for (std::string_view word : {"public ", "private ", "friend ", "static "}) {
            header.erase(0, header.find_first_not_of(" \t"));
            if (header.compare(0, word.size(), word) == 0)
                header.erase(0, word.size());
        }
        header.erase(0, header.find_first_not_of(" \t"));
        return header.compare(0, 9, "function ") == 0;
    } catch (const VbError&) {
        return false;
    }
}

// Event: the handler exists, so forwarding goes into it unless it already
// raises an event.
bool ForwardInExistingHandler(ide::CodeModule& module, const std::string& handlerName,
                              const ProcedureSpan& handler, const std::string& name,
                              const std::string& parameters) {
    if (FindInProcedure(module, handler, "RaiseEvent "))
        return false;
    const std::string arguments = generation::RaiseEventArguments(parameters);
    std::optional<int32_t> comment =
        FindInProcedure(module, handler, std::string(generation::kWizardCommentDashes));
    if (comment) {
        InsertIgnoringFailure(module, LineAfterComment(module, *comment),
                              JoinLines(generation::ForwardingAfterComment(name, arguments)));
    } else {
        try {
            InsertIgnoringFailure(module, LineAfterHeader(module, handlerName, ide::vbext_pk_Proc),
                                  JoinLines(generation::ForwardingWithComment(name, arguments)));
        } catch (const VbError&) {
        }
    }
    return true;
}

// Property: one more assignment in the Let, for the current constituent.
// An indexed property of an object type has a Property Set instead.
void MergeIntoPropertyLet(ide::CodeModule* module, const generation::ProcedureParts& item,
                          const std::string& control) {
    std::optional<ProcedureSpan> let = FindProcedure(module, item.name, ide::vbext_pk_Let);
    if (!let)
        let = FindProcedure(module, item.name, ide::vbext_pk_Set);
    if (!let)
        return;
    if (FindInProcedure(*module, *let, control + "." + item.name))
        return;
    std::optional<int32_t> comment =
        FindInProcedure(*module, *let, std::string(generation::kWizardCommentDashesBlank));
    // Hand-written procedures without the wizard's comment are left alone.
    if (!comment)
        return;
    InsertIgnoringFailure(*module, LineAfterComment(*module, *comment),
                          generation::PropertyMergeLine(item, control));
}

// Method: one more call in the Sub or Function, for the current constituent.
void MergeIntoMethod(ide::CodeModule* module, const generation::ProcedureParts& item,
                     const std::string& control) {
    std::optional<ProcedureSpan> method = FindProcedure(module, item.name, ide::vbext_pk_Proc);
    if (!method)
        return;
    if (FindInProcedure(*module, *method, control + "." + item.name))
        return;
    // A Function returns the constituent's result; a member without one is
    // called, in a Function as in a Sub (assigning what it does not return
    // would not compile).
    const bool returnsValue = !Trim(item.type).empty() && IsFunction(*module, item.name);
    const std::string call = generation::MethodMergeLine(item, control, returnsValue);
    std::optional<int32_t> comment =
        FindInProcedure(*module, *method, std::string(generation::kWizardCommentDashes));
    if (comment) {
        InsertIgnoringFailure(*module, LineAfterComment(*module, *comment),
                              JoinLines(generation::MethodMergeAfterComment(call)));
    } else {
        try {
            InsertIgnoringFailure(*module, LineAfterHeader(*module, item.name, ide::vbext_pk_Proc),
                                  JoinLines(generation::MethodMergeWithComment(call)));
        } catch (const VbError&) {
        }
    }
}

// A constituent that is a control array is passed as its lowest element,
// "txt(0)": its members are reached through that element, and its event
// handlers are named after the array and receive the element's index first.
struct HandlerTarget {
    std::string name;
    std::string parameters;
};

HandlerTarget HandlerFor(const std::string& control, const std::string& event,
                         const std::string& parameters) {
    const size_t open = control.find('(');
    if (open == std::string::npos)
        return {control + "_" + event, parameters};
    return {control.substr(0, open) + "_" + event,
            parameters.empty() ? "Index As Integer" : "Index As Integer, " + parameters};
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
            const HandlerTarget target = HandlerFor(control, name, parameters);
            std::optional<ProcedureSpan> handler =
                FindProcedure(module.get(), target.name, ide::vbext_pk_Proc);
            if (!handler)
                return AddNewHandler(target.name, target.parameters, name, parameters);
            return ForwardInExistingHandler(*module, target.name, *handler, name, parameters);
        }
        case kKindProperty:
            MergeIntoPropertyLet(module.get(),
                                 generation::ProcedureParts{name, parameters, type, token, useSet},
                                 control);
            return false;
        case kKindMethod:
            MergeIntoMethod(module.get(),
                            generation::ProcedureParts{name, parameters, type, token, useSet},
                            control);
            return false;
        default:
            return false;
    }
}

std::string Wizard::WriteHandlerFile(const std::string& text, int32_t& failure) {
    if (ProgramFolder_.empty() || UserDataFolder_.empty())
        SetWorkFolders({}, {});
    // An installed program's folder is read-only for its users; the handler
    // then goes through the user's own data folder.
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
            return candidate;
        } catch (const VbError& e) {
            failure = e.Number();
        }
    }
    return {};
}

int32_t Wizard::FlushHandlerFile() {
    HandlerFileWritten_ = false;
    if (PendingHandler_.empty())
        return 0;
    int32_t failure = 0;
    const std::string text = std::move(PendingHandler_);
    PendingHandler_.clear();
    return WriteHandlerFile(text, failure).empty() ? failure : 0;
}

bool Wizard::AddNewHandler(const std::string& handler, const std::string& handlerParameters,
                           const std::string& name, const std::string& parameters) {
    const std::string text =
        JoinLines(generation::ForwardingHandler(handler, handlerParameters, name, parameters));
    // Within a batch the first handler is written at once, which settles
    // where the file can go; the later ones only replace the text that
    // FlushHandlerFile writes when the batch ends. Nothing reads the file in
    // between, so it ends up holding the last handler, as if each had been
    // written in turn, without a delete and a create per handler.
    if (HandlerBatch_ && HandlerFileWritten_) {
        PendingHandler_ = text;
    } else {
        int32_t failure = 0;
        // Without the handler in the module nobody would raise the event, so
        // the caller must not declare it; the batch then reports the failure.
        if (WriteHandlerFile(text, failure).empty()) {
            NoteHandlerFailure(failure);
            return false;
        }
        HandlerFileWritten_ = HandlerBatch_;
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
