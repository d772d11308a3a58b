// The wizard's pages, offscreen: from loading the example project to the
// introduction page shown (what `qfwizard --wizard` does after Qt has
// started), Next on the specification control page for a 1 MB library to
// the interface list shown, and the item selection page over a specification
// interface of 5,000 properties.
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
#include "pages/frm_wiz_single1a.h"
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

namespace {

// The item selection page over a specification record of 5,000 properties
// (and one method), shown with the properties.
pages::frmWizSingle1a& ShowLargeItemPage() {
    objControl& spec = pages::SpecificationRecord();
    spec.Clear();
    for (int i = 0; i < 5000; ++i)
        spec.AddProperty("Property" + std::to_string((i * 7919) % 5000) + " As Long");
    spec.AddMethod("Refresh ()");
    pages::frmWizSingle1a& page = pages::WizSingle1a();
    page.ShowModeless();
    QApplication::processEvents();
    return page;
}

void BM_ItemPageAddAll(benchmark::State& state) {
    StartQt();
    BenchShell shell;
    ScopedShell installShell(shell);
    pages::frmWizSingle1a& page = ShowLargeItemPage();
    for (auto _ : state) {
        QTest::mouseClick(page.cmdAddRemove[1], Qt::LeftButton);
        if (pages::SpecificationRecord().SelectedPropertyCount() != 5000)
            state.SkipWithError("Add All did not select every property");
        QTest::mouseClick(page.cmdAddRemove[3], Qt::LeftButton);
        if (page.lstFromTo[0]->count() != 5000)
            state.SkipWithError("Remove All did not bring every property back");
    }
    pages::UnloadWizard();
}
BENCHMARK(BM_ItemPageAddAll)->Unit(benchmark::kMillisecond);

void BM_ItemPageShow(benchmark::State& state) {
    StartQt();
    BenchShell shell;
    ScopedShell installShell(shell);
    pages::frmWizSingle1a& page = ShowLargeItemPage();
    for (auto _ : state) {
        state.PauseTiming();
        page.cmbItem->setCurrentIndex(1);
        state.ResumeTiming();
        page.cmbItem->setCurrentIndex(0);
        if (page.lstFromTo[0]->count() != 5000)
            state.SkipWithError("the properties were not shown");
    }
    pages::UnloadWizard();
}
BENCHMARK(BM_ItemPageShow)->Unit(benchmark::kMillisecond);

}  // namespace
