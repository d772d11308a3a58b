// The environment window: the loaded projects in a tree (projects, then
// their components by kind), the selected component's code, read-only and
// coloured, with the controls of its designer beside it; File Open, Save,
// Save All and Exit; the title marks unsaved changes and closing asks about
// them. The window's menus are the command bars the add-in works with.
//
// Saves go through the object model, which writes atomically and refuses to
// overwrite a file that changed on disk since it was loaded; the refusal is
// shown naming the file. Questions and messages go through the shell.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ide/vb_component.h"
#include "engine/ide/vb_project.h"
#include "engine/ide/vbe.h"
#include "host/connector.h"

class QAction;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace qfw::host {

class EnvironmentWindow : public QMainWindow {
  public:
    explicit EnvironmentWindow(std::shared_ptr<ide::VBE> vbe);
    ~EnvironmentWindow() override;

    HostApplication& Application() { return application_; }

    // Loads project (.vbp) or group (.vbg) files given as Windows paths; a
    // file that cannot be loaded is reported and skipped.
    void OpenFiles(const std::vector<std::string>& winPaths);
    // Rebuilds the tree, the code view and the title from the model.
    void Refresh();
    // Selects a component in the tree (and shows its code); false when the
    // project has no such component.
    bool SelectComponent(const std::string& project, const std::string& component);
    // The selected component, if any.
    std::shared_ptr<ide::VBComponent> SelectedComponent() const;

    // Saves the selected component's project, or every project; false when
    // a file could not be written (the user was told why).
    bool Save();
    bool SaveAll();
    // True when any loaded project has unsaved changes.
    bool HasUnsavedChanges() const;

    // Connects the add-in when it is not connected (an add-in that ended
    // itself counts as not connected); disconnects it.
    void ConnectAddIn();
    void DisconnectAddIn();
    Connector* AddIn() const { return addIn_.get(); }
    // Connects the add-in when VBAddIn.INI (the given file) enters it with a
    // non-zero value and its ProgID is registered in the view.
    void ConnectEnteredAddIns(const std::string& addInListFile);

    // View > Changes: the selected component's unsaved change as a diff of
    // the file on disk and the text Save would write. The diff comes from
    // `diff` (before, after, before label, after label); the window shows it
    // in a dialog, or says that there is nothing to show.
    std::function<std::string(const std::string&, const std::string&, const std::string&,
                              const std::string&)>
        diff;
    // The text View > Changes shows for the selected component; empty when
    // it has no saved file or no change.
    std::string SelectedChanges() const;
    void ShowChanges();

    QTreeWidget* Tree() const { return tree_; }
    QPlainTextEdit* CodeView() const { return code_; }
    QListWidget* ControlsList() const { return controls_; }
    QMenu* AddInsMenu() const { return addInsMenu_; }
    QAction* OpenAction() const { return open_; }
    QAction* SaveAction() const { return save_; }
    QAction* SaveAllAction() const { return saveAll_; }
    QAction* ExitAction() const { return exit_; }
    QAction* AddInManagerAction() const { return addInManager_; }
    QAction* ChangesAction() const { return changes_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void ShowSelected();
    void UpdateTitle();
    void OpenWithDialog();
    void ShowAddInManager();
    bool SaveProjects(const std::vector<std::shared_ptr<ide::VBProject>>& projects);

    HostApplication application_;
    std::unique_ptr<Connector> addIn_;
    QTreeWidget* tree_ = nullptr;
    QPlainTextEdit* code_ = nullptr;
    QListWidget* controls_ = nullptr;
    QMenu* addInsMenu_ = nullptr;
    QAction* open_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAll_ = nullptr;
    QAction* exit_ = nullptr;
    QAction* addInManager_ = nullptr;
    QAction* changes_ = nullptr;
};

}  // namespace qfw::host
