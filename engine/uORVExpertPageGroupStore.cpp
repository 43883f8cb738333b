// The expert's store: groups and options in the add-in's registry key.

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ExpertOptions.h"
#include "Registry.h"
#include "ScopeExit.h"
#include "TextScan.h"
#include "uConstORVExpertMPage.h"
#include "uORVExpertPageGroup.h"
#include "uORVFrmMain.h"

namespace {

const char* const SectionTimer = "Timer";
const char* const SectionPages = "Pages";
constexpr char UnitSeparator = '\x1F';

// A list text (every name followed by CR LF) is stored with each CR and each
// LF replaced by 0x1F, so that the value stays on one line of the registry.
// The line breaks are found many bytes a step: each CR and the LF after it
// (a line apart, FindByte), then any LF on its own (mostly none: memchr,
// which is quickest over a whole text).
std::string EncodeLineBreaks(std::string Text) {
  char* const Begin = Text.data();
  char* const End = Begin + Text.size();
  for (char* P = Begin; (P = const_cast<char*>(TextScan::FindByte(P, End, '\r'))) != End;) {
    *P++ = UnitSeparator;
    if (P != End && *P == '\n')
      *P++ = UnitSeparator;
  }
  const auto NextLineFeed = [End](char* P) {
    return static_cast<char*>(std::memchr(P, '\n', static_cast<std::size_t>(End - P)));
  };
  for (char* P = Begin; P != End && (P = NextLineFeed(P)) != nullptr;)
    *P++ = UnitSeparator;
  return Text;
}

// A pair of 0x1F is CR LF again; a 0x1F on its own is a CR. Either way each
// byte stays one byte, so the text read is decoded where it is.
void DecodeLineBreaks(std::string& Text) {
  char* P = Text.data();
  char* const End = P + Text.size();
  while ((P = const_cast<char*>(TextScan::FindByte(P, End, UnitSeparator))) != End) {
    *P++ = '\r';
    if (P != End && *P == UnitSeparator)
      *P++ = '\n';
  }
}

// Whether the name is empty once trimmed, as Trim trims (every byte up to
// a space), told without the trimmed copy.
bool IsBlank(const std::string& Name) {
  return std::all_of(Name.begin(), Name.end(),
                     [](char C) { return static_cast<unsigned char>(C) <= ' '; });
}

std::string KeyPath() {
  return Const_sKeyNameDelphi + Const_sKeyNameORVExpert;
}

}  // namespace

bool TORVExpert::prvImportFromReestrPageGroup(TImportOptions Options) {
  // Grouping off and the palette on the bar itself, as prvSetOnePageGroup
  // leaves them, but the group sheets stay until the names are read: the
  // sheets of groups that are read back are kept (see prvSetGroupSheets).
  // When the key cannot be read, the clean-up reduces the bar to one sheet.
  FTabPalette->SetParent(FPageGroup);
  FGroupsActive = false;
  FPageGroup->SetVisible(false);
  bool Result = false;
  auto Registry = std::make_unique<TRegIniFile>();
  auto Names = std::make_unique<TStringList>();
  ScopeExit CleanUp([&] {
    if (Result)
      FPageGroup->SetVisible(true);
    else
      prvSetOnePageGroup();
  });

  if (!Registry->OpenKey(KeyPath(), false))
    return Result;

  const std::string Timer = SectionTimer;
  const std::string Pages = SectionPages;
  const std::string None;
  std::string Order = Registry->ReadString(Timer, "PagesSort", None);
  DecodeLineBreaks(Order);
  Names->SetText(RusToRus(Order));
  for (int i = Names->Count() - 1; i >= 0; --i)
    if (IsBlank(Names->Get(i)))
      Names->Delete(i);

  // The hidden bar is laid out once, when all its sheets are there.
  FPageGroup->DisableAlign();
  ScopeExit AlignOnce([&] { FPageGroup->EnableAlign(); });
  prvSetGroupSheets(Names.get());

  // Each stored text is decoded where the registry handed it over.
  const int Sheets = FPageGroup->PageCount();
  FMasterUses.clear();
  FPageGroupPages.assign(static_cast<std::size_t>(Sheets), std::string());
  for (int i = 0; i < Sheets - 1; ++i) {
    std::string& Text = FPageGroupPages[static_cast<std::size_t>(i)];
    Text = Registry->ReadString(Pages, FPageGroup->Pages(i)->Caption(), None);
    DecodeLineBreaks(Text);
  }

  if (Options == TImportOptions::Apply)
    for (const TExpertOption& Option : ExpertOptions())
      Option.Set(*this, Option.Kind == TExpertOption::okFlag
                            ? Registry->ReadBool(Timer, Option.Name, Option.Default != 0)
                            : Registry->ReadInteger(Timer, Option.Name, Option.Default));

  Result = true;
  return Result;
}

