// Group switching and palette filtering: the palette shows the active
// group's pages, and the IDE sees every choice in terms of the full palette.

#include "MasterIndex.h"
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
  if (!FPageGroup->ActivePage()->TabVisible() && !prvPageGroupFindFirstShowing()) {
    FTabPalette->Tabs()->SetText(FTabPaletteAll->Tabs()->Text());
    FGroupsActive = false;
  }
  FTabPalette->SetParent(FPageGroup->ActivePage());

  if (FGroupsActive) {
    TStrings* Tabs = FTabPalette->Tabs();
    Tabs->SetText(FPageGroupPages.at(static_cast<std::size_t>(FPageGroup->ActivePageIndex())));
    const TMasterIndex Master(FTabPaletteAll->Tabs());
    Tabs->BeginUpdate();
    for (int i = Tabs->Count() - 1; i >= 0; --i)
      if (Master.Find(Tabs->Get(i)) < 0)
        Tabs->Delete(i);
    Tabs->EndUpdate();
    FPagesShown->SetText(Tabs->Text());
    FTabPalette->SetTabIndex(0);
    if (Tabs->Count() > 0) {
      prvEvenTabPaletteOnChange(FTabPalette);
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
  if (!FGroupsActive) {
    if (FOldTabPaletteOnChange.Assigned())
      FOldTabPaletteOnChange(Sender);
    return;
  }
  if (FTabPalette->TabIndex() < 0 || !FPageGroup->ActivePage()->TabVisible()) {
    prvPageGroupFindFirstShowing();
    FTabPalette->SetTabIndex(0);
    FTabPalette->SetParent(FPageGroup->ActivePage());
  }

  const int Selected = FTabPalette->TabIndex();
  const std::string Page = Selected >= 0 ? FTabPalette->Tabs()->Get(Selected) : std::string();
  FTabPaletteAll->SetTabIndex(Selected >= 0 ? FTabPaletteAll->Tabs()->IndexOf(Page) : -1);

  const HWND Master = FTabPaletteAll->Handle();
  const HWND Own = FTabPalette->Handle();
  {
    // The palette gets its own window back however the IDE's handler ends,
    // also when it raises; the error itself goes on to the IDE.
    struct TRestoreHandle {
      TTabControl* Palette;
      HWND Own;
      ~TRestoreHandle() { Palette->*TWinControlAccess::HandleField() = Own; }
    } Restore{FTabPalette, Own};
    FTabPalette->*TWinControlAccess::HandleField() = Master;
    if (FOldTabPaletteOnChange.Assigned())
      FOldTabPaletteOnChange(Sender);
  }

  SendMessage(FTabPalette->Handle(), WM_SIZE, 1, 1);
  FTimerPagePaletteChange->SetEnabled(true);
}

bool TORVExpert::prvPageGroupFindFirstShowing() {
  FPageGroup->SetVisible(false);
  struct TShowAgain {
    TPageControl* Bar;
    ~TShowAgain() { Bar->SetVisible(true); }
  } ShowAgain{FPageGroup};

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
  struct TCleanUp {
    TORVExpert* Self;
    ~TCleanUp() {
      Self->FTabPalette->SetParent(Self->FPageGroup->ActivePage());
      Self->FPageGroup->SetVisible(true);
    }
  } CleanUp{this};
  FGroupsActive = false;
  FPageGroup->SetVisible(false);

  TTabSheet* First = FPageGroup->Pages(0);
  FPageGroup->SetActivePageIndex(0);
  First->SetCaption(UngroupedTabCaption);
  First->SetTabVisible(true);
  for (int i = FPageGroup->PageCount() - 1; i >= 1; --i)
    delete FPageGroup->Pages(i);
}

void TORVExpert::prvChangePalette() {
  FTabPaletteAll->Tabs()->SetText(FTabPalette->Tabs()->Text());
}
