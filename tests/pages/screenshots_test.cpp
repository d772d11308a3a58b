#include "screenshots.h"

#include <filesystem>

#include "pages_fixture.h"

namespace qfw::pages {
namespace {

class ScreenshotsTest : public PagesTest {};

TEST_F(ScreenshotsTest, EveryPageIsRenderedWithContent) {
    const std::vector<std::string> files = RenderScreenshots(folder_.Path() / "shots");
    std::vector<std::string> names;
    for (const std::string& file : files) {
        names.push_back(std::filesystem::path(file).stem());
        EXPECT_TRUE(ImageHasContent(file)) << file;
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{
                  "frmWizMain", "frmWizSingle1", "frmControlList", "frmMultiInterface",
                  "frmWizSingle1a", "frmAddItem", "frmParameters", "frmWizSingle2", "frmWizSingle3",
                  "frmWizSingle6", "frmProjInfo", "frmUserControlInfo", "HelpWindow"}));
    EXPECT_TRUE(OpenPages().empty());
}

}  // namespace
}  // namespace qfw::pages
