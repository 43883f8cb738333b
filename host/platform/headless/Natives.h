#pragma once

// What the headless platform's window classes share, and how its widgetset
// reaches them: only the headless backend's sources include this header.

#include "Windows.h"

// The native part of the window as class T; nullptr for a window of another
// class, or no window.
template <class T>
T* NativeOf(HWND Wnd) {
  TWindowRecord* Record = WindowRecord(Wnd);
  return Record != nullptr ? dynamic_cast<T*>(Record->Native.get()) : nullptr;
}

// A control tells its owner of what the user did (WM_COMMAND with Code in
// the high word), which the VCL reflects to the control as CN_COMMAND: the
// headless platform sends CN_COMMAND to the control's own window at once.
// It comes last in every handler, because the control may recreate or
// destroy its window in its handler.
void NotifyOwner(HWND Wnd, UINT Code);

// An owner-drawn list asks its owner how high its items are (WM_MEASUREITEM,
// reflected as CN_MEASUREITEM) when it is made; the answer, or Height when
// nobody answers.
UINT MeasureItem(HWND Wnd, UINT CtlType, UINT ItemId, UINT Height);

// The width of a vertical scroll bar (SM_CXVSCROLL).
constexpr int kScrollBarWidth = 16;

// Whether the headless platform draws a frame for the window: a top-level
// window's caption and border, a child's client edge, border or scroll bar.
bool HasFrame(HWND Wnd);
// Records the window's frame anew (WM_NCPAINT's default handling).
void PaintWindowFrame(HWND Wnd);
