#include "engine/ide/procedure_scan.h"
#include "platform/text_codec.h"

#include <utility>

namespace qfw::ide {

std::string ProcKey(std::string_view name, int32_t kind) {
    std::string key = AsciiLower(name);
    key.push_back('\x01');
    key.push_back(static_cast<char>('0' + (kind & 0x0f)));
    return key;
}

RunStructure ScanRun(const std::vector<CodeLine>& lines) {
    RunStructure run;
    bool continuation = false;
    LineClass statement = LineClass::kBlank;
    bool inProc = false;
    for (int32_t i = 0; i < static_cast<int32_t>(lines.size()); ++i) {
        const std::string& text = lines[static_cast<size_t>(i)].text;
        if (continuation) {
            continuation = EndsWithContinuation(text);
            if (statement == LineClass::kCode && run.procs.empty())
                run.lastCodeBeforeProcs = i;
            continue;
        }
        LineInfo info = ClassifyLine(text);
        continuation = info.continues;
        statement = info.cls;
        switch (info.cls) {
            case LineClass::kProcHeader:
                run.anyStructure = true;
                if (inProc)
                    run.balanced = false;
                run.procs.push_back({std::move(info.name), info.procKind, i, -1});
                inProc = true;
                break;
            case LineClass::kProcEnd:
                run.anyStructure = true;
                if (!inProc) {
                    run.balanced = false;
                } else {
                    run.procs.back().end = i;
                    inProc = false;
                }
                break;
            case LineClass::kCode:
                run.anyStructure = true;
                if (run.procs.empty())
                    run.lastCodeBeforeProcs = i;
                break;
            default:
                break;
        }
    }
    if (inProc)
        run.balanced = false;
    run.continuesAtEnd = continuation;
    return run;
}

}  // namespace qfw::ide
