// What the expert costs the user on the stock Delphi 7 palette, a heavy IDE
// and a stress case: a group switch, a page choice, the palette-change tick
// with and without a change, and the start-up.

#include <benchmark/benchmark.h>

#include "Operations.h"

namespace {

void Sizes(benchmark::internal::Benchmark* B) {
  B->ArgNames({"pages", "groups"})->Args({0, 6})->Args({500, 60})->Args({5000, 500});
  B->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseManualTime();
}

}  // namespace

BENCHMARK(BM_GroupSwitch)->Apply(Sizes);
BENCHMARK(BM_GroupClickInView)->Apply(Sizes);
BENCHMARK(BM_PageChoice)->Apply(Sizes);
BENCHMARK(BM_TickUnchanged)->Apply(Sizes);
BENCHMARK(BM_TickAfterRewrite)->Apply(Sizes);
BENCHMARK(BM_StartUp)->Apply(Sizes);

BENCHMARK_MAIN();
