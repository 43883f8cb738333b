#include "Menus.h"

#include <algorithm>
#include <vector>

#include "Forms.h"

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

namespace {

// The command IDs in use, as the VCL's command pool: an item takes the
// lowest free one and gives it back when it goes. 0 stays unused, the ID of
// no command.
std::vector<bool>& CommandPool() {
  static std::vector<bool> Pool(1, true);
  return Pool;
}

Word UniqueCommand() {
  std::vector<bool>& Pool = CommandPool();
  auto Free = std::find(Pool.begin(), Pool.end(), false);
  const auto Command = static_cast<std::size_t>(Free - Pool.begin());
  if (Command > 0xFFFF)
    throw EInvalidOperation("Too many menu items");
  if (Free == Pool.end())
    Pool.push_back(true);
  else
    *Free = true;
  return static_cast<Word>(Command);
}

void ReleaseCommand(Word Command) {
  if (Command < CommandPool().size())
    CommandPool()[Command] = false;
}

}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(UniqueCommand()) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (FParent != nullptr)
    FParent->Remove(this);
  // The sub-items' menus come off this one first, so that destroying it
  // leaves theirs to them.
  if (FHandle != nullptr)
    while (GetMenuItemCount(FHandle) > 0)
      RemoveMenu(FHandle, 0, MF_BYPOSITION);
  // Sub-items go with their item, whoever owns them.
  while (!FItems.empty())
    delete FItems.front();
  if (FHandle != nullptr)
    DestroyMenu(FHandle);
  ReleaseCommand(FCommand);
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (Value == FCaption)
    return;
  FCaption = Value;
  MenuChanged();
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == FChecked)
    return;
  FChecked = Value;
  if (FParent != nullptr && FParent->FHandle != nullptr)
    CheckMenuItem(FParent->FHandle, FCommand, MF_BYCOMMAND | (Value ? MF_CHECKED : MF_UNCHECKED));
}

void TMenuItem::SetEnabled(bool Value) {
  if (Value == FEnabled)
    return;
  FEnabled = Value;
  MenuChanged();
}

void TMenuItem::SetVisible(bool Value) {
  if (Value == FVisible)
    return;
  FVisible = Value;
  MenuChanged();
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (Value == FShortCut)
    return;
  FShortCut = Value;
  MenuChanged();
}

bool TMenuItem::IsMenuBar() const {
  return FMenu != nullptr && dynamic_cast<const TMainMenu*>(FMenu) != nullptr;
}

HMENU TMenuItem::Handle() {
  if (FHandle == nullptr) {
    FHandle = IsMenuBar() ? CreateMenu() : CreatePopupMenu();
    for (TMenuItem* Item : FItems)
      Item->AppendTo(FHandle);
  }
  return FHandle;
}

void TMenuItem::AppendTo(HMENU Menu) {
  if (!FVisible)
    return;
  UINT Flags = MF_STRING;
  if (FCaption == "-")
    Flags |= MF_SEPARATOR;
  if (FChecked)
    Flags |= MF_CHECKED;
  if (!FEnabled)
    Flags |= MF_DISABLED | MF_GRAYED;
  std::string Text = FCaption;
  std::uintptr_t ID = FCommand;
  if (!FItems.empty()) {
    Flags |= MF_POPUP;
    ID = reinterpret_cast<std::uintptr_t>(Handle());
  } else if (FShortCut != scNone && (FParent == nullptr || !FParent->IsMenuBar())) {
    // The shortcut shows right-aligned after a tab, except on a menu bar.
    Text += '\t';
    Text += ShortCutToText(FShortCut);
  }
  AppendMenuA(Menu, Flags, ID, Text.c_str());
}

void TMenuItem::RebuildHandle() {
  if (FHandle == nullptr || IsDestroying())
    return;
  while (GetMenuItemCount(FHandle) > 0)
    RemoveMenu(FHandle, 0, MF_BYPOSITION);
  for (TMenuItem* Item : FItems)
    Item->AppendTo(FHandle);
  if (IsMenuBar() && FMenu->WindowHandle() != nullptr)
    DrawMenuBar(FMenu->WindowHandle());
}

void TMenuItem::MenuChanged() {
  if (FParent != nullptr)
    FParent->RebuildHandle();
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
  RebuildHandle();
  // Its first sub-item makes the item open a menu of its own.
  if (Count() == 1)
    MenuChanged();
}

