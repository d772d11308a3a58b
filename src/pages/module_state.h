// The wizard pages' module state and the three routines every page, the
// engine's shell and the front end call: ShowHelp, UnloadWizard, CenterForm.
//
// Everything here exists once per process. The shared engine, the shared
// browser (SharedBrowser()) and the specification record are created on
// first use and never released: a run that ends leaves the engine's project
// and UserControl names for the next run, which sets them anew. The
// available-control lists and filters are the browser's ControlLists().
//
// Windows: positions are in twips, 1440 per inch of the screen's logical
// resolution (15 per pixel at 96 dpi). gPageLeft and gPageTop are 16-bit;
// an edge beyond their range is stored clamped.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ide/vbe.h"
#include "engine/wizard.h"
#include "model/obj_control.h"

class QWidget;

namespace qfw::pages {

class WizardPage;
class frmWizMain;
class frmProjInfo;
class frmUserControlInfo;
class frmWizSingle1;
class frmMultiInterface;
class frmControlList;
class frmWizSingle1a;
class frmAddItem;
class frmParameters;
class frmWizSingle2;
class frmWizSingle3;
class frmWizSingle6;

struct ModuleState {
    std::string gAppTitle = "Quillfern Constituent Control Wizard";
    std::vector<std::string> gProjectList;
    int16_t gProjectListCount = 0;
    std::vector<std::string> gUserControlList;
    int16_t gPageLeft = 0;
    int16_t gPageTop = 0;
    // The environment the wizard works in (the add-in's connection).
    std::shared_ptr<ide::VBE> VBInst;
    // The pages after the interface page: called by the interface page's
    // Next once the specification record holds the chosen interface's items,
    // to load and show the item selection page. It answers whether it showed
    // one; without it (or when it shows none) the interface page stays.
    // Starts as the item selection page of this library.
    std::function<bool()> showItemSelectionPage;
    // Set by the generation page when generation ran to its end in this run;
    // the front end then saves the changed UserControl when the run ends.
    bool generationSucceeded = false;
    // Told when a run has ended and no page is open any more.
    std::function<void()> runEnded;
    // The help viewer: called with the help file and the keyword to look up.
    std::function<void(const std::string& file, const std::string& keyword)> helpViewer;
};

ModuleState& Module();
Wizard& SharedWizard();
objControl& SpecificationRecord();

// Connects the wizard to the environment: the module keeps it and the shared
// engine walks it.
void ConnectEnvironment(std::shared_ptr<ide::VBE> vbe);

// One instance of each page, created on first use (not loaded: creating a
// page builds its widgets, loading runs its load handler).
frmWizMain& WizMain();
frmProjInfo& ProjInfo();
frmUserControlInfo& UserControlInfo();
frmWizSingle1& WizSingle1();
frmMultiInterface& MultiInterface();
frmControlList& ControlList();
frmWizSingle1a& WizSingle1a();
frmAddItem& AddItem();
frmParameters& Parameters();
frmWizSingle2& WizSingle2();
frmWizSingle3& WizSingle3();
frmWizSingle6& WizSingle6();

// The pages and dialogs now loaded, in the order they were loaded.
std::vector<WizardPage*>& OpenPages();

// The keyword the help viewer looks up for a page's topic, looked up
// upper-cased; nothing for a topic outside the table.
std::optional<std::string> HelpKeyword(const std::string& topic);
// The program's help file: constit.html in the data folder's help/.
std::string HelpFile();
// Opens the help topic of a page; a topic outside the table shows "Can't find
// help on: '<topic>'" and opens nothing.
void ShowHelp(const std::string& topic);

// Ends the wizard run: unloads every open page and dialog, newest first,
// empties the specification record and the available-control lists. Never
// fails; calls made while it runs (from the pages' unload handlers) return at
// once.
void UnloadWizard();
// Whether UnloadWizard is inside a run (its guard is set).
bool UnloadWizardGuard();

// Window geometry in twips, with the screen's resolution.
double TwipsPerPixelX();
double TwipsPerPixelY();
// Centres the window on its screen.
void CenterForm(QWidget& form);
// A twips position as a 16-bit integer, rounded and clamped to its range.
int16_t ToPageTwips(double twips);

// The name a page or dialog is known by, for screenshots and tests.
std::string PageName(const QWidget& page);

}  // namespace qfw::pages
