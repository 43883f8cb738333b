#include "WindowsMenus.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

// The headless platform's menus are records: the menus a session made, keyed
// by handle, and each window's menu bar. A handle is a number that is never
// given out twice, so a handle kept after its menu was destroyed stays dead.

namespace {

struct TItemRecord {
  UINT Flags = 0;
  std::uintptr_t ID = 0;  // the popup menu it opens, with MF_POPUP
  std::string Text;
  HMENU SubMenu() const { return (Flags & MF_POPUP) != 0 ? reinterpret_cast<HMENU>(ID) : nullptr; }
};

struct TMenuRecord {
  std::vector<TItemRecord> Items;
};

struct TMenuState {
  std::map<HMENU, TMenuRecord> Menus;
  std::map<HWND, HMENU> Bars;
  std::vector<TTrackedPopup> Tracked;
  std::uintptr_t LastHandle = 0;
};

TMenuState& State() {
  static TMenuState S;
  return S;
}

TMenuRecord* Find(HMENU Menu) {
  auto It = State().Menus.find(Menu);
  return It != State().Menus.end() ? &It->second : nullptr;
}

HMENU NewMenu() {
  // Handles count on from the last session's, as the table is emptied but
  // never rewound.
  const auto Menu = reinterpret_cast<HMENU>(++State().LastHandle);
  State().Menus[Menu] = TMenuRecord{};
  return Menu;
}

// The item an ID or a position names: by command, in the popup menus below
// too, each where its item stands, as Windows searches them; Owner is the
// menu that holds it.
TItemRecord* FindItem(HMENU Menu, UINT ID, UINT Flags, TMenuRecord** Owner = nullptr,
                      int Depth = 0) {
  TMenuRecord* Record = Find(Menu);
  // Windows refuses popup menus nested deeper than this; a menu that holds
  // itself somewhere below ends the search here too.
  if (Record == nullptr || Depth > 25)
    return nullptr;
  if ((Flags & MF_BYPOSITION) != 0) {
    if (ID >= Record->Items.size())
      return nullptr;
    if (Owner != nullptr)
      *Owner = Record;
    return &Record->Items[ID];
  }
  for (TItemRecord& Item : Record->Items) {
    if (HMENU Sub = Item.SubMenu()) {
      if (TItemRecord* Found = FindItem(Sub, ID, Flags, Owner, Depth + 1))
        return Found;
    } else if (Item.ID == ID) {
      if (Owner != nullptr)
        *Owner = Record;
      return &Item;
    }
  }
  return nullptr;
}

}  // namespace

HMENU CreateMenu() {
  return NewMenu();
}

HMENU CreatePopupMenu() {
  return NewMenu();
}

BOOL DestroyMenu(HMENU Menu) {
  auto It = State().Menus.find(Menu);
  if (It == State().Menus.end())
    return 0;
  const std::vector<TItemRecord> Items = std::move(It->second.Items);
  State().Menus.erase(It);
  for (const TItemRecord& Item : Items)
    if (HMENU Sub = Item.SubMenu())
      DestroyMenu(Sub);
  for (auto& [Wnd, Bar] : State().Bars)
    if (Bar == Menu)
      Bar = nullptr;
  return 1;
}

BOOL IsMenu(HMENU Menu) {
  return Find(Menu) != nullptr ? 1 : 0;
}

BOOL AppendMenuA(HMENU Menu, UINT Flags, std::uintptr_t IDNewItem, const char* NewItem) {
  TMenuRecord* Record = Find(Menu);
  if (Record == nullptr || ((Flags & MF_POPUP) != 0 && !IsMenu(reinterpret_cast<HMENU>(IDNewItem))))
    return 0;
  TItemRecord Item;
  Item.Flags = Flags & ~MF_BYPOSITION;
  Item.ID = IDNewItem;
  if ((Flags & MF_SEPARATOR) == 0 && NewItem != nullptr)
    Item.Text = NewItem;
  Record->Items.push_back(std::move(Item));
  return 1;
}

