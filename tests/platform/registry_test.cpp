#include "platform/registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qfw {
namespace {

const std::filesystem::path kFixtures = std::filesystem::path(QFW_FIXTURES) / "platform";

// Reads a key's value the way the wizard does: a 2048-byte buffer, the size
// returned, and the last character (the terminating NUL) cut off.
std::string ReadText(const RegistryView& view, const std::string& keyPath,
                     const std::string& valueName = "") {
    RegKey key;
    if (view.OpenKey(keyPath, key) != kErrorSuccess)
        return "<no key>";
    uint8_t buffer[2048];
    uint32_t size = sizeof buffer;
    uint32_t type = 0;
    if (view.QueryValueEx(key, valueName, &type, buffer, &size) != kErrorSuccess) {
        return "<no value>";
    }
    return std::string(reinterpret_cast<const char*>(buffer), size > 0 ? size - 1 : 0);
}

// Follows ProgID key -> class identifier -> in-process server.
std::string ServerOf(const RegistryView& view, const std::string& progIdKey) {
    const std::string clsid = ReadText(view, progIdKey);
    return ReadText(view, "CLSID\\" + clsid + "\\InprocServer32");
}

RegistryView LoadFixtures(std::vector<std::string>& warnings) {
    RegistrySources sources;
    sources.winePrefix = kFixtures / "prefix64";
    sources.regFiles = {kFixtures / "mhctrl.reg", kFixtures / "encrypt.reg"};
    return LoadRegistry(sources, warnings);
}

TEST(RegistryView, FollowsControlKeysToTheirServersInEveryFormat) {
    std::vector<std::string> warnings;
    const RegistryView view = LoadFixtures(warnings);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    const std::pair<const char*, const char*> cases[] = {
        // Wine system.reg; the 32-bit (Wow6432Node) registration wins.
        {"COMCTL.ListViewCtrl\\CLSID", "C:\\windows\\syswow64\\comctl32.ocx"},
        // key names are case-insensitive
        {"comctl.listviewctrl\\clsid", "C:\\windows\\syswow64\\comctl32.ocx"},
        // user.reg redirects the ProgID; its class has only a 64-bit key.
        {"QFNGRID.QfnGridCtrl.1\\Clsid", "C:\\windows\\system32\\shared.ocx"},
        // REGEDIT4, ANSI, HKCR and HKLM\SOFTWARE\Classes keys
        {"MhLib.MhCtrl.1\\Clsid", "C:\\WINDOWS\\SYSTEM\\MHCTRL.OCX"},
        // version 5.00, UTF-16LE
        {"ENCRYPT.EncryptCtrl.1\\Clsid", "C:\\Program Files\\Encrypt\\encrypt.ocx"},
    };
    for (const auto& [key, server] : cases)
        EXPECT_EQ(ServerOf(view, key), server) << key;
}

TEST(RegistryView, QueryCountsTheTerminatingNulAndReportsShortBuffers) {
    std::vector<std::string> warnings;
    const RegistryView view = LoadFixtures(warnings);
    RegKey key;
    ASSERT_EQ(view.OpenKey("COMCTL.ListViewCtrl\\CLSID", key), kErrorSuccess);

    uint32_t type = 0;
    uint32_t size = 0;
    EXPECT_EQ(view.QueryValueEx(key, "", &type, nullptr, &size), kErrorSuccess);
    EXPECT_EQ(size, 39u);  // 38 characters and the NUL
    EXPECT_EQ(type, kRegSz);

    char small[38];
    std::fill(std::begin(small), std::end(small), 'x');
    size = sizeof small;
    EXPECT_EQ(view.QueryValueEx(key, "", &type, reinterpret_cast<uint8_t*>(small), &size),
              kErrorMoreData);
    EXPECT_EQ(size, 39u);
    EXPECT_EQ(small[0], 'x');

    char exact[39];
    size = sizeof exact;
    EXPECT_EQ(view.QueryValueEx(key, "", &type, reinterpret_cast<uint8_t*>(exact), &size),
              kErrorSuccess);
    EXPECT_EQ(std::string(exact, size),
              std::string("{1A2B3C4D-0001-11D0-8000-00AA00BB00CC}\0", 39));
}

TEST(RegistryView, MissingKeysAndValues) {
    std::vector<std::string> warnings;
    const RegistryView view = LoadFixtures(warnings);
    RegKey key;
    EXPECT_EQ(view.OpenKey("NoSuch.Control\\Clsid", key), kErrorFileNotFound);
    EXPECT_EQ(view.OpenKey("COMCTL.ListViewCtrl\\CLSID\\Deeper", key), kErrorFileNotFound);
    EXPECT_EQ(view.OpenKey("\\COMCTL.ListViewCtrl", key), kErrorBadPathname);
    EXPECT_EQ(view.OpenKey("", key), kErrorSuccess);
    // A key that exists only as the parent of another has no default value.
    ASSERT_EQ(view.OpenKey("CLSID\\{2B3C4D5E-0002-11D0-8000-00AA00BB00CC}", key), kErrorSuccess);
    uint32_t size = 0;
    EXPECT_EQ(view.QueryValueEx(key, "", nullptr, nullptr, &size), kErrorFileNotFound);
    // Keys outside the classes, and values deleted or in deleted keys, are absent.
    EXPECT_EQ(ReadText(view, "Wine\\Drivers", "Audio"), "<no key>");
    EXPECT_EQ(ReadText(view, "Other\\NotClasses"), "<no key>");
    EXPECT_EQ(
        ReadText(view, "CLSID\\{4D5E6F70-0004-11D0-8000-00AA00BB00CC}\\InprocServer32", "Gone"),
        "<no value>");
    EXPECT_EQ(ReadText(view, "Removed\\Sub"), "<no key>");
    EXPECT_EQ(ReadText(view, "Removed"), "<no key>");
}

TEST(RegistryView, DecodesEscapesTypesAndEncodings) {
    std::vector<std::string> warnings;
    const RegistryView view = LoadFixtures(warnings);
    RegKey odd;
    ASSERT_EQ(view.OpenKey("Odd\\a]b", odd), kErrorSuccess);
    RegKey mh;
    ASSERT_EQ(view.OpenKey("CLSID\\{4D5E6F70-0004-11D0-8000-00AA00BB00CC}\\InprocServer32", mh),
              kErrorSuccess);
    RegKey enc;
    ASSERT_EQ(view.OpenKey("CLSID\\{5E6F7081-0005-11D0-8000-00AA00BB00CC}\\InprocServer32", enc),
              kErrorSuccess);
    std::string longBytes;
    for (char c = 0; c < 26; ++c)
        longBytes.push_back(c);
    const struct {
        const RegKey& key;
        const char* name;
        uint32_t type;
        std::string data;
    } cases[] = {
        {odd, "", kRegSz, std::string("d\u00e9cor \u00e9t\u00e9\n\"q\"\\\0", 18)},
        {odd, "MULTI", kRegMultiSz, std::string("one\0two\0\0", 9)},
        {odd, "Dw", kRegDword, std::string("\x2a\0\0\0", 4)},
        {odd, "Bin", kRegBinary, "\x01\x02\xff"},
        {odd, "Expand", kRegExpandSz, std::string("%SystemRoot%\\system32\0", 22)},
        {odd, "Hex2", kRegExpandSz, std::string("%A%\0", 4)},
        {odd, "NoNul", kRegSz, "AB"},
        {odd, "Raw", kRegSz, std::string("Z\u00fcrich\0", 8)},
        {odd, "Long", kRegBinary, longBytes},
        {mh, "ThreadingModel", kRegSz, std::string("Apartment\0", 10)},
        {mh, "Expand", kRegExpandSz, std::string("%Sys%\\\u00e9\0", 9)},
        {mh, "caf\u00e9", kRegSz, std::string("\u00e9t\u00e9\0", 6)},
        {enc, "Path", kRegExpandSz, std::string("C:\\\u00e9\0", 6)},
        {enc, "Long", kRegBinary, longBytes},
    };
    for (const auto& c : cases) {
        const auto value = view.ReadValue(c.key, c.name);
        ASSERT_TRUE(value.has_value()) << c.name;
        EXPECT_EQ(value->type, c.type) << c.name;
        EXPECT_EQ(value->data, c.data) << c.name;
    }
}

TEST(RegistryView, PerUserClassesHideMachineClasses) {
    std::vector<std::string> warnings;
    RegistryView view;
    view.LoadRegText(
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Lib.Ctl\\Clsid]\r\n"
        "@=\"{machine}\"\r\n[HKEY_CLASSES_ROOT\\Lib.Other\\Clsid]\r\n@=\"{machine}\"\r\n",
        "machine.reg", warnings);
    view.LoadRegText(
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Classes\\Lib.Ctl\\Clsid]\r\n"
        "@=\"{user}\"\r\n",
        "user.reg", warnings);
    EXPECT_EQ(ReadText(view, "Lib.Ctl\\Clsid"), "{user}");
    EXPECT_EQ(ReadText(view, "Lib.Other\\Clsid"), "{machine}");
    EXPECT_TRUE(warnings.empty());
}

