// Expansion speed of the macro-script engine: a zone of many MACRO
// directives and a long repetition, each at two sizes ten times apart.
#include <benchmark/benchmark.h>

#include <string>

#include "macroscript/MacroScript.h"

using orven::macroscript::MacroScript;

namespace {

// A zone of n MACRO directives over 100 registered names.
void BM_ZoneOfMacros(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::string script = "#TPX-ZONE(Big)#";
    for (int i = 0; i < n; ++i) {
        script += "    field_#TPX-MACRO(name" + std::to_string(i % 100) + ",default)# = 0;\n";
    }
    script += "#TPX-ENDZONE(Big)#";
    MacroScript ms(std::move(script));
    for (int k = 0; k < 100; ++k) {
        ms.RegisterMacro("name" + std::to_string(k), "value_of_" + std::to_string(k));
    }
    std::string out;
    std::size_t bytes = 0;
    for (auto _ : state) {
        if (!ms.ApplyZone("Big", out, 0, ' '))
            state.SkipWithError("expansion failed");
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["directives"] = n;
}
BENCHMARK(BM_ZoneOfMacros)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A REPAREA of n repetitions, with a value registered for every index.
void BM_RepetitionArea(benchmark::State& state) {
    const unsigned n = static_cast<unsigned>(state.range(0));
    MacroScript ms(std::string(
        "#TPX-ZONE(Rep)#header\n#TPX-REPAREA(Items)#  item #TPX-REPINDEX(Items)#: "
        "#TPX-REPMACRO(Items,name,-)#;\n#TPX-ENDREPAREA(Items)#footer\n#TPX-ENDZONE(Rep)#"));
    for (unsigned i = 0; i < n; ++i) {
        ms.RegisterRepetitionMacro("Rep", "Items", "name", i, "value_" + std::to_string(i));
    }
    std::string out;
    std::size_t bytes = 0;
    for (auto _ : state) {
        if (!ms.ApplyZone("Rep", out, 0, ' '))
            state.SkipWithError("expansion failed");
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["repetitions"] = n;
}
BENCHMARK(BM_RepetitionArea)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