BOOL RemoveMenu(HMENU Menu, UINT Position, UINT Flags) {
  TMenuRecord* Owner = nullptr;
  TItemRecord* Item = FindItem(Menu, Position, Flags, &Owner);
  if (Item == nullptr)
    return 0;
  Owner->Items.erase(Owner->Items.begin() + (Item - Owner->Items.data()));
  return 1;
}

DWORD CheckMenuItem(HMENU Menu, UINT IDCheckItem, UINT Check) {
  TItemRecord* Item = FindItem(Menu, IDCheckItem, Check);
  if (Item == nullptr)
    return kNoMenuItem;
  const DWORD Was = Item->Flags & MF_CHECKED;
  Item->Flags = (Item->Flags & ~MF_CHECKED) | (Check & MF_CHECKED);
  return Was;
}

int GetMenuItemCount(HMENU Menu) {
  TMenuRecord* Record = Find(Menu);
  return Record != nullptr ? static_cast<int>(Record->Items.size()) : -1;
}

UINT GetMenuItemID(HMENU Menu, int Position) {
  if (Position < 0)
    return kNoMenuItem;
  TItemRecord* Item = FindItem(Menu, static_cast<UINT>(Position), MF_BYPOSITION);
  if (Item == nullptr || (Item->Flags & MF_POPUP) != 0)
    return kNoMenuItem;
  return static_cast<UINT>(Item->ID);
}

UINT GetMenuState(HMENU Menu, UINT ID, UINT Flags) {
  TItemRecord* Item = FindItem(Menu, ID, Flags);
  if (Item == nullptr)
    return kNoMenuItem;
  UINT State = Item->Flags & (MF_CHECKED | MF_GRAYED | MF_DISABLED | MF_POPUP | MF_SEPARATOR);
  if (HMENU Sub = Item->SubMenu())
    State |= static_cast<UINT>(std::max(GetMenuItemCount(Sub), 0) & 0xFF) << 8;
  return State;
}

int GetMenuStringA(HMENU Menu, UINT IDItem, char* String, int MaxCount, UINT Flags) {
  TItemRecord* Item = FindItem(Menu, IDItem, Flags);
  if (Item == nullptr)
    return 0;
  const int Length = static_cast<int>(Item->Text.size());
  if (String == nullptr)
    return Length;
  if (MaxCount <= 0)
    return 0;
  const int Copied = std::min(Length, MaxCount - 1);
  std::memcpy(String, Item->Text.data(), static_cast<std::size_t>(Copied));
  String[Copied] = '\0';
  return Copied;
}

HMENU GetSubMenu(HMENU Menu, int Position) {
  if (Position < 0)
    return nullptr;
  TItemRecord* Item = FindItem(Menu, static_cast<UINT>(Position), MF_BYPOSITION);
  return Item != nullptr ? Item->SubMenu() : nullptr;
}

BOOL SetMenu(HWND Wnd, HMENU Menu) {
  if (!IsWindow(Wnd) || (Menu != nullptr && !IsMenu(Menu)))
    return 0;
  if (Menu == nullptr)
    State().Bars.erase(Wnd);
  else
    State().Bars[Wnd] = Menu;
  return 1;
}

HMENU GetMenu(HWND Wnd) {
  if (!IsWindow(Wnd))
    return nullptr;
  auto It = State().Bars.find(Wnd);
  return It != State().Bars.end() ? It->second : nullptr;
}

BOOL DrawMenuBar(HWND Wnd) {
  return IsWindow(Wnd);
}

BOOL TrackPopupMenu(HMENU Menu, UINT Flags, int X, int Y, int Reserved, HWND Owner,
                    const TRect* Rect) {
  (void)Reserved, (void)Rect;
  if (!IsMenu(Menu) || !IsWindow(Owner))
    return 0;
  State().Tracked.push_back(TTrackedPopup{Menu, Flags, X, Y, Owner});
  return 1;
}

// Nothing is ever being tracked here: the tracking returned at once.
BOOL EndMenu() {
  return 0;
}

const std::vector<TTrackedPopup>& TrackedPopups() {
  return State().Tracked;
}

void ResetMenuState() {
  TMenuState& S = State();
  S.Menus.clear();
  S.Bars.clear();
  S.Tracked.clear();
}
