// The expert's store: groups and options in the add-in's registry key.

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ExpertOptions.h"
#include "Registry.h"
#include "ScopeExit.h"
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

// A pair of 0x1F is CR LF again; a 0x1F on its own is a CR. The text never
// grows, so it is decoded in one pass into a buffer of its own length.
std::string DecodeLineBreaks(const std::string& Text) {
  std::string Result(Text.size(), '\0');
  const char* In = Text.data();
  const char* const End = In + Text.size();
  char* Out = Result.data();
  while (In != End) {
    if (*In != UnitSeparator) {
      *Out++ = *In++;
    } else if (In + 1 != End && In[1] == UnitSeparator) {
      *Out++ = '\r';
      *Out++ = '\n';
      In += 2;
    } else {
      *Out++ = '\r';
      ++In;
    }
  }
  Result.resize(static_cast<std::size_t>(Out - Result.data()));
  return Result;
}

std::string KeyPath() {
  return Const_sKeyNameDelphi + Const_sKeyNameORVExpert;
}

}  // namespace

bool TORVExpert::prvImportFromReestrPageGroup() {
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

  Names->SetText(RusToRus(DecodeLineBreaks(Registry->ReadString(SectionTimer, "PagesSort", ""))));
  for (int i = Names->Count() - 1; i >= 0; --i)
    if (Trim(Names->Get(i)).empty())
      Names->Delete(i);

  // The hidden bar is laid out once, when all its sheets are there.
  FPageGroup->DisableAlign();
  ScopeExit AlignOnce([&] { FPageGroup->EnableAlign(); });
  prvSetGroupSheets(Names.get());

  FPageGroupPages.assign(static_cast<std::size_t>(FPageGroup->PageCount()), std::string());
  for (int i = 0; i < FPageGroup->PageCount() - 1; ++i)
    FPageGroupPages[static_cast<std::size_t>(i)] =
        DecodeLineBreaks(Registry->ReadString(SectionPages, FPageGroup->Pages(i)->Caption(), ""));

  for (const TExpertOption& Option : ExpertOptions())
    Option.Set(*this, Option.Kind == TExpertOption::okFlag
                          ? Registry->ReadBool(SectionTimer, Option.Name, Option.Default != 0)
                          : Registry->ReadInteger(SectionTimer, Option.Name, Option.Default));

  Result = true;
  return Result;
}

// The group bar gets one sheet per name, captioned with it, in the names'
// order, and the ungrouped tab last, active and holding the palette. The
// bar's last sheet is the ungrouped tab (the first one while there are no
// groups); a sheet of a group that is named again is kept, so that settings
// OK, which reads back the groups it has just written, creates and deletes
// sheets only for the groups that appeared or went. Equal names take the
// sheets of that caption in bar order.
void TORVExpert::prvSetGroupSheets(TStrings* Names) {
  const int Before = FPageGroup->PageCount();
  TTabSheet* Ungrouped = FPageGroup->Pages(Before - 1);
  std::unordered_map<std::string, std::deque<TTabSheet*>> Kept;
  for (int i = 0; i < Before - 1; ++i) {
    TTabSheet* Sheet = FPageGroup->Pages(i);
    Kept[Sheet->Caption()].push_back(Sheet);
  }
  const int Count = Names->Count();
  std::vector<TTabSheet*> Order(static_cast<std::size_t>(Count), nullptr);
  for (int i = 0; i < Count; ++i) {
    auto It = Kept.find(Names->Get(i));
    if (It == Kept.end() || It->second.empty())
      continue;
    Order[static_cast<std::size_t>(i)] = It->second.front();
    It->second.pop_front();
  }
  // The sheets that no name took go.
  const std::unordered_set<const TTabSheet*> Taken(Order.begin(), Order.end());
  std::vector<TTabSheet*> Gone;
  for (int i = 0; i < Before - 1; ++i)
    if (Taken.count(FPageGroup->Pages(i)) == 0)
      Gone.push_back(FPageGroup->Pages(i));
  for (auto Sheet = Gone.rbegin(); Sheet != Gone.rend(); ++Sheet)
    delete *Sheet;

  for (int i = 0; i < Count; ++i) {
    TTabSheet*& Sheet = Order[static_cast<std::size_t>(i)];
    if (Sheet != nullptr) {
      Sheet->SetTabVisible(true);
      continue;
    }
    Sheet = new TTabSheet(FPageGroup);
    Sheet->SetPageControl(FPageGroup);
    Sheet->SetCaption(Names->Get(i));
  }
  // New sheets came after the ungrouped tab, which goes last first; then
  // only the sheets out of place move (none when no group was moved in the
  // dialog).
  if (FPageGroup->Pages(Count) != Ungrouped)
    Ungrouped->SetPageIndex(Count);
  for (int i = 0; i < Count; ++i)
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
  std::vector<bool> Grouped(static_cast<std::size_t>(MasterCount), false);

  const int Last = FPageGroup->PageCount() - 1;
  // One text per sheet; a list out of step with the sheets would otherwise
  // be read past its end.
  FPageGroupPages.resize(static_cast<std::size_t>(FPageGroup->PageCount()));
  for (int i = 0; i < Last; ++i) {
    bool HasPage = false;
    FMasterIndex.FindLines(FPageGroupPages[static_cast<std::size_t>(i)],
                           [&](int Found, const char*, const char*) {
                             if (Found < 0)
                               return;
                             Grouped[static_cast<std::size_t>(Found)] = true;
                             HasPage = true;
                           });
    FPageGroup->Pages(i)->SetTabVisible(HasPage);
  }

  std::string Ungrouped;
  for (int i = 0; i < MasterCount; ++i) {
    if (Grouped[static_cast<std::size_t>(i)])
      continue;
    Ungrouped.append(FMasterIndex.Name(i));
    Ungrouped += "\r\n";
  }
  const bool Any = !Ungrouped.empty();
  FPageGroupPages[static_cast<std::size_t>(Last)] = std::move(Ungrouped);
  FPageGroup->Pages(Last)->SetTabVisible(Any);
}