// The group bar gets one sheet per name, captioned with it, in the names'
// order, and the ungrouped tab last, active and holding the palette. The
// bar's last sheet is the ungrouped tab (the first one while there are no
// groups); a sheet of a group that is named again is kept as it is, so that
// settings OK, which reads back the groups it has just written, creates and
// deletes sheets only for the groups that appeared or went, and moves only
// those that moved. Equal names take the sheets of that caption in bar
// order. Whether a kept sheet's tab shows is left to the discovery, which
// follows every import that gets here.
void TORVExpert::prvSetGroupSheets(TStrings* Names) {
  const int Before = FPageGroup->PageCount() - 1;
  TTabSheet* Ungrouped = FPageGroup->Pages(Before);
  const int Count = Names->Count();
  std::vector<TTabSheet*> Order(static_cast<std::size_t>(Count), nullptr);
  std::vector<std::string> Captions(static_cast<std::size_t>(Count));
  // Mostly the groups stand as the names list them: those are kept in one
  // walk; the rest are matched by caption below.
  int Same = 0;
  for (; Same < Count; ++Same) {
    std::string& Name = Captions[static_cast<std::size_t>(Same)];
    Name = Names->Get(Same);
    if (Same >= Before || FPageGroup->Pages(Same)->Caption() != Name)
      break;
    Order[static_cast<std::size_t>(Same)] = FPageGroup->Pages(Same);
  }
  for (int i = Same + 1; i < Count; ++i)
    Captions[static_cast<std::size_t>(i)] = Names->Get(i);

  // The other sheets by caption, equal captions in bar order; a name takes
  // the first sheet of its caption that no name before it took.
  std::vector<int> ByCaption;
  for (int i = Same; i < Before; ++i)
    ByCaption.push_back(i);
  // Each sheet's caption asked once: the sort and the search compare them
  // many times.
  std::vector<std::string> SheetCaptions(static_cast<std::size_t>(Before));
  for (int i = Same; i < Before; ++i)
    SheetCaptions[static_cast<std::size_t>(i)] = FPageGroup->Pages(i)->Caption();
  auto CaptionOf = [&SheetCaptions](int Sheet) -> const std::string& {
    return SheetCaptions[static_cast<std::size_t>(Sheet)];
  };
  std::stable_sort(ByCaption.begin(), ByCaption.end(),
                   [&](int L, int R) { return CaptionOf(L) < CaptionOf(R); });
  std::vector<std::size_t> NextOfCaption(ByCaption.size());
  std::vector<bool> Taken(static_cast<std::size_t>(Before), false);
  for (std::size_t k = 0; k < ByCaption.size(); ++k)
    NextOfCaption[k] = k;
  for (int i = Same; i < Count && !ByCaption.empty(); ++i) {
    const std::string& Name = Captions[static_cast<std::size_t>(i)];
    const auto First =
        std::lower_bound(ByCaption.begin(), ByCaption.end(), Name,
                         [&](int Sheet, const std::string& N) { return CaptionOf(Sheet) < N; });
    const auto Run = static_cast<std::size_t>(First - ByCaption.begin());
    if (Run == ByCaption.size())
      continue;
    // The run of sheets of this caption starts at Run; Next is its first
    // one not taken yet.
    std::size_t& Next = NextOfCaption[Run];
    if (Next == ByCaption.size() || CaptionOf(ByCaption[Next]) != Name)
      continue;
    Taken[static_cast<std::size_t>(ByCaption[Next])] = true;
    Order[static_cast<std::size_t>(i)] = FPageGroup->Pages(ByCaption[Next]);
    ++Next;
  }

  // The sheets that no name took go, the last first.
  for (int i = Before - 1; i >= Same; --i)
    if (!Taken[static_cast<std::size_t>(i)])
      delete FPageGroup->Pages(i);

  // A new sheet gets its caption before it joins the bar, so that its tab
  // is made with its text. They join inside one update of the bar's tabs,
  // which lays the bar out and invalidates it once, at the end, rather than
  // after each tab.
  FPageGroup->Tabs()->BeginUpdate();
  ScopeExit TabsOnce([&] { FPageGroup->Tabs()->EndUpdate(); });
  for (int i = Same; i < Count; ++i) {
    TTabSheet*& Sheet = Order[static_cast<std::size_t>(i)];
    if (Sheet != nullptr)
      continue;
    Sheet = new TTabSheet(FPageGroup);
    Sheet->SetCaption(Captions[static_cast<std::size_t>(i)]);
    Sheet->SetPageControl(FPageGroup);
  }
  // New sheets came after the ungrouped tab, which goes last first; then
  // only the sheets out of place move (none when no group was moved in the
  // dialog).
  if (FPageGroup->Pages(Count) != Ungrouped)
    Ungrouped->SetPageIndex(Count);
  for (int i = Same; i < Count; ++i)
    if (FPageGroup->Pages(i) != Order[static_cast<std::size_t>(i)])
      Order[static_cast<std::size_t>(i)]->SetPageIndex(i);
  Ungrouped->SetCaption(UngroupedTabCaption);
  Ungrouped->SetTabVisible(true);
  FPageGroup->SetActivePage(Ungrouped);
  FTabPalette->SetParent(Ungrouped);
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

  for (const TExpertOption& Option : ExpertOptions()) {
    if (Option.Kind == TExpertOption::okFlag)
      Registry->WriteBool(SectionTimer, Option.Name, Option.Get(*this) != 0);
    else
      Registry->WriteInteger(SectionTimer, Option.Name, Option.Get(*this));
  }

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
// pages exists, and the ungrouped tab gathers the pages of no group. The
// marks of the master entries are the expert's own: nothing but this
// discovery reads them, so they are kept here rather than in the master
// tab control's item slots, which would cost a message for each entry.
void TORVExpert::prvMatchGroupsWithMaster() {
  FPageGroup->SetVisible(false);
  ScopeExit Shown([&] { FPageGroup->SetVisible(true); });

  const int MasterCount = FMasterIndex.Count();
  // Each entry's uses by the groups: an entry of none is ungrouped, and the
  // settings dialog shows the counts without matching the groups again.
  std::vector<std::uint32_t>& Uses = FMasterUses;
  Uses.assign(static_cast<std::size_t>(MasterCount), 0);

  const int Last = FPageGroup->PageCount() - 1;
  FMasterUsesGroups = Last;
  // One text per sheet; a list out of step with the sheets would otherwise
  // be read past its end.
  FPageGroupPages.resize(static_cast<std::size_t>(FPageGroup->PageCount()));
  for (int i = 0; i < Last; ++i) {
    bool HasPage = false;
    FMasterIndex.FindLines(FPageGroupPages[static_cast<std::size_t>(i)],
                           [&](int Found, const char*, const char*) {
                             if (Found < 0)
                               return;
                             ++Uses[static_cast<std::size_t>(Found)];
                             HasPage = true;
                           });
    FPageGroup->Pages(i)->SetTabVisible(HasPage);
  }

  std::string Ungrouped;
  for (int i = 0; i < MasterCount; ++i) {
    if (Uses[static_cast<std::size_t>(i)] != 0)
      continue;
    Ungrouped.append(FMasterIndex.Name(i));
    Ungrouped += "\r\n";
  }
  const bool Any = !Ungrouped.empty();
  FPageGroupPages[static_cast<std::size_t>(Last)] = std::move(Ungrouped);
  FPageGroup->Pages(Last)->SetTabVisible(Any);
}
