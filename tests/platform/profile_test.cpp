#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

namespace qfw {
namespace {

namespace fs = std::filesystem;

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qfw_profile_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
    }

    fs::path Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }
    static std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

const char kAddIns[] =
    "; add-ins known to the environment\r\n"
    "[Add-Ins32]\r\n"
    "VBSDIAddIn.Connect=0\r\n"
    "  QFNWizard.Connector  =  1  \r\n"
    "Quoted=\"  padded  \"\r\n"
    "Single='x'\r\n"
    "Mismatched='x\"\r\n"
    "Comment=V ; note\r\n"
    "NoEquals\r\n"
    "=empty name\r\n"
    "Dup=first\r\n"
    "Dup=second\r\n"
    "[ Other ]\r\n"
    "Key=other\r\n"
    "[add-ins32]\r\n"
    "Late=second section\r\n";

TEST_F(ProfileTest, ReadsValuesTheWayWindowsDoes) {
    const fs::path file = Write("vbaddin.ini", kAddIns);
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Add-Ins32", "QFNWizard.Connector", "1"},
        {"ADD-INS32", "qfnwizard.connector", "1"},
        {" Add-Ins32 ", " QFNWizard.Connector ", "1"},
        {"Add-Ins32", "Quoted", "  padded  "},
        {"Add-Ins32", "Single", "x"},
        {"Add-Ins32", "Mismatched", "'x\""},
        {"Add-Ins32", "Comment", "V ; note"},
        {"Add-Ins32", "NoEquals", "dflt"},
        {"Add-Ins32", "", "empty name"},
        {"Add-Ins32", "Dup", "first"},
        {"Add-Ins32", "Late", "dflt"},  // only the first section of a name counts
        {"Other", "key", "other"},
        {"Missing", "Key", "dflt"},
        {"Add-Ins32", "Missing", "dflt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, "dflt", 64, file), c.expected)
            << c.section << "/" << c.key;
    }
}

// Found by the profile fuzzer: a value of blanks alone once made the value's
// position come from a null view and read far outside the file.
TEST_F(ProfileTest, AValueOfBlanksIsEmpty) {
    const fs::path file = Write("blank.ini", "[S]\r\nBlank= \t \r\nNext=1\r\n");
    EXPECT_EQ(GetPrivateProfileString("S", "Blank", "dflt", 64, file), "");
    EXPECT_EQ(GetPrivateProfileString("S", "Next", "dflt", 64, file), "1");
}

TEST_F(ProfileTest, CopiesAtMostSizeMinusOneCharacters) {
    const fs::path file = Write("t.ini", "[s]\r\nk=val1\r\nq=\"abc\"\r\n");
    const struct {
        const char* key;
        const char* defaultValue;
        uint32_t size;
        const char* expected;
        uint32_t count;
    } cases[] = {
        {"k", "", 4, "val", 3},
        {"k", "", 5, "val1", 4},
        {"k", "", 1, "", 0},
        {"q", "", 4, "abc", 3},
        {"none", "default  ", 64, "default", 7},
        {"none", "one two  ", 64, "one two", 7},
        {"none", "  x   ", 64, "  x", 3},
        {"none", "default", 4, "def", 3},
        {"none", std::string_view("hello\0", 6).data(), 11, "hello", 5},
    };
    for (const auto& c : cases) {
        char buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        EXPECT_EQ(GetPrivateProfileString("s", c.key, c.defaultValue, buffer, c.size, file),
                  c.count)
            << c.key << " " << c.size;
        EXPECT_STREQ(buffer, c.expected);
        EXPECT_EQ(buffer[c.count + 1], '#');
    }
    char untouched = '#';
    EXPECT_EQ(GetPrivateProfileString("s", "k", "", &untouched, 0, file), 0u);
    EXPECT_EQ(untouched, '#');
}

TEST_F(ProfileTest, MissingOrUnnamedFileGivesTheDefault) {
    EXPECT_EQ(GetPrivateProfileString("Add-Ins32", "QFNWizard.Connector",
                                      std::string_view("hello\0", 6), 11, dir_ / "none.ini"),
              "hello");
    EXPECT_EQ(GetPrivateProfileString("s", "k", "d", 11, ""), "d");
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", ""));
}

TEST_F(ProfileTest, BuildsANewFileLineByLine) {
    const fs::path file = dir_ / "new.ini";
    EXPECT_TRUE(WritePrivateProfileString("App1", "key1", "string1", file));
    EXPECT_TRUE(WritePrivateProfileString("App1", "key2", "string2", file));
    EXPECT_TRUE(WritePrivateProfileString("App2", "key4", "string4", file));
    EXPECT_TRUE(WritePrivateProfileString("App2", "empty", "", file));
    EXPECT_EQ(Read(file),
              "[App1]\r\nkey1=string1\r\nkey2=string2\r\n[App2]\r\nkey4=string4\r\nempty=\r\n");
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", dir_ / "no-dir" / "x.ini"));
}

TEST_F(ProfileTest, ReplacesInPlaceKeepingEveryOtherByte) {
    const fs::path file = Write("vbaddin.ini", kAddIns);
    ASSERT_TRUE(WritePrivateProfileString("add-ins32", "qfnwizard.connector", "0", file));
    std::string expected = kAddIns;
    expected.replace(expected.find("=  1  "), 6, "=  0  ");
    EXPECT_EQ(Read(file), expected);
    EXPECT_EQ(GetPrivateProfileString("Add-Ins32", "QFNWizard.Connector", "", 8, file), "0");
}

