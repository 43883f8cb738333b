#include "ExpertOptions.h"

#include <algorithm>
#include <iterator>

#include "StringSwitch.h"
#include "TimerIntervals.h"
#include "uORVExpertPageGroup.h"
#include "uORVFrmMain.h"

// Friend of the expert: the rows reach its private fields.
struct TExpertOptionTable {
  using E = const TORVExpert&;
  using W = TORVExpert&;
  using D = const TFrmMainORVExpert&;
  using F = TFrmMainORVExpert&;
  static constexpr auto Bold = [](bool On) { return On ? TFontStyles{fsBold} : TFontStyles{}; };

  static constexpr TExpertOption Rows[] = {
      {"PageTimerRefreshInstallMSec", TExpertOption::okInteger, 50,
       [](E X) -> Integer { return X.FTimerPagePaletteChange->Interval(); },
       [](W X, Integer V) { X.FTimerPagePaletteChange->SetInterval(PaletteWatchInterval(V)); },
       [](D Dlg) -> Integer { return Dlg.GetFrmGetTimerInstallRefresh(); },
       [](F Dlg, Integer V) { Dlg.SetFrmGetTimerInstallRefresh(V); }, 0, 0},
      {"PageGroupTimerRun", TExpertOption::okFlag, 0,
       [](E X) -> Integer { return X.FTimerRefreshPageGroup; },
       [](W X, Integer V) { X.FTimerRefreshPageGroup = V != 0; },
       [](D Dlg) -> Integer { return Dlg.GetFrmGetTimerRefreshGroupPage(); },
       [](F Dlg, Integer V) { Dlg.SetFrmGetTimerRefreshGroupPage(V != 0); }, 1, 1},
      {"PagePaletteTimerRun", TExpertOption::okFlag, 0,
       [](E X) -> Integer { return X.FTimerRefreshPagePalette; },
       [](W X, Integer V) { X.FTimerRefreshPagePalette = V != 0; },
       [](D Dlg) -> Integer { return Dlg.GetFrmTimerRefreshPagePalette(); },
       [](F Dlg, Integer V) { Dlg.SetFrmTimerRefreshPagePalette(V != 0); }, 2, 2},
      {"PageTimerRefreshMSec", TExpertOption::okInteger, 10000,
       [](E X) -> Integer { return X.FTimerPageGroupSort->Interval(); },
       [](W X, Integer V) { X.FTimerPageGroupSort->SetInterval(GroupSortInterval(V)); },
       [](D Dlg) -> Integer { return Dlg.GetFrmGetTimerRefreshPagesInterval(); },
       [](F Dlg, Integer V) { Dlg.SetFrmGetTimerRefreshPagesInterval(V); }, 3, 3},
      {"PagesDraw", TExpertOption::okFlag, 1,
       [](E X) -> Integer { return X.FPageGroup->OwnerDraw(); },
       [](W X, Integer V) { X.FPageGroup->SetOwnerDraw(V != 0); },
       [](D Dlg) -> Integer { return Dlg.GetFrmPageGroup_OwnerDraw(); },
       [](F Dlg, Integer V) { Dlg.SetFrmPageGroup_OwnerDraw(V != 0); }, 4, 4},
      {"PagesShadow", TExpertOption::okFlag, 1, [](E X) -> Integer { return X.FDrawTabShadow; },
       [](W X, Integer V) { X.FDrawTabShadow = V != 0; },
       [](D Dlg) -> Integer { return Dlg.GetFrmPageGroup_DrawTabShadow(); },
       [](F Dlg, Integer V) { Dlg.SetFrmPageGroup_DrawTabShadow(V != 0); }, 5, 5},
      {"PagesGroupColorFont", TExpertOption::okInteger, DefaultGroupFontColor,
       [](E X) -> Integer { return X.FPageGroup->Font()->Color(); },
       [](W X, Integer V) { X.FPageGroup->Font()->SetColor(V); },
       [](D Dlg) -> Integer { return Dlg.GetFrmColorPageGroup(); },
       [](F Dlg, Integer V) { Dlg.SetFrmColorPageGroup(V); }, 6, 6},
      // Bold or plain: no other style survives.
      {"PagesGroupWidthFull", TExpertOption::okFlag, 0,
       [](E X) -> Integer { return X.FPageGroup->Font()->Style().Contains(fsBold); },
       [](W X, Integer V) { X.FPageGroup->Font()->SetStyle(Bold(V != 0)); },
       [](D Dlg) -> Integer { return Dlg.GetFrmPageGroup_WidthFull(); },
       [](F Dlg, Integer V) { Dlg.SetFrmPageGroup_WidthFull(V != 0); }, 9, 10},
      {"PagesGroupMultiLine", TExpertOption::okFlag, 0,
       [](E X) -> Integer { return X.FPageGroup->MultiLine(); },
       [](W X, Integer V) { X.FPageGroup->SetMultiLine(V != 0); },
       [](D Dlg) -> Integer { return Dlg.GetFrmMultilinePageGroup(); },
       [](F Dlg, Integer V) { Dlg.SetFrmMultilinePageGroup(V != 0); }, 7, 7},
      {"PagesPaletteMultiLine", TExpertOption::okFlag, 0,
       [](E X) -> Integer { return X.FTabPalette->MultiLine(); },
       [](W X, Integer V) { X.FTabPalette->SetMultiLine(V != 0); },
       [](D Dlg) -> Integer { return Dlg.GetFrmPagePalette_Multiline(); },
       [](F Dlg, Integer V) { Dlg.SetFrmPagePalette_Multiline(V != 0); }, 8, 8},
      // The keep box has no accessors: the check box itself is the option.
      {"PageGroupKeep", TExpertOption::okFlag, 0,
       [](E X) -> Integer { return X.FKeepSelectPageGroup; },
       [](W X, Integer V) { X.FKeepSelectPageGroup = V != 0; }, nullptr, nullptr, 10, 9},
  };

