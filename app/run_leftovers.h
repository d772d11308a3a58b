// RunLeftovers: the files a run may create beside the user's project (the
// .QFN backup, the work file QFNCODE.DAT) put back as they were when the
// run ends without writing the UserControl, so that a failed run leaves
// nothing new in the project folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qfw::app {

class RunLeftovers {
  public:
    // Remembers the file at `winPath` as it is now: its bytes, or that it
    // does not exist (a folder or an unreadable file is left alone later).
    void Watch(const std::string& winPath);

    // Every watched file as it was: a new one is deleted, a replaced one
    // gets its old bytes back. Problems are ignored; this only tidies up.
    void Restore() const;

  private:
    struct Watched {
        std::string winPath;
        bool known = false;                // a regular file or nothing
        std::optional<std::string> bytes;  // nothing: it did not exist
    };
    std::vector<Watched> watched_;
};

}  // namespace qfw::app
