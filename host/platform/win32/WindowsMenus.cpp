#include "WindowsMenus.h"

#include "NativeMenus.h"

// Windows' own menus. What the platform adds is the record of the popups
// tracked, which the tests and the simulator read on both platforms alike.

namespace {

std::vector<TTrackedPopup>& Tracked() {
  static std::vector<TTrackedPopup> List;
  return List;
}

}  // namespace

HMENU CreateMenu() {
  return native::CreateMenu();
}

HMENU CreatePopupMenu() {
  return native::CreatePopupMenu();
}

BOOL DestroyMenu(HMENU Menu) {
  return native::IsMenu(Menu) && native::DestroyMenu(Menu) ? 1 : 0;
}

BOOL IsMenu(HMENU Menu) {
  return native::IsMenu(Menu) ? 1 : 0;
}

BOOL AppendMenuA(HMENU Menu, UINT Flags, std::uintptr_t IDNewItem, const char* NewItem) {
  return native::AppendMenu(Menu, Flags, IDNewItem, NewItem) ? 1 : 0;
}

BOOL RemoveMenu(HMENU Menu, UINT Position, UINT Flags) {
  return native::RemoveMenu(Menu, Position, Flags) ? 1 : 0;
}

DWORD CheckMenuItem(HMENU Menu, UINT IDCheckItem, UINT Check) {
  return native::CheckMenuItem(Menu, IDCheckItem, Check);
}

int GetMenuItemCount(HMENU Menu) {
  return native::GetMenuItemCount(Menu);
}

UINT GetMenuItemID(HMENU Menu, int Position) {
  return native::GetMenuItemID(Menu, Position);
}

UINT GetMenuState(HMENU Menu, UINT ID, UINT Flags) {
  return native::GetMenuState(Menu, ID, Flags);
}

int GetMenuStringA(HMENU Menu, UINT IDItem, char* String, int MaxCount, UINT Flags) {
  return native::GetMenuString(Menu, IDItem, String, MaxCount, Flags);
}

HMENU GetSubMenu(HMENU Menu, int Position) {
  return native::GetSubMenu(Menu, Position);
}

// Only the platform's own windows: a handle that is no window of ours gets
// nothing, as every other call of the platform treats it.
BOOL SetMenu(HWND Wnd, HMENU Menu) {
  return IsWindow(Wnd) && native::SetMenu(Wnd, Menu) ? 1 : 0;
}

HMENU GetMenu(HWND Wnd) {
  return IsWindow(Wnd) ? native::GetMenu(Wnd) : nullptr;
}

BOOL DrawMenuBar(HWND Wnd) {
  return IsWindow(Wnd) && native::DrawMenuBar(Wnd) ? 1 : 0;
}

BOOL TrackPopupMenu(HMENU Menu, UINT Flags, int X, int Y, int Reserved, HWND Owner,
                    const TRect* Rect) {
  (void)Reserved;
  if (!native::IsMenu(Menu) || !IsWindow(Owner))
    return 0;
  Tracked().push_back(TTrackedPopup{Menu, Flags, X, Y, Owner});
  int R[4] = {0, 0, 0, 0};
  if (Rect != nullptr) {
    R[0] = Rect->Left;
    R[1] = Rect->Top;
    R[2] = Rect->Right;
    R[3] = Rect->Bottom;
  }
  return native::TrackPopupMenu(Menu, Flags, X, Y, Owner, Rect != nullptr ? R : nullptr) ? 1 : 0;
}

BOOL EndMenu() {
  return native::EndMenu() ? 1 : 0;
}

const std::vector<TTrackedPopup>& TrackedPopups() {
  return Tracked();
}

void ResetMenuState() {
  Tracked().clear();
}
