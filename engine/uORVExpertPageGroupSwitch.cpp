// Group switching and palette filtering: the palette shows the active
// group's pages, and the IDE sees every choice in terms of the full palette.

#include <utility>

#include "ScopeExit.h"
#include "uORVExpertPageGroup.h"

namespace {

// The field that holds a control's window. The palette borrows the master
// list's window through it while the IDE's own change handler runs, so the
// IDE reads the full palette with the chosen page selected.
struct TWinControlAccess : TWinControl {
  static HWND TWinControl::*HandleField() { return &TWinControlAccess::FHandle; }
};

}  // namespace

void TORVExpert::prvPageGroupChange(TObject* Sender) {
  // A user's choice comes from outside: the IDE may have run since.
  if (Sender != nullptr)
    FMasterFromPalette = false;
  // A rewrite of the IDE that the palette still holds would be lost to the
  // filling below: the master list takes it first.
  prvTakeIdePalette();
  if (!FPageGroup->ActivePage()->TabVisible() && !prvPageGroupFindFirstShowing()) {
    FMasterFromPalette = false;
    FTabPalette->Tabs()->SetText(FMasterIndex.Text());
    FGroupsActive = false;
  }
  FTabPalette->SetParent(FPageGroup->ActivePage());

  if (FGroupsActive) {
    // The group's pages that exist, picked from its text before the palette
    // gets them: the palette's tabs are written once, not written and then
    // taken away one by one.
    std::string Existing;
    FMasterIndex.FindLines(
        FPageGroupPages.at(static_cast<std::size_t>(FPageGroup->ActivePageIndex())),
        [&](int Found, const char* First, const char* Last) {
          if (Found < 0)
            return;
          Existing.append(First, Last);
          Existing += "\r\n";
        });
    FMasterFromPalette = false;
    prvFillPalette(Existing);
    FTabPalette->SetTabIndex(0);
    // The palette holds what was just written, with its first tab
    // selected: its count and selection are known without asking the
    // window.
    if (FPagesShown->Count() > 0) {
      // The palette holds the fill just made, which is no list of the IDE's.
      prvPassPageChoice(FTabPalette, false, 0);
    } else {
      FPageGroup->ActivePage()->SetTabVisible(false);
      if (prvPageGroupFindFirstShowing()) {
        prvPageGroupChange(nullptr);
      } else {
        prvSetOnePageGroup();
        prvPageGroupChange(nullptr);
      }
    }
  } else {
    prvEvenTabPaletteOnChange(FTabPalette);
  }

  if (FKeepSelectPageGroup && Sender != nullptr)
    FLastPageGroup = FPageGroup->ActivePage()->Caption();
}

void TORVExpert::prvEvenTabPaletteOnChange(TObject* Sender) {
  // The IDE's handler runs below, and may rewrite the palette.
  FMasterFromPalette = false;
  if (!FGroupsActive) {
    if (FOldTabPaletteOnChange.Assigned())
      FOldTabPaletteOnChange(Sender);
    return;
  }
  const bool IdeList = prvPaletteHoldsIdeList();
  prvPassPageChoice(Sender, IdeList, IdeList ? -1 : FTabPalette->TabIndex());
}

// The page chosen on the palette, handed to the IDE's handler while
// grouping is in force; IdeList tells whether the palette holds a list of
// the IDE's own (prvPaletteHoldsIdeList) rather than the expert's fill,
// and Selected is the palette's selection in the expert's fill.
void TORVExpert::prvPassPageChoice(TObject* Sender, bool IdeList, int Selected) {
  if (IdeList) {
    // The IDE has rewritten the palette (this is its own change event after
    // the rebuild, or the user's choice on the rebuilt palette before the
    // tick): the palette holds the IDE's full list with the IDE's own
    // selection, which is what its handler must see. The master list may
    // not know that list yet; the tick takes it over.
    if (FOldTabPaletteOnChange.Assigned())
      FOldTabPaletteOnChange(Sender);
  } else {
    if (Selected < 0 || !FPageGroup->ActivePage()->TabVisible()) {
      prvPageGroupFindFirstShowing();
      FTabPalette->SetTabIndex(0);
      FTabPalette->SetParent(FPageGroup->ActivePage());
      Selected = FTabPalette->TabIndex();
    }

    // The palette holds the expert's fill, the shown list's names: the
    // chosen page's name is read there rather than from the window.
    const std::string Page = Selected >= 0 && Selected < FPagesShown->Count()
                                 ? FPagesShown->Get(Selected)
                                 : std::string();
    FTabPaletteAll->SetTabIndex(Selected >= 0 ? FMasterIndex.Find(Page) : -1);

    const HWND Master = FTabPaletteAll->Handle();
    const HWND Own = FTabPalette->Handle();
    // The palette gets its own window back however the IDE's handler ends,
    // also when it raises; the error itself goes on to the IDE.
    ScopeExit Restore([&] { FTabPalette->*TWinControlAccess::HandleField() = Own; });
    FTabPalette->*TWinControlAccess::HandleField() = Master;
    if (FOldTabPaletteOnChange.Assigned())
      FOldTabPaletteOnChange(Sender);
  }

  SendMessage(FTabPalette->Handle(), WM_SIZE, 1, 1);
  FTimerPagePaletteChange->SetEnabled(true);
}

