#include "pages/module_state.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "browser/browser.h"
#include "browser/control_lists.h"
#include "engine/ide/vbe.h"
#include "pages/frm_add_item.h"
#include "pages/frm_control_list.h"
#include "pages/frm_multi_interface.h"
#include "pages/frm_parameters.h"
#include "pages/frm_proj_info.h"
#include "pages/frm_user_control_info.h"
#include "pages/frm_wiz_main.h"
#include "pages/frm_wiz_single1.h"
#include "pages/frm_wiz_single1a.h"
#include "pages/frm_wiz_single2.h"
#include "pages/frm_wiz_single3.h"
#include "pages/frm_wiz_single6.h"
#include "platform/shell.h"
#include "platform/text_codec.h"

namespace qfw::pages {

namespace {

struct HelpEntry {
    const char* topic;
    const char* keyword;  // nullptr: the topic as the caller passed it
};

constexpr HelpEntry kHelpTable[] = {
    {"WIZMAIN", "Wizard"},
    {"WIZ1", "Wizard: Wizard, Selecting the Specification Control"},
    {"WIZ1A", "Wizard: Wizard, Selecting the Properties, Methods, and Events"},
    {"WIZ2", "Wizard: Wizard, Mapping Order"},
    {"WIZ3", "Wizard: Wizard, Mapping to Multiple Constituents"},
    {"WIZ6", "Wizard: Wizard, Generating the Code"},
    {"WIZUSERINFO", "Wizard: Wizard, Selecting the Control to apply the Wizard Code"},
    {"WIZPROJINFO", "Wizard: Wizard, Choose the project that contains the ActiveX Component"},
    {"WIZMULTIINTER", "Wizard"},
    {"WIZADDITEM", nullptr},
};

template <typename Page>
Page& Instance() {
    static Page* page = new Page();
    return *page;
}

bool& Guard() {
    static bool guard = false;
    return guard;
}

double TwipsPerPixel(double dpi) {
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

QScreen* Screen() {
    return QGuiApplication::primaryScreen();
}

}  // namespace

ModuleState& Module() {
    static ModuleState state = [] {
        ModuleState initial;
        initial.showItemSelectionPage = ShowItemSelectionPage;
        return initial;
    }();
    return state;
}

Wizard& SharedWizard() {
    static Wizard wizard;
    return wizard;
}

objControl& SpecificationRecord() {
    static objControl record;
    return record;
}

void ConnectEnvironment(std::shared_ptr<ide::VBE> vbe) {
    Module().VBInst = vbe;
    SharedWizard().SetVBInst(std::move(vbe));
}

frmWizMain& WizMain() {
    return Instance<frmWizMain>();
}
frmProjInfo& ProjInfo() {
    return Instance<frmProjInfo>();
}
frmUserControlInfo& UserControlInfo() {
    return Instance<frmUserControlInfo>();
}
frmWizSingle1& WizSingle1() {
    return Instance<frmWizSingle1>();
}
frmMultiInterface& MultiInterface() {
    return Instance<frmMultiInterface>();
}
frmControlList& ControlList() {
    return Instance<frmControlList>();
}
frmWizSingle1a& WizSingle1a() {
    return Instance<frmWizSingle1a>();
}
frmAddItem& AddItem() {
    return Instance<frmAddItem>();
}
frmParameters& Parameters() {
    return Instance<frmParameters>();
}
frmWizSingle2& WizSingle2() {
    return Instance<frmWizSingle2>();
}
frmWizSingle3& WizSingle3() {
    return Instance<frmWizSingle3>();
}
frmWizSingle6& WizSingle6() {
    return Instance<frmWizSingle6>();
}

std::vector<WizardPage*>& OpenPages() {
    static std::vector<WizardPage*> pages;
    return pages;
}

std::optional<std::string> HelpKeyword(const std::string& topic) {
    const std::string upper = AsciiUpper(topic);
    for (const HelpEntry& entry : kHelpTable) {
        if (upper == entry.topic)
            return entry.keyword != nullptr ? std::string(entry.keyword) : topic;
    }
    return std::nullopt;
}

std::string HelpFile() {
    return ide::DataFolder() + "/help/constit.html";
}

void ShowHelp(const std::string& topic) {
    const std::optional<std::string> keyword = HelpKeyword(topic);
    if (!keyword) {
        CurrentShell().MsgBox("Can't find help on: '" + topic + "'", vbOKOnly, "");
        return;
    }
    if (Module().helpViewer)
        Module().helpViewer(HelpFile(), *keyword);
}

void UnloadWizard() {
    bool& guard = Guard();
    if (guard)
        return;
    guard = true;
    bool trapped = false;
    try {
        const std::vector<WizardPage*> open = OpenPages();
        for (auto page = open.rbegin(); page != open.rend(); ++page)
            (*page)->Unload();
        SpecificationRecord().Clear();
        ControlLists().gSelectedControls.clear();
        ControlLists().gSystemControls.clear();
        // The next run reads the system folder again instead of finding the
        // list marked as built and empty.
        SharedBrowser().ForgetSystemControlList();
    } catch (...) {
        trapped = true;
    }
    if (OpenPages().empty() || trapped)
        guard = false;
    if (OpenPages().empty() && Module().runEnded)
        Module().runEnded();
}

bool UnloadWizardGuard() {
    return Guard();
}

double TwipsPerPixelX() {
    return TwipsPerPixel(Screen() != nullptr ? Screen()->logicalDotsPerInchX() : 96.0);
}

double TwipsPerPixelY() {
    return TwipsPerPixel(Screen() != nullptr ? Screen()->logicalDotsPerInchY() : 96.0);
}

void CenterForm(QWidget& form) {
    QScreen* screen = Screen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const QSize size = form.frameGeometry().size();
    const double left = (area.width() * tx - size.width() * tx) / 2;
    const double top = (area.height() * ty - size.height() * ty) / 2;
    form.move(area.x() + static_cast<int>(std::lround(left / tx)),
              area.y() + static_cast<int>(std::lround(top / ty)));
}

int16_t ToPageTwips(double twips) {
    const double rounded = std::nearbyint(twips);
    return static_cast<int16_t>(std::clamp(rounded, double{std::numeric_limits<int16_t>::min()},
                                           double{std::numeric_limits<int16_t>::max()}));
}

std::string PageName(const QWidget& page) {
    return page.objectName().toStdString();
}

}  // namespace qfw::pages
