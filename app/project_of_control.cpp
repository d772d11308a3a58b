#include "project_of_control.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/text_codec.h"

namespace qfw::app {

namespace fs = std::filesystem;

namespace {

bool EndsWithIgnoreCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

// Whether the project file has a "UserControl=NAME" line whose file name is
// `fileName` (the value may carry a relative folder).
bool ListsControl(const fs::path& project, const std::string& fileName) {
    std::ifstream in(project, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t equals = line.find('=');
        if (equals == std::string::npos || !EqualsIgnoreCase(line.substr(0, equals), "UserControl"))
            continue;
        std::string value = line.substr(equals + 1);
        const size_t slash = value.find_last_of("\\/");
        if (slash != std::string::npos)
            value = value.substr(slash + 1);
        if (EqualsIgnoreCase(value, fileName))
            return true;
    }
    return false;
}

}  // namespace

bool IsControlFile(const std::string& path) {
    return EndsWithIgnoreCase(path, ".ctl");
}

ProjectOfControl FindProjectOfControl(const std::string& controlFile) {
    const fs::path control(controlFile);
    const fs::path folder = control.has_parent_path() ? control.parent_path() : fs::path(".");
    const std::string fileName = control.filename().string();
    std::vector<std::string> listing;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (EndsWithIgnoreCase(name, ".vbp") && ListsControl(entry.path(), fileName))
            listing.push_back(entry.path().string());
    }
    std::sort(listing.begin(), listing.end());
    if (listing.size() == 1)
        return {listing.front(), ""};
    if (listing.empty()) {
        return {"", controlFile +
                        " is a UserControl file and no project (.vbp) beside it lists it; pass "
                        "the project that holds it"};
    }
    std::string names;
    for (const std::string& path : listing)
        names += (names.empty() ? "" : ", ") + path;
    return {"", "several projects list " + controlFile + "; pass one of them: " + names};
}

}  // namespace qfw::app
