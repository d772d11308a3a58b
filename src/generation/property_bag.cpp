// UpdatePropertyBag: persistence of one property through the UserControl's
// property bag, in its ReadProperties and WriteProperties event procedures.
//
// PersistProperties calls it for every property a generation run writes
// when property values are saved with the control.
//
// Placement: the member declaration ends the declarations section; the read
// and write lines go right after the wizard comment of their event
// procedure. A missing procedure is added at the end of the module, a
// missing comment right after the procedure's header. Lines are only ever
// added, and a line the module already holds in that place is not added
// twice, so running the operation again changes nothing.
#include <memory>
#include <string>
#include <vector>

#include "engine/ide/code_module.h"
#include "engine/wizard.h"
#include "generation/code_templates.h"
#include "generation/item_text.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw {

namespace {

constexpr std::string_view kIndent = "    ";
constexpr const char* kPropBagParameter = "PropBag As PropertyBag";

// True when a line of first..last, blanks trimmed, equals `text` trimmed.
bool HoldsLine(const ide::CodeModule& module, int32_t first, int32_t last,
               const std::string& text) {
    const std::string wanted = std::string(Trim(text));
    for (int32_t line = first; line <= last; ++line) {
        if (Trim(module.Lines(line, 1)) == wanted)
            return true;
    }
    return false;
}

// The line after a procedure's header, past any line continuations.
int32_t LineAfterHeader(const ide::CodeModule& module, int32_t bodyLine) {
    int32_t line = bodyLine;
    const int32_t count = module.CountOfLines();
    while (line < count) {
        const std::string text = module.Lines(line, 1);
        if (text.size() < 2 || text.compare(text.size() - 2, 2, " _") != 0)
            break;
        ++line;
    }
    return line + 1;
}

// True when WriteProperties already writes the property `name` (from any
// constituent): a property mapped to several is written once, from the
// first of them.
bool WritesProperty(const ide::CodeModule& module, const std::string& name) {
    const std::string procedure = "UserControl_WriteProperties";
    if (!module.HasProc(procedure, ide::vbext_pk_Proc))
        return false;
    const int32_t start = module.ProcStartLine(procedure, ide::vbext_pk_Proc);
    const int32_t last = start + module.ProcCountLines(procedure, ide::vbext_pk_Proc) - 1;
    const std::string head = "Call PropBag.WriteProperty(\"" + name + "\",";
    for (int32_t line = start; line <= last; ++line) {
        if (Trim(module.Lines(line, 1)).substr(0, head.size()) == head)
            return true;
    }
    return false;
}

}  // namespace

void Wizard::AddDeclaration(ide::CodeModule& module, const std::string& line) {
    const int32_t declarations = module.CountOfDeclarationLines();
    if (!HoldsLine(module, 1, declarations, line))
        module.InsertLines(declarations + 1, line);
}

void Wizard::AddToEventProcedure(ide::CodeModule& module, const std::string& procedure,
                                 const std::string& parameters, const std::string& line) const {
    const std::string indented = std::string(kIndent) + line;
    const std::string comment =
        std::string(kIndent) + std::string(generation::kWizardCommentDashesBlank) + WizardDate();
    int32_t start = 0;
    try {
        start = module.ProcStartLine(procedure, ide::vbext_pk_Proc);
    } catch (const VbError& e) {
        if (e.Number() != kErrSubNotDefined)
            throw;
        std::vector<std::string> text;
        const int32_t count = module.CountOfLines();
        if (count > 0 && !Trim(module.Lines(count, 1)).empty()) {
            text.push_back("");
        }
        const std::vector<std::string> created = {
            "Private Sub " + procedure + "(" + parameters + ")",
            "",
            comment,
            indented,
            "",
            "End Sub",
        };
        text.insert(text.end(), created.begin(), created.end());
        module.InsertLines(count + 1, generation::JoinLines(text));
        return;
    }
    const int32_t last = start + module.ProcCountLines(procedure, ide::vbext_pk_Proc) - 1;
    if (HoldsLine(module, start, last, indented))
        return;
    int32_t commentLine = 0;
    for (int32_t l = start; l <= last && commentLine == 0; ++l) {
        if (module.Lines(l, 1).find(generation::kWizardCommentDashes) != std::string::npos) {
            commentLine = l;
        }
    }
    if (commentLine == 0) {
        commentLine = LineAfterHeader(module, module.ProcBodyLine(procedure, ide::vbext_pk_Proc));
        module.InsertLines(commentLine, comment);
    }
    module.InsertLines(commentLine + 1, indented);
}

