#include "screenshots.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>

#include "engine/class_registrations.h"
#include "engine/ide/vb_projects.h"
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
#include "pages/help_window.h"
#include "pages/module_state.h"
#include "platform/classes_root.h"
#include "platform/win_path.h"
#include "support/recording_shell.h"

namespace qfw::pages {

namespace {

// The program's shell sends progress lines to the generation page.
class ScreenshotShell : public RecordingShell {
  public:
    void ShowStatus(const std::string& text) override { WizSingle6().AddStatus(text); }
};

// Selects the entries of a list that begin with one of the prefixes.
void SelectStarting(VbListBox& list, const std::vector<std::string>& prefixes) {
    for (int i = 0; i < list.count(); ++i) {
        for (const std::string& prefix : prefixes) {
            if (list.item(i)->text().startsWith(QString::fromStdString(prefix)))
                list.item(i)->setSelected(true);
        }
    }
    list.SetCurrentIndex(0);
}

std::string Save(QWidget& page, const std::string& folder, const std::string& name) {
    page.show();
    QApplication::processEvents();
    const std::string file = folder + "/" + name + ".png";
    page.grab().save(QString::fromStdString(file));
    return file;
}

}  // namespace

// The pages after the interface page, with the choices of a run over the
// example: items on both sides, the mapping order half filled, two controls
// sharing BackColor, the generation page after success; and the dialogs.
void AddGenerationPages(const std::string& folder, std::vector<std::string>& files) {
    Module().showItemSelectionPage = ShowItemSelectionPage;
    QTest::mouseClick(MultiInterface().cmdWizard[kNext], Qt::LeftButton);
    frmWizSingle1a& items = WizSingle1a();
    SelectStarting(*items.lstFromTo[0], {"Caption ", "Text ", "Value ", "BackColor "});
    QTest::mouseClick(items.cmdAddRemove[0], Qt::LeftButton);
    files.push_back(Save(items, folder, "frmWizSingle1a"));
    AddItem().Load();
    AddItem().txtName->setText("Spin");
    AddItem().optItem[1]->setChecked(true);
    files.push_back(Save(AddItem(), folder, "frmAddItem"));
    Parameters().Load();
    for (const char* name : {"Steps", "Wrap"}) {
        Parameters().txtName->setText(name);
        QTest::mouseClick(Parameters().cmdAdd, Qt::LeftButton);
        Parameters().cmbType->setCurrentIndex(3);
    }
    files.push_back(Save(Parameters(), folder, "frmParameters"));
    Parameters().Unload();
    AddItem().Unload();

    QTest::mouseClick(items.cmdWizard[kNext], Qt::LeftButton);
    frmWizSingle2& order = WizSingle2();
    SelectStarting(*order.lstControlsFromTo[0], {"TextBox"});
    QTest::mouseClick(order.cmdAddRemove[0], Qt::LeftButton);
    files.push_back(Save(order, folder, "frmWizSingle2"));
    QTest::mouseClick(order.cmdAddRemove[1], Qt::LeftButton);
    QTest::mouseClick(order.cmdWizard[kNext], Qt::LeftButton);

    frmWizSingle3& multi = WizSingle3();
    SelectStarting(*multi.lstControlList, {"TextBox", "Label"});
    multi.lstControlList->itemClicked(multi.lstControlList->item(0));
    SelectStarting(*multi.lstPropertiesFromTo[0], {"BackColor "});
    QTest::mouseClick(multi.cmdAddRemoveProperty[0], Qt::LeftButton);
    files.push_back(Save(multi, folder, "frmWizSingle3"));
    QTest::mouseClick(multi.cmdWizard[kNext], Qt::LeftButton);
    QTest::mouseClick(WizSingle6().cmdWizard[kFinish], Qt::LeftButton);
    files.push_back(Save(WizSingle6(), folder, "frmWizSingle6"));
    WizSingle6().hide();
}

std::vector<std::string> RenderScreenshots(const std::string& folder) {
    std::filesystem::create_directories(folder);
    ScreenshotShell shell;
    ScopedShell installShell(shell);
    auto vbe = ide::VBE::Create();
    // Generation writes its backup and work file next to the project: a copy.
    QTemporaryDir scratch;
    const std::string copy = scratch.path().toStdString() + "/LabeledEdit";
    std::filesystem::copy(std::string(QFW_EXAMPLES) + "/LabeledEdit", copy);
    const std::string project = copy + "/LabeledEdit.vbp";
    vbe->VBProjects()->AddFromFile(UnixToWindows(project));
    std::vector<std::string> warnings;
    RegistryView view = LoadRegistry(RegistrySources{}, warnings);
    LearnProjectControls(*vbe, view, warnings);
    ScopedClassesRoot classesRoot(view);
    ConnectEnvironment(vbe);

    std::vector<std::string> files;
    WizMain().ShowModeless();
    files.push_back(Save(WizMain(), folder, "frmWizMain"));
    QTest::mouseClick(WizMain().cmdWizard[kNext], Qt::LeftButton);
    files.push_back(Save(WizSingle1(), folder, "frmWizSingle1"));
    ControlList().Load();
    files.push_back(Save(ControlList(), folder, "frmControlList"));
    ControlList().Unload();
    shell.ReplyOpen(copy + "/QUILLEDIT.OCX");
    QTest::mouseClick(WizSingle1().cmdBrowse, Qt::LeftButton);
    QTest::mouseClick(WizSingle1().cmdWizard[kNext], Qt::LeftButton);
    files.push_back(Save(MultiInterface(), folder, "frmMultiInterface"));
    AddGenerationPages(folder, files);
    // The pickers are not on the way of a one-project run; they show the
    // example's project and UserControl.
    Module().gProjectList = {SharedWizard().ProjectName()};
    ProjInfo().Load();
    files.push_back(Save(ProjInfo(), folder, "frmProjInfo"));
    UserControlInfo().Load();
    files.push_back(Save(UserControlInfo(), folder, "frmUserControlInfo"));
    ShowHelpWindow(HelpFile(), "Wizard: Wizard, Selecting the Specification Control");
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "HelpWindow") {
            files.push_back(Save(*window, folder, "HelpWindow"));
            window->hide();
        }
    }
    UnloadWizard();
    return files;
}

bool ImageHasContent(const std::string& file) {
    const QImage image(QString::fromStdString(file));
    if (image.isNull())
        return false;
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    int most = 0;
    for (int count : counts)
        most = std::max(most, count);
    const int others = image.width() * image.height() - most;
    return counts.size() > 8 && others > image.width() * image.height() / 50;
}

}  // namespace qfw::pages
