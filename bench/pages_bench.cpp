// The wizard's pages, offscreen: from loading the example project to the
// introduction page shown (what `qfwizard --wizard` does after Qt has
// started), and Next on the specification control page for a 1 MB library
// to the interface list shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <optional>
#include <string>

#include <unistd.h>

#include "engine/class_registrations.h"
#include "engine/ide/vb_projects.h"
#include "engine/ide/vbe.h"
#include "pages/frm_multi_interface.h"
#include "pages/frm_wiz_main.h"
#include "pages/frm_wiz_single1.h"
#include "pages/module_state.h"
#include "platform/classes_root.h"
#include "platform/shell.h"
#include "platform/win_path.h"

namespace {

namespace fs = std::filesystem;
using namespace qfw;

// Answers every message box with its default button and the open-file
// dialog with the library to browse.
class BenchShell : public Shell {
  public:
    int32_t MsgBox(const std::string&, int32_t style, const std::string&) override {
        return MsgBoxDefaultButton(style);
    }
    void SetBusy(bool) override {}
    void DoEvents() override { QApplication::processEvents(); }
    void ShowStatus(const std::string&) override {}
    void EndRun() override { pages::UnloadWizard(); }
    std::optional<std::string> ShowOpen(const std::string&) override { return library; }

    std::string library;
};

void StartQt() {
    static QApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_pages";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    benchmark::DoNotOptimize(application);
}

// Loads the example project as --wizard does and shows the introduction page.
void ShowIntroduction() {
    auto vbe = ide::VBE::Create();
    vbe->VBProjects()->AddFromFile(
        UnixToWindows(std::string(QFW_EXAMPLES) + "/LabeledEdit/LabeledEdit.vbp"));
    std::vector<std::string> warnings;
    static RegistryView view;
    view = LoadRegistry(RegistrySources{}, warnings);
    LearnProjectControls(*vbe, view, warnings);
    static ScopedClassesRoot classesRoot(view);
    pages::ConnectEnvironment(vbe);
    pages::WizMain().ShowModeless();
    QApplication::processEvents();
}

void BM_WizardStart(benchmark::State& state) {
    StartQt();
    BenchShell shell;
    ScopedShell installShell(shell);
    for (auto _ : state) {
        ShowIntroduction();
        if (!pages::WizMain().isVisible())
            state.SkipWithError("the introduction page was not shown");
        state.PauseTiming();
        pages::UnloadWizard();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WizardStart)->Unit(benchmark::kMillisecond);

void BM_InterfacePage(benchmark::State& state) {
    StartQt();
    BenchShell shell;
    ScopedShell installShell(shell);
    // Browse accepts .ocx and .olb files only.
    const fs::path library =
        fs::temp_directory_path() / ("qfw-bench-huge-" + std::to_string(::getpid()) + ".olb");
    fs::copy_file(fs::path(QFW_FIXTURES) / "typelib" / "huge.tlb", library,
                  fs::copy_options::overwrite_existing);
    shell.library = library.string();
    state.counters["library_bytes"] = static_cast<double>(fs::file_size(library));

    ShowIntroduction();
    QTest::mouseClick(pages::WizMain().cmdWizard[pages::kNext], Qt::LeftButton);
    pages::frmWizSingle1& page = pages::WizSingle1();
    QTest::mouseClick(page.cmdBrowse, Qt::LeftButton);
    for (auto _ : state) {
        QTest::mouseClick(page.cmdWizard[pages::kNext], Qt::LeftButton);
        QApplication::processEvents();
        state.PauseTiming();
        if (pages::MultiInterface().lstInterfaces->count() != 150)
            state.SkipWithError("the interface list is not the library's");
        QTest::mouseClick(pages::MultiInterface().cmdWizard[pages::kBack], Qt::LeftButton);
        state.ResumeTiming();
    }
    pages::UnloadWizard();
    fs::remove(library);
}
BENCHMARK(BM_InterfacePage)->Unit(benchmark::kMillisecond);

}  // namespace
