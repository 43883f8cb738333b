// How the expert's costs grow with the palette: every operation the user
// waits for, from a heavy IDE (500 pages in 60 groups) to 20,000 pages in
// 2,000 groups, twenty pages per group. After the runs it prints each
// operation's growth exponent between 2,000 and 20,000 pages (1 is linear,
// 2 quadratic), how much faster the start-up is than the literal nested
// search on the same data, and the expert's costs against the bare IDE's own
// work on the same pages: by wall time, and by instructions where the CPU's
// counter can be read (bench/instructions.sh counts them with callgrind).

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
      if (const auto It = R.counters.find("instructions"); It != R.counters.end())
        Instructions[R.run_name.function_name][Pages] = It->second.value;
    }
  }

  void PrintSummary() const {
    Print("wall time", Seconds);
    if (!Instructions.empty())
      Print("instructions", Instructions);
  }

 private:
  using TBySize = std::map<std::string, std::map<int, double>>;

  // Each operation's growth exponent, then the expert against the literal
  // nested search and against the bare IDE's own work on the same pages.
  static void Print(const char* Measure, const TBySize& Cost) {
    std::printf("\nGrowth exponent by %s between %d and %d pages (1 linear, 2 quadratic):\n",
                Measure, kLow, kHigh);
    for (const auto& [Name, BySize] : Cost) {
      const auto Low = BySize.find(kLow), High = BySize.find(kHigh);
      if (Low == BySize.end() || High == BySize.end() || Low->second <= 0)
        continue;
      std::printf("  %-22s %5.2f\n", Name.c_str(),
                  std::log(High->second / Low->second) / std::log(double{kHigh} / kLow));
    }
    Ratio(Cost, Measure, "BM_LiteralStartUp", "BM_StartUp",
          "Literal nested search against the start-up (times the start-up's cost)");
    Ratio(Cost, Measure, "BM_StartUp", "BM_IdePaletteBuild",
          "Start-up against the IDE building its palette");
    Ratio(Cost, Measure, "BM_TickAfterRewrite", "BM_IdeRebuild",
          "Rewrite tick against the IDE's own rebuild");
    Ratio(Cost, Measure, "BM_GroupSwitch", "BM_IdePaletteClick",
          "Group switch against a click on the full palette");
  }

  static void Ratio(const TBySize& Cost, const char* Measure, const char* Over, const char* Under,
                    const char* Title) {
    const auto A = Cost.find(Over), B = Cost.find(Under);
    if (A == Cost.end() || B == Cost.end())
      return;
    std::printf("\n%s, by %s:\n", Title, Measure);
    for (const auto& [Pages, Value] : A->second) {
      const auto Base = B->second.find(Pages);
      if (Base != B->second.end() && Base->second > 0)
        std::printf("  %6d pages  %8.2fx\n", Pages, Value / Base->second);
    }
  }

  TBySize Seconds;
  TBySize Instructions;
};

}  // namespace

BENCHMARK(BM_GroupSwitch)->Apply(Sweep);
BENCHMARK(BM_GroupClickInView)->Apply(Sweep);
BENCHMARK(BM_GroupBarScroll)->Apply(Sweep);
BENCHMARK(BM_PageChoice)->Apply(Sweep);
BENCHMARK(BM_TickUnchanged)->Apply(Sweep);
BENCHMARK(BM_TickAfterRewrite)->Apply(Sweep);
BENCHMARK(BM_SortTick)->Apply(Sweep);
BENCHMARK(BM_StartUp)->Apply(Sweep);
BENCHMARK(BM_DialogOpening)->Apply(Sweep);
BENCHMARK(BM_SettingsOk)->Apply(Sweep);
BENCHMARK(BM_Export)->Apply(Sweep);
BENCHMARK(BM_LiteralStartUp)->Apply(LiteralSweep);
BENCHMARK(BM_IdePaletteBuild)->Apply(Sweep);
BENCHMARK(BM_IdeRebuild)->Apply(Sweep);
BENCHMARK(BM_IdePaletteClick)->Apply(Sweep);

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
