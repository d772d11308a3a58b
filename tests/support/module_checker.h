// A checker for generated Visual Basic: reads a code module (or a whole .ctl
// or .bas file) and reports what the Visual Basic compiler would reject in
// it, as far as code generation can get it wrong:
//   - every statement after the declarations section lies inside a
//     procedure, and the declarations section holds only declarations;
//   - procedure blocks are balanced: each header has an End of its own kind,
//     and no procedure starts inside another;
//   - no event, and no procedure of one name and kind, is declared twice
//     (a Sub or Function also clashes with a property of its name);
//   - the accessors of a property agree: a Property Let or Set takes the
//     Get's parameters (count and types) and then one value parameter of
//     the Get's return type, and never takes no parameter at all;
//   - every RaiseEvent names an event the module declares;
//   - "Set Name = value" outside Name's own accessors needs a Property Set
//     Name when the module defines the property Name;
//   - a Sub never assigns to its own name;
//   - a call statement never passes several arguments in parentheses
//     without Call;
//   - an event handler of a constituent named in the expectations has the
//     parameters of the constituent's event as its library reports them
//     (count, ByVal, types), with the leading Index As Integer of a control
//     array;
//   - a Set statement never assigns a value of an enumeration type named in
//     the expectations, where the checker knows a side's type: the
//     procedure's own name (its header's "As" type), one of its parameters,
//     or a member of a constituent named in the expectations.
// Line continuations join lines into one statement, and line labels and
// numbers before a statement are read past, as the compiler does.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qfw::testing {

struct ModuleExpectations {
    struct Constituent {
        std::vector<std::string> events;  // item texts: "KeyDown (KeyCode As Integer, ...) "
        bool isArray = false;
        // Property and method item texts: "Shading As ViewLib.Shade".
        std::vector<std::string> members = {};
    };
    // By constituent name (letter case ignored).
    std::map<std::string, Constituent> constituents;
    // Types whose values are numbers, not objects (letter case ignored).
    std::vector<std::string> enumerationTypes;
};

// The problems found, one text each naming the code line (counted from the
// first line after the file's header); empty when there are none.
std::vector<std::string> CheckModule(std::string_view text,
                                     const ModuleExpectations& expectations = {});

// The problems joined by newlines, for a test's failure message.
std::string DescribeProblems(const std::vector<std::string>& problems);

}  // namespace qfw::testing
