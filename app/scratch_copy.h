// ScratchCopy: a temporary copy of the files a run reads, so that a dry run
// can go through every step (the work files included) without writing in
// the user's folders.
//
// Each file is copied to the scratch folder plus its absolute Unix path, so
// relative paths between a group, its projects and their components stay
// valid inside the copy. The folder and everything written into it are
// removed by the destructor.
#pragma once

#include <filesystem>
#include <string>

namespace qfw::app {

class ScratchCopy {
  public:
    ScratchCopy();
    ~ScratchCopy();
    ScratchCopy(const ScratchCopy&) = delete;
    ScratchCopy& operator=(const ScratchCopy&) = delete;

    // Copies the file at `unixPath` into the scratch tree; returns the copy's
    // Unix path. Raises std::filesystem::filesystem_error.
    std::string Add(const std::string& unixPath);
    // The original Unix path of a copy's Unix path (other paths unchanged).
    std::string OriginalOf(const std::string& unixPath) const;
    // A folder for work files, as a Unix path.
    std::string WorkFolder() const;

  private:
    std::filesystem::path root_;
};

}  // namespace qfw::app
