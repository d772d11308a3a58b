// The one prefix rule, the drive map it gives, and the 32-bit view of a
// 64-bit prefix (system32 redirected to syswow64).
#include "platform/wine_prefix.h"

#include <gtest/gtest.h>

#include "platform/file_ops.h"
#include "platform/vb_error.h"
#include "platform/win_path.h"
#include "support/temp_folder.h"

namespace qfw {
namespace {

using testing::TempFolder;

TEST(WinePrefixRule, OptionThenEnvironmentThenHomeWineThenOwnFolder) {
    TempFolder home;
    const std::string h = home.Path().string();
    home.Write("opt/drive_c/x", "");
    struct Case {
        std::string option;
        const char* winePrefix;
        bool homeWineExists;
        const char* xdg;
        std::string folder;
        bool own;
    };
    const std::string opt = h + "/opt";
    const Case cases[] = {
        {opt, "/env/prefix", true, nullptr, opt, false},
        {"", "/env/prefix", true, nullptr, "/env/prefix", false},
        {"", "", true, nullptr, h + "/.wine", false},
        {"", nullptr, false, "/xdg", "/xdg/qfwizard", true},
        {"", nullptr, false, nullptr, h + "/.local/share/qfwizard", true},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(home.Path() / ".wine");
        if (c.homeWineExists)
            std::filesystem::create_directories(home.Path() / ".wine");
        const WinePrefixChoice choice = ChooseWinePrefix(c.option, c.winePrefix, h.c_str(), c.xdg);
        EXPECT_EQ(choice.folder, c.folder)
            << c.option << " " << (c.winePrefix ? c.winePrefix : "-");
        EXPECT_EQ(choice.ownFolder, c.own) << c.folder;
    }
    try {
        ChooseWinePrefix(h + "/missing", "/env/prefix", h.c_str(), nullptr);
        FAIL() << "a --wine-prefix that does not exist must be an error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), kErrPathNotFound);
        EXPECT_EQ(e.Description(), "the Wine prefix " + h + "/missing does not exist");
    }
}

TEST(WinePrefixRule, SixtyFourBitPrefixRedirectsThe32BitView) {
    TempFolder prefix;
    prefix.Write("drive_c/windows/system32/QUILL64.OCX", "64");
    prefix.Write("drive_c/windows/syswow64/quilldial.ocx", "32");
    const DriveMap map = DriveMap::ForPrefix(prefix.Path().string(), false);
    ASSERT_TRUE(map.wow64);
    const std::pair<std::string, std::string> redirects[] = {
        {"C:\\windows\\system32\\QUILLDIAL.OCX", "C:\\windows\\syswow64\\QUILLDIAL.OCX"},
        {"c:/WINDOWS/System32/sub/x.dll", "C:\\windows\\syswow64\\sub\\x.dll"},
        {"C:\\windows\\system32\\drivers\\etc\\hosts",
         "C:\\windows\\system32\\drivers\\etc\\hosts"},
        {"C:\\windows\\system32\\spool\\x", "C:\\windows\\system32\\spool\\x"},
        {"C:\\windows\\system32\\catroot2\\x", "C:\\windows\\system32\\catroot2\\x"},
        {"C:\\windows\\sysnative\\QUILL64.OCX", "C:\\windows\\system32\\QUILL64.OCX"},
        {"C:\\WINDOWS\\SYSTEM\\X.OCX", "C:\\WINDOWS\\SYSTEM\\X.OCX"},
        {"D:\\windows\\system32\\x.ocx", "D:\\windows\\system32\\x.ocx"},
    };
    for (const auto& [in, out] : redirects)
        EXPECT_EQ(RedirectFor32BitView(in, map), out) << in;
    EXPECT_EQ(WindowsToUnix(RedirectFor32BitView("C:\\windows\\system32\\QUILLDIAL.OCX", map), map),
              prefix.Unix("drive_c/windows/syswow64/quilldial.ocx"));
    const std::vector<std::string> folders = {"C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\SYSTEM32",
                                              "C:\\WINDOWS\\SYSWOW64"};
    EXPECT_EQ(SystemFolders(map), folders);

    TempFolder prefix32;
    prefix32.Write("drive_c/windows/system32/quilldial.ocx", "32");
    const DriveMap map32 = DriveMap::ForPrefix(prefix32.Path().string(), false);
    EXPECT_FALSE(map32.wow64);
    EXPECT_EQ(RedirectFor32BitView("C:\\windows\\system32\\QUILLDIAL.OCX", map32),
              "C:\\windows\\system32\\QUILLDIAL.OCX");
    EXPECT_EQ(SystemFolders(map32).size(), 2u);
}

TEST(WinePrefixRule, InstalledMapServesEveryDriveLetter) {
    TempFolder prefix;
    prefix.Write("drive_c/windows/system/A.OCX", "a");
    const DriveMap map = DriveMap::ForPrefix(prefix.Path().string(), false);
    {
        ScopedDriveMap installed(map);
        EXPECT_TRUE(FileExists("C:\\WINDOWS\\SYSTEM\\a.ocx"));
        EXPECT_EQ(UnixToWindows(prefix.Unix("drive_c/windows")), "C:\\windows");
    }
    EXPECT_NE(CurrentDriveMap().cRoot, map.cRoot);
}

}  // namespace
}  // namespace qfw
