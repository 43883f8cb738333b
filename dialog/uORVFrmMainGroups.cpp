// The group editor page of the settings dialog. Every command checks its
// precondition first and does nothing at all when it fails; every edit is
// written into the group's attached page list at once, so nothing is pending
// when the user switches groups or confirms. Add and Rename refuse a name the
// store could not keep, with a beep, as the spin edit refuses a key.

#include <string>

#include "Dialogs.h"
#include "SysUtils.h"
#include "Windows.h"
#include "uORVFrmMain.h"

namespace {
constexpr const char* kAddGroupText = "New group";
constexpr const char* kRenameGroupText = "Rename group";

bool GroupSelected(const TListBox* Groups) {
  return Groups->Items()->Count() > 0 && Groups->ItemIndex() >= 0;
}

// A group name as the user typed or pasted it, reduced to its letters.
// RusToRus keeps CR, LF and 0x1F as well, because the stored group order it
// also reads is a list of names held apart by exactly those bytes: a name
// that kept one would be stored as two names at OK, and its pages, filed
// under the whole name, would be lost.
std::string TypedName(const std::string& Text) {
  std::string Name = RusToRus(Text);
  std::erase_if(Name, [](char Ch) { return Ch == '\r' || Ch == '\n' || Ch == '\x1F'; });
  return Name;
}

// Whether Name can name the group at index Self (-1: a new group). The store
// keeps one value per name, and the registry tells value names apart without
// regard to letter case: a second group of the same name would overwrite the
// first one's pages at OK, and a group without a name would be lost there.
bool NameAvailable(const TStrings* Groups, const std::string& Name, int Self) {
  if (Name.empty())
    return false;
  for (int i = 0; i < Groups->Count(); ++i)
    if (i != Self && AnsiSameText(Groups->Get(i), Name))
      return false;
  return true;
}
}  // namespace

void TFrmMainORVExpert::LBoxPageGroupClick(TObject* Sender) {
  (void)Sender;
  const int Selected = LBoxPageGroup->ItemIndex();
  if (Selected == Tag() || LBoxPageGroup->Items()->Count() == 0 || Selected < 0)
    return;
  SetTag(Selected);
  TStrings* Middle = LBoxPagePalettePerPageGroup->Items();
  Middle->SetText(GroupPages(Selected)->Text());
  LBoxPagePalettePerPageGroup->SetItemIndex(-1);
  for (int i = 0; i < Middle->Count(); ++i)
    Middle->SetObjects(
        i, TItemObject::FromInteger(LBoxPagePalette->FindExact(Middle->Get(i)) >= 0 ? 1 : 0));
  LBoxPagePalettePerPageGroup->Repaint();
}

void TFrmMainORVExpert::LBoxPageGroupEnter(TObject* Sender) {
  (void)Sender;
  BtnMoveUp->SetTag(0);
}

void TFrmMainORVExpert::LBoxPagePalettePerPageGroupEnter(TObject* Sender) {
  (void)Sender;
  BtnMoveUp->SetTag(1);
}

void TFrmMainORVExpert::BtnAddClick(TObject* Sender) {
  (void)Sender;
  const std::string Name = TypedName(InputBox(kAddGroupText, kAddGroupText, kAddGroupText));
  if (!NameAvailable(LBoxPageGroup->Items(), Name, -1)) {
    MessageBeep(0);
    return;
  }
  LBoxPageGroup->Items()->AddObject(Name, new TStringList());
  SetTag(-1);
}

void TFrmMainORVExpert::BtnDeleteClick(TObject* Sender) {
  (void)Sender;
  if (!GroupSelected(LBoxPageGroup))
    return;
  BtnMoveToRightAllClick(nullptr);
  const int Selected = LBoxPageGroup->ItemIndex();
  delete GroupPages(Selected);
  LBoxPageGroup->Items()->Delete(Selected);
  LBoxPageGroup->SetItemIndex(-1);
  SetTag(-1);
}

void TFrmMainORVExpert::BtnRenameClick(TObject* Sender) {
  (void)Sender;
  if (!GroupSelected(LBoxPageGroup))
    return;
  const int Selected = LBoxPageGroup->ItemIndex();
  const std::string Current = TypedName(LBoxPageGroup->Items()->Get(Selected));
  const std::string Name = TypedName(InputBox(kRenameGroupText, kRenameGroupText, Current));
  if (!NameAvailable(LBoxPageGroup->Items(), Name, Selected)) {
    MessageBeep(0);
    return;
  }
  LBoxPageGroup->Items()->SetStrings(Selected, Name);
}

void TFrmMainORVExpert::BtnMoveToLeftOneClick(TObject* Sender) {
  (void)Sender;
  const int Page = LBoxPagePalette->ItemIndex();
  if (!GroupSelected(LBoxPageGroup) || Page < 0)
    return;
  LBoxPagePalettePerPageGroup->Items()->AddObject(LBoxPagePalette->Items()->Get(Page),
                                                  TItemObject::FromInteger(1));
  WriteBack();
  AddUsage(Page, 1);
  LBoxPagePalette->Repaint();
}