TEST_F(ProfileTest, AddsKeysAtTheEndOfTheirSectionAndSectionsAtTheEnd) {
    const struct {
        const char* before;
        const char* section;
        const char* after;
    } cases[] = {
        // after the last non-blank line of the section, before blank lines
        {"[A]\r\nx=1\r\n\r\n; c\r\n\r\n[B]\r\ny=2\r\n", "A",
         "[A]\r\nx=1\r\n\r\n; c\r\nk=v\r\n\r\n[B]\r\ny=2\r\n"},
        {"[A]\r\n[B]\r\n", "A", "[A]\r\nk=v\r\n[B]\r\n"},
        // a last line without a break gets one first
        {"[A]\r\nx=1", "A", "[A]\r\nx=1\r\nk=v\r\n"},
        {"[A]\r\nx=1", "B", "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        // new lines follow the file's own line breaks
        {"[A]\nx=1\n", "A", "[A]\nx=1\nk=v\n"},
        {"[A]\rx=1\r", "B", "[A]\rx=1\r[B]\rk=v\r"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const fs::path file = Write("case" + std::to_string(n) + ".ini", c.before);
        ASSERT_TRUE(WritePrivateProfileString(c.section, "k", "v", file));
        EXPECT_EQ(Read(file), c.after) << n++;
    }
    // Bytes before the first section, even NULs, stay as they were.
    const std::string junk("junk\0bytes\r\n[A]\r\n", 17);
    const fs::path file = Write("junk.ini", junk);
    ASSERT_TRUE(WritePrivateProfileString("A", "k", "v", file));
    EXPECT_EQ(Read(file), junk + "k=v\r\n");
}

TEST_F(ProfileTest, DeletesKeysAndSections) {
    const fs::path file = Write("d.ini", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n[C]\r\n");
    EXPECT_TRUE(WritePrivateProfileString("A", "X", std::nullopt, file));
    EXPECT_EQ(Read(file), "[A]\r\ny=2\r\n[B]\r\nz=3\r\n[C]\r\n");
    EXPECT_TRUE(WritePrivateProfileString("a", "y", std::nullopt, file));
    EXPECT_EQ(Read(file), "[A]\r\n[B]\r\nz=3\r\n[C]\r\n");
    EXPECT_TRUE(WritePrivateProfileString("b", std::nullopt, std::nullopt, file));
    EXPECT_EQ(Read(file), "[A]\r\n[C]\r\n");
    EXPECT_TRUE(WritePrivateProfileString("none", std::nullopt, std::nullopt, file));
    EXPECT_TRUE(WritePrivateProfileString("A", "none", std::nullopt, file));
    EXPECT_EQ(Read(file), "[A]\r\n[C]\r\n");
    EXPECT_TRUE(WritePrivateProfileString("A", "k", std::nullopt, dir_ / "absent.ini"));
    EXPECT_FALSE(fs::exists(dir_ / "absent.ini"));
}

TEST_F(ProfileTest, RefusesTextThatWouldBreakTheFileApart) {
    const fs::path file = Write("r.ini", "[A]\r\nx=1\r\n");
    EXPECT_FALSE(WritePrivateProfileString("A", "x", "1\r\n[Evil]", file));
    EXPECT_FALSE(WritePrivateProfileString("A]x", "x", "1", file));
    EXPECT_FALSE(WritePrivateProfileString("A", "a=b", "1", file));
    EXPECT_FALSE(WritePrivateProfileString("A", "[B]", "1", file));
    EXPECT_EQ(Read(file), "[A]\r\nx=1\r\n");
}

TEST_F(ProfileTest, KeepsUnicodeFilesInTheirEncoding) {
    const std::string bom = "\xFF\xFE";
    const auto utf16 = [](const std::string& ascii) {
        std::string out;
        for (char c : ascii)
            out += std::string{c, '\0'};
        return out;
    };
    const fs::path file = Write("u.ini", bom + utf16("[A]\r\nx=1\r\n"));
    EXPECT_EQ(GetPrivateProfileString("A", "x", "", 8, file), "1");
    ASSERT_TRUE(WritePrivateProfileString("A", "y", "2", file));
    EXPECT_EQ(Read(file), bom + utf16("[A]\r\nx=1\r\ny=2\r\n"));
}

TEST_F(ProfileTest, KeepsPermissionsAndLeavesNoTemporaryFiles) {
    const fs::path file = Write("p.ini", "[A]\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WritePrivateProfileString("A", "x", "1", file));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ProfileTest, BareNamesAreFoundInTheWindowsFolderInAnyCase) {
    EXPECT_TRUE(IsBareProfileName("VBAddIn.INI"));
    EXPECT_FALSE(IsBareProfileName(".\\VBAddIn.INI"));
    EXPECT_FALSE(IsBareProfileName("C:\\WINDOWS\\VBAddIn.INI"));
    EXPECT_FALSE(IsBareProfileName("sub/x.ini"));
    EXPECT_EQ(ProfileFileInFolder("VBAddIn.INI", dir_), dir_ / "VBAddIn.INI");
    Write("vbaddin.ini", "");
    EXPECT_EQ(ProfileFileInFolder("VBAddIn.INI", dir_), dir_ / "vbaddin.ini");
}

}  // namespace
}  // namespace qfw