void TMenuItem::Delete(int Index) {
  TMenuItem* Item = Items(Index);
  FItems.erase(FItems.begin() + Index);
  Item->FParent = nullptr;
  RebuildHandle();
  if (FItems.empty())
    MenuChanged();
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

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  Destroying();
  // A menu bar leaves its form before it is destroyed.
  if (auto* Form = dynamic_cast<TCustomForm*>(FindControl(FWindowHandle));
      Form != nullptr && static_cast<TMenu*>(Form->Menu()) == this)
    Form->SetMenu(nullptr);
  delete FItems;
}

namespace {

TMenuItem* Find(TMenuItem* Item, std::uintptr_t Value, TFindItemKind Kind) {
  const bool Match = (Kind == fkCommand && Value == Item->Command()) ||
                     (Kind == fkHandle && Item->HandleAllocated() &&
                      Value == reinterpret_cast<std::uintptr_t>(Item->Handle())) ||
                     (Kind == fkShortCut && Value == Item->ShortCut());
  if (Match)
    return Item;
  for (int i = 0; i < Item->Count(); ++i)
    if (TMenuItem* Found = Find(Item->Items(i), Value, Kind))
      return Found;
  return nullptr;
}

enum TClickResult { crDisabled, crClicked, crShortCutMoved };

// The item and its parents, the top first.
std::vector<TMenuItem*> PathTo(TMenuItem* Item) {
  std::vector<TMenuItem*> Path;
  for (; Item != nullptr; Item = Item->Parent())
    Path.push_back(Item);
  std::reverse(Path.begin(), Path.end());
  return Path;
}

// Clicks the item's parents from the top, then the item, as far as each is
// enabled. A parent's click (a popup menu's OnPopup) may change the menu:
// when Target no longer has the shortcut, or hangs elsewhere, the search
// starts again, and nothing of the old path is touched.
TClickResult DoClick(TMenu* Menu, TMenuItem* Target, TShortCut Key) {
  const std::vector<TMenuItem*> Path = PathTo(Target);
  for (TMenuItem* Item : Path) {
    if (!Item->Enabled())
      return crDisabled;
    Item->Click();
    if (Item == Target)
      break;
    if (Menu->FindItem(Key, fkShortCut) != Target || PathTo(Target) != Path)
      return crShortCutMoved;
  }
  return crClicked;
}

}  // namespace

TMenuItem* TMenu::FindItem(std::uintptr_t Value, TFindItemKind Kind) const {
  return Find(FItems, Value, Kind);
}

bool TMenu::DispatchCommand(Word ACommand) {
  TMenuItem* Item = FindItem(ACommand, fkCommand);
  if (Item == nullptr)
    return false;
  Item->Click();
  return true;
}

bool TMenu::IsShortCut(TMessage& Message) {
  constexpr LPARAM kAltDown = 0x20000000;
  const auto Key = static_cast<Byte>(Message.WParam);
  // No key is no shortcut: Items have the shortcut 0.
  if (Key == 0)
    return false;
  TShortCut Value = Key;
  if (KeyboardState().IsDown(VK_SHIFT))
    Value |= scShift;
  if (KeyboardState().IsDown(VK_CONTROL))
    Value |= scCtrl;
  if ((Message.LParam & kAltDown) != 0)
    Value |= scAlt;
  // Each search after a moved shortcut follows a change the clicks made;
  // a menu that keeps moving it is given up on rather than looped over.
  for (int Tries = 0; Tries < 16; ++Tries) {
    TMenuItem* Item = FindItem(Value, fkShortCut);
    if (Item == nullptr)
      return false;
    if (DoClick(this, Item, Value) != crShortCutMoved)
      return true;
  }
  return true;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {
  // The VCL's popup menus raise OnPopup also when their Items are clicked:
  // on the way to an item's shortcut, with the Items as sender.
  Items()->SetOnClick(TNotifyEvent::Of<&TPopupMenu::DoPopup>(this));
  FWindowHandle =
      CreateWindowEx("TPUtilWindow", 0, TWindowProcedure::Of<&TPopupMenu::WndProc>(this));
}

TPopupMenu::~TPopupMenu() {
  Destroying();
  DestroyWindow(FWindowHandle);
  FWindowHandle = nullptr;
}

void TPopupMenu::WndProc(TMessage& Message) {
  // An item chosen in the tracked menu; nothing else is the menu's.
  if (Message.Msg == WM_COMMAND && DispatchCommand(static_cast<Word>(LOWORD(Message.WParam)))) {
    Message.Result = 0;
    return;
  }
  CallDefWindowProc(FWindowHandle, Message);
}

void TPopupMenu::Popup(int X, int Y) {
  DoPopup(this);
  TrackPopupMenu(Items()->Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, X, Y, 0, FWindowHandle,
                 nullptr);
}

void TPopupMenu::DoPopup(TObject* Sender) {
  if (FOnPopup.Assigned())
    FOnPopup(Sender);
}