void TFrmMainORVExpert::BtnMoveToRightOneClick(TObject* Sender) {
  (void)Sender;
  TStrings* Middle = LBoxPagePalettePerPageGroup->Items();
  const int Page = LBoxPagePalettePerPageGroup->ItemIndex();
  if (!GroupSelected(LBoxPageGroup) || Middle->Count() == 0 || Page < 0)
    return;
  AddUsage(LBoxPagePalette->FindExact(Middle->Get(Page)), -1);
  LBoxPagePalette->Repaint();
  Middle->Delete(Page);
  LBoxPagePalettePerPageGroup->SetItemIndex(-1);
  WriteBack();
}

void TFrmMainORVExpert::BtnMoveToLeftAllClick(TObject* Sender) {
  (void)Sender;
  TStrings* Palette = LBoxPagePalette->Items();
  if (!GroupSelected(LBoxPageGroup) || Palette->Count() == 0)
    return;
  TStrings* Middle = LBoxPagePalettePerPageGroup->Items();
  for (int i = 0; i < Middle->Count(); ++i)
    AddUsage(LBoxPagePalette->FindExact(Middle->Get(i)), -1);
  // Entries for pages that are not on the palette go with the rest.
  const std::string All = Palette->Text();
  Middle->SetText(All);
  GroupPages(LBoxPageGroup->ItemIndex())->SetText(All);
  for (int i = 0; i < Middle->Count(); ++i)
    Middle->SetObjects(i, TItemObject::FromInteger(1));
  LBoxPagePalettePerPageGroup->Repaint();
  for (int i = 0; i < Palette->Count(); ++i)
    AddUsage(i, 1);
  LBoxPagePalette->Repaint();
}

void TFrmMainORVExpert::BtnMoveToRightAllClick(TObject* Sender) {
  (void)Sender;
  TStrings* Middle = LBoxPagePalettePerPageGroup->Items();
  if (!GroupSelected(LBoxPageGroup) || Middle->Count() == 0)
    return;
  // Once per entry: a page the group lists twice is released twice.
  for (int i = 0; i < Middle->Count(); ++i)
    AddUsage(LBoxPagePalette->FindExact(Middle->Get(i)), -1);
  LBoxPagePalette->Repaint();
  Middle->Clear();
  GroupPages(LBoxPageGroup->ItemIndex())->Clear();
}

void TFrmMainORVExpert::BtnMoveUpClick(TObject* Sender) {
  (void)Sender;
  if (!GroupSelected(LBoxPageGroup))
    return;
  if (MoveTarget() == 0) {
    const int Selected = LBoxPageGroup->ItemIndex();
    if (Selected == 0)
      return;
    LBoxPageGroup->Items()->Move(Selected, Selected - 1);
    LBoxPageGroup->SetItemIndex(Selected - 1);
    SetTag(-1);
    return;
  }
  const int Page = LBoxPagePalettePerPageGroup->ItemIndex();
  if (Page <= 0)
    return;
  LBoxPagePalettePerPageGroup->Items()->Move(Page, Page - 1);
  LBoxPagePalettePerPageGroup->SetItemIndex(Page - 1);
  WriteBack();
}

void TFrmMainORVExpert::BtnMoveDownClick(TObject* Sender) {
  (void)Sender;
  if (!GroupSelected(LBoxPageGroup))
    return;
  if (MoveTarget() == 0) {
    const int Selected = LBoxPageGroup->ItemIndex();
    if (Selected >= LBoxPageGroup->Items()->Count() - 1)
      return;
    LBoxPageGroup->Items()->Move(Selected, Selected + 1);
    LBoxPageGroup->SetItemIndex(Selected + 1);
    SetTag(-1);
    return;
  }
  const int Page = LBoxPagePalettePerPageGroup->ItemIndex();
  if (Page < 0 || Page >= LBoxPagePalettePerPageGroup->Items()->Count() - 1)
    return;
  LBoxPagePalettePerPageGroup->Items()->Move(Page, Page + 1);
  LBoxPagePalettePerPageGroup->SetItemIndex(Page + 1);
  WriteBack();
}

void TFrmMainORVExpert::DrawListItem(TListBox* List, int ImageIndex, int Index, const TRect& Rect) {
  TCanvas* Canvas = List->Canvas();
  Canvas->FillRect(Rect);
  ImageList1->Draw(Canvas, Rect.Left, Rect.Top, ImageIndex);
  Canvas->TextOut(Rect.Left + 18, Rect.Top, List->Items()->Get(Index));
}

void TFrmMainORVExpert::LBoxPagePalettePerPageGroupDrawItem(TWinControl* Control, int Index,
                                                            const TRect& Rect,
                                                            TOwnerDrawState State) {
  (void)State;
  auto* List = As<TListBox>(Control);
  DrawListItem(List, static_cast<int>(List->Items()->Objects(Index).AsInteger()), Index, Rect);
}

void TFrmMainORVExpert::LBoxPagePaletteDrawItem(TWinControl* Control, int Index, const TRect& Rect,
                                                TOwnerDrawState State) {
  (void)State;
  auto* List = As<TListBox>(Control);
  DrawListItem(List, List->Items()->Objects(Index).AsInteger() >= 1 ? 3 : 2, Index, Rect);
}
