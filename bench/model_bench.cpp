// Filling and selecting a large item record, as the browser and the item
// selection page do for a library with thousands of members.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "model/obj_control.h"

static void BM_RecordFillAndSelect(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<std::string> texts;
    for (int i = 0; i < n; ++i) texts.push_back("Property" + std::to_string(i) + " As String");
    std::vector<std::string> chosen(texts.begin(), texts.begin() + n / 10);
    for (auto _ : state) {
        qfw::objControl c;
        for (const auto& t : texts) c.AddProperty(t);
        c.SetSelectedItems(qfw::kKindProperty, {}, chosen);
        benchmark::DoNotOptimize(c.SelectedPropertyCount());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_RecordFillAndSelect)->Arg(1000)->Arg(5000);
