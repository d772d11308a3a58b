// Listing the system folder's control libraries, against merely reading
// every byte of the same files: the listing needs only each library's name
// and help string, so it must not cost more than the read.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "browser/browser.h"
#include "browser/control/qfnrws.h"
#include "platform/shell.h"

namespace {

namespace fs = std::filesystem;

// A Wine prefix whose system folder holds 200 copies of the example and
// test libraries, made once for the whole program.
class SystemFolder {
  public:
    SystemFolder() {
        root_ = fs::temp_directory_path() / ("qfw-bench-" + std::to_string(::getpid()));
        const fs::path system = root_ / "drive_c" / "windows" / "system";
        fs::create_directories(system);
        const std::vector<fs::path> sources = {
            fs::path(QFW_EXAMPLES) / "LabeledEdit" / "QUILLDIAL.OCX",
            fs::path(QFW_EXAMPLES) / "LabeledEdit" / "QUILLEDIT.OCX",
            fs::path(QFW_FIXTURES) / "typelib" / "quilltest32.ocx",
            fs::path(QFW_DATA_DIR) / "VB6.OLB",
        };
        for (int i = 0; i < 200; ++i) {
            const fs::path target = system / ("LIB" + std::to_string(i) + ".OCX");
            fs::copy_file(sources[static_cast<size_t>(i) % sources.size()], target);
            files_.push_back(target);
        }
        setenv("WINEPREFIX", root_.c_str(), 1);
    }
    ~SystemFolder() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    const std::vector<fs::path>& Files() const { return files_; }

  private:
    fs::path root_;
    std::vector<fs::path> files_;
};

const SystemFolder& Folder() {
    static SystemFolder folder;
    return folder;
}

void BM_SystemControlList(benchmark::State& state) {
    Folder();
    qfw::SharedBrowser().BrowserControl(std::make_shared<qfw::Qfnrws>());
    for (auto _ : state) {
        qfw::SharedBrowser().ForgetSystemControlList();
        std::vector<std::string> list;
        benchmark::DoNotOptimize(qfw::SharedBrowser().GetSystemControlList(list));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 200);
}
BENCHMARK(BM_SystemControlList)->Unit(benchmark::kMillisecond);

void BM_ReadBytesBaseline(benchmark::State& state) {
    for (auto _ : state) {
        size_t total = 0;
        for (const fs::path& file : Folder().Files()) {
            std::ifstream in(file, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
            total += bytes.size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 200);
}
BENCHMARK(BM_ReadBytesBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
