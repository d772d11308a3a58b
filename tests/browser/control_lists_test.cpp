#include "browser/control_lists.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "browser/browser.h"
#include "browser/control/library_path.h"
#include "browser/control/qfnrws.h"
#include "platform/shell.h"
#include "support/recording_shell.h"
#include "support/temp_folder.h"

namespace qfw {
namespace {

namespace fs = std::filesystem;

// A Wine prefix whose system folder holds the given files (copies of the
// example libraries, or garbage), installed as WINEPREFIX for the test.
class SystemFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* previous = std::getenv("WINEPREFIX");
        if (previous)
            previous_ = previous;
        setenv("WINEPREFIX", folder_.Path().c_str(), 1);
        fs::create_directories(System());
        SharedBrowser().BrowserControl(std::make_shared<Qfnrws>());
        SharedBrowser().ForgetSystemControlList();
    }
    void TearDown() override {
        SharedBrowser().ForgetSystemControlList();
        if (previous_.empty()) {
            unsetenv("WINEPREFIX");
        } else {
            setenv("WINEPREFIX", previous_.c_str(), 1);
        }
    }
    fs::path System() const { return folder_.Path() / "drive_c" / "windows" / "system"; }
    void CopyExample(const std::string& name, const std::string& as) {
        fs::copy_file(fs::path(QFW_EXAMPLES) / "LabeledEdit" / name, System() / as);
    }

    testing::TempFolder folder_;
    std::string previous_;
    RecordingShell shell_;
    ScopedShell scope_{shell_};
};

TEST_F(SystemFolderTest, ListsEveryReadableLibraryOncePerRun) {
    CopyExample("QUILLDIAL.OCX", "QUILLDIAL.OCX");
    testing::WriteBytes(System() / "broken.ocx", "MZ not really a library");
    CopyExample("QUILLEDIT.OCX", "quilledit.ocx");
    CopyExample("QUILLEDIT.OCX", "notacontrol.dll");

    std::vector<std::string> list;
    EXPECT_EQ(SharedBrowser().GetSystemControlList(list), 2);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], "Quill Dial Control" + std::string(100, ' ') + "|QUILLDIAL.OCX");
    EXPECT_EQ(ControlListFile(list[1]), "quilledit.ocx");

    fs::remove(System() / "QUILLDIAL.OCX");
    std::vector<std::string> again = {"kept"};
    EXPECT_EQ(SharedBrowser().GetSystemControlList(again), -1);
    EXPECT_EQ(again, std::vector<std::string>{"kept"});
}

TEST_F(SystemFolderTest, SixtyFourBitPrefixListsEverySystemFolderOncePerName) {
    const fs::path windows = folder_.Path() / "drive_c" / "windows";
    fs::create_directories(windows / "system32");
    fs::create_directories(windows / "syswow64");
    CopyExample("QUILLDIAL.OCX", "QUILLDIAL.OCX");
    fs::copy_file(System() / "QUILLDIAL.OCX", windows / "syswow64" / "quilldial.ocx");
    fs::copy_file(fs::path(QFW_EXAMPLES) / "LabeledEdit" / "QUILLEDIT.OCX",
                  windows / "syswow64" / "QuillEdit.ocx");

    std::vector<std::string> list;
    EXPECT_EQ(SharedBrowser().GetSystemControlList(list), 2);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(ControlListFile(list[0]), "QUILLDIAL.OCX");
    EXPECT_EQ(ControlListFile(list[1]), "QuillEdit.ocx");
    // A bare name opens from the folder it was listed from.
    EXPECT_EQ(ResolveTypeLibPath("QuillEdit.ocx"),
              (windows / "syswow64" / "QuillEdit.ocx").string());
    EXPECT_EQ(ResolveTypeLibPath("quilldial.ocx"), (System() / "QUILLDIAL.OCX").string());
}

TEST_F(SystemFolderTest, AnEmptyFolderListsNothing) {
    std::vector<std::string> list;
    EXPECT_EQ(SharedBrowser().GetSystemControlList(list), 0);
    EXPECT_TRUE(list.empty());
}

TEST_F(SystemFolderTest, FiltersChooseTheSources) {
    CopyExample("QUILLDIAL.OCX", "QUILLDIAL.OCX");
    ControlListState state;
    state.gSelectedControls = {ControlListEntry("Mine", "Z:\\home\\ann\\MINE.OCX")};

    EXPECT_EQ(FillControlList(state), state.gSelectedControls);
    state.gSystemListFilter = true;
    const std::vector<std::string> both = FillControlList(state);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(ControlListFile(both[1]), "QUILLDIAL.OCX");
    // Listed once: a new file is not seen again in the same run.
    CopyExample("QUILLEDIT.OCX", "QUILLEDIT.OCX");
    EXPECT_EQ(FillControlList(state), both);

    state.gUserListFilter = false;
    state.gSystemListFilter = false;
    EXPECT_TRUE(FillControlList(state).empty());
}

}  // namespace
}  // namespace qfw
