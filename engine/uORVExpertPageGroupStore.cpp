// The expert's store: groups and options in the add-in's registry key.

#include <memory>
#include <vector>

#include "HiddenControl.h"
#include "Registry.h"
#include "TimerIntervals.h"
#include "uConstORVExpertMPage.h"
#include "uORVExpertPageGroup.h"
#include "uORVFrmMain.h"

namespace {

const char* const SectionTimer = "Timer";
const char* const SectionPages = "Pages";
constexpr char UnitSeparator = '\x1F';

// A list text (every name followed by CR LF) is stored with each CR and each
// LF replaced by 0x1F, so that the value stays on one line of the registry.
std::string EncodeLineBreaks(std::string Text) {
  for (char& C : Text)
    if (C == '\r' || C == '\n')
      C = UnitSeparator;
  return Text;
}

// A pair of 0x1F is CR LF again; a 0x1F on its own is a CR.
std::string DecodeLineBreaks(const std::string& Text) {
  std::string Result;
  Result.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != UnitSeparator) {
      Result += Text[i];
    } else if (i + 1 < Text.size() && Text[i + 1] == UnitSeparator) {
      Result += "\r\n";
      ++i;
    } else {
      Result += '\r';
    }
  }
  return Result;
}

std::string KeyPath() {
  return Const_sKeyNameDelphi + Const_sKeyNameORVExpert;
}

}  // namespace

bool TORVExpert::prvImportFromReestrPageGroup() {
  prvSetOnePageGroup();
  FPageGroup->SetVisible(false);
  bool Result = false;
  auto Registry = std::make_unique<TRegIniFile>();
  auto Names = std::make_unique<TStringList>();
  struct TCleanUp {
    TORVExpert* Self;
    bool& Result;
    ~TCleanUp() {
      if (Result)
        Self->FPageGroup->SetVisible(true);
      else
        Self->prvSetOnePageGroup();
    }
  } CleanUp{this, Result};

  if (!Registry->OpenKey(KeyPath(), false))
    return Result;

  Names->SetText(RusToRus(DecodeLineBreaks(Registry->ReadString(SectionTimer, "PagesSort", ""))));
  for (int i = Names->Count() - 1; i >= 0; --i)
    if (Trim(Names->Get(i)).empty())
      Names->Delete(i);

  // The hidden bar is laid out once, when all its sheets are there.
  FPageGroup->DisableAlign();
  struct TAlignOnce {
    TPageControl* Bar;
    ~TAlignOnce() { Bar->EnableAlign(); }
  } AlignOnce{FPageGroup};
  for (int i = 0; i < Names->Count(); ++i) {
    auto* Sheet = new TTabSheet(FPageGroup);
    Sheet->SetPageControl(FPageGroup);
    Sheet->SetCaption(Names->Get(i));
  }
  FPageGroup->Pages(0)->SetPageIndex(FPageGroup->PageCount() - 1);

  FPageGroupPages.assign(static_cast<std::size_t>(FPageGroup->PageCount()), std::string());
  for (int i = 0; i < FPageGroup->PageCount() - 1; ++i)
    FPageGroupPages[static_cast<std::size_t>(i)] =
        DecodeLineBreaks(Registry->ReadString(SectionPages, FPageGroup->Pages(i)->Caption(), ""));

  FTimerPagePaletteChange->SetInterval(
      PaletteWatchInterval(Registry->ReadInteger(SectionTimer, "PageTimerRefreshInstallMSec", 50)));
  FTimerRefreshPageGroup = Registry->ReadBool(SectionTimer, "PageGroupTimerRun", false);
  FTimerRefreshPagePalette = Registry->ReadBool(SectionTimer, "PagePaletteTimerRun", false);
  FTimerPageGroupSort->SetInterval(
      GroupSortInterval(Registry->ReadInteger(SectionTimer, "PageTimerRefreshMSec", 10000)));
  FPageGroup->SetOwnerDraw(Registry->ReadBool(SectionTimer, "PagesDraw", true));
  FDrawTabShadow = Registry->ReadBool(SectionTimer, "PagesShadow", true);
  FPageGroup->Font()->SetColor(
      Registry->ReadInteger(SectionTimer, "PagesGroupColorFont", DefaultGroupFontColor));
  FPageGroup->Font()->SetStyle(Registry->ReadBool(SectionTimer, "PagesGroupWidthFull", false)
                                   ? TFontStyles{fsBold}
                                   : TFontStyles{});
  FPageGroup->SetMultiLine(Registry->ReadBool(SectionTimer, "PagesGroupMultiLine", false));
  FTabPalette->SetMultiLine(Registry->ReadBool(SectionTimer, "PagesPaletteMultiLine", false));
  FKeepSelectPageGroup = Registry->ReadBool(SectionTimer, "PageGroupKeep", false);

  Result = true;
  return Result;
}

