// Reading and fully enumerating a large type library (300 types, 5,200
// functions and their parameters): bytes/s of library data, items/s of
// reported members.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "browser/control/qfnrws.h"
#include "browser/control/type_library_reader.h"

namespace {

std::vector<uint8_t> LargeLibrary() {
    std::ifstream in(std::string(QFW_FIXTURES) + "/typelib/large.tlb", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void BM_TypeLibEnumerate(benchmark::State& state) {
    const std::vector<uint8_t> bytes = LargeLibrary();
    if (bytes.empty()) {
        state.SkipWithError("tests/fixtures/typelib/large.tlb is missing");
        return;
    }
    int64_t events = 0;
    for (auto _ : state) {
        qfw::Qfnrws control;
        control.OnTypeInfo([&](int32_t&, int16_t& kind) {
            events += kind < 0;
            benchmark::DoNotOptimize(control.iName().size() + control.iParamType().size());
        });
        control.Open(
            std::make_shared<const qfw::TypeLibrary>(qfw::ReadTypeLibrary(bytes, "large.tlb")),
            "large.tlb");
        control.Enumerate();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bytes.size()));
    state.SetItemsProcessed(events);
    state.counters["members"] =
        static_cast<double>(events) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TypeLibEnumerate)->Unit(benchmark::kMillisecond);

}  // namespace
