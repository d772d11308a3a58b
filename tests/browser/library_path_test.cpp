// TypeLibName resolution: Windows paths, Unix paths and bare system-folder names.
#include "browser/control/library_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace qfw {
namespace {

namespace fs = std::filesystem;

class LibraryPathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ =
            fs::temp_directory_path() /
            ("qfw-libpath-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        fs::create_directories(root_ / "prefix/drive_c/windows/system");
        fs::create_directories(root_ / "Libs");
        std::ofstream(root_ / "prefix/drive_c/windows/system/MSCOMM32.OCX") << "x";
        std::ofstream(root_ / "Libs/Quill.ocx") << "x";
        const char* old = std::getenv("WINEPREFIX");
        oldPrefix_ = old ? old : "";
        hadPrefix_ = old != nullptr;
        setenv("WINEPREFIX", (root_ / "prefix").c_str(), 1);
    }
    void TearDown() override {
        if (hadPrefix_)
            setenv("WINEPREFIX", oldPrefix_.c_str(), 1);
        else
            unsetenv("WINEPREFIX");
        fs::remove_all(root_);
    }

    fs::path root_;
    std::string oldPrefix_;
    bool hadPrefix_ = false;
};

std::string WindowsPath(const fs::path& unix) {
    std::string text = "Z:" + unix.string();
    for (char& c : text)
        if (c == '/')
            c = '\\';
    return text;
}

TEST_F(LibraryPathTest, MapsDrivesAndIgnoresCase) {
    const std::string system = (root_ / "prefix/drive_c/windows/system/MSCOMM32.OCX").string();
    const std::string quill = (root_ / "Libs/Quill.ocx").string();
    const std::pair<std::string, std::string> cases[] = {
        {"mscomm32.ocx", system},
        {"C:\\WINDOWS\\SYSTEM\\MsComm32.ocx", system},
        {"c:/windows/system/MSCOMM32.OCX", system},
        {WindowsPath(root_ / "libs/QUILL.OCX"), quill},
        {(root_ / "LIBS/quill.ocx").string(), quill},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(fs::path(ResolveTypeLibPath(name)).lexically_normal(), fs::path(expected))
            << name;
}

TEST_F(LibraryPathTest, AMissingFileKeepsItsName) {
    const std::string resolved = ResolveTypeLibPath("C:\\WINDOWS\\SYSTEM\\Missing.ocx");
    EXPECT_EQ(fs::path(resolved).filename(), "Missing.ocx");
    EXPECT_FALSE(fs::exists(resolved));
}

}  // namespace
}  // namespace qfw