  // Each dialog column numbers the rows 0 to N-1, each number once.
  static constexpr bool IsOrder(int TExpertOption::*Step) {
    const int N = static_cast<int>(std::size(Rows));
    for (int i = 0; i < N; ++i) {
      int Found = 0;
      for (const TExpertOption& Row : Rows)
        Found += Row.*Step == i ? 1 : 0;
      if (Found != 1)
        return false;
    }
    return true;
  }
};
static_assert(TExpertOptionTable::IsOrder(&TExpertOption::ToDialogStep),
              "ToDialogStep must number every row once");
static_assert(TExpertOptionTable::IsOrder(&TExpertOption::FromDialogStep),
              "FromDialogStep must number every row once");

std::span<const TExpertOption> ExpertOptions() {
  return TExpertOptionTable::Rows;
}

const TExpertOption* FindExpertOption(const char* Name) {
  return StringSwitch<const TExpertOption*>(Name)
      .Rows(TExpertOptionTable::Rows, &TExpertOption::Name)
      .Default(nullptr);
}

Integer TExpertOption::FromDialog(const TFrmMainORVExpert& Dialog) const {
  return GetFrm != nullptr ? GetFrm(Dialog) : Dialog.GetFrmOption(Name);
}

void TExpertOption::ToDialog(TFrmMainORVExpert& Dialog, Integer Value) const {
  if (SetFrm != nullptr)
    SetFrm(Dialog, Value);
  else
    Dialog.SetFrmOption(Name, Value != 0);
}

std::vector<const TExpertOption*> ExpertOptionsInStep(int TExpertOption::*Step) {
  std::vector<const TExpertOption*> Order;
  for (const TExpertOption& Row : TExpertOptionTable::Rows)
    Order.push_back(&Row);
  std::sort(Order.begin(), Order.end(),
            [Step](const TExpertOption* L, const TExpertOption* R) { return L->*Step < R->*Step; });
  return Order;
}
