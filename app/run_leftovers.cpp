#include "run_leftovers.h"

#include "platform/file_ops.h"
#include "platform/vb_error.h"

namespace qfw::app {

void RunLeftovers::Watch(const std::string& winPath) {
    Watched entry{winPath, false, std::nullopt};
    if (FileExists(winPath)) {
        try {
            entry.bytes = ReadFileBytes(winPath);
            entry.known = true;
        } catch (const VbError&) {
            entry.known = false;
        }
    } else {
        entry.known = !FolderExists(winPath);
    }
    watched_.push_back(std::move(entry));
}

void RunLeftovers::Restore() const {
    for (const Watched& entry : watched_) {
        if (!entry.known)
            continue;
        try {
            if (entry.bytes) {
                if (!FileExists(entry.winPath) || ReadFileBytes(entry.winPath) != *entry.bytes)
                    WriteFileAtomically(entry.winPath, *entry.bytes);
            } else if (FileExists(entry.winPath)) {
                DeleteFile(entry.winPath);
            }
        } catch (const VbError&) {
            // Tidying up must not hide the reason the run failed.
        }
    }
}

}  // namespace qfw::app
