// A path in the temporary folder that belongs to this fuzzer process
// (its id in the name), removed with whatever is below it when the process
// exits: the targets whose code under test works on files use one.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace qfw::fuzz {

class ScratchPath {
  public:
    ScratchPath(const std::string& prefix, const std::string& suffix)
        : path_(std::filesystem::temp_directory_path() /
                (prefix + std::to_string(getpid()) + suffix)) {}
    ~ScratchPath() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchPath(const ScratchPath&) = delete;
    ScratchPath& operator=(const ScratchPath&) = delete;

    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace qfw::fuzz
