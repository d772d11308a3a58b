// BuildProcedures and GetTypeToken: from one batch of item texts to Visual
// Basic procedures in the UserControl's code module.
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/ide/code_module.h"
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

using generation::ProcedureParts;

// The pieces of one item the generated text is made of.
struct ParsedItem {
    ProcedureParts parts;
    int16_t kind = 0;
};

// Whether `type` (blank-trimmed, any letter case) is one of `types`.
bool TypeIsOneOf(const std::string& type, std::initializer_list<std::string_view> types) {
    const std::string key = AsciiUpper(std::string(Trim(type)));
    for (std::string_view t : types) {
        if (key == t)
            return true;
    }
    return false;
}

// Name, parameters, type, token and Set flag of one item text. Events keep
// an empty type and token: their text becomes a declaration and a handler.
// `untyped`: the browser named no type for the member (a bare name); it is
// generated as a Variant, but the font and colour rules see no type.
ParsedItem ParseItem(const std::string& text, std::string name, int16_t kind, bool untyped,
                     const Wizard& wizard) {
    ParsedItem item;
    item.kind = kind;
    ProcedureParts& p = item.parts;
    p.name = std::move(name);
    if (generation::FindText(text, "(") > 0)
        p.parameters = generation::ItemParameters(text);
    if (kind != kKindProperty && kind != kKindMethod)
        return item;

    p.type = generation::ItemType(text);
    // The browser reports fonts and colours as the types that carry them
    // (a Long, an Object, a StdFont); names give them back their own type.
    // A member whose type says it is something else (FontName As String)
    // keeps it, and a method without a return value stays a Sub.
    const bool typed = kind == kKindProperty || !p.type.empty();
    const std::string ownType = untyped ? std::string() : p.type;
    const std::string upperName = AsciiUpper(p.name);
    if (typed && generation::FindText(upperName, "FONT") > 0) {
        if (TypeIsOneOf(ownType, {"", "NONE", "LONG", "OBJECT", "FONT", "STDFONT", "IFONTDISP"}))
            p.type = "Font";
    } else if (typed && generation::FindText(upperName, "COLOR") > 0) {
        if (TypeIsOneOf(ownType, {"", "NONE", "LONG", "OLE_COLOR"}))
            p.type = "OLE_COLOR";
    }
    // "Item (Index) ": a property with parameters and no type is a Variant,
    // as a bare name is; the accessors pair up only with the type spelled.
    const bool indexed = kind == kKindProperty && generation::IsIndexedProperty(p);
    if (indexed && p.type.empty())
        p.type = "Variant";
    if (generation::FindText(text, "As") >= 1 || indexed) {
        p.token = wizard.GetTypeToken(p.name, p.type);
        // Objects are assigned with Set; an enumeration, which an item text
        // names like an object type, is a number.
        p.useSet = !generation::IsSimpleType(p.type) && !wizard.IsEnumerationType(p.type);
    }
    return item;
}

// An item text without a blank is a bare name: the browser writes a member
// without a type that way. Such a member is a Variant, the language's
// default type, so it is generated as "<name> As Variant" would be.
std::string TypedItemText(const std::string& text) {
    if (generation::FindText(text, " ") > 0)
        return text;
    return text + " As Variant";
}

// Writes the batch's lines as the work file; the file error that keeps it
// from being written, or 0.
int32_t WriteWorkFile(const std::string& workFile, const std::string& text) {
    try {
        if (FileExists(workFile)) {
            WriteFileAtomically(workFile, text);
        } else {
            AppendToFile(workFile, text);
        }
    } catch (const VbError& e) {
        if (!IsFileError(e.Number()))
            throw;
        return e.Number();
    }
    return 0;
}

void Append(std::vector<std::string>& buffer, std::vector<std::string> lines) {
    buffer.insert(buffer.end(), std::make_move_iterator(lines.begin()),
                  std::make_move_iterator(lines.end()));
}

}  // namespace

// The events the declarations section declares, by lower-case name: the
// statements "Event Name(" and "Public Event Name(" in any letter case.
// Comments and string constants that mention an event declare nothing.
// Forwarding a second constituent's event needs no second declaration,
// which would keep the module from compiling.
std::unordered_set<std::string> Wizard::DeclaredEvents(const ide::CodeModule* module) {
    std::unordered_set<std::string> names;
    if (!module)
        return names;
    try {
        const int32_t last = module->CountOfDeclarationLines();
        for (int32_t line = 1; line <= last; ++line) {
            std::string text = AsciiLower(module->Lines(line, 1));
            text.erase(0, text.find_first_not_of(" \t"));
            if (text.compare(0, 7, "public ") == 0)
                text.erase(0, text.find_first_not_of(' ', 7));
            if (text.compare(0, 6, "event ") != 0)
                continue;
            const size_t open = text.find('(');
            if (open != std::string::npos)
                names.insert(std::string(Trim(text.substr(6, open - 6))));
        }
    } catch (const VbError&) {
    }
    return names;
}

std::string Wizard::GetTypeToken(const std::string& sProcedure, const std::string& sType) const {
    return generation::TypeToken(sProcedure, sType);
}

