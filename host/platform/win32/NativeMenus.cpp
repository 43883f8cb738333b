#include "NativeMenus.h"

#include <windows.h>

// The functions below carry the API's own names inside namespace native.
#undef AppendMenu
#undef GetMenuString

namespace native {

HMENU__* CreateMenu() {
  return ::CreateMenu();
}

HMENU__* CreatePopupMenu() {
  return ::CreatePopupMenu();
}

bool DestroyMenu(HMENU__* Menu) {
  return ::DestroyMenu(Menu) != FALSE;
}

bool IsMenu(HMENU__* Menu) {
  return Menu != nullptr && ::IsMenu(Menu) != FALSE;
}

bool AppendMenu(HMENU__* Menu, unsigned Flags, std::uintptr_t ID, const char* Text) {
  return ::AppendMenuA(Menu, Flags, ID, Text) != FALSE;
}

bool RemoveMenu(HMENU__* Menu, unsigned Position, unsigned Flags) {
  return ::RemoveMenu(Menu, Position, Flags) != FALSE;
}

std::uint32_t CheckMenuItem(HMENU__* Menu, unsigned ID, unsigned Check) {
  return ::CheckMenuItem(Menu, ID, Check);
}

int GetMenuItemCount(HMENU__* Menu) {
  return ::GetMenuItemCount(Menu);
}

unsigned GetMenuItemID(HMENU__* Menu, int Position) {
  return ::GetMenuItemID(Menu, Position);
}

unsigned GetMenuState(HMENU__* Menu, unsigned ID, unsigned Flags) {
  return ::GetMenuState(Menu, ID, Flags);
}

int GetMenuString(HMENU__* Menu, unsigned ID, char* Text, int MaxCount, unsigned Flags) {
  return ::GetMenuStringA(Menu, ID, Text, MaxCount, Flags);
}

HMENU__* GetSubMenu(HMENU__* Menu, int Position) {
  return ::GetSubMenu(Menu, Position);
}

bool SetMenu(HWND__* Wnd, HMENU__* Menu) {
  return ::SetMenu(Wnd, Menu) != FALSE;
}

HMENU__* GetMenu(HWND__* Wnd) {
  return ::GetMenu(Wnd);
}

bool DrawMenuBar(HWND__* Wnd) {
  return ::DrawMenuBar(Wnd) != FALSE;
}

bool TrackPopupMenu(HMENU__* Menu, unsigned Flags, int X, int Y, HWND__* Owner, const int* Rect) {
  RECT R{};
  if (Rect != nullptr)
    R = RECT{Rect[0], Rect[1], Rect[2], Rect[3]};
  return ::TrackPopupMenu(Menu, Flags, X, Y, 0, Owner, Rect != nullptr ? &R : nullptr) != FALSE;
}

bool EndMenu() {
  return ::EndMenu() != FALSE;
}

}  // namespace native
