#include <gtest/gtest.h>

#include <filesystem>

#include "engine/class_registrations.h"
#include "engine/ide/vb_component.h"
#include "engine/ide/vb_components.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vb_projects.h"
#include "engine/vb_project_writer.h"
#include "platform/classes_root.h"
#include "platform/shell.h"
#include "platform/vb_error.h"
#include "support/recording_shell.h"
#include "support/wizard_peer.h"

namespace qfw {
namespace {

using testing::ControlSpec;
using testing::ProjectText;
using testing::UserControlText;
using Texts = std::vector<std::string>;

constexpr const char* kDialObject = "{6C2B9A10-3D41-4E8B-9A51-2F0E7C4B8D21}#1.0#0; QUILLDIAL.OCX";

class DiscoveryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wizard_.SetVBInst(vbe_);
        scope_ = std::make_unique<ScopedShell>(shell_);
        registryScope_ = std::make_unique<ScopedClassesRoot>(registry_);
    }

    // Writes a project folder and loads its .vbp.
    std::shared_ptr<ide::VBProject> LoadProject(
        const std::string& folder, const std::string& name,
        const std::vector<std::pair<std::string, std::string>>& files, const Texts& items,
        const Texts& objects = {}) {
        for (const auto& [file, text] : files)
            folder_.Write(folder + "/" + file, text);
        folder_.Write(folder + "/" + name + ".vbp", ProjectText(name, items, objects));
        return vbe_->VBProjects()->AddFromFile(folder_.Windows(folder + "/" + name + ".vbp")).at(0);
    }

    Texts Messages() const {
        Texts texts;
        for (const auto& call : shell_.Messages())
            texts.push_back(call.text);
        return texts;
    }

    bool RunEnded() const {
        for (const auto& call : shell_.Calls()) {
            if (call.kind == RecordingShell::Kind::EndRun)
                return true;
        }
        return false;
    }

    testing::TempFolder folder_;
    std::shared_ptr<ide::VBE> vbe_ = ide::VBE::Create();
    RecordingShell shell_;
    std::unique_ptr<ScopedShell> scope_;
    RegistryView registry_;
    std::unique_ptr<ScopedClassesRoot> registryScope_;
    Wizard wizard_;
};

TEST_F(DiscoveryTest, ProjectsAndUserControlsAreListedInOrder) {
    Texts list = {"unchanged"};
    EXPECT_EQ(wizard_.EnumerateProjects(list), 0);
    EXPECT_EQ(list, Texts{"unchanged"});

    LoadProject(
        "one", "First",
        {{"Form1.frm", testing::FormText("Form1")}, {"Gauge.ctl", UserControlText("Gauge", {})}},
        {"Form=Form1.frm", "UserControl=Gauge.ctl"});
    LoadProject("two", "Second Project",
                {{"A.ctl", UserControlText("A", {})}, {"B.ctl", UserControlText("B", {})}},
                {"UserControl=A.ctl", "UserControl=B.ctl"});
    EXPECT_EQ(wizard_.EnumerateProjects(list), 2);
    EXPECT_EQ(list, (Texts{"First", "Second Project"}));
    EXPECT_EQ(wizard_.ProjectCount(), 2);

    Texts controls;
    EXPECT_EQ(wizard_.EnumerateObjects("First", controls), 1);
    EXPECT_EQ(controls, Texts{"Gauge"});
    EXPECT_EQ(wizard_.EnumerateObjects("  Second Project ", controls), 2);
    EXPECT_EQ(controls, (Texts{"A", "B"}));
    EXPECT_EQ(wizard_.ObjectCount(), 2);
    EXPECT_EQ(wizard_.EnumerateObjects("Third", controls), 0);
    EXPECT_EQ(controls, (Texts{"A", "B"}));
}

TEST_F(DiscoveryTest, NeverSavedUserControlEndsTheRunWith99) {
    auto project = vbe_->VBProjects()->AddNew("Unsaved");
    project->VBComponents()->AddFromText(ide::vbext_ct_UserControl,
                                         UserControlText("Fresh", {{"VB.TextBox", "Text1"}}));
    wizard_.ProjectName("Unsaved");
    wizard_.UserControlName("Fresh");
    EXPECT_EQ(wizard_.Result(), 99);
    EXPECT_EQ(wizard_.UserControlFileName(), "");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].rfind(
                  "The wizard has determined that your UserControl has not yet been saved.", 0),
              0u);
    EXPECT_TRUE(RunEnded());
}

