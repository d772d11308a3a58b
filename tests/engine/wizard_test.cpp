#include "engine/wizard.h"

#include <gtest/gtest.h>

#include "engine/ide/vb_projects.h"

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

TEST(Wizard, SetVBInstAgainReplacesTheEnvironment) {
    auto first = ide::VBE::Create();
    first->VBProjects()->AddNew("First");
    auto second = ide::VBE::Create();
    second->VBProjects()->AddNew("Second");
    second->VBProjects()->AddNew("Third");
    Wizard w;
    std::vector<std::string> names;
    w.SetVBInst(first);
    EXPECT_EQ(w.EnumerateProjects(names), 1);
    w.SetVBInst(second);
    EXPECT_EQ(w.EnumerateProjects(names), 2);
    EXPECT_EQ(names, (std::vector<std::string>{"Second", "Third"}));
}

}  // namespace
}  // namespace qfw
