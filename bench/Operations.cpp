#include "Operations.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define TABULON_BENCH_CALLGRIND 1
#endif

#include "BenchIde.h"
#include "DialogDriver.h"
#include "ExpertOptions.h"
#include "ListBox.h"
#include "ModalUser.h"
#include "Registry.h"
#include "UserInput.h"
#include "uConstORVExpertMPage.h"
#include "uORVFrmMain.h"

namespace {

using TClock = std::chrono::steady_clock;

// The timed part of one iteration, from construction to Stop. Under
// callgrind started with --collect-atstart=no only the timed parts are
// counted, so that a run of one iteration gives one operation's instruction
// count.
class TStopwatch {
 public:
  TStopwatch() : FStart(TClock::now()), FInstructions(InstructionsNow()) { ToggleCollect(); }
  TStopwatch(const TStopwatch&) = delete;
  TStopwatch& operator=(const TStopwatch&) = delete;
  // The seconds since construction; call it once. The instructions retired
  // meanwhile go to the benchmark's sum, where the CPU counts them.
  double Stop() {
    ToggleCollect();
    const double Seconds = std::chrono::duration<double>(TClock::now() - FStart).count();
    AddTimedInstructions(InstructionsNow() - FInstructions);
    return Seconds;
  }

 private:
  static void ToggleCollect() {
#if TABULON_BENCH_CALLGRIND
    CALLGRIND_TOGGLE_COLLECT;
#endif
  }
  TClock::time_point FStart;
  std::uint64_t FInstructions;
};

template <typename TOperation>
double Timed(TOperation&& Operation) {
  TStopwatch Watch;
  Operation();
  return Watch.Stop();
}

TShape ShapeOf(const benchmark::State& State) {
  return MakeShape(static_cast<int>(State.range(0)), static_cast<int>(State.range(1)));
}

// A tab out of view is brought into view with the control's arrows, and
// the row painted, before the click: those arrow clicks are the user's
// actions of their own, not part of the click on the tab.
void ScrollIntoView(TBenchIde& B, TCustomTabControl* Control, int Index) {
  ScrollTabIntoView(Control, Index);
  B.App->ProcessMessages();
}

// The palette's first page once a click on group tab Index has been
// handled and painted.
std::string FirstPageAfterClick(TBenchIde& B, TPageControl* Bar, int Index) {
  ClickTab(Bar, Index);
  B.App->ProcessMessages();
  return B.Ide->Palette()->Tabs()->Get(0);
}

// The user clicks the first tab and the tab Other of a control in turn;
// each click is timed with the repaint it causes.
void ClickAlternately(benchmark::State& State, TBenchIde& B, TCustomTabControl* Control,
                      int Other) {
  const TCounts Counts(B);
  int Target = 0;
  for (auto _ : State) {
    ScrollIntoView(B, Control, Target);
    State.SetIterationTime(Timed([&] {
      ClickTab(Control, Target);
      B.App->ProcessMessages();
    }));
    Target = Target == 0 ? Other : 0;
  }
  Counts.Report(State, B);
  B.Label(State);
}

// Runs the settings command with Act as the user inside the dialog.
void RunSettings(TBenchIde& B, const std::function<void(TCustomForm*)>& Act) {
  TModalUser User(Act);
  B.Expert->Execute();
}

// Whether the dialog shows the full palette and every group.
bool Filled(const TBenchIde& B, TCustomForm* Form) {
  auto* Palette = dynamic_cast<TListBox*>(Form->FindComponent("LBoxPagePalette"));
  auto* Groups = dynamic_cast<TListBox*>(Form->FindComponent("LBoxPageGroup"));
  return Palette != nullptr && Groups != nullptr &&
         Palette->Items()->Count() == static_cast<int>(B.Shape.Pages.size()) &&
         Groups->Items()->Count() == static_cast<int>(B.Shape.Groups.size());
}

// The store's list text back to lines: a pair of 0x1F is CR LF, a single
// one a CR.
std::string Decoded(const std::string& Text) {
  std::string Result;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != '\x1F') {
      Result += Text[i];
    } else if (i + 1 < Text.size() && Text[i + 1] == '\x1F') {
      Result += "\r\n";
      ++i;
    } else {
      Result += '\r';
    }
  }
  return Result;
}

struct TLiteralResult {
  std::vector<std::string> Texts;  // one per group, the ungrouped pages last
  std::vector<bool> Visible;
};

