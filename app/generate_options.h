// The option values of `qfwizard generate`, parsed and matched the way the
// environment matches names (letter case ignored), and the stop a run ends
// with when one does not fit.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/custom_item.h"

namespace qfw::app {

// Ends the run with an exit code; an empty message means the reason was
// already shown.
struct RunStop {
    int exitCode;
    std::string message;
};

struct ItemChoice {
    int16_t kind;
    std::string text;
};

struct MultiMapChoice {
    int16_t kind;
    std::vector<std::string> classes;
    std::string text;
};

// The item kinds by number, as --select and --map spell them.
inline const char* const kKindNames[] = {"property", "method", "event"};

// "a, b,c" as {"a", "b", "c"}.
std::vector<std::string> SplitList(const std::string& text);
// "a, b, c", or "(none)" for an empty list.
std::string JoinList(const std::vector<std::string>& items);

// KIND (any letter case) as its number; RunStop (usage) naming `option`.
int16_t ParseKind(const std::string& word, const std::string& option);
// --select KIND:TEXT and --map KIND:CLASS,CLASS,...:TEXT; RunStop (usage).
ItemChoice ParseSelection(const std::string& value);
MultiMapChoice ParseMultiMap(const std::string& value);
// --add property:Name:Type[:Default][:ACCESS], method:Name(params)[:Type],
// event:Name(params), with ACCESS RUN[/DESIGN] of rw, ro, wo, na (one word
// for both); RunStop (usage) for text of another shape. Whether the item
// may be added is the engine's to say.
CustomItem ParseAddition(const std::string& value);
// --date YYYY-MM-DD; nothing for an empty text; RunStop (usage).
std::optional<std::chrono::year_month_day> ParseDate(const std::string& text);

// The member name an item text starts with ("Caption As String", "Move (Left
// As Single)").
std::string MemberName(const std::string& text);

// The item of `texts` that `wanted` names: the identical text, else the text
// equal but for letter case, else the one item whose member name it is (any
// letter case), as names are matched in the environment.
std::optional<std::string> FindItem(const std::vector<std::string>& texts,
                                    const std::string& wanted);

// The constituent class `wanted` names (any letter case), taken out of
// `available` so that a class can be named once per constituent of it.
std::optional<std::string> TakeClass(std::vector<std::string>& available,
                                     const std::string& wanted);

}  // namespace qfw::app
