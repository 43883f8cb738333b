// What the expert costs the user: a group switch, a page choice, the
// palette-change tick with and without a change, and the start-up, on the
// stock Delphi 7 palette, a heavy IDE and a stress case. Besides the time,
// every benchmark counts the group bar's paints and the WM_SIZE messages that
// reach the main form per operation, since both are what the user sees as
// flicker and re-layout.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Forms.h"
#include "IdeMainForm.h"
#include "Registry.h"
#include "RegistryHive.h"
#include "StockPalette.h"
#include "uConstORVExpertMPage.h"
#include "uORVExpertPageGroup.h"
#include "uORVExpertProbe.h"

namespace {

// The three sizes: the stock palette, a heavy IDE and a stress case.
enum TSize { Stock = 0, Heavy = 1, Stress = 2 };

struct TShape {
  std::vector<std::string> Pages;
  std::vector<std::vector<std::string>> Groups;
};

// A group name from its number: base-32 digits written as the Cyrillic
// capitals 0xC0-0xDF, behind a "Г" (0xC3). Capitals only, so that no two
// names differ in letter case alone, which the store would take as one name.
std::string GroupName(int Number) {
  std::string Name = "\xC3";
  do {
    Name += static_cast<char>(0xC0 + Number % 32);
    Number /= 32;
  } while (Number > 0);
  return Name;
}

TShape MakeShape(TSize Size) {
  TShape S;
  if (Size == Stock) {
    // Six groups take the stock pages in turn; every seventh page is in no
    // group, so the ungrouped tab shows too.
    S.Pages = StockPalette(7);
    S.Groups.resize(6);
    for (std::size_t i = 0; i < S.Pages.size(); ++i)
      if (i % 7 < 6)
        S.Groups[i % 7].push_back(S.Pages[i]);
    return S;
  }
  const int PageCount = Size == Heavy ? 500 : 5000;
  const int GroupCount = Size == Heavy ? 60 : 500;
  for (int i = 0; i < PageCount; ++i)
    S.Pages.push_back("Page" + std::to_string(i));
  // Twenty consecutive pages per group, wrapping round the palette: there are
  // more group entries than pages, so a page sits in two or three groups, as
  // pages that users file under several headings do.
  S.Groups.resize(static_cast<std::size_t>(GroupCount));
  for (int g = 0; g < GroupCount; ++g)
    for (int k = 0; k < 20; ++k)
      S.Groups[static_cast<std::size_t>(g)].push_back(
          S.Pages[static_cast<std::size_t>((g * 20 + k) % PageCount)]);
  return S;
}

// A list as the store keeps it: every name followed by 0x1F 0x1F.
std::string Stored(const std::vector<std::string>& Names) {
  std::string Text;
  for (const auto& N : Names)
    Text += N + "\x1F\x1F";
  return Text;
}

// The simulated IDE, shown and active, with the groups in a memory hive and
// the expert loaded.
class TBenchIde {
 public:
  explicit TBenchIde(TSize Size) : Shape(MakeShape(Size)) {
    App = std::make_unique<TApplication>();
    Hive = std::make_unique<RegistryHive>(RegistryHive::Memory);
    WriteGroups();
    Ide = new TIdeMainForm(App.get(), TPaletteLayout::ControlBar, Shape.Pages);
    Ide->Show();
    Ide->SetActive(true);
    Load();
  }
  ~TBenchIde() {
    Unload();
    App.reset();
    Hive.reset();
  }
  TBenchIde(const TBenchIde&) = delete;
  TBenchIde& operator=(const TBenchIde&) = delete;

  void Load() {
    Expert = new TORVExpert();
    App->ProcessMessages();
  }
  void Unload() {
    delete Expert;
    Expert = nullptr;
  }
  TORVExpertProbe Inspect() const { return TORVExpertProbe(Expert); }
  int Paints() const { return Inspect().GroupBar()->PaintCount(); }
  int Sizes() const { return Ide->SizeMessages(); }

  TShape Shape;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<RegistryHive> Hive;
  TIdeMainForm* Ide = nullptr;
  TORVExpert* Expert = nullptr;

