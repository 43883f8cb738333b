#pragma once

// The simulated IDE that the benchmarks drive: a shown, active main form with
// a palette of a given size, the groups in a memory hive and the expert
// loaded. Besides the time, the benchmarks count the group bar's paints and
// the WM_SIZE messages that reach the main form per operation, since both
// are what the user sees as flicker and re-layout.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Forms.h"
#include "IdeMainForm.h"
#include "RegistryHive.h"
#include "uORVExpertPageGroup.h"
#include "uORVExpertProbe.h"

struct TShape {
  std::vector<std::string> Pages;
  std::vector<std::vector<std::string>> Groups;

  std::size_t Entries() const;
};

// Pages == 0 is the stock Delphi 7 palette with six groups taking its pages
// in turn and every seventh page in no group. Otherwise the pages are
// "Page0", "Page1" ... and each group holds twenty consecutive pages,
// wrapping round the palette: with more group entries than pages, a page
// sits in two or three groups, as pages that users file under several
// headings do.
TShape MakeShape(int Pages, int Groups);

// A list as the store keeps it: every name followed by 0x1F 0x1F.
std::string Stored(const std::vector<std::string>& Names);

// A group name from its number: base-32 digits written as the Cyrillic
// capitals 0xC0-0xDF, behind a "Г" (0xC3). Capitals only, so that no two
// names differ in letter case alone, which the store would take as one name.
std::string GroupName(int Number);

class TBenchIde {
 public:
  // The IDE shown with the store written; the expert loaded unless Bare,
  // for the IDE's own work, which then never had the expert's hand on it.
  explicit TBenchIde(TShape AShape, bool Bare = false);
  ~TBenchIde();
  TBenchIde(const TBenchIde&) = delete;
  TBenchIde& operator=(const TBenchIde&) = delete;

  void Load();
  void Unload();
  TORVExpertProbe Inspect() const { return TORVExpertProbe(Expert); }
  int Paints() const { return Inspect().GroupBar()->PaintCount(); }
  int Sizes() const { return Ide->SizeMessages(); }
  // "pages, groups, entries" as the benchmark's label.
  void Label(benchmark::State& State) const;

  TShape Shape;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<RegistryHive> Hive;
  TIdeMainForm* Ide = nullptr;
  TORVExpert* Expert = nullptr;

 private:
  void WriteGroups();
};

// Paints and WM_SIZE messages per operation, as benchmark counters, counted
// from the moment the object is made.
class TCounts {
 public:
  explicit TCounts(const TBenchIde& B) : FPaints(B.Paints()), FSizes(B.Sizes()) {}
  void Report(benchmark::State& State, const TBenchIde& B) const;

 private:
  int FPaints;
  int FSizes;
};

// Instructions retired in the timed parts of the iterations, counted by the
// CPU where the machine lets a process read its counter (Linux perf events,
// user mode only). Elsewhere, in a virtual machine without the counters and
// under callgrind, nothing is counted, and bench/instructions.sh counts with
// callgrind instead. A TBenchIde starts the sum from zero; its Label reports
// it per iteration as the counter "instructions".
bool InstructionCounterAvailable();
std::uint64_t InstructionsNow();
void AddTimedInstructions(std::uint64_t Count);

// Counters summed over the timed parts of iterations by hand, for the
// benchmarks that time only a part of each iteration.
void ReportCounts(benchmark::State& State, int Paints, int Sizes);
