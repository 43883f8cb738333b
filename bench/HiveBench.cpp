// How the hive's load time grows with the size of a key: one key holding N
// values, and one key holding N sub-keys with a value each, for N = 3,000
// and 30,000. Loading is parsing the file's text into the key tree and
// looking every value up once, as an import reads what it stored. Linear
// growth shows as the 30,000 case taking about ten times as long as the
// 3,000 one.

#include <benchmark/benchmark.h>

#include <string>

#include "HiveText.h"

namespace {

std::string Name(int i) {
  // Mixed case, so that the names are compared without regard to it.
  return (i % 2 ? "Value" : "VALUE") + std::to_string(i);
}

std::string ManyValues(int N) {
  std::string Text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Big]\r\n";
  for (int i = 0; i < N; ++i)
    Text.append("\"").append(Name(i)).append(
        "\"=\"ADO\x1f\x1f\xc4\xe0\xed\xed\xfb\xe5\x1f\x1f\"\r\n");
  return Text;
}

std::string ManyKeys(int N) {
  std::string Text = "REGEDIT4\r\n\r\n";
  for (int i = 0; i < N; ++i)
    Text += "[HKEY_CURRENT_USER\\Software\\Big\\" + Name(i) + "]\r\n\"v\"=\"1\"\r\n\r\n";
  return Text;
}

void LoadManyValues(benchmark::State& State) {
  const int N = static_cast<int>(State.range(0));
  const std::string Text = ManyValues(N);
  for (auto _ : State) {
    HiveKey Root;
    ParseHiveText(Text, "bench.reg", Root);
    const HiveKey* Key = FindHiveKey(Root, {"software", "big"});
    for (int i = 0; i < N; ++i)
      benchmark::DoNotOptimize(Key->FindValue(Name(N - 1 - i)));
  }
  State.SetItemsProcessed(State.iterations() * N);
}

void LoadDeletingValues(benchmark::State& State) {
  const int N = static_cast<int>(State.range(0));
  std::string Text = ManyValues(N);
  for (int i = 0; i < N; ++i)
    Text.append("\"").append(Name(i)).append("\"=-\r\n");
  for (auto _ : State) {
    HiveKey Root;
    ParseHiveText(Text, "bench.reg", Root);
    benchmark::DoNotOptimize(FindHiveKey(Root, {"software", "big"})->Values().size());
  }
  State.SetItemsProcessed(State.iterations() * N);
}

void LoadManyKeys(benchmark::State& State) {
  const int N = static_cast<int>(State.range(0));
  const std::string Text = ManyKeys(N);
  for (auto _ : State) {
    HiveKey Root;
    ParseHiveText(Text, "bench.reg", Root);
    const HiveKey* Big = FindHiveKey(Root, {"software", "big"});
    for (int i = 0; i < N; ++i)
      benchmark::DoNotOptimize(Big->FindChild(Name(N - 1 - i))->FindValue("V"));
  }
  State.SetItemsProcessed(State.iterations() * N);
}

}  // namespace

BENCHMARK(LoadManyValues)->Arg(3000)->Arg(30000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadDeletingValues)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadManyKeys)->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
