// A wizard run over projects written into a temporary folder, driven by
// clicks: the pages answer their message boxes and open-file dialogs from
// the recording shell, and the engine's "end the run" goes to UnloadWizard as
// it does in the program.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "engine/ide/vbe.h"
#include "engine/vb_project_writer.h"
#include "pages/list_box.h"
#include "pages/module_state.h"
#include "pages/wizard_page.h"
#include "platform/classes_root.h"
#include "support/module_checker.h"
#include "support/recording_shell.h"
#include "support/temp_folder.h"

namespace qfw::pages {

class RunShell : public RecordingShell {
  public:
    void EndRun() override {
        RecordingShell::EndRun();
        UnloadWizard();
    }
    // Progress lines reach the generation page's status list, as the GUI
    // shell's sink sends them there in the program.
    void ShowStatus(const std::string& text) override;
};

class PagesTest : public ::testing::Test {
  public:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Writes a project with the given UserControls (each holding one text
    // box, or the given controls) and loads it.
    void AddProject(const std::string& name, const std::vector<std::string>& userControls);
    void AddProjectWithControls(const std::string& name, const std::string& userControl,
                                const std::vector<testing::ControlSpec>& controls);
    // A project that was never saved, holding one UserControl.
    void AddUnsavedProject(const std::string& name, const std::string& userControl);

    // Connects the loaded projects and shows the introduction page.
    void StartRun();
    // Starts a run over one project whose UserControl "Ctl" holds `controls`
    // and clicks through to the item selection page with the QuillEdit
    // library as the specification control (its first interface).
    void ReachItemPage(const std::vector<testing::ControlSpec>& controls);
    // From the introduction page, clicks the choices of the README's
    // `generate` example over the example project (the specification control
    // `spec`, its first interface) through to the generation page.
    void ChooseTheReadmeExample(const std::string& spec);
    // The events the example's constituents declare, for checking its
    // generated UserControl.
    static testing::ModuleExpectations ReadmeExampleEvents();

    // Clicks the entry with `text` (the first such) in a list, with the
    // keyboard modifiers given (Ctrl adds to the selection).
    static void ClickEntry(QListWidget& list, const std::string& text,
                           Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // The first entry of a list that begins with `prefix` (`prefix` when none).
    static std::string EntryStarting(const VbListBox& list, const std::string& prefix);

    static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // An option button takes clicks on its circle and caption only.
    static void Click(QRadioButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
    }
    std::vector<std::string> Messages() const;
    // The pages now visible, by name.
    static std::vector<std::string> VisiblePages();

    testing::TempFolder folder_;
    std::shared_ptr<ide::VBE> vbe_ = ide::VBE::Create();
    RunShell shell_;
    std::unique_ptr<ScopedShell> shellScope_;
    RegistryView registry_;
    std::unique_ptr<ScopedClassesRoot> registryScope_;
    std::vector<std::string> helpCalls_;
    int itemPagesShown_ = 0;
};

}  // namespace qfw::pages
