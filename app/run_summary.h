// RunSummary: what a generate run did, told per constituent, so that a run
// that writes little or nothing says why.
//
// The procedures of the UserControl's code are taken before and after
// generation. A procedure that is new was generated, one whose text changed
// had code merged into it; each counts for every constituent its new lines
// name ("txtValue.Text", "Private Sub txtValue_Change"). Selected items of
// the specification that no constituent's library lists (by exact item
// text, as the wizard maps them) are named: no code can delegate them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/ide/code_module.h"
#include "engine/wizard.h"
#include "model/obj_control.h"

namespace qfw::app {

// The procedures of a module, each as its lines (each ending in "\n"), by
// "kind name". One string per procedure: the texts of a large module are
// held twice during a run, before and after generation.
using ProcedureTexts = std::map<std::string, std::string>;

ProcedureTexts ProcedureTextsOf(const ide::CodeModule& code);

// The summary lines (each ending in "\n"), headed "Summary:".
// codeChanged says whether the run changed the UserControl's code at all.
std::string RunSummary(const ProcedureTexts& before, const ProcedureTexts& after, bool codeChanged,
                       const Wizard& wizard, const objControl& spec);

}  // namespace qfw::app
