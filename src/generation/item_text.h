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

// Text with leading and trailing blanks (character 32 only) removed.
std::string TrimBlanks(std::string_view text);

// The first `length` characters; a negative length raises error 5, as the
// runtime's Left does.
std::string LeftOf(std::string_view text, long long length);

// ASCII upper and lower case; other bytes unchanged.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

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

// The type that an "As" at 1-based position `asPosition` introduces: the text
// from three characters after the "A" to the end (empty past the end).
std::string TypeAfterAs(std::string_view itemText, size_t asPosition);

// A parameter's text without its leading passing keywords ("ByVal ",
// "ByRef ", "Optional ", "ParamArray "), which are no part of its name.
std::string_view WithoutPassingKeywords(std::string_view parameter);

// The first parameter's name: the parameter list cut before the first blank
// of the blank-trimmed list, passing keywords left out. A list with a single
// word is that word.
std::string FirstParameterName(std::string_view parameters);

// The argument text of a RaiseEvent line: the names in front of each "As "
// of the parameter list, joined by ", ". Each later name keeps the blank
// that followed its comma, so "KeyCode As Integer, Shift As Integer" gives
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
