#include "scratch_copy.h"

#include <cstdlib>
#include <system_error>

namespace qfw::app {

namespace fs = std::filesystem;

ScratchCopy::ScratchCopy() {
    // A TMPDIR that names no folder is no reason for a dry run to fail where
    // the real run (which needs no scratch folder) would pass.
    std::error_code unusable;
    fs::path base = fs::temp_directory_path(unusable);
    if (unusable)
        base = "/tmp";
    std::string pattern = (base / "qfwizard-dry-run-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw fs::filesystem_error("cannot create a scratch folder", pattern,
                                   std::error_code(errno, std::generic_category()));
    }
    root_ = pattern;
    fs::create_directories(root_ / "work");
}

ScratchCopy::~ScratchCopy() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string ScratchCopy::Add(const std::string& unixPath) {
    const fs::path source = fs::absolute(unixPath).lexically_normal();
    const fs::path target = root_ / "tree" / source.relative_path();
    fs::create_directories(target.parent_path());
    fs::copy_file(source, target, fs::copy_options::overwrite_existing);
    return target.string();
}

std::string ScratchCopy::OriginalOf(const std::string& unixPath) const {
    const std::string tree = (root_ / "tree").string();
    if (unixPath.size() > tree.size() && unixPath.compare(0, tree.size(), tree) == 0 &&
        unixPath[tree.size()] == '/')
        return unixPath.substr(tree.size());
    return unixPath;
}

std::string ScratchCopy::WorkFolder() const {
    return (root_ / "work").string();
}

}  // namespace qfw::app