// The import and the discovery read plainly: the group names and their
// page lists from the store, then for every page of every group a linear
// search of the master list by the host's own IndexOf (letter case ignored,
// first match).
TLiteralResult LiteralImportAndDiscovery(const std::string& MasterText) {
  TLiteralResult R;
  TRegIniFile Reg;
  if (!Reg.OpenKey(Const_sKeyNameDelphi + Const_sKeyNameORVExpert, false))
    return R;
  TStringList Names;
  Names.SetText(RusToRus(Decoded(Reg.ReadString("Timer", "PagesSort", ""))));
  for (int i = Names.Count() - 1; i >= 0; --i)
    if (Trim(Names.Get(i)).empty())
      Names.Delete(i);
  for (int i = 0; i < Names.Count(); ++i)
    R.Texts.push_back(Decoded(Reg.ReadString("Pages", Names.Get(i), "")));
  for (const TExpertOption& Option : ExpertOptions())
    benchmark::DoNotOptimize(Reg.ReadInteger("Timer", Option.Name, 0));

  TStringList Master;
  Master.SetText(MasterText);
  std::vector<bool> Grouped(static_cast<std::size_t>(Master.Count()), false);
  TStringList Pages;
  for (const std::string& Text : R.Texts) {
    Pages.SetText(Text);
    bool HasPage = false;
    for (int k = 0; k < Pages.Count(); ++k) {
      const int Found = Master.IndexOf(Pages.Get(k));
      if (Found >= 0) {
        Grouped[static_cast<std::size_t>(Found)] = true;
        HasPage = true;
      }
    }
    R.Visible.push_back(HasPage);
  }
  Pages.Clear();
  for (int i = 0; i < Master.Count(); ++i)
    if (!Grouped[static_cast<std::size_t>(i)])
      Pages.Add(Master.Get(i));
  R.Texts.push_back(Pages.Text());
  R.Visible.push_back(Pages.Count() > 0);
  return R;
}

}  // namespace

void BM_GroupSwitch(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
  TPageControl* Bar = B.Inspect().GroupBar();
  // Half-way along, one short: where groups repeat after half the bar, the
  // middle group would show the first one's pages again.
  const int Other = Bar->Tabs()->Count() / 2 - 1;
  const std::string First = FirstPageAfterClick(B, Bar, 0);
  if (Other == 0 || FirstPageAfterClick(B, Bar, Other) == First) {
    State.SkipWithError("the group switch did not change the palette");
    return;
  }
  ClickAlternately(State, B, Bar, Other);
}

void BM_GroupClickInView(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
  TPageControl* Bar = B.Inspect().GroupBar();
  const int Other = std::min(5, Bar->Tabs()->Count() - 1);
  const std::string First = FirstPageAfterClick(B, Bar, 0);
  const TRect Before = Bar->TabRect(0);
  if (Other <= 0 || FirstPageAfterClick(B, Bar, Other) == First || Bar->TabRect(0) != Before) {
    State.SkipWithError("the click did not change the palette, or scrolled the bar");
    return;
  }
  ClickAlternately(State, B, Bar, Other);
}

void BM_GroupBarScroll(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
  TPageControl* Bar = B.Inspect().GroupBar();
  B.App->ProcessMessages();
  const TRect First = Bar->TabRect(0);
  // Where the user clicks is found before the click is timed.
  const HWND Arrows = TabArrows(Bar);
  if (Arrows == nullptr) {
    State.SkipWithError("the group bar shows no arrows: its tabs fit");
    return;
  }
  ClickArrow(Arrows, false);
  B.App->ProcessMessages();
  if (Bar->TabRect(0) == First) {
    State.SkipWithError("the arrow did not scroll the bar");
    return;
  }
  const TCounts Counts(B);
  bool Back = true;
  for (auto _ : State) {
    State.SetIterationTime(Timed([&] {
      ClickArrow(Arrows, Back);
      B.App->ProcessMessages();
    }));
    Back = !Back;
  }
  Counts.Report(State, B);
  B.Label(State);
}

void BM_PageChoice(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
  TTabControl* Palette = B.Ide->Palette();
  const int Other = Palette->Tabs()->Count() - 1;
  const int Loads = B.Ide->Loads();
  ClickTab(Palette, Other);
  if (Other == 0 || B.Ide->Loads() != Loads + 1 ||
      B.Ide->LastLoad()->TabCount != static_cast<int>(B.Shape.Pages.size())) {
    State.SkipWithError("the page choice did not reach the IDE with the full palette");
    return;
  }
  B.App->ProcessMessages();
  ClickAlternately(State, B, Palette, Other);
}

