#include "support/temp_folder.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/win_path.h"

namespace qfw::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "qfw-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempFolder::Unix(const std::string& name) const { return (path_ / name).string(); }

std::string TempFolder::Windows(const std::string& name) const {
    return UnixToWindows(Unix(name));
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
    fs::create_directories((path_ / name).parent_path());
    WriteBytes(path_ / name, bytes);
}

std::string TempFolder::Read(const std::string& name) const { return ReadBytes(path_ / name); }

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace qfw::testing