TEST_F(DiscoveryTest, IntrinsicConstituentsAreReadFromTheEnvironmentsLibrary) {
    LoadProject("p", "Demo",
                {{"Empty.ctl", UserControlText("Empty", {})},
                 {"Pair.ctl", UserControlText("Pair", {{"VB.TextBox", "txtValue"},
                                                       {"VB.Label", "lblCaption"}})}},
                {"UserControl=Empty.ctl", "UserControl=Pair.ctl"});
    wizard_.ProjectName("Demo");
    wizard_.UserControlName("Empty");
    EXPECT_EQ(wizard_.Result(), 4);
    EXPECT_EQ(wizard_.GetConstituentCount(), 0);

    wizard_.UserControlName("Pair");
    EXPECT_EQ(wizard_.Result(), 0);
    EXPECT_EQ(wizard_.UserControlFileName(), folder_.Windows("p/Pair.ctl"));
    Texts classes;
    wizard_.GetConstituentList(classes);
    EXPECT_EQ(classes, (Texts{"TextBox", "Label"}));
    const objControl& text = WizardTestPeer::Record(wizard_, 0);
    EXPECT_EQ(wizard_.GetConstituentFileName(0),
              vbe_->FullName().substr(0, vbe_->FullName().size() - 3) + "OLB");
    EXPECT_EQ(text.Properties(0), "Alignment As Integer");
    EXPECT_GT(text.EventCount(), 10);
    EXPECT_EQ(WizardTestPeer::Record(wizard_, 1).Properties(0), "Alignment As Integer");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DiscoveryTest, ControlsFromAReferencedLibraryAreFoundThroughLearnedRegistrations) {
    std::filesystem::create_directories(folder_.Path() / "p");
    std::filesystem::copy_file(
        std::filesystem::path(QFW_EXAMPLES) / "LabeledEdit" / "QUILLDIAL.OCX",
        folder_.Path() / "p" / "quilldial.ocx");
    LoadProject("p", "Dials",
                {{"Knob.ctl", UserControlText("Knob", {{"QuillDialLib.Dial", "dlLevel"}})}},
                {"UserControl=Knob.ctl"}, {kDialObject, "*\\AControls.vbp"});
    std::vector<std::string> warnings;
    LearnProjectControls(*vbe_, registry_, warnings);
    // The group's other project is no library: nothing to warn about.
    EXPECT_TRUE(warnings.empty());

    wizard_.ProjectName("Dials");
    wizard_.UserControlName("Knob");
    EXPECT_EQ(wizard_.Result(), 0);
    const objControl& dial = WizardTestPeer::Record(wizard_, 0);
    EXPECT_EQ(wizard_.GetConstituentFileName(0), folder_.Windows("p/QUILLDIAL.OCX"));
    EXPECT_EQ(dial.Properties(0), "Value As Long");
    EXPECT_EQ(dial.Events(2), "Scroll () ");
}

TEST_F(DiscoveryTest, EnumerationTypesOfTheConstituentsAreRemembered) {
    std::filesystem::create_directories(folder_.Path() / "p");
    std::filesystem::copy_file(std::filesystem::path(QFW_FIXTURES) / "typelib" / "vbview.tlb",
                               folder_.Path() / "p" / "vbview.tlb");
    LoadProject("p", "Views", {{"Pane.ctl", UserControlText("Pane", {{"ViewLib.View", "vwMain"}})}},
                {"UserControl=Pane.ctl"},
                {"{5B0E0000-2D4E-4F6A-8C1B-7E5D3A9F0003}#1.0#0; vbview.tlb"});
    std::vector<std::string> warnings;
    LearnProjectControls(*vbe_, registry_, warnings);
    EXPECT_FALSE(wizard_.IsEnumerationType("ViewLib.Shade"));

    wizard_.ProjectName("Views");
    wizard_.UserControlName("Pane");
    ASSERT_EQ(wizard_.Result(), 0);
    // Compared as Visual Basic compares names.
    EXPECT_TRUE(wizard_.IsEnumerationType(" viewlib.SHADE "));
    EXPECT_FALSE(wizard_.IsEnumerationType("ViewLib.Button"));
    EXPECT_FALSE(wizard_.IsEnumerationType("Long"));
}

