// qfw_host_screenshots DIR: renders the environment window over the example
// project with its Add-Ins menu open, and the Add-In Manager, into DIR as PNG
// files (offscreen by default); exits 1 when a picture came out blank.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <iostream>

#include "engine/ide/vbe.h"
#include "host/environment_window.h"
#include "pages/gui_shell.h"
#include "pages/screenshots.h"
#include "platform/shell.h"
#include "platform/win_path.h"

namespace {

// The window with its Add-Ins menu dropped down, painted as one picture
// (offscreen, a popup is a window of its own).
QImage WindowWithAddInsMenu(qfw::host::EnvironmentWindow& window) {
    QMenu* menu = window.AddInsMenu();
    const QRect item = window.menuBar()->actionGeometry(menu->menuAction());
    const QPoint at = window.menuBar()->mapTo(&window, item.bottomLeft());
    menu->popup(window.mapToGlobal(at));
    QApplication::processEvents();
    QImage image = window.grab().toImage();
    QPainter painter(&image);
    painter.drawPixmap(at, menu->grab());
    menu->hide();
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: qfw_host_screenshots DIR\n";
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    qfw::pages::GuiShell shell;
    qfw::ScopedShell scope(shell);
    QDir().mkpath(argv[1]);
    const std::string folder = argv[1];

    auto vbe = qfw::ide::VBE::Create();
    qfw::host::EnvironmentWindow window(vbe);
    window.OpenFiles({qfw::UnixToWindows(QFW_EXAMPLES "/LabeledEdit/LabeledEdit.vbp")});
    window.SelectComponent("LabeledEditCtl", "LabeledEdit");
    window.ConnectAddIn();
    window.show();
    QApplication::processEvents();

    std::vector<std::string> files;
    files.push_back(folder + "/EnvironmentWindow.png");
    WindowWithAddInsMenu(window).save(QString::fromStdString(files.back()));
    files.push_back(folder + "/frmAddInManager.png");
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialog->grab().save(QString::fromStdString(files.back()));
            dialog->close();
        }
    });
    window.AddInManagerAction()->trigger();
    window.DisconnectAddIn();

    int blank = 0;
    for (const std::string& file : files) {
        const bool ok = qfw::pages::ImageHasContent(file);
        std::cout << file << (ok ? "" : "  (blank)") << "\n";
        blank += ok ? 0 : 1;
    }
    return blank == 0 ? 0 : 1;
}
