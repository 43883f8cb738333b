#pragma once

// user32's menus as the win32 backend calls them (WindowsMenus.cpp). Only
// NativeMenus.cpp includes <windows.h>, for the reason NativeApi.h gives.
// Menu and window handles are the same types on both sides.

#include <cstdint>

struct HWND__;
struct HMENU__;

namespace native {

HMENU__* CreateMenu();
HMENU__* CreatePopupMenu();
bool DestroyMenu(HMENU__* Menu);
bool IsMenu(HMENU__* Menu);
bool AppendMenu(HMENU__* Menu, unsigned Flags, std::uintptr_t ID, const char* Text);
bool RemoveMenu(HMENU__* Menu, unsigned Position, unsigned Flags);
std::uint32_t CheckMenuItem(HMENU__* Menu, unsigned ID, unsigned Check);
int GetMenuItemCount(HMENU__* Menu);
unsigned GetMenuItemID(HMENU__* Menu, int Position);
unsigned GetMenuState(HMENU__* Menu, unsigned ID, unsigned Flags);
int GetMenuString(HMENU__* Menu, unsigned ID, char* Text, int MaxCount, unsigned Flags);
HMENU__* GetSubMenu(HMENU__* Menu, int Position);
bool SetMenu(HWND__* Wnd, HMENU__* Menu);
HMENU__* GetMenu(HWND__* Wnd);
bool DrawMenuBar(HWND__* Wnd);
// Rect, when not null, is left, top, right, bottom.
bool TrackPopupMenu(HMENU__* Menu, unsigned Flags, int X, int Y, HWND__* Owner, const int* Rect);
bool EndMenu();

}  // namespace native