bool TORVExpert::prvExportToReestrPageGroup(TStrings* Groups) {
  auto Registry = std::make_unique<TRegIniFile>();
  if (!Registry->OpenKey(KeyPath(), true))
    return false;

  Registry->EraseSection(SectionPages);
  for (int i = 0; i < Groups->Count(); ++i)
    Registry->WriteString(SectionPages, Groups->Get(i),
                          EncodeLineBreaks(Groups->ObjectAs<TStrings>(i)->Text()));
  Registry->WriteString(SectionTimer, "PagesSort", EncodeLineBreaks(Groups->Text()));

  Registry->WriteInteger(SectionTimer, "PageTimerRefreshInstallMSec",
                         FTimerPagePaletteChange->Interval());
  Registry->WriteBool(SectionTimer, "PageGroupTimerRun", FTimerRefreshPageGroup);
  Registry->WriteBool(SectionTimer, "PagePaletteTimerRun", FTimerRefreshPagePalette);
  Registry->WriteInteger(SectionTimer, "PageTimerRefreshMSec", FTimerPageGroupSort->Interval());
  Registry->WriteBool(SectionTimer, "PagesDraw", FPageGroup->OwnerDraw());
  Registry->WriteBool(SectionTimer, "PagesShadow", FDrawTabShadow);
  Registry->WriteInteger(SectionTimer, "PagesGroupColorFont", FPageGroup->Font()->Color());
  Registry->WriteBool(SectionTimer, "PagesGroupWidthFull",
                      FPageGroup->Font()->Style().Contains(fsBold));
  Registry->WriteBool(SectionTimer, "PagesGroupMultiLine", FPageGroup->MultiLine());
  Registry->WriteBool(SectionTimer, "PagesPaletteMultiLine", FTabPalette->MultiLine());
  Registry->WriteBool(SectionTimer, "PageGroupKeep", FKeepSelectPageGroup);

  Registry->CloseKey();
  return true;
}

void TORVExpert::prvImportFromReestrPageGroupLastStep_FindUnGroupPagePallete() {
  if (!FGroupsActive)
    return;
  prvMatchGroupsWithMaster();
  prvPageGroupFindFirstShowing();
  prvPageGroupChange(nullptr);
}

// The groups against the master list: a group's tab shows when one of its
// pages exists, and the ungrouped tab gathers the pages of no group.
void TORVExpert::prvMatchGroupsWithMaster() {
  const THiddenControl Hidden(FPageGroup);
  auto Pages = std::make_unique<TStringList>();

  TStrings* Master = FTabPaletteAll->Tabs();
  const int MasterCount = Master->Count();
  std::vector<bool> Grouped(static_cast<std::size_t>(MasterCount), false);
  for (int i = 0; i < MasterCount; ++i)
    Master->SetObjects(i, {});

  const int Last = FPageGroup->PageCount() - 1;
  // One text per sheet; a list out of step with the sheets would otherwise
  // be read past its end.
  FPageGroupPages.resize(static_cast<std::size_t>(FPageGroup->PageCount()));
  for (int i = 0; i < Last; ++i) {
    Pages->SetText(FPageGroupPages[static_cast<std::size_t>(i)]);
    bool HasPage = false;
    for (int k = 0; k < Pages->Count(); ++k) {
      const int Found = FMasterIndex.Find(Pages->Get(k));
      if (Found < 0)
        continue;
      if (!Grouped[static_cast<std::size_t>(Found)]) {
        Grouped[static_cast<std::size_t>(Found)] = true;
        Master->SetObjects(Found, TItemObject::FromInteger(1));
      }
      HasPage = true;
    }
    FPageGroup->Pages(i)->SetTabVisible(HasPage);
  }

  Pages->Clear();
  for (int i = 0; i < MasterCount; ++i)
    if (!Grouped[static_cast<std::size_t>(i)])
      Pages->Add(Master->Get(i));
  FPageGroupPages[static_cast<std::size_t>(Last)] = Pages->Text();
  FPageGroup->Pages(Last)->SetTabVisible(Pages->Count() > 0);
}