void BM_TickUnchanged(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
  TTimer* Timer = B.Inspect().PaletteChangeTimer();
  B.App->AdvanceTime(50);
  const auto Before = B.Inspect().PageGroupPages();
  const TCounts Counts(B);
  for (auto _ : State) {
    Timer->SetEnabled(true);
    State.SetIterationTime(Timed([&] { B.App->AdvanceTime(50); }));
  }
  if (Timer->Enabled() || B.Inspect().PageGroupPages() != Before)
    State.SkipWithError("the tick did not run, or rebuilt an unchanged palette");
  Counts.Report(State, B);
  B.Label(State);
}

// A package with one page is installed, then removed again on the next
// iteration. Only the tick is timed; the IDE's own rewrite is not the
// expert's cost.
void BM_TickAfterRewrite(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
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
    State.SetIterationTime(Timed([&] { B.App->AdvanceTime(50); }));
    Paints += B.Paints() - P0;
    Sizes += B.Sizes() - S0;
    const bool HasPackage = B.Inspect().Master()->Tabs()->IndexOf(Package[0]) >= 0;
    Seen = Seen && HasPackage == Installed;
  }
  if (!Seen || B.Inspect().PageGroupPages().size() != Lists)
    State.SkipWithError("the tick did not take the IDE's rewrite over");
  ReportCounts(State, Paints, Sizes);
  B.Label(State);
}

// The sort timer is started as the main form's deactivation starts it; its
// tick walks the group bar's rows and returns to the first visible group.
void BM_SortTick(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
  TTimer* Timer = B.Inspect().GroupSortTimer();
  TPageControl* Bar = B.Inspect().GroupBar();
  const TCounts Counts(B);
  bool Ran = true;
  for (auto _ : State) {
    Timer->SetEnabled(true);
    State.SetIterationTime(Timed([&] { B.App->AdvanceTime(Timer->Interval()); }));
    Ran = Ran && !Timer->Enabled();
  }
  if (!Ran || Bar->ActivePage() == nullptr || !Bar->ActivePage()->TabVisible())
    State.SkipWithError("the sort tick did not run or left no visible group active");
  Counts.Report(State, B);
  B.Label(State);
}

// The unload before each start-up is not timed; its WM_SIZE messages are
// counted apart, as the unload gives the palette its height back through
// the main form.
void BM_StartUp(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
  const std::size_t Lists = B.Inspect().PageGroupPages().size();
  int Paints = 0;
  int Sizes = 0;
  int UnloadSizes = 0;
  for (auto _ : State) {
    const int U0 = B.Sizes();
    B.Unload();
    const int S0 = B.Sizes();
    UnloadSizes += S0 - U0;
    State.SetIterationTime(Timed([&] { B.Load(); }));
    Paints += B.Paints();
    Sizes += B.Sizes() - S0;
  }
  if (!B.Inspect().GroupsActive() || B.Inspect().PageGroupPages().size() != Lists)
    State.SkipWithError("the start-up did not import the groups");
  ReportCounts(State, Paints, Sizes);
  State.counters["unload_wm_size"] =
      benchmark::Counter(UnloadSizes, benchmark::Counter::kAvgIterations);
  B.Label(State);
}

// Timed from the menu command to the moment the modal loop hands the shown
// dialog to the user, who closes it at once (not timed).
void BM_DialogOpening(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
  bool AllFilled = true;
  for (auto _ : State) {
    std::optional<TStopwatch> Watch(std::in_place);
    RunSettings(B, [&](TCustomForm* Form) {
      State.SetIterationTime(Watch->Stop());
      AllFilled = AllFilled && Filled(B, Form);
      TDialogDriver(Form).Cancel();
    });
  }
  if (!AllFilled)
    State.SkipWithError("the dialog did not show every page and group");
  B.Label(State);
}

// The user presses OK in a dialog that was opened untimed; timed from the
// press until the command has returned and the group bar is repainted. The
// groups written are the ones read, so every iteration starts from the same
// store.
void BM_SettingsOk(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
  const std::vector<std::string> Before = B.Inspect().PageGroupPages();
  int Paints = 0;
  int Sizes = 0;
  for (auto _ : State) {
    std::optional<TStopwatch> Watch;
    int P0 = 0, S0 = 0;
    RunSettings(B, [&](TCustomForm* Form) {
      P0 = B.Paints();
      S0 = B.Sizes();
      Watch.emplace();
      TDialogDriver(Form).Ok();
    });
    B.App->ProcessMessages();
    State.SetIterationTime(Watch->Stop());
    Paints += B.Paints() - P0;
    Sizes += B.Sizes() - S0;
  }
  if (!B.Inspect().GroupsActive() || B.Inspect().PageGroupPages() != Before)
    State.SkipWithError("OK did not give back the groups it was shown");
  ReportCounts(State, Paints, Sizes);
  B.Label(State);
}

