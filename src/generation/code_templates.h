// The source lines generation writes, one function per block.
//
// Each function returns the block's lines in order, without line
// terminators; whoever writes them adds CR LF. The texts are exact: blank
// counts, tabs, the comment wording and the spacing around parentheses are
// what later merges and the users' existing code expect.
#pragma once

#include <string>
#include <vector>

namespace qfw::generation {

// What one property or method item generates from.
struct ProcedureParts {
    std::string name;
    std::string parameters;
    std::string type;
    std::string token;
    bool useSet = false;
};

// The lines as file or InsertLines text: each line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// Whether the property takes parameters (an index): `List (Index As
// Integer) As String`.
bool IsIndexedProperty(const ProcedureParts& item);

// The constituent's property as the generated code reaches it: "Text1.Caption",
// or with the item's arguments "Text1.List(Index)".
std::string PropertyMember(const ProcedureParts& item, const std::string& control);

// Property Let and Get delegating to `control`, 15 lines. An indexed
// property's accessors take its parameters, the Let (a Property Set for an
// object type) the value after them.
std::vector<std::string> PropertyBlock(const ProcedureParts& item, const std::string& control,
                                       const std::string& date);

// A Sub (empty type) or a Function (non-empty type) delegating to `control`,
// 7 lines.
std::vector<std::string> MethodBlock(const ProcedureParts& item, const std::string& control,
                                     const std::string& date);

// The UserControl's own event declaration.
std::string EventDeclaration(const std::string& name, const std::string& parameters);

// A new forwarding handler `handler`(`handlerParameters`) (Text1_Click, or
// txt_Click(Index As Integer) for a control array) that raises the
// UserControl's event `name` with the arguments of `parameters`.
std::vector<std::string> ForwardingHandler(const std::string& handler,
                                           const std::string& handlerParameters,
                                           const std::string& name, const std::string& parameters);

// The forwarding lines inserted into an existing handler that holds no
// RaiseEvent yet: after its wizard comment, or with a comment of their own.
std::vector<std::string> ForwardingAfterComment(const std::string& name,
                                                const std::string& arguments);
std::vector<std::string> ForwardingWithComment(const std::string& name,
                                               const std::string& arguments);

// The assignment a Property Let (or an indexed property's Set) receives for
// one more constituent, passing an indexed property's arguments.
std::string PropertyMergeLine(const ProcedureParts& item, const std::string& control);

// The statement that calls the constituent's method with every parameter
// of the item as an argument (without indentation).
std::string SubCallLine(const ProcedureParts& item, const std::string& control);

// The line a Sub or Function receives for one more constituent: the call,
// or with `assignResult` the Function's result assigned from the
// constituent's; and the lines inserted around it: after the procedure's
// wizard comment, or with a comment of their own.
std::string MethodMergeLine(const ProcedureParts& item, const std::string& control,
                            bool assignResult);
std::vector<std::string> MethodMergeAfterComment(const std::string& callLine);
std::vector<std::string> MethodMergeWithComment(const std::string& callLine);

// The property-bag lines of one property; `read` and `write` are empty when
// the property is not persisted this way.
struct PropertyBagLines {
    std::string declaration;
    std::string read;
    std::string write;
};
PropertyBagLines PropertyBagTexts(const std::string& property, const std::string& dataType,
                                  const std::string& control, bool useSet);

}  // namespace qfw::generation
