// The two one-shot timers and the group bar's sizing.

#include "ScopeExit.h"
#include "uORVExpertPageGroup.h"

void TORVExpert::prvTimerPagePaletteChange(TObject* Sender) {
  (void)Sender;
  FTimerPagePaletteChange->SetEnabled(false);
  FMasterFromPalette = false;
  if (!FGroupsActive)
    return;
  {
    // Sizing stays suppressed only while the rebuild runs, also when it
    // fails; otherwise the group bar would never be sized again.
    ScopeExit RebuildDone([&] { FPaletteChanging = false; });
    if (prvPaletteHoldsIdeList()) {
      FPaletteChanging = true;
      if (!FMasterIndex.SameNames(*FTabPalette->Tabs())) {
        prvChangePalette();
        prvImportFromReestrPageGroupLastStep_FindUnGroupPagePallete();
      } else if (FMasterIndex.SameNames(*FPagesShown)) {
        // The IDE has published the master list again, and the palette
        // showed all of it: nothing changes. The page the IDE selected and
        // loaded on its own is the master list's selection now.
        FTabPaletteAll->SetTabIndex(FTabPalette->TabIndex());
        prvPaletteFilled(FMasterIndex.Text());
      } else {
        // The same pages as before, but the IDE's rewrite has put all of
        // them on the group's tab: the group gets its own pages back.
        prvPageGroupChange(nullptr);
      }
    }
  }
  prvPageGroupReSize(nullptr);
}

void TORVExpert::prvTimerPageGroupSort(TObject* Sender) {
  (void)Sender;
  FTimerPageGroupSort->SetEnabled(false);
  FMasterFromPalette = false;
  // The groups shown and chosen here must be those of the IDE's pages now,
  // also when the IDE's rewrite has not been ticked yet (this tick may even
  // come inside the settings dialog, which holds the palette watch).
  prvTakeIdePalette();
  if (FTimerRefreshPageGroup || !FTimerRefreshPagePalette) {
    FPageGroup->SetVisible(false);
    ScopeExit Shown([&] { FPageGroup->SetVisible(true); });
    // A multi-row tab control moves the row of the active tab next to the
    // sheet area. Activating the last sheet, then one sheet of every row
    // from the last row back to the second, leaves the rows in their own
    // order again; the chosen group is made active after that. A group bar
    // with no visible tab has no rows: there is nothing to walk.
    const int Rows = FPageGroup->RowCount();
    if (Rows > 0) {
      const int PerRow = FPageGroup->PageCount() / Rows;
      FPageGroup->SetActivePageIndex(FPageGroup->PageCount() - 1);
      for (int r = Rows - 1; r >= 1; --r)
        FPageGroup->SetActivePageIndex(r * PerRow);
    }
    prvPageGroupFindFirstShowing();
  }
  prvPageGroupChange(nullptr);
}

void TORVExpert::prvPageGroupReSize(TObject* Sender) {
  (void)Sender;
  if (FPaletteChanging)
    return;
  // The bar's height for its rows and the palette's: 80 pixels hold one
  // row of group tabs, one row of palette tabs and the palette's component
  // buttons below them; each further group row takes its font size (in
  // points, used as pixels) plus 10, each further palette row its font size
  // plus 7.
  const int G = FPageGroup->Font()->Size();
  const int P = FTabPalette->Font()->Size();
  const int H =
      (G + 10) * (FPageGroup->RowCount() - 1) + (P + 7) * (FTabPalette->RowCount() - 1) + 80;
  if (FTabPalette->Align() != alClient)
    FTabPalette->SetAlign(alClient);
  if (H == FPageGroupHeight)
    return;
  FPageGroupHeight = H;

  FPageGroup->Constraints()->SetMinHeight(H);
  FPageGroup->SetHeight(H);
  TWinControl* Container = FPageGroup->Parent();
  TWinControl* Outer = Container->Parent();
  if (Is<TControlBar>(Outer)) {
    Container->Constraints()->SetMinHeight(H);
    Container->SetHeight(H);
    Container->Constraints()->SetMaxHeight(H);
    SendMessage(Container->Handle(), WM_SIZE, 0, 0);
  } else if (Outer != nullptr) {
#if TABULON_HOST == 6
    // Delphi 6 lays the container out one pixel higher per group row.
    Outer->Constraints()->SetMinHeight(H + FPageGroup->RowCount());
    Container->SetHeight(H + FPageGroup->RowCount());
    Outer->Constraints()->SetMaxHeight(H + FPageGroup->RowCount());
    Outer->Perform(WM_SIZE, 0, 0);
#else
    Outer->Constraints()->SetMinHeight(H);
    Outer->SetHeight(H);
    Outer->Constraints()->SetMaxHeight(H);
#endif
  }
}