void BM_Export(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
  TStringList Groups;
  std::vector<std::unique_ptr<TStringList>> Lists;
  for (std::size_t g = 0; g < B.Shape.Groups.size(); ++g) {
    Lists.push_back(std::make_unique<TStringList>());
    for (const std::string& Page : B.Shape.Groups[g])
      Lists.back()->Add(Page);
    Groups.AddObject(GroupName(static_cast<int>(g)), Lists.back().get());
  }
  bool Written = true;
  for (auto _ : State)
    State.SetIterationTime(Timed([&] { Written = B.Inspect().Export(&Groups) && Written; }));
  if (!Written)
    State.SkipWithError("the export could not open the key");
  B.Label(State);
}

void BM_LiteralStartUp(benchmark::State& State) {
  TBenchIde B(ShapeOf(State));
  const std::string MasterText = B.Inspect().Master()->Tabs()->Text();
  const TLiteralResult First = LiteralImportAndDiscovery(MasterText);
  TPageControl* Bar = B.Inspect().GroupBar();
  bool Same = First.Texts == B.Inspect().PageGroupPages() &&
              static_cast<int>(First.Visible.size()) == Bar->PageCount();
  for (int i = 0; Same && i < Bar->PageCount(); ++i)
    Same = Bar->Pages(i)->TabVisible() == First.Visible[static_cast<std::size_t>(i)];
  if (!Same) {
    State.SkipWithError("the literal search found other groups than the expert");
    return;
  }
  for (auto _ : State)
    State.SetIterationTime(
        Timed([&] { benchmark::DoNotOptimize(LiteralImportAndDiscovery(MasterText)); }));
  B.Label(State);
}

// The bare IDE: the expert is never loaded, so that nothing it left behind
// (the palette's tabs as its unload gave them back, say) weighs on the
// IDE's own work.

void BM_IdePaletteBuild(benchmark::State& State) {
  TBenchIde B(ShapeOf(State), true);
  bool Built = true;
  for (auto _ : State) {
    // The form before goes untimed; the new one takes its names.
    delete B.Ide;
    B.Ide = nullptr;
    State.SetIterationTime(Timed([&] {
      B.Ide = new TIdeMainForm(B.App.get(), TPaletteLayout::ControlBar, B.Shape.Pages);
      B.Ide->Show();
      B.App->ProcessMessages();
    }));
    Built = Built && B.Ide->Palette()->Tabs()->Count() == static_cast<int>(B.Shape.Pages.size());
  }
  if (!Built)
    State.SkipWithError("the IDE did not build its full palette");
  B.Label(State);
}

void BM_IdeRebuild(benchmark::State& State) {
  TBenchIde B(ShapeOf(State), true);
  const std::vector<std::string> Package{"BenchPackage"};
  bool Installed = false;
  for (auto _ : State) {
    State.SetIterationTime(Timed([&] {
      if (Installed)
        B.Ide->UninstallPages(Package);
      else
        B.Ide->InstallPages(Package);
    }));
    Installed = !Installed;
  }
  if (B.Ide->Palette()->Tabs()->Count() != static_cast<int>(B.Shape.Pages.size()) + Installed)
    State.SkipWithError("the IDE did not rebuild its palette");
  B.Label(State);
}

void BM_IdePaletteClick(benchmark::State& State) {
  TBenchIde B(ShapeOf(State), true);
  TTabControl* Palette = B.Ide->Palette();
  const int Other = Palette->Tabs()->Count() - 1;
  const int Loads = B.Ide->Loads();
  int Target = Other;
  for (auto _ : State) {
    ScrollIntoView(B, Palette, Target);
    State.SetIterationTime(Timed([&] {
      ClickTab(Palette, Target);
      B.App->ProcessMessages();
    }));
    Target = Target == 0 ? Other : 0;
  }
  if (Other == 0 || B.Ide->Loads() == Loads)
    State.SkipWithError("the click did not reach the IDE");
  B.Label(State);
}
