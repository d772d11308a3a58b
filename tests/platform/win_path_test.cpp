// Windows paths: normalization, combining, and the drive map to Unix paths.
#include "platform/win_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/file_ops.h"
#include "platform/vb_error.h"

namespace qfw {
namespace {

TEST(WinPathTest, NormalizeAndCombine) {
    const std::vector<std::pair<std::string, std::string>> normalize = {
        {"C:/Work/./Ctl/../Ctl.vbp", "C:\\Work\\Ctl.vbp"},
        {"C:\\..\\x", "C:\\x"},
        {"\\\\server\\share\\a", "\\\\server\\share\\a"},
        {"a\\..\\..\\b", "..\\b"},
    };
    for (const auto& [in, out] : normalize)
        EXPECT_EQ(NormalizeWindowsPath(in), out) << in;
    EXPECT_EQ(CombineWindowsPath("C:\\Work\\Ctl", "..\\Shared\\m.bas"), "C:\\Work\\Shared\\m.bas");
    EXPECT_EQ(CombineWindowsPath("C:\\Work", "D:\\x.ctl"), "D:\\x.ctl");
    EXPECT_EQ(CombineWindowsPath("C:\\Work", "\\x.ctl"), "C:\\x.ctl");
    EXPECT_EQ(WindowsFolderOf("C:\\Work\\Ctl\\Ctl.vbp"), "C:\\Work\\Ctl");
    EXPECT_EQ(WindowsFileNameOf("C:\\Work\\Ctl\\Ctl.vbp"), "Ctl.vbp");
    EXPECT_TRUE(SameWindowsPath("c:\\WORK\\a.ctl", "C:/Work/./A.CTL"));
}

TEST(WinPathTest, DriveMapAndCaseInsensitiveLookup) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "qfw-winpath-test";
    fs::remove_all(root);
    fs::create_directories(root / "drive_c/Windows/System");
    std::ofstream(root / "drive_c/Windows/System/comctl32.ocx") << "x";
    DriveMap map;
    map.cRoot = (root / "drive_c").string();
    EXPECT_EQ(WindowsToUnix("C:\\WINDOWS\\SYSTEM\\COMCTL32.OCX", map),
              (root / "drive_c/Windows/System/comctl32.ocx").string());
    EXPECT_EQ(WindowsToUnix("C:\\WINDOWS\\New\\File.TXT", map),
              (root / "drive_c/Windows/New/File.TXT").string());
    EXPECT_EQ(WindowsToUnix("Z:\\tmp", map), "/tmp");
    EXPECT_EQ(UnixToWindows((root / "drive_c/Windows").string(), map), "C:\\Windows");
    EXPECT_EQ(UnixToWindows("/home/ann/../bob/Ctl.vbp", map), "Z:\\home\\bob\\Ctl.vbp");
    EXPECT_THROW(WindowsToUnix("Q:\\x", map), VbError);
    EXPECT_THROW(WindowsToUnix("C:\\a*b", map), VbError);
    fs::remove_all(root);
}

TEST(FileOpsTest, ErrorsAndListing) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "qfw-fileops-test";
    fs::remove_all(root);
    fs::create_directories(root);
    const std::string dir = UnixToWindows(root.string());
    const auto errorOf = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const VbError& e) {
            return e.Number();
        }
        return 0;
    };
    EXPECT_EQ(errorOf([&] { ReadFileBytes(dir + "\\missing.txt"); }), 53);
    EXPECT_EQ(errorOf([&] { ReadFileBytes(dir + "\\nofolder\\x.txt"); }), 76);
    EXPECT_EQ(errorOf([&] { DeleteFile(dir + "\\missing.txt"); }), 53);
    EXPECT_EQ(errorOf([&] { WriteFileAtomically(dir + "\\nofolder\\x.txt", "x"); }), 76);
    WriteFileAtomically(dir + "\\A.OCX", "one\r\n");
    AppendToFile(dir + "\\a.ocx", "two\r\n");
    EXPECT_EQ(ReadFileBytes(dir + "\\a.OCX"), "one\r\ntwo\r\n");
    CopyFile(dir + "\\A.OCX", dir + "\\b.ocx");
    std::ofstream(root / "c.dll") << "x";
    EXPECT_EQ(ListFolder(dir + "\\*.OCX"), (std::vector<std::string>{"A.OCX", "b.ocx"}));
    EXPECT_TRUE(ListFolder(dir + "\\nofolder\\*.OCX").empty());
    DeleteFile(dir + "\\B.OCX");
    EXPECT_FALSE(FileExists(dir + "\\b.ocx"));
    fs::remove_all(root);
}

}  // namespace
}  // namespace qfw
