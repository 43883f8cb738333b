#pragma once

// Menus as user32 has them: a menu bar (CreateMenu) that SetMenu puts on a
// top-level window, popup menus (CreatePopupMenu) that hang below an item or
// open where the user right-clicked (TrackPopupMenu), items with a command
// ID, a text, a check mark and an enabled state. Choosing an item sends
// WM_COMMAND with its ID to the window that owns the menu. On Windows these
// are Windows' own menus; the headless platform keeps the same structure as
// records, and its tracking of a popup opens nothing: it is recorded and
// returns without an item chosen.

#include <cstdint>
#include <vector>

#include "Windows.h"

struct HMENU__;
using HMENU = HMENU__*;

constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;

constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;

// GetMenuState and CheckMenuItem answer this for an item that is not there.
constexpr UINT kNoMenuItem = 0xFFFFFFFFu;

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and the popup menus still attached to its items.
BOOL DestroyMenu(HMENU Menu);
BOOL IsMenu(HMENU Menu);
// Appends an item: with MF_POPUP, IDNewItem is the popup menu it opens;
// otherwise its command ID. MF_SEPARATOR takes no text.
BOOL AppendMenuA(HMENU Menu, UINT Flags, std::uintptr_t IDNewItem, const char* NewItem);
// Takes the item out without destroying the popup menu it opens.
BOOL RemoveMenu(HMENU Menu, UINT Position, UINT Flags);
// Sets or clears the check mark; returns the former state (MF_CHECKED or
// MF_UNCHECKED), or kNoMenuItem.
DWORD CheckMenuItem(HMENU Menu, UINT IDCheckItem, UINT Check);
int GetMenuItemCount(HMENU Menu);
// The command ID of the item at Position; kNoMenuItem for an item that opens
// a popup menu or for none.
UINT GetMenuItemID(HMENU Menu, int Position);
// The item's flags (MF_CHECKED, MF_GRAYED, MF_POPUP ...; for an item that
// opens a popup menu the high byte counts that menu's items), or kNoMenuItem.
// MF_BYCOMMAND finds an item in the popup menus below too.
UINT GetMenuState(HMENU Menu, UINT ID, UINT Flags);
// Copies the item's text (at most MaxCount - 1 characters and a NUL) and
// returns its length; with no buffer, only the length.
int GetMenuStringA(HMENU Menu, UINT IDItem, char* String, int MaxCount, UINT Flags);
HMENU GetSubMenu(HMENU Menu, int Position);
// The window's menu bar: nullptr takes it away. The window keeps its size.
BOOL SetMenu(HWND Wnd, HMENU Menu);
HMENU GetMenu(HWND Wnd);
BOOL DrawMenuBar(HWND Wnd);
// Opens the popup menu at X, Y on the screen and tracks it until the user
// chooses an item (WM_COMMAND to Owner) or lets it go. On the headless
// platform the tracking is recorded and returns at once.
BOOL TrackPopupMenu(HMENU Menu, UINT Flags, int X, int Y, int Reserved, HWND Owner,
                    const TRect* Rect);
// Ends the menu being tracked, as Escape or a click elsewhere would.
BOOL EndMenu();

// A TrackPopupMenu call, as the platform received it.
struct TTrackedPopup {
  HMENU Menu = nullptr;
  UINT Flags = 0;
  int X = 0, Y = 0;
  HWND Owner = nullptr;
};
// Every popup menu tracked since the session started, the first first.
const std::vector<TTrackedPopup>& TrackedPopups();
// Forgets the tracked popups and, on the headless platform, the menus a
// session left behind; ResetWindowsState calls it.
void ResetMenuState();
