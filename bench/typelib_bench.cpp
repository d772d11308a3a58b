// Reading and fully enumerating a type library: bytes/s of library data,
// items/s of reported members. BM_TypeLibEnumerate reads a large generated
// library (300 types, 5,200 functions and their parameters), BM_TypeLibReal
// Wine's mshtml.tlb (1.2 MB) when Wine is installed.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "browser/control/qfnrws.h"
#include "browser/control/type_library_reader.h"

namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Parses `bytes` and raises every event of the library, reading each
// event's name and type as a handler would.
void ReadAndEnumerate(benchmark::State& state, const std::vector<uint8_t>& bytes,
                      const std::string& name) {
    int64_t events = 0;
    for (auto _ : state) {
        qfw::Qfnrws control;
        control.OnTypeInfo([&](int32_t&, int16_t& kind) {
            events += kind < 0;
            benchmark::DoNotOptimize(control.iName().size() + control.iParamType().size());
        });
        control.Open(std::make_shared<const qfw::TypeLibrary>(qfw::ReadTypeLibrary(bytes, name)),
                     name);
        control.Enumerate();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bytes.size()));
    state.SetItemsProcessed(events);
    state.counters["members"] =
        static_cast<double>(events) / static_cast<double>(state.iterations());
}

void BM_TypeLibEnumerate(benchmark::State& state) {
    const std::vector<uint8_t> bytes = FileBytes(std::string(QFW_FIXTURES) + "/typelib/large.tlb");
    if (bytes.empty()) {
        state.SkipWithError("tests/fixtures/typelib/large.tlb is missing");
        return;
    }
    ReadAndEnumerate(state, bytes, "large.tlb");
}
BENCHMARK(BM_TypeLibEnumerate)->Unit(benchmark::kMillisecond);

// Where Debian's Wine packages install the 64-bit and the 32-bit library.
void BM_TypeLibReal(benchmark::State& state) {
    for (const char* path :
         {"/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/mshtml.tlb",
          "/usr/lib/i386-linux-gnu/wine/i386-windows/mshtml.tlb",
          "/usr/lib/x86_64-linux-gnu/wine/i386-windows/mshtml.tlb",
          "/usr/lib/wine/x86_64-windows/mshtml.tlb", "/usr/lib/wine/i386-windows/mshtml.tlb"}) {
        const std::vector<uint8_t> bytes = FileBytes(path);
        if (!bytes.empty()) {
            state.SetLabel(path);
            ReadAndEnumerate(state, bytes, "mshtml.tlb");
            return;
        }
    }
    state.SkipWithError("Wine's mshtml.tlb is not installed");
}
BENCHMARK(BM_TypeLibReal)->Unit(benchmark::kMillisecond);

}  // namespace
