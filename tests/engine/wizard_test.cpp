#include "engine/wizard.h"

#include <gtest/gtest.h>

namespace qfw {
namespace {

TEST(Wizard, FreshEngineHasEmptyState) {
    Wizard w;
    EXPECT_EQ(w.ProjectName(), "");
    EXPECT_EQ(w.UserControlFileName(), "");
    EXPECT_EQ(w.iName(), "");
    EXPECT_EQ(w.Documentation(), "");
    EXPECT_EQ(w.ProjectCount(), 0);
    EXPECT_EQ(w.ObjectCount(), 0);
    EXPECT_EQ(w.Result(), 0);
}

TEST(Wizard, PlainAccessorsStoreValuesUnchanged) {
    Wizard w;
    w.ProjectName("Project1");
    w.ProjectCount(3);
    w.ObjectCount(-2);
    w.iName(" spaced ");
    w.Documentation("doc");
    EXPECT_EQ(w.ProjectName(), "Project1");
    EXPECT_EQ(w.ProjectCount(), 3);
    EXPECT_EQ(w.ObjectCount(), -2);
    EXPECT_EQ(w.iName(), " spaced ");
    EXPECT_EQ(w.Documentation(), "doc");
    // Storing the project name looks nothing up.
    EXPECT_EQ(w.Result(), 0);
    EXPECT_EQ(w.UserControlFileName(), "");
}

}  // namespace
}  // namespace qfw