// Controls compiled by Visual Basic: the positional listing lists only a
// class that cannot be created, so each constituent is found among the
// library's declared classes.
TEST_F(DiscoveryTest, ControlsCompiledByVisualBasicAreFoundByTheirDeclaredClass) {
    std::filesystem::create_directories(folder_.Path() / "p");
    std::filesystem::copy_file(std::filesystem::path(QFW_FIXTURES) / "typelib" / "vbctls.ocx",
                               folder_.Path() / "p" / "vbctls.ocx");
    LoadProject("p", "Panel",
                {{"Panel.ctl", UserControlText("Panel", {{"GaugeCtls.Knob", "knbVolume"},
                                                         {"GaugeCtls.Gauge", "ggLevel"}})}},
                {"UserControl=Panel.ctl"},
                {"{5B0F0000-2D4E-4F6A-8C1B-7E5D3A9F0004}#1.0#0; vbctls.ocx"});
    std::vector<std::string> warnings;
    LearnProjectControls(*vbe_, registry_, warnings);
    EXPECT_TRUE(warnings.empty());

    wizard_.ProjectName("Panel");
    wizard_.UserControlName("Panel");
    EXPECT_EQ(wizard_.Result(), 0);
    EXPECT_TRUE(Messages().empty());
    const objControl& knob = WizardTestPeer::Record(wizard_, 0);
    EXPECT_EQ(knob.ItemTexts(kKindProperty), (Texts{"Value As Long", "Detents As Integer"}));
    EXPECT_EQ(knob.ItemTexts(kKindEvent), (Texts{"Turned (Position As Long) ", "Click () "}));
    const objControl& gauge = WizardTestPeer::Record(wizard_, 1);
    EXPECT_EQ(gauge.ItemTexts(kKindMethod), (Texts{"Level () As Long", "Clear () "}));
}

TEST_F(DiscoveryTest, ConstituentsWithoutLibraryAreReportedOnceAndLeftEmpty) {
    LoadProject("p", "Mixed",
                {{"Mix.ctl", UserControlText("Mix", {{"Acme.Gadget", "gd1"},
                                                     {"VB.TextBox", "Text1"},
                                                     {"Acme.Widget", "wd1"}})}},
                {"UserControl=Mix.ctl"});
    wizard_.ProjectName("Mixed");
    wizard_.UserControlName("Mix");
    EXPECT_EQ(wizard_.Result(), 0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("gd1 (Acme.Gadget)"), std::string::npos);
    EXPECT_NE(Messages()[0].find("wd1 (Acme.Widget)"), std::string::npos);
    EXPECT_NE(Messages()[0].find("--wine-prefix"), std::string::npos);
    EXPECT_NE(Messages()[0].find("--registry FILE.reg"), std::string::npos);
    EXPECT_EQ(WizardTestPeer::Record(wizard_, 0).PropertyCount(), 0);
    EXPECT_EQ(WizardTestPeer::Record(wizard_, 0).ControlFileName(), "");
    EXPECT_GT(WizardTestPeer::Record(wizard_, 1).PropertyCount(), 0);
    EXPECT_FALSE(RunEnded());
}

TEST_F(DiscoveryTest, MenusAreReadAndClassesTheLibraryLacksAreReportedOnce) {
    LoadProject("p", "Menus",
                {{"Bar.ctl", UserControlText("Bar", {{"VB.Menu", "mnuFile"},
                                                     {"VB.Gauge", "gg1"},
                                                     {"VB.Menu", "mnuEdit"},
                                                     {"VB.Gauge", "gg2"}})}},
                {"UserControl=Bar.ctl"});
    wizard_.ProjectName("Menus");
    wizard_.UserControlName("Bar");
    EXPECT_EQ(wizard_.Result(), 0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("describes no control of their class"), std::string::npos);
    EXPECT_NE(Messages()[0].find("gg1 (VB.Gauge)"), std::string::npos);
    EXPECT_NE(Messages()[0].find("gg2 (VB.Gauge)"), std::string::npos);
    EXPECT_EQ(Messages()[0].find("mnu"), std::string::npos);
    EXPECT_EQ(WizardTestPeer::Record(wizard_, 0).Properties(0), "Caption As String");
    EXPECT_EQ(WizardTestPeer::Record(wizard_, 1).PropertyCount(), 0);
    EXPECT_FALSE(RunEnded());
}

TEST_F(DiscoveryTest, UnknownUserControlRaisesTheObjectModelsError) {
    LoadProject("p", "Demo", {{"A.ctl", UserControlText("A", {})}}, {"UserControl=A.ctl"});
    wizard_.ProjectName("Demo");
    EXPECT_THROW(wizard_.UserControlName("Missing"), VbError);
}

}  // namespace
}  // namespace qfw
