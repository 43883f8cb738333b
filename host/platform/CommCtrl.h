#pragma once

// The native tab control of the common controls ("SysTabControl32"): it
// keeps the items and the selection, and lays the tabs out in rows from the
// window's width and font. Its layout is also what painting and the
// simulator's pictures use.

#include <vector>

#include "Windows.h"

extern const char* const WC_TABCONTROL;

// A tab control's notifications (NMHDR codes). A selection that the user
// makes with the mouse or the keyboard is announced, TCN_SELCHANGING before
// (answering TRUE keeps the old tab) and TCN_SELCHANGE after; one that
// TCM_SETCURSEL makes is not.
constexpr UINT TCN_FIRST = 0u - 550u;
constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;

struct TTabLayout {
  int TabHeight = 0;
  // Rows from the top of the control down to the row next to the client
  // area; each row lists item indexes left to right.
  std::vector<std::vector<int>> Rows;
  std::vector<TRect> ItemRects;  // by item index
};

// InView: only the tabs that the control's width shows are laid out (a
// single-line control with more tabs than fit shows the first ones, the
// rest lie beyond its right edge); the others keep an empty rectangle and
// are left out of the rows. What paints the control asks for these only.
TTabLayout TabControlLayout(HWND Wnd, bool InView = false);
// The height of a tab control's rows of tabs: what its layout puts above
// the client area, without laying out every tab.
int TabControlRowsHeight(HWND Wnd);
// Width of one tab for a caption in the given font: text plus padding.
int TabItemWidth(const TFontDesc& Font, const std::string& Caption);

// The up-down control ("msctls_updown32") that a single-line tab control
// shows at the right end of its row when its tabs do not fit: two arrows
// side by side (UDS_HORZ) that move its position within its range, each
// press reported to its parent as WM_HSCROLL (SB_THUMBPOSITION, the new
// position in the high word, the up-down's window in LParam).
extern const char* const UPDOWN_CLASS;
constexpr DWORD UDS_HORZ = 0x0040;
constexpr UINT UDM_SETRANGE32 = 0x046F;  // WParam the lowest, LParam the highest
constexpr UINT UDM_GETRANGE32 = 0x0470;  // into the ints WParam and LParam point to
constexpr UINT UDM_SETPOS32 = 0x0471;
constexpr UINT UDM_GETPOS32 = 0x0472;
// The up-down's size beside a tab row: two arrows of a scroll bar's width.
constexpr int kTabScrollerWidth = 32;
constexpr int kTabScrollerHeight = 16;