TEST(RegistryView, LearnedEntriesFillGapsButNeverHideRegistrations) {
    std::vector<std::string> warnings;
    RegistryView view = LoadFixtures(warnings);
    view.AddEntry("TabDlg.SSTabCtrl\\Clsid", "", "{6F708192-0006-11D0-8000-00AA00BB00CC}");
    view.AddEntry("CLSID\\{6F708192-0006-11D0-8000-00AA00BB00CC}\\InprocServer32", "",
                  "Z:\\home\\ann\\ocx\\tabctl32.ocx");
    view.AddEntry("COMCTL.ListViewCtrl\\CLSID", "", "{learned}");
    EXPECT_EQ(ServerOf(view, "TabDlg.SSTabCtrl\\Clsid"), "Z:\\home\\ann\\ocx\\tabctl32.ocx");
    EXPECT_EQ(ReadText(view, "COMCTL.ListViewCtrl\\CLSID"),
              "{1A2B3C4D-0001-11D0-8000-00AA00BB00CC}");
    EXPECT_EQ(ReadText(view, "tabdlg.sstabctrl\\clsid"), "{6F708192-0006-11D0-8000-00AA00BB00CC}");
}

TEST(RegistryView, DamagedFilesAreRejectedOrSkippedLineByLine) {
    std::vector<std::string> warnings;
    RegistryView view;
    EXPECT_THROW(view.LoadRegText("REGEDIT5\r\n", "x.reg", warnings), RegistryFileError);
    EXPECT_THROW(
        view.LoadWineText("WINE REGISTRY Version 1\n", "system.reg", RegLayer::Machine, warnings),
        RegistryFileError);
    EXPECT_THROW(view.LoadRegFile(kFixtures / "missing.reg", warnings), RegistryFileError);
    view.LoadRegText(
        "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n\"x\"=dword:xyz\n\"y\"=\"open\n"
        "garbage\n\"z\"=hex:1,02,zz\n@=\"kept\"\n",
        "bad.reg", warnings);
    const std::vector<std::string> expected = {
        "bad.reg:3: bad dword", "bad.reg:4: missing closing quote",
        "bad.reg:5: line not understood", "bad.reg:6: bad hex byte list"};
    EXPECT_EQ(warnings, expected);
    EXPECT_EQ(ReadText(view, "A"), "kept");
}

