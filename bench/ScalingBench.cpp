// How the expert's costs grow with the palette: every operation the user
// waits for, from a heavy IDE (500 pages in 60 groups) to 20,000 pages in
// 2,000 groups, twenty pages per group. After the runs it prints each
// operation's growth exponent between 2,000 and 20,000 pages (1 is linear,
// 2 quadratic) and how much faster the start-up is than the literal nested
// search on the same data.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Operations.h"

namespace {

constexpr int kLow = 2000;
constexpr int kHigh = 20000;

// Pages and groups, groups a tenth of the pages as the heavy IDE rounds it.
void Sizes(benchmark::internal::Benchmark* B) {
  B->ArgNames({"pages", "groups"});
  constexpr int kSizes[][2] = {{500, 60}, {kLow, 200}, {5000, 500}, {kHigh, 2000}};
  for (const auto& Size : kSizes)
    B->Args({Size[0], Size[1]});
}

void Sweep(benchmark::internal::Benchmark* B) {
  Sizes(B);
  B->Unit(benchmark::kMicrosecond)->UseManualTime();
}

// The literal search is quadratic: one iteration per size is plenty.
void LiteralSweep(benchmark::internal::Benchmark* B) {
  Sizes(B);
  B->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(1);
}

// Prints as the console does and keeps each run's median wall time per
// iteration, by operation and page count.
class TGrowthReporter : public benchmark::ConsoleReporter {
 public:
  using ConsoleReporter::ConsoleReporter;

  void ReportRuns(const std::vector<Run>& Runs) override {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& R : Runs) {
      const bool Median = R.run_type == Run::RT_Aggregate && R.aggregate_name == "median";
      const bool Single = R.run_type == Run::RT_Iteration && R.repetitions <= 1;
      const std::size_t At = R.run_name.args.find("pages:");
      if (R.error_occurred || !(Median || Single) || At == std::string::npos)
        continue;
      const int Pages = std::stoi(R.run_name.args.substr(At + 6));
      Seconds[R.run_name.function_name][Pages] =
          R.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(R.time_unit);
    }
  }

  void PrintSummary() const {
    std::printf("\nGrowth exponent between %d and %d pages (1 linear, 2 quadratic):\n", kLow,
                kHigh);
    for (const auto& [Name, BySize] : Seconds) {
      const auto Low = BySize.find(kLow), High = BySize.find(kHigh);
      if (Low == BySize.end() || High == BySize.end() || Low->second <= 0)
        continue;
      std::printf("  %-22s %5.2f\n", Name.c_str(),
                  std::log(High->second / Low->second) / std::log(double{kHigh} / kLow));
    }
    const auto Literal = Seconds.find("BM_LiteralStartUp");
    const auto StartUp = Seconds.find("BM_StartUp");
    if (Literal == Seconds.end() || StartUp == Seconds.end())
      return;
    std::printf("\nStart-up against the literal nested search (times faster):\n");
    for (const auto& [Pages, Time] : StartUp->second) {
      const auto Reference = Literal->second.find(Pages);
      if (Reference != Literal->second.end() && Time > 0)
        std::printf("  %6d pages  %8.0fx\n", Pages, Reference->second / Time);
    }
  }

 private:
  std::map<std::string, std::map<int, double>> Seconds;
};

}  // namespace

BENCHMARK(BM_GroupSwitch)->Apply(Sweep);
BENCHMARK(BM_PageChoice)->Apply(Sweep);
BENCHMARK(BM_TickUnchanged)->Apply(Sweep);
BENCHMARK(BM_TickAfterRewrite)->Apply(Sweep);
BENCHMARK(BM_SortTick)->Apply(Sweep);
BENCHMARK(BM_StartUp)->Apply(Sweep);
BENCHMARK(BM_DialogOpening)->Apply(Sweep);
BENCHMARK(BM_SettingsOk)->Apply(Sweep);
BENCHMARK(BM_Export)->Apply(Sweep);
BENCHMARK(BM_LiteralStartUp)->Apply(LiteralSweep);

int main(int argc, char** argv) {
  // Defaults that keep the whole sweep within minutes; the command line
  // comes after them and overrides them.
  std::vector<char*> Args{argv[0]};
  std::string Defaults[] = {"--benchmark_min_time=0.2", "--benchmark_repetitions=3",
                            "--benchmark_report_aggregates_only=true"};
  for (std::string& D : Defaults)
    Args.push_back(D.data());
  Args.insert(Args.end(), argv + 1, argv + argc);
  int Count = static_cast<int>(Args.size());
  benchmark::Initialize(&Count, Args.data());
  if (benchmark::ReportUnrecognizedArguments(Count, Args.data()))
    return 1;
  TGrowthReporter Reporter(isatty(STDOUT_FILENO) != 0 ? benchmark::ConsoleReporter::OO_ColorTabular
                                                      : benchmark::ConsoleReporter::OO_Tabular);
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  Reporter.PrintSummary();
  benchmark::Shutdown();
  return 0;
}
