#include "generation/code_templates.h"

#include "generation/item_text.h"
#include "platform/text_codec.h"

namespace qfw::generation {

namespace {

constexpr std::string_view kIndent = "    ";
constexpr std::string_view kTab = "\t";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string WithParameters(const std::string& head, const std::string& parameters) {
    return parameters.empty() ? head : head + "(" + parameters + ")";
}

std::string CommentLine(std::string_view comment, const std::string& date) {
    return std::string(kIndent) + std::string(comment) + date;
}

std::string ControlMember(const std::string& control, const std::string& name) {
    return control + "." + name;
}

std::string RaiseEventLine(const std::string& name, std::string_view beforeParenthesis,
                           const std::string& arguments) {
    return std::string(kTab) + "RaiseEvent " + name + std::string(beforeParenthesis) + "(" +
           arguments + ")";
}

// A Function's return value: the constituent member's result, through Set
// for an object type.
std::string ResultAssignment(const ProcedureParts& item, std::string_view equals) {
    return (item.useSet ? "Set " : "") + item.name + std::string(equals);
}

}  // namespace

bool IsIndexedProperty(const ProcedureParts& item) {
    return !ArgumentNames(item.parameters).empty();
}

std::string PropertyMember(const ProcedureParts& item, const std::string& control) {
    const std::string member = ControlMember(control, item.name);
    return IsIndexedProperty(item) ? member + "(" + CallArguments(item.parameters) + ")" : member;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> PropertyBlock(const ProcedureParts& item, const std::string& control,
                                       const std::string& date) {
    const std::string& name = item.name;
    const std::string value = item.token + name;
    const std::string set = item.useSet ? "Set " : "";
    const std::string member = PropertyMember(item, control);
    std::string letHeader = "Public Property Let " + name + " (" + value + " As " + item.type + ")";
    std::string getHeader = "Public Property Get " + name + "() As " + item.type;
    if (IsIndexedProperty(item)) {
        // The language pairs the accessors of an indexed property by their
        // parameters: the Let (Set for an object) takes the Get's and then
        // the value.
        const std::string keyword = item.useSet ? "Set " : "Let ";
        letHeader = "Public Property " + keyword + name + "(" + item.parameters + ", " + value +
                    " As " + item.type + ")";
        getHeader = "Public Property Get " + name + "(" + item.parameters + ") As " + item.type;
    }
    return {
        letHeader,
        "",
        CommentLine(kWizardCommentDashesBlank, date),
        std::string(kIndent) + set + member + " = " + value,
        std::string(kIndent) + "PropertyChanged " + Quoted(name),
        "",
        "End Property",
        "",
        getHeader,
        "",
        CommentLine(kWizardComment, date),
        std::string(kIndent) + set + name + " = " + member,
        "",
        "End Property",
        "",
    };
}

std::string SubCallLine(const ProcedureParts& item, const std::string& control) {
    const std::string call = ControlMember(control, item.name);
    const std::vector<std::string> arguments = ArgumentNames(item.parameters);
    if (arguments.empty())
        return call;
    // One argument in parentheses reads as a call; several need the
    // statement form without them, which the language requires.
    if (arguments.size() == 1)
        return call + "(" + arguments[0] + ")";
    return call + " " + CallArguments(item.parameters);
}

std::vector<std::string> MethodBlock(const ProcedureParts& item, const std::string& control,
                                     const std::string& date) {
    const std::string& name = item.name;
    const bool isSub = item.type.empty();
    const bool hasParameters = !item.parameters.empty();
    std::string body = SubCallLine(item, control);
    if (!isSub && !Trim(item.type).empty()) {
        // A function returns what the constituent's member returns; without
        // parameters the call keeps a blank between its parentheses.
        const std::string call = ControlMember(control, name);
        body = ResultAssignment(item, " = ") +
               (hasParameters ? call + "(" + CallArguments(item.parameters) + ")" : call + "( )");
    }
    const std::string keyword = isSub ? "Sub" : "Function";
    return {
        WithParameters("Public " + keyword + " " + name, item.parameters),
        "",
        CommentLine(kWizardComment, date),
        std::string(kIndent) + body,
        "",
        "End " + keyword,
        "",
    };
}

std::string EventDeclaration(const std::string& name, const std::string& parameters) {
    return "Event " + name + "(" + parameters + ")";
}

std::vector<std::string> ForwardingHandler(const std::string& handler,
                                           const std::string& handlerParameters,
                                           const std::string& name, const std::string& parameters) {
    return {
        "Private Sub " + handler + "(" + handlerParameters + ")",
        "",
        std::string(kTab) + std::string(kWizardCommentDashesBlank),
        RaiseEventLine(name, " ", RaiseEventArguments(parameters)),
        "",
        "End Sub",
    };
}

std::vector<std::string> ForwardingAfterComment(const std::string& name,
                                                const std::string& arguments) {
    return {"", RaiseEventLine(name, "", arguments), ""};
}

std::vector<std::string> ForwardingWithComment(const std::string& name,
                                               const std::string& arguments) {
    return {
        "",
        std::string(kTab) + std::string(kWizardCommentDashesBlank),
        RaiseEventLine(name, " ", arguments),
        "",
    };
}

std::string PropertyMergeLine(const ProcedureParts& item, const std::string& control) {
    return std::string(kIndent) + (item.useSet ? "Set " : "") + PropertyMember(item, control) +
           " = " + item.token + item.name;
}

std::string MethodMergeLine(const ProcedureParts& item, const std::string& control,
                            bool assignResult) {
    if (!assignResult)
        return std::string(kTab) + SubCallLine(item, control);
    return std::string(kTab) + ResultAssignment(item, "=") + ControlMember(control, item.name) +
           "(" + CallArguments(item.parameters) + ")";
}

std::vector<std::string> MethodMergeAfterComment(const std::string& callLine) {
    return {"", callLine, ""};
}

std::vector<std::string> MethodMergeWithComment(const std::string& callLine) {
    return {
        "",
        std::string(kTab) + std::string(kWizardCommentDashes),
        callLine,
        "",
    };
}

PropertyBagLines PropertyBagTexts(const std::string& property, const std::string& dataType,
                                  const std::string& control, bool useSet) {
    PropertyBagLines lines;
    lines.declaration = "Private m_" + TypeToken(property, dataType) + property + " As " + dataType;
    if (useSet)
        return lines;

    const std::string member = ControlMember(control, property);
    const std::string readHead = member + " = PropBag.ReadProperty(" + Quoted(property);
    const std::string writeHead = "Call PropBag.WriteProperty(" + Quoted(property) + ", " + member;
    if (property == "BackColor" || property == "ForeColor") {
        lines.read = readHead + ", &H8000000F)";
        lines.write =
            "Call PropBag.WriteProperty(" + Quoted(property) + "," + member + ", &H8000000F)";
    } else if (property == "Font") {
        lines.read = "Set Font = PropBag.ReadProperty(\"Font\", Ambient.Font)";
        lines.write = "Call PropBag.WriteProperty(\"Font\", Font, Ambient.Font)";
    } else if (dataType == "String") {
        lines.read = readHead + ", \"\")";
        lines.write = writeHead + ", \"\")";
    } else if (dataType == "Integer" || dataType == "Long" || dataType == "Single" ||
               dataType == "Double") {
        lines.read = readHead + ", 0 )";
        lines.write = writeHead + ", 0)";
    } else if (dataType == "Boolean") {
        lines.read = readHead + ", False )";
        lines.write = writeHead + ", False)";
    }
    return lines;
}

}  // namespace qfw::generation