int32_t Wizard::BuildProcedures(const std::vector<int16_t>& iType,
                                const std::vector<std::string>& sProcName,
                                const std::string& sControlName) {
    struct BatchScope {
        explicit BatchScope(Wizard& w) : wizard(w) {
            wizard.HandlerBatch_ = true;
            wizard.HandlerFileWritten_ = false;
            wizard.PendingHandler_.clear();
        }
        ~BatchScope() { wizard.HandlerBatch_ = false; }
        Wizard& wizard;
    };
    int32_t result = 0;
    {
        BatchScope scope(*this);
        result = BuildBatch(iType, sProcName, sControlName);
    }
    const int32_t handlerFile = FlushHandlerFile();
    return result != 0 ? result : handlerFile;
}

int32_t Wizard::BuildBatch(const std::vector<int16_t>& iType,
                           const std::vector<std::string>& sProcName,
                           const std::string& sControlName) {
    // Subscript errors are remembered and file errors skipped; the step that
    // raised them is abandoned and the call goes on. Anything else ends it.
    auto tolerate = [this](auto&& step) {
        try {
            step();
        } catch (const VbError& e) {
            if (e.Number() == kErrSubscriptOutOfRange) {
                RecordError(e.Number(), e.Description());
            } else if (!IsFileError(e.Number())) {
                throw;
            }
        }
    };

    HandlerFailure_ = 0;
    // The properties generated or merged, saved with the control once the
    // batch's procedures are in the module.
    std::vector<ProcedureParts> persisted;
    auto finish = [&] {
        if (PersistPropertyValues_ && HandlerFailure_ == 0)
            PersistProperties(persisted, sControlName);
        return HandlerFailure_;
    };
    try {
        std::vector<std::string> buffer;
        bool reachedGeneration = false;
        std::string date;
        // Filled on the first event: declarations only grow by this buffer.
        std::optional<std::unordered_set<std::string>> declaredEvents;
        for (size_t i = 0; i < sProcName.size(); ++i) {
            if (i >= iType.size()) {
                RecordError(kErrSubscriptOutOfRange, ErrorDescription(kErrSubscriptOutOfRange));
                continue;
            }
            const std::string text = TypedItemText(sProcName[i]);
            std::string name = generation::ItemName(text);
            if (AsciiUpper(name) == "HWND")
                continue;
            const ParsedItem item =
                ParseItem(text, std::move(name), iType[i], text != sProcName[i], *this);
            const ProcedureParts& p = item.parts;

            auto merge = [&] {
                return MergeProcedure(item.kind, p.name, p.parameters, p.token, p.useSet,
                                      sControlName, p.type);
            };
            const int16_t existing = CheckForExistingProc(p.name);
            if (item.kind == kKindProperty && existing != kExistingSubOrFunction)
                persisted.push_back(p);
            if (existing < 1) {
                reachedGeneration = true;
                if (date.empty())
                    date = WizardDate();
                if (item.kind == kKindProperty) {
                    Append(buffer, generation::PropertyBlock(p, sControlName, date));
                } else if (item.kind == kKindMethod) {
                    Append(buffer, generation::MethodBlock(p, sControlName, date));
                } else if (item.kind == kKindEvent) {
                    if (!declaredEvents) {
                        std::shared_ptr<ide::CodeModule> module;
                        try {
                            module = UserControlModule();
                        } catch (const VbError&) {
                        }
                        declaredEvents = DeclaredEvents(module.get());
                    }
                    const bool forwarded = merge();
                    if (forwarded && declaredEvents->insert(AsciiLower(p.name)).second) {
                        buffer.push_back(generation::EventDeclaration(p.name, p.parameters));
                    }
                }
            } else if (existing == kExistingPropertyLet || existing == kExistingPropertyGet) {
                if (item.kind == kKindProperty)
                    merge();
            } else if (existing == kExistingSubOrFunction) {
                if (item.kind == kKindMethod)
                    merge();
            } else {
                merge();
            }
        }
        if (!reachedGeneration)
            return finish();

        if (!VBInst)
            throw VbError(kErrObjectNotSet);
        std::shared_ptr<ide::VBProjects> projects = VBInst->VBProjects();
        std::shared_ptr<ide::VBProject> project;
        for (int32_t i = 1; i <= projects->Count() && !project; ++i) {
            if (projects->Item(i)->Name() == ProjectName_)
                project = projects->Item(i);
        }
        if (!project) {
            throw VbError(kErrObjectNotSet, "No loaded project is named \"" + ProjectName_ + "\"");
        }
        const std::string workFile = ProjectWorkFile(*project);
        tolerate([&] { DeleteFile(workFile); });
        if (buffer.empty()) {
            RecordError(kErrSubscriptOutOfRange, ErrorDescription(kErrSubscriptOutOfRange));
            return finish();
        }
        // A UserControl the active project does not hold loses the batch's
        // lines, and the caller has to hear of it rather than report success.
        const std::string text = generation::JoinLines(buffer);
        const int32_t workFileFailure = WriteWorkFile(workFile, text);
        std::shared_ptr<ide::CodeModule> module = UserControlModule();
        if (!module) {
            RecordError(kErrSubscriptOutOfRange, ErrorDescription(kErrSubscriptOutOfRange));
            return kErrSubscriptOutOfRange;
        }
        // The module takes the work file's lines as AddFromFile would; they
        // are the bytes just written, so the file is not read back. When it
        // could not be written the lines still go in: the batch's handlers
        // are in the module already and raise the events this buffer
        // declares, and without the declarations the module would not
        // compile. The call then reports the work file's failure. (The file
        // may hold an earlier batch, which must not be inserted again.)
        module->AddFromString(text);
        return workFileFailure == 0 ? finish() : workFileFailure;
    } catch (const VbError& e) {
        return e.Number();
    }
}

}  // namespace qfw
