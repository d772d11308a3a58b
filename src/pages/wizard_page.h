// WizardPage: what every page and dialog of the wizard shares. A page is a
// top-level window that is created once and then loaded and unloaded: Load
// runs its load handler once until the page is unloaded again, Unload runs
// its unload handler and hides it. Pages hand over by hiding themselves, so
// that a page made visible again keeps everything it showed.
//
// The window's own close command unloads the page; the unload handler decides
// whether that ends the run.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>
#include <array>
#include <functional>
#include <string>

class QHBoxLayout;
class QLabel;

namespace qfw::pages {

class WizardPage : public QDialog {
  public:
    WizardPage(const char* name, const char* helpKey);

    const std::string& HelpKey() const { return helpKey_; }
    bool IsLoaded() const { return loaded_; }

    // Runs the load handler unless the page is loaded.
    void Load();
    // Loads the page if needed and shows it modeless (unless its load
    // handler ended the run).
    void ShowModeless();
    // Makes a loaded page visible again; its load handler does not run.
    void MakeVisible();
    // Hides the page and runs its unload handler; nothing for a page that is
    // not loaded.
    void Unload();

    // The window's left and top edge, in twips.
    double LeftTwips() const;
    double TopTwips() const;
    // Stores this page's edges in gPageLeft and gPageTop.
    void StorePosition() const;
    // Moves the page to gPageLeft, gPageTop.
    void PlaceAtStoredPosition();

  protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    // The page's Back and Next; a page without one does nothing there.
    virtual void Back() {}
    virtual void Next() {}
    // The wizard row as most pages handle it: Help shows the page's topic,
    // Cancel ends the run, Back and Next go to the page's own handlers.
    void RouteWizardButton(int Index);
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    std::string helpKey_;
    bool loaded_ = false;
};

// The five buttons of the wizard row: 0 Help, 1 Cancel, 2 Back, 3 Next,
// 4 Finish.
using ButtonRow = std::array<QPushButton*, 5>;
enum WizardButton { kHelp = 0, kCancel = 1, kBack = 2, kNext = 3, kFinish = 4 };

// Adds a separator line and the row with the wizard pages' captions
// ("< &Back", "&Next >") or the pickers' ("&Back", "&Next"), right-aligned,
// at the foot of `outer`; a click on a button calls `onClick` with its index.
ButtonRow AddButtonRow(QWidget* parent, QVBoxLayout* outer, bool pickerCaptions,
                       const std::function<void(int)>& onClick);

// The picture at the side of a page: its pixels are ours.
QLabel* MakeSidePicture(QWidget* parent);

// A horizontal separator line.
QWidget* MakeSeparator(QWidget* parent);

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace qfw::pages
