// qfw_screenshots DIR: renders every page of a run over the example project
// into DIR (offscreen by default); exits 1 when a picture came out blank.
#include <QApplication>
#include <iostream>

#include "screenshots.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: qfw_screenshots DIR\n";
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    int blank = 0;
    for (const std::string& file : qfw::pages::RenderScreenshots(argv[1])) {
        const bool ok = qfw::pages::ImageHasContent(file);
        std::cout << file << (ok ? "" : "  (blank)") << "\n";
        blank += ok ? 0 : 1;
    }
    return blank == 0 ? 0 : 1;
}
