// The procedure structure of a run of code lines: which lines open and close
// procedures, where the declarations end, and whether the run is balanced.
// CodeModule's procedure index uses it to rescan the module and to learn what
// an inserted block of lines adds, without rescanning everything.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ide/code_lines.h"

namespace qfw::ide {

// The key of a procedure in the index: its name without regard to letter
// case, and its kind.
std::string ProcKey(std::string_view name, int32_t kind);

// The procedures found in a run of lines: positions relative to the run's
// first line (0-based), plus what the index update needs to know.
struct RunStructure {
    struct Proc {
        std::string name;
        int32_t kind;
        int32_t body;
        int32_t end;
    };
    std::vector<Proc> procs;
    int32_t lastCodeBeforeProcs = -1;  // last statement line before the first header
    bool balanced = true;              // every header has its End, no stray End
    bool continuesAtEnd = false;
    bool anyStructure = false;  // headers, Ends or statements (not blank/comment)
};

RunStructure ScanRun(const std::vector<CodeLine>& lines);

}  // namespace qfw::ide