bool TORVExpert::prvPageGroupFindFirstShowing() {
  FPageGroup->SetVisible(false);
  ScopeExit Shown([&] { FPageGroup->SetVisible(true); });

  const int Count = FPageGroup->PageCount();
  if (FKeepSelectPageGroup) {
    for (int i = 0; i < Count; ++i) {
      TTabSheet* Sheet = FPageGroup->Pages(i);
      if (Sheet->TabVisible() && Sheet->Caption() == FLastPageGroup) {
        FPageGroup->SetActivePage(Sheet);
        return true;
      }
    }
  }
  for (int i = 0; i < Count; ++i) {
    TTabSheet* Sheet = FPageGroup->Pages(i);
    if (Sheet->TabVisible()) {
      FPageGroup->SetActivePage(Sheet);
      return true;
    }
  }
  return false;
}

void TORVExpert::prvSetOnePageGroup() {
  FTabPalette->SetParent(FPageGroup);
  ScopeExit CleanUp([&] {
    FTabPalette->SetParent(FPageGroup->ActivePage());
    FPageGroup->SetVisible(true);
  });
  FGroupsActive = false;
  FPageGroup->SetVisible(false);

  TTabSheet* First = FPageGroup->Pages(0);
  FPageGroup->SetActivePageIndex(0);
  First->SetCaption(UngroupedTabCaption);
  First->SetTabVisible(true);
  // The hidden bar is laid out once, when its other sheets are all gone.
  if (FPageGroup->PageCount() > 1) {
    FPageGroup->DisableAlign();
    ScopeExit AlignOnce([&] { FPageGroup->EnableAlign(); });
    for (int i = FPageGroup->PageCount() - 1; i >= 1; --i)
      delete FPageGroup->Pages(i);
  }
}

// The master list takes the palette's tabs whole, and the index their
// names. A name with a line break or a NUL in it would be split or cut by
// the index, which reads the names from the master list's text, and no
// longer match the master list entry for entry: the master list then gets
// the names as the index has them.
void TORVExpert::prvChangePalette() {
  TStrings* Master = FTabPaletteAll->Tabs();
  Master->Assign(FTabPalette->Tabs());
  std::string Pages = Master->Text();
  const std::size_t Size = Pages.size();
  FMasterIndex.Rebuild(std::move(Pages));
  FMasterUses.clear();
  if (FMasterIndex.Count() != Master->Count() || FMasterIndex.Text().size() != Size)
    Master->SetText(FMasterIndex.Text());
  FMasterFromPalette = true;
}

// Whether the palette holds a list of the IDE's own rather than the expert's
// fill: always while grouping is off, when the palette is the IDE's; else
// when the IDE has rewritten the tabs since the expert last filled them.
//
// The expert marks the tabs it puts into the palette with itself as the
// tab's object, which the VCL keeps in the native tab item's lParam. The IDE
// builds its tabs with Clear and Add, which leave lParam 0 (or it puts
// objects of its own there), so its rewrite is told from the expert's fill
// even when both hold the same names: on the ungrouped tab, removing the
// package of every grouped page makes the IDE publish exactly the list that
// was shown. The names are compared as well, for a rewrite in place. The
// shown list holds the marks with its names, and the palette's tabs are
// read once for both, rather than a message for each tab's mark.
bool TORVExpert::prvPaletteHoldsIdeList() {
  if (!FGroupsActive)
    return true;
  return !FTabPalette->Tabs()->EqualsWithObjects(FPagesShown);
}

// The shown list's names from Text, each with the expert's mark.
void TORVExpert::prvPagesShown(const std::string& Text) {
  FPagesShown->SetText(Text);
  const TItemObject Mark(this);
  for (int i = 0, n = FPagesShown->Count(); i < n; ++i)
    FPagesShown->SetObjects(i, Mark);
}

// The filter's pages into the palette: remembered, and each tab marked as
// the expert's own as it is written, the whole list in one go rather than
// a message for every tab's mark after the text.
void TORVExpert::prvFillPalette(const std::string& Text) {
  prvPagesShown(Text);
  FTabPalette->Tabs()->Assign(FPagesShown);
}

// What the palette already holds (its text, which the palette's tabs were
// set to without the expert): remembered, and marked as the expert's own.
void TORVExpert::prvPaletteFilled(const std::string& Text) {
  TStrings* Tabs = FTabPalette->Tabs();
  prvPagesShown(Text);
  const TItemObject Mark(this);
  for (int i = 0, n = Tabs->Count(); i < n; ++i)
    Tabs->SetObjects(i, Mark);
}

// The IDE announces a new palette only by rewriting the tabs; the tick
// notices it a while later. Whatever uses the master list or fills the
// palette before that tick calls this first: a list the IDE has published
// since the expert's last fill becomes the master list and the groups are
// matched against it. The palette is not filled here; the caller does that,
// or the tick. Returns whether the master list changed.
//
// Right after the master list was copied from the palette, and before the
// expert or the IDE wrote the palette again, the two are the same by
// construction and are not compared.
bool TORVExpert::prvTakeIdePalette() {
  if (FMasterFromPalette || !prvPaletteHoldsIdeList() ||
      FMasterIndex.SameNames(*FTabPalette->Tabs()))
    return false;
  prvChangePalette();
  if (FGroupsActive)
    prvMatchGroupsWithMaster();
  return true;
}
