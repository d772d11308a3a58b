// Reading an item text and composing the source lines generated from it.
//
// An item text is the whole string that describes one member, as the browser
// composes it: "Caption As String", "Move (Left As Single, Top) ",
// "Click () ". Generation needs only a few pieces of it, found by plain,
// case-sensitive character searches, with the runtime's string rules: a
// position is 1-based and 0 means "not found", Trim removes blanks (never
// tabs), and a Left or Mid with a negative length raises error 5.
//
// Every function here is pure; the Wizard operations feed the results to the
// code module.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qfw::generation {

// The wizard's marker comment, in the three spellings generated code uses.
inline constexpr std::string_view kWizardComment = "'Added by Quillfern Constituent Wizard ";
inline constexpr std::string_view kWizardCommentDashes =
    "'Added by Quillfern Constituent Wizard --";
inline constexpr std::string_view kWizardCommentDashesBlank =
    "'Added by Quillfern Constituent Wizard -- ";

// The first `length` characters; a negative length raises error 5, as the
// runtime's Left does.
std::string LeftOf(std::string_view text, long long length);

// 1-based position of the first `what` in `text`, 0 when absent. An empty
// `what` is found at position 1, as the runtime answers.
size_t FindText(std::string_view text, std::string_view what);

// The name: the text before the first blank, trimmed. An item text without
// a blank raises error 5 (invalid procedure call).
std::string ItemName(std::string_view itemText);

// The parameter list: the text strictly between the first "(" and the first
// ")" after it; empty when there is no "(". A "(" without a ")" after it
// raises error 5.
std::string ItemParameters(std::string_view itemText);

// The type an item text names: the text after its first " As ", or for an
// item with a parameter list the text after ") As " (so that neither an
// "As" inside a name nor one inside the parameter list is read as the
// type). Empty when there is none: a method without a return value.
std::string ItemType(std::string_view itemText);

// The name of one parameter as an argument: without a leading ByVal, ByRef,
// Optional or ParamArray word, the text before " As " (or the whole
// parameter), without a default value or an array's "()", blanks trimmed.
std::string ArgumentName(std::string_view parameter);

// The argument names of a parameter list, one per parameter.
std::vector<std::string> ArgumentNames(std::string_view parameters);

// The argument names joined by ", ", as a call passes them.
std::string CallArguments(std::string_view parameters);

// The argument text of a RaiseEvent line, piece by piece of the parameter
// list (each piece up to its comma): the piece before its " As ", or the
// whole piece when it has none, without a leading ByVal, ByRef, Optional or
// ParamArray word; joined by ", ". Each later name keeps the blank that
// followed its comma, so "KeyCode As Integer, Shift As Integer" gives
// "KeyCode,  Shift".
std::string RaiseEventArguments(std::string_view parameters);

// The type prefix of generated value-parameter names (fon, col, byt, b, i,
// l, d, c, dt, s, v, or empty).
std::string TypeToken(std::string_view procedure, std::string_view type);

// True when the simple type list holds the upper-cased, trimmed type as a
// substring; an empty type is always held. Other types are objects and are
// assigned with Set.
bool IsSimpleType(std::string_view type);

}  // namespace qfw::generation
