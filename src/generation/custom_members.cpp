// Custom items no constituent has, written as members of the UserControl
// itself: a property over a private member variable with the access the
// author chose, a method stub, an event declaration.
#include <memory>
#include <string>
#include <vector>

#include "engine/custom_item.h"
#include "engine/ide/code_module.h"
#include "engine/wizard.h"
#include "generation/code_templates.h"
#include "generation/item_text.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/vb_error.h"

namespace qfw {

namespace {

constexpr std::string_view kIndent = "    ";
constexpr const char* kAddingPrefix[] = {"Adding Properties for ", "Adding Methods for ",
                                         "Adding Events for "};

bool Forbids(MemberAccess access, MemberAccess allowedOnlyOther) {
    return access == MemberAccess::NotAvailable || access == allowedOnlyOther;
}

// The line that raises the runtime's own error where the access forbids the
// accessor: `runError` at run time, `designError` at design time, which
// Ambient.UserMode tells apart. Empty when both modes allow it.
std::string AccessGuard(bool atRunTime, bool atDesignTime, int runError, int designError) {
    const std::string indent(kIndent);
    if (atRunTime && atDesignTime) {
        return indent + "If Ambient.UserMode Then Err.Raise " + std::to_string(runError) +
               " Else Err.Raise " + std::to_string(designError);
    }
    if (atRunTime)
        return indent + "If Ambient.UserMode Then Err.Raise " + std::to_string(runError);
    if (atDesignTime)
        return indent + "If Not Ambient.UserMode Then Err.Raise " + std::to_string(designError);
    return "";
}

std::string JoinParameters(const std::vector<std::string>& parameters) {
    std::string text;
    for (const std::string& p : parameters)
        text += (text.empty() ? "" : ", ") + p;
    return text;
}

// The token of the value parameter and the member variable; a type without
// one still needs a parameter name other than the property's.
std::string ValueToken(const CustomItem& item) {
    const std::string token = generation::TypeToken(item.name, item.type);
    return token.empty() ? "new" : token;
}

std::string MemberVariable(const CustomItem& item) {
    return "m_" + generation::TypeToken(item.name, item.type) + item.name;
}

std::vector<std::string> PropertyLines(const CustomItem& item, const std::string& date) {
    const std::string value = ValueToken(item) + item.name;
    const std::string member = MemberVariable(item);
    const std::string indent(kIndent);
    const std::string setGuard =
        AccessGuard(Forbids(item.runTime, MemberAccess::ReadOnly),
                    Forbids(item.designTime, MemberAccess::ReadOnly), 382, 387);
    const std::string getGuard =
        AccessGuard(Forbids(item.runTime, MemberAccess::WriteOnly),
                    Forbids(item.designTime, MemberAccess::WriteOnly), 393, 394);
    std::vector<std::string> lines = {
        "Public Property Let " + item.name + " (" + value + " As " + item.type + ")",
        "",
        indent + std::string(generation::kWizardCommentDashesBlank) + date,
    };
    if (!setGuard.empty())
        lines.push_back(setGuard);
    lines.insert(lines.end(), {
                                  indent + member + " = " + value,
                                  indent + "PropertyChanged \"" + item.name + "\"",
                                  "",
                                  "End Property",
                                  "",
                                  "Public Property Get " + item.name + "() As " + item.type,
                                  "",
                                  indent + std::string(generation::kWizardComment) + date,
                              });
    if (!getGuard.empty())
        lines.push_back(getGuard);
    lines.insert(lines.end(), {indent + item.name + " = " + member, "", "End Property", ""});
    return lines;
}

std::vector<std::string> MethodLines(const CustomItem& item, const std::string& date) {
    const std::string keyword = item.type.empty() ? "Sub" : "Function";
    std::string header =
        "Public " + keyword + " " + item.name + "(" + JoinParameters(item.parameters) + ")";
    if (!item.type.empty())
        header += " As " + item.type;
    return {
        header,
        "",
        std::string(kIndent) + std::string(generation::kWizardComment) + date,
        "",
        "End " + keyword,
        "",
    };
}

}  // namespace

int32_t Wizard::GenerateCustomItems(objControl& spec) {
    try {
        std::shared_ptr<ide::CodeModule> module;
        for (int16_t kind : {kKindProperty, kKindMethod, kKindEvent}) {
            std::vector<const CustomItem*> items;
            for (int16_t i = 0; i < spec.ItemCount(kind); ++i) {
                if (!spec.ItemSelected(kind, i) || spec.ItemMapped(kind, i))
                    continue;
                for (const CustomItem& custom : CustomItems_) {
                    if (custom.kind == kind && CustomItemText(custom) == spec.Item(kind, i)) {
                        items.push_back(&custom);
                        spec.ItemMapped(kind, i, true);
                        break;
                    }
                }
            }
            if (items.empty())
                continue;
            CurrentShell().ShowStatus(kAddingPrefix[kind] + UserControlName_);
            CurrentShell().DoEvents();
            if (!module)
                module = UserControlModule();
            if (!module)
                throw VbError(kErrSubscriptOutOfRange);

            // A member the module has already (an earlier run) is left as it is.
            const std::string date = WizardDate();
            std::vector<std::string> buffer;
            const auto declared = DeclaredEvents(module.get());
            std::vector<const CustomItem*> properties;
            for (const CustomItem* item : items) {
                if (kind == kKindEvent) {
                    if (declared.count(AsciiLower(item->name)) == 0) {
                        buffer.push_back(generation::EventDeclaration(
                            item->name, JoinParameters(item->parameters)));
                    }
                } else if (CheckForExistingProc(item->name) == kExistingNone) {
                    const auto lines = kind == kKindProperty ? PropertyLines(*item, date)
                                                             : MethodLines(*item, date);
                    buffer.insert(buffer.end(), lines.begin(), lines.end());
                }
                if (kind == kKindProperty)
                    properties.push_back(item);
            }
            if (!buffer.empty())
                module->AddFromString(generation::JoinLines(buffer));
            for (const CustomItem* item : properties) {
                const std::string member = MemberVariable(*item);
                const std::string value = DefaultLiteral(*item).value_or("0");
                AddDeclaration(*module, "Private " + member + " As " + item->type);
                AddToEventProcedure(*module, "UserControl_InitProperties", "",
                                    member + " = " + value);
                if (!PersistPropertyValues_)
                    continue;
                const std::string key = "\"" + item->name + "\"";
                AddToEventProcedure(*module, "UserControl_ReadProperties", "PropBag As PropertyBag",
                                    member + " = PropBag.ReadProperty(" + key + ", " + value + ")");
                AddToEventProcedure(
                    *module, "UserControl_WriteProperties", "PropBag As PropertyBag",
                    "Call PropBag.WriteProperty(" + key + ", " + member + ", " + value + ")");
            }
        }
    } catch (const VbError& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace qfw