TEST(RegistryView, OldRegeditFormatSetsDefaultValues) {
    std::vector<std::string> warnings;
    RegistryView view;
    view.LoadRegText("REGEDIT\nHKEY_CLASSES_ROOT\\Old.Ctl\\CLSID = {old}\n", "old.reg", warnings);
    EXPECT_EQ(ReadText(view, "Old.Ctl\\CLSID"), "{old}");
}

TEST(RegistrySources, FileList) {
    const std::vector<std::filesystem::path> files = {"/a.reg", "b.reg"};
    EXPECT_EQ(SplitRegistryList("/a.reg::b.reg:"), files);
    EXPECT_TRUE(SplitRegistryList("").empty());
}

TEST(RegistrySources, PrefixWithoutRegistryFilesContributesNothing) {
    std::vector<std::string> warnings;
    RegistrySources sources;
    sources.winePrefix = kFixtures / "no-such-prefix";
    const RegistryView view = LoadRegistry(sources, warnings);
    RegKey key;
    EXPECT_EQ(view.OpenKey("CLSID", key), kErrorFileNotFound);
    EXPECT_TRUE(warnings.empty());
    sources.regFiles = {kFixtures / "missing.reg"};
    EXPECT_THROW(LoadRegistry(sources, warnings), RegistryFileError);
}

}  // namespace
}  // namespace qfw