 private:
  void WriteGroups() {
    TRegIniFile Reg;
    if (!Reg.OpenKey(Const_sKeyNameDelphi + Const_sKeyNameORVExpert, true))
      throw std::runtime_error("cannot open the add-in's key in the memory hive");
    std::vector<std::string> Names;
    for (std::size_t g = 0; g < Shape.Groups.size(); ++g) {
      Names.push_back(GroupName(static_cast<int>(g)));
      Reg.WriteString("Pages", Names.back(), Stored(Shape.Groups[g]));
    }
    Reg.WriteString("Timer", "PagesSort", Stored(Names));
    Reg.CloseKey();
  }
};

// Paints and WM_SIZE messages per operation, as benchmark counters.
class TCounts {
 public:
  explicit TCounts(const TBenchIde& B) : FPaints(B.Paints()), FSizes(B.Sizes()) {}
  void Report(benchmark::State& State, const TBenchIde& B) const {
    State.counters["paints"] =
        benchmark::Counter(B.Paints() - FPaints, benchmark::Counter::kAvgIterations);
    State.counters["wm_size"] =
        benchmark::Counter(B.Sizes() - FSizes, benchmark::Counter::kAvgIterations);
  }

 private:
  int FPaints;
  int FSizes;
};

void Label(benchmark::State& State, const TBenchIde& B) {
  std::size_t Entries = 0;
  for (const auto& G : B.Shape.Groups)
    Entries += G.size();
  State.SetLabel(std::to_string(B.Shape.Pages.size()) + " pages, " +
                 std::to_string(B.Shape.Groups.size()) + " groups, " + std::to_string(Entries) +
                 " entries");
}

// A user's click on a group tab, and the repaint it causes; alternating
// between the first and a middle group leaves the state as it found it.
void BM_GroupSwitch(benchmark::State& State) {
  TBenchIde B(static_cast<TSize>(State.range(0)));
  TPageControl* Bar = B.Inspect().GroupBar();
  // Half-way along, one short: the stress case's groups repeat after 250.
  const int Other = Bar->Tabs()->Count() / 2 - 1;
  Bar->ClickTab(0);
  B.App->ProcessMessages();
  const std::string First = B.Ide->Palette()->Tabs()->Get(0);
  Bar->ClickTab(Other);
  B.App->ProcessMessages();
  if (Other == 0 || B.Ide->Palette()->Tabs()->Get(0) == First) {
    State.SkipWithError("the group switch did not change the palette");
    return;
  }
  const TCounts Counts(B);
  int Target = 0;
  for (auto _ : State) {
    Bar->ClickTab(Target);
    B.App->ProcessMessages();
    Target = Target == 0 ? Other : 0;
  }
  Counts.Report(State, B);
  Label(State, B);
}

// A user's click on a palette page: the palette lends the master list's
// window to the IDE's own handler, which loads the page.
void BM_PageChoice(benchmark::State& State) {
  TBenchIde B(static_cast<TSize>(State.range(0)));
  TTabControl* Palette = B.Ide->Palette();
  const int Other = Palette->Tabs()->Count() - 1;
  const int Loads = B.Ide->Loads();
  Palette->ClickTab(Other);
  if (Other == 0 || B.Ide->Loads() != Loads + 1 ||
      B.Ide->LastLoad()->TabCount != static_cast<int>(B.Shape.Pages.size())) {
    State.SkipWithError("the page choice did not reach the IDE with the full palette");
    return;
  }
  B.App->ProcessMessages();
  const TCounts Counts(B);
  int Target = 0;
  for (auto _ : State) {
    Palette->ClickTab(Target);
    B.App->ProcessMessages();
    Target = Target == 0 ? Other : 0;
  }
  Counts.Report(State, B);
  Label(State, B);
}

// The palette-change timer's tick when the IDE has not touched the palette.
void BM_TickUnchanged(benchmark::State& State) {
  TBenchIde B(static_cast<TSize>(State.range(0)));
  TTimer* Timer = B.Inspect().PaletteChangeTimer();
  B.App->AdvanceTime(50);
  const auto Before = B.Inspect().PageGroupPages();
  const TCounts Counts(B);
  for (auto _ : State) {
    Timer->SetEnabled(true);
    B.App->AdvanceTime(50);
  }
  if (Timer->Enabled() || B.Inspect().PageGroupPages() != Before)
    State.SkipWithError("the tick did not run, or rebuilt an unchanged palette");
  Counts.Report(State, B);
  Label(State, B);
}

// The tick after the IDE rewrote the palette: a package with one page is
// installed, then removed again on the next iteration. Only the tick is
// timed; the IDE's own rewrite is not the expert's cost.
void BM_TickAfterRewrite(benchmark::State& State) {
  TBenchIde B(static_cast<TSize>(State.range(0)));
  TTimer* Timer = B.Inspect().PaletteChangeTimer();
  B.App->AdvanceTime(50);
  const std::vector<std::string> Package{"BenchPackage"};
  const std::size_t Lists = B.Inspect().PageGroupPages().size();
  bool Installed = false;
  int Paints = 0;
  int Sizes = 0;
  bool Seen = true;
  for (auto _ : State) {
    if (Installed)
      B.Ide->UninstallPages(Package);
    else
      B.Ide->InstallPages(Package);
    Installed = !Installed;
    Timer->SetEnabled(true);
    const int P0 = B.Paints();
    const int S0 = B.Sizes();
    const auto Start = std::chrono::steady_clock::now();
    B.App->AdvanceTime(50);
    const auto Stop = std::chrono::steady_clock::now();
    State.SetIterationTime(std::chrono::duration<double>(Stop - Start).count());
    Paints += B.Paints() - P0;
    Sizes += B.Sizes() - S0;
    const bool HasPackage = B.Inspect().Master()->Tabs()->IndexOf(Package[0]) >= 0;
    Seen = Seen && HasPackage == Installed;
  }
  if (!Seen || B.Inspect().PageGroupPages().size() != Lists)
    State.SkipWithError("the tick did not take the IDE's rewrite over");
  State.counters["paints"] = benchmark::Counter(Paints, benchmark::Counter::kAvgIterations);
  State.counters["wm_size"] = benchmark::Counter(Sizes, benchmark::Counter::kAvgIterations);
  Label(State, B);
}

// A new expert's start-up in a shown IDE: the import of the groups from the
// store and the discovery of the ungrouped pages, up to the first paint. The
// unload before it is not timed; its WM_SIZE messages are counted apart, as
// the unload gives the palette its height back through the main form.
void BM_StartUp(benchmark::State& State) {
  TBenchIde B(static_cast<TSize>(State.range(0)));
  const std::size_t Lists = B.Inspect().PageGroupPages().size();
  int Paints = 0;
  int Sizes = 0;
  int UnloadSizes = 0;
  for (auto _ : State) {
    const int U0 = B.Sizes();
    B.Unload();
    const int S0 = B.Sizes();
    UnloadSizes += S0 - U0;
    const auto Start = std::chrono::steady_clock::now();
    B.Load();
    const auto Stop = std::chrono::steady_clock::now();
    State.SetIterationTime(std::chrono::duration<double>(Stop - Start).count());
    Paints += B.Paints();
    Sizes += B.Sizes() - S0;
  }
  if (!B.Inspect().GroupsActive() || B.Inspect().PageGroupPages().size() != Lists)
    State.SkipWithError("the start-up did not import the groups");
  State.counters["paints"] = benchmark::Counter(Paints, benchmark::Counter::kAvgIterations);
  State.counters["wm_size"] = benchmark::Counter(Sizes, benchmark::Counter::kAvgIterations);
  State.counters["unload_wm_size"] =
      benchmark::Counter(UnloadSizes, benchmark::Counter::kAvgIterations);
  Label(State, B);
}

void Sizes(benchmark::internal::Benchmark* B) {
  B->ArgName("size")->Arg(Stock)->Arg(Heavy)->Arg(Stress);
  B->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

}  // namespace

BENCHMARK(BM_GroupSwitch)->Apply(Sizes);
BENCHMARK(BM_PageChoice)->Apply(Sizes);
BENCHMARK(BM_TickUnchanged)->Apply(Sizes);
BENCHMARK(BM_TickAfterRewrite)->Apply(Sizes)->UseManualTime();
BENCHMARK(BM_StartUp)->Apply(Sizes)->UseManualTime();

BENCHMARK_MAIN();
