#include "Menus.h"

#include <algorithm>

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if ((Key & 0xFF00) != 0)
    return 0;
  TShortCut Result = Key;
  if (Shift.Contains(ssShift))
    Result |= scShift;
  if (Shift.Contains(ssCtrl))
    Result |= scCtrl;
  if (Shift.Contains(ssAlt))
    Result |= scAlt;
  return Result;
}

std::string ShortCutToText(TShortCut Value) {
  const int Key = Value & 0xFF;
  std::string Name;
  if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) {
    Name = std::string(1, static_cast<char>(Key));
  } else if (Key >= 0x70 && Key <= 0x87) {
    Name = "F";
    Name += IntToStr(Key - 0x6F);
  } else {
    switch (Key) {
      case VK_BACK:
        Name = "BkSp";
        break;
      case VK_TAB:
        Name = "Tab";
        break;
      case VK_RETURN:
        Name = "Enter";
        break;
      case VK_ESCAPE:
        Name = "Esc";
        break;
      case VK_LEFT:
        Name = "Left";
        break;
      case VK_UP:
        Name = "Up";
        break;
      case VK_RIGHT:
        Name = "Right";
        break;
      case VK_DOWN:
        Name = "Down";
        break;
      case VK_DELETE:
        Name = "Del";
        break;
      default:
        return "";
    }
  }
  std::string Result;
  if (Value & scCtrl)
    Result += "Ctrl+";
  if (Value & scShift)
    Result += "Shift+";
  if (Value & scAlt)
    Result += "Alt+";
  return Result + Name;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (FParent != nullptr)
    FParent->Remove(this);
  // Sub-items go with their item, whoever owns them.
  while (!FItems.empty())
    delete FItems.front();
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("Menu index out of range (" + IntToStr(Index) + ")");
  return FItems[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) {
  Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item->FParent != nullptr)
    throw EInvalidOperation("Menu inserted twice");
  if (Index < 0 || Index > Count())
    throw EListError("Menu index out of range (" + IntToStr(Index) + ")");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Delete(int Index) {
  TMenuItem* Item = Items(Index);
  FItems.erase(FItems.begin() + Index);
  Item->FParent = nullptr;
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int Index = IndexOf(Item);
  if (Index < 0)
    throw EInvalidOperation("Menu item not found");
  Delete(Index);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TMenuItem::Click() {
  if (FEnabled && FOnClick.Assigned())
    FOnClick(this);
}

TMenuItem* TMenuItem::FindShortCut(TShortCut Value) {
  for (TMenuItem* Item : FItems) {
    if (!Item->FEnabled || !Item->FVisible)
      continue;
    if (Item->FShortCut == Value && Value != 0)
      return Item;
    if (TMenuItem* Found = Item->FindShortCut(Value))
      return Found;
  }
  return nullptr;
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {}

TMenu::~TMenu() {
  Destroying();
  delete FItems;
}

bool TMenu::DispatchShortCut(TShortCut Value) {
  TMenuItem* Item = FItems->FindShortCut(Value);
  if (Item == nullptr)
    return false;
  Item->Click();
  return true;
}

void TPopupMenu::Popup(int X, int Y) {
  (void)X;
  (void)Y;
  DoPopup(this);
}

void TPopupMenu::DoPopup(TObject* Sender) {
  if (FOnPopup.Assigned())
    FOnPopup(Sender);
}
