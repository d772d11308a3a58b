#include "screenshots.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>

#include "engine/class_registrations.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "pages/frm_control_list.h"
#include "pages/frm_multi_interface.h"
#include "pages/frm_proj_info.h"
#include "pages/frm_user_control_info.h"
#include "pages/frm_wiz_main.h"
#include "pages/frm_wiz_single1.h"
#include "pages/help_window.h"
#include "pages/module_state.h"
#include "platform/classes_root.h"
#include "platform/win_path.h"
#include "support/recording_shell.h"

namespace qfw::pages {

namespace {

std::string Save(QWidget& page, const std::string& folder, const std::string& name) {
    page.show();
    QApplication::processEvents();
    const std::string file = folder + "/" + name + ".png";
    page.grab().save(QString::fromStdString(file));
    return file;
}

}  // namespace

std::vector<std::string> RenderScreenshots(const std::string& folder) {
    std::filesystem::create_directories(folder);
    RecordingShell shell;
    ScopedShell installShell(shell);
    auto vbe = ide::VBE::Create();
    const std::string project = std::string(QFW_EXAMPLES) + "/LabeledEdit/LabeledEdit.vbp";
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
    QTest::mouseClick(WizSingle1().cmdWizard[kNext], Qt::LeftButton);
    files.push_back(Save(MultiInterface(), folder, "frmMultiInterface"));
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
