#pragma once

// The widgetset: what a VCL control class asks of the window of its kind.
// As in the LCL, each windowed control class talks to the platform through
// one entry (TWSWinControl, TWSCustomListBox, TWSCustomTabControl ...), which
// the class names as its own: the control makes its window through it, and
// reads and changes what the window holds (text, place, visibility, items,
// selection, check state, tabs) with typed calls. Each platform backend
// implements every entry: the headless one over its own window classes,
// handing whole lists over in one call; the real one over Windows' classes
// and their messages. An entry takes the handle the control holds, so a
// control whose handle field holds another window asks that window.

#include <string>

#include "Windows.h"

// What the VCL's CreateParams chose, and where the window goes.
struct TWSCreateParams {
  std::string ClassName;
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  // In the parent's client area; on the screen for a window of its own.
  TRect Bounds;
  // nullptr: a child window waits parked until it gets one.
  HWND Parent = nullptr;
  TWindowProcedure Proc;
  TFontDesc Font;
};

class TWSWinControl {
 public:
  TWSWinControl() = default;
  TWSWinControl(const TWSWinControl&) = delete;
  TWSWinControl& operator=(const TWSWinControl&) = delete;
  virtual ~TWSWinControl() = default;

  // Makes the window, of the class and style given, with its caption, place
  // and font; nullptr when the platform refuses.
  virtual HWND CreateHandle(const TWSCreateParams& Params) const;
  virtual void DestroyHandle(HWND Wnd) const;
  // The window's text (WM_GETTEXT) into Text, for a window that changes
  // it itself: an edit as the user types, a combo box as the user picks.
  // Any other window's text (a caption) is only ever what its control set,
  // and the control keeps it: false, and the window is not asked.
  virtual bool GetText(HWND Wnd, std::string& Text) const;
  virtual void SetText(HWND Wnd, const std::string& Text) const;
  virtual void SetBounds(HWND Wnd, const TRect& Bounds) const;
  virtual void ShowHide(HWND Wnd, bool Show) const;
  virtual void SetEnabled(HWND Wnd, bool Enabled) const;
  virtual void SetFont(HWND Wnd, const TFontDesc& Font) const;
};

// The entry of controls whose window has no state of its own beyond its
// text and place: forms, panels, sheets, group boxes, the spin buttons.
const TWSWinControl& WSWinControl();
