// Test support: a temporary folder removed with its contents at the end of
// the test, and byte-exact file helpers for writing fixtures the way the
// environment writes them (CR LF, ANSI).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qfw::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Unix and Windows paths of a file inside the folder.
    std::string Unix(const std::string& name) const;
    std::string Windows(const std::string& name) const;
    // Writes (creating parent folders) and reads a file inside the folder.
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// The lines, each followed by CR LF.
std::string CrLf(const std::vector<std::string>& lines);

}  // namespace qfw::testing