void Wizard::UpdatePropertyBag(const std::string& sProcedure, const std::string& sDataType,
                               const std::string& sControlName, bool bUseSet) {
    std::shared_ptr<ide::CodeModule> module = UserControlModule();
    if (!module) {
        throw VbError(kVbObjectError + 99,
                      "Cannot locate user control file. Procedure UpdatePropertyBag");
    }
    const generation::PropertyBagLines lines =
        generation::PropertyBagTexts(sProcedure, sDataType, sControlName, bUseSet);

    AddDeclaration(*module, lines.declaration);
    // The environment raises a UserControl's events into UserControl_<event>
    // whatever the control is named.
    if (!lines.read.empty()) {
        AddToEventProcedure(*module, "UserControl_ReadProperties", kPropBagParameter, lines.read);
    }
    if (!lines.write.empty() && !WritesProperty(*module, sProcedure)) {
        AddToEventProcedure(*module, "UserControl_WriteProperties", kPropBagParameter, lines.write);
    }
}

void Wizard::PersistProperties(const std::vector<generation::ProcedureParts>& properties,
                               const std::string& control) {
    for (const generation::ProcedureParts& p : properties) {
        // An indexed property has a value per index, which one bag entry
        // cannot hold.
        if (generation::IsIndexedProperty(p))
            continue;
        // The font is an object, yet it is saved: as the UserControl's own
        // Font, which reaches every constituent mapped to it.
        const bool savedFont = p.name == "Font" && p.useSet;
        UpdatePropertyBag(p.name, p.type, control, p.useSet && !savedFont);
        if (savedFont)
            AddFontSetter(p, control);
    }
}

void Wizard::AddFontSetter(const generation::ProcedureParts& font, const std::string& control) {
    std::shared_ptr<ide::CodeModule> module = UserControlModule();
    if (!module)
        throw VbError(kErrSubscriptOutOfRange);
    const std::string value = font.token + font.name;
    const std::string line =
        std::string(kIndent) + "Set " + control + "." + font.name + " = " + value;
    if (!module->HasProc(font.name, ide::vbext_pk_Set)) {
        std::vector<std::string> text;
        const int32_t count = module->CountOfLines();
        if (count > 0 && !Trim(module->Lines(count, 1)).empty())
            text.push_back("");
        const std::vector<std::string> setter = {
            "Public Property Set " + font.name + " (" + value + " As " + font.type + ")",
            "",
            std::string(kIndent) + std::string(generation::kWizardCommentDashesBlank) +
                WizardDate(),
            line,
            std::string(kIndent) + "PropertyChanged \"" + font.name + "\"",
            "",
            "End Property",
        };
        text.insert(text.end(), setter.begin(), setter.end());
        module->InsertLines(count + 1, generation::JoinLines(text));
        return;
    }
    // A setter of the author's own is left alone; the wizard's passes the
    // font on to one more constituent.
    const int32_t start = module->ProcStartLine(font.name, ide::vbext_pk_Set);
    const int32_t last = start + module->ProcCountLines(font.name, ide::vbext_pk_Set) - 1;
    if (HoldsLine(*module, start, last, line))
        return;
    for (int32_t l = start; l <= last; ++l) {
        if (module->Lines(l, 1).find(generation::kWizardCommentDashes) != std::string::npos) {
            module->InsertLines(l + 1, line);
            return;
        }
    }
}

}  // namespace qfw
