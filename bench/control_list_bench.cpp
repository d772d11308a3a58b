// Listing the system folder's control libraries, against merely reading
// every byte of the same files: the listing needs only each library's name
// and help string (and, for a file without a type library, its headers and
// resource directory), so it must cost at most half of the read.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "browser/browser.h"
#include "browser/control/qfnrws.h"
#include "platform/shell.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLibraries = 500;
constexpr int kLargeImages = 50;  // every tenth library
constexpr uint32_t kLargeCodeSize = 4u << 20;

void Put16(std::string& bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}
void Put32(std::string& bytes, size_t at, uint32_t value) {
    Put16(bytes, at, static_cast<uint16_t>(value & 0xFFFF));
    Put16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

// A 32-bit DLL image of `codeSize` bytes of code and a resource section that
// holds a version resource and no type library, as many large system
// libraries are.
std::string LargeImageWithoutTypeLib(uint32_t codeSize) {
    constexpr uint32_t kHeaders = 0x400;
    constexpr uint32_t kCodeRva = 0x1000;
    const uint32_t rsrcRva = kCodeRva + ((codeSize + 0xFFF) & ~0xFFFu);
    const uint32_t rsrcOffset = kHeaders + codeSize;
    constexpr uint32_t kRsrcSize = 0x200;
    std::string bytes(rsrcOffset + kRsrcSize, '\0');
    Put16(bytes, 0, 0x5A4D);  // MZ
    Put32(bytes, 0x3C, 0x40);
    Put32(bytes, 0x40, 0x4550);  // PE\0\0
    const size_t coff = 0x44;
    Put16(bytes, coff, 0x14C);        // i386
    Put16(bytes, coff + 2, 2);        // sections
    Put16(bytes, coff + 16, 0xE0);    // optional header size
    Put16(bytes, coff + 18, 0x2102);  // executable, 32-bit, DLL
    const size_t opt = coff + 20;
    Put16(bytes, opt, 0x10B);                  // PE32
    Put32(bytes, opt + 4, codeSize);           // size of code
    Put32(bytes, opt + 20, kCodeRva);          // base of code
    Put32(bytes, opt + 28, 0x10000000);        // image base
    Put32(bytes, opt + 32, 0x1000);            // section alignment
    Put32(bytes, opt + 36, 0x200);             // file alignment
    Put16(bytes, opt + 40, 4);                 // OS version
    Put16(bytes, opt + 48, 4);                 // subsystem version
    Put32(bytes, opt + 56, rsrcRva + 0x1000);  // size of image
    Put32(bytes, opt + 60, kHeaders);          // size of headers
    Put16(bytes, opt + 68, 2);                 // Windows GUI
    Put32(bytes, opt + 92, 16);                // data directories
    Put32(bytes, opt + 96 + 8 * 2, rsrcRva);   // resource directory
    Put32(bytes, opt + 96 + 8 * 2 + 4, kRsrcSize);
    const size_t sections = opt + 0xE0;
    const auto section = [&](size_t at, const char* name, uint32_t rva, uint32_t size,
                             uint32_t offset, uint32_t flags) {
        bytes.replace(at, 8, std::string(name).append(8 - std::string(name).size(), '\0'));
        Put32(bytes, at + 8, size);
        Put32(bytes, at + 12, rva);
        Put32(bytes, at + 16, size);
        Put32(bytes, at + 20, offset);
        Put32(bytes, at + 36, flags);
    };
    section(sections, ".text", kCodeRva, codeSize, kHeaders, 0x60000020);
    section(sections + 40, ".rsrc", rsrcRva, kRsrcSize, rsrcOffset, 0x40000040);
    // The code: any bytes; a pattern keeps the file the same from run to run.
    for (uint32_t i = 0; i < codeSize; ++i)
        bytes[kHeaders + i] = static_cast<char>((i * 2654435761u) >> 24);
    // Type 16 (version) / id 1 / language 0x409 -> 4 bytes of data.
    const size_t r = rsrcOffset;
    Put16(bytes, r + 14, 1);
    Put32(bytes, r + 16, 16);
    Put32(bytes, r + 20, 0x80000018);
    Put16(bytes, r + 0x18 + 14, 1);
    Put32(bytes, r + 0x18 + 16, 1);
    Put32(bytes, r + 0x18 + 20, 0x80000030);
    Put16(bytes, r + 0x30 + 14, 1);
    Put32(bytes, r + 0x30 + 16, 0x409);
    Put32(bytes, r + 0x30 + 20, 0x48);
    Put32(bytes, r + 0x48, rsrcRva + 0x58);
    Put32(bytes, r + 0x48 + 4, 4);
    return bytes;
}

// A Wine prefix whose system folder holds 500 libraries, made once for the
// whole program: copies of the example and test libraries, and every tenth
// one a large image without a type library.
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
        const std::string large = LargeImageWithoutTypeLib(kLargeCodeSize);
        for (int i = 0; i < kLibraries; ++i) {
            const fs::path target = system / ("LIB" + std::to_string(i) + ".OCX");
            if (i % (kLibraries / kLargeImages) == 0) {
                std::ofstream(target, std::ios::binary) << large;
            } else {
                fs::copy_file(sources[static_cast<size_t>(i) % sources.size()], target);
            }
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
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kLibraries);
}
BENCHMARK(BM_SystemControlList)->Unit(benchmark::kMillisecond);

void BM_ReadBytesBaseline(benchmark::State& state) {
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        size_t total = 0;
        for (const fs::path& file : Folder().Files()) {
            const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                std::abort();
            for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;) {
                total += static_cast<size_t>(n);
                benchmark::DoNotOptimize(buffer.data());
            }
            ::close(fd);
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kLibraries);
}
BENCHMARK(BM_ReadBytesBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
