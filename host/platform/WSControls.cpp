#include "WSControls.h"

#include "CommCtrl.h"
#include "NativeButton.h"
#include "WSStdCtrls.h"

// What the entries do alike on both platforms: the window's text, place,
// visibility, font and the standard controls' own state go through the
// platform's calls and the window classes' messages, which each backend
// answers in its own way. Each backend names its entry per class
// (headless/WidgetSet.cpp, win32/WidgetSet.cpp), overriding what it does
// differently.

HWND TWSWinControl::CreateHandle(const TWSCreateParams& Params) const {
  const HWND Wnd = CreateWindowEx(Params.ClassName, Params.Style, Params.Proc, Params.Parent,
                                  Params.Bounds, Params.Caption, Params.ExStyle);
  if (Wnd != nullptr)
    SetFont(Wnd, Params.Font);
  return Wnd;
}

void TWSWinControl::DestroyHandle(HWND Wnd) const {
  DestroyWindow(Wnd);
}

bool TWSWinControl::GetText(HWND, std::string&) const {
  return false;
}

void TWSWinControl::SetText(HWND Wnd, const std::string& Text) const {
  SetWindowText(Wnd, Text);
}

void TWSWinControl::SetBounds(HWND Wnd, const TRect& Bounds) const {
  SetWindowPos(Wnd, nullptr, Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWSWinControl::ShowHide(HWND Wnd, bool Show) const {
  ShowWindow(Wnd, Show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWSWinControl::SetEnabled(HWND Wnd, bool Enabled) const {
  EnableWindow(Wnd, Enabled ? 1 : 0);
}

// The font is the window class's business: it goes to the class straight,
// also while the window is being made and its control has no handle yet.
void TWSWinControl::SetFont(HWND Wnd, const TFontDesc& Font) const {
  TFontRecord Record{Font};
  TMessage Message{WM_SETFONT, reinterpret_cast<WPARAM>(&Record), 1, 0};
  CallDefWindowProc(Wnd, Message);
}

void TWSButton::SetDefault(HWND Wnd, bool Default) const {
  const DWORD Kind = GetWindowStyle(Wnd) & BS_TYPEMASK;
  if (Kind != BS_PUSHBUTTON && Kind != BS_DEFPUSHBUTTON)
    return;
  SendMessage(Wnd, BM_SETSTYLE, Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 1);
}

WPARAM TWSCustomCheckBox::RetrieveState(HWND Wnd) const {
  return static_cast<WPARAM>(SendMessage(Wnd, BM_GETCHECK, 0, 0));
}

void TWSCustomCheckBox::SetState(HWND Wnd, WPARAM State) const {
  SendMessage(Wnd, BM_SETCHECK, State, 0);
}

bool TWSCustomEdit::GetText(HWND Wnd, std::string& Text) const {
  Text = GetWindowText(Wnd);
  return true;
}

bool TWSCustomComboBox::GetText(HWND Wnd, std::string& Text) const {
  Text = GetWindowText(Wnd);
  return true;
}

void TWSCustomEdit::GetSel(HWND Wnd, int& Start, int& End) const {
  DWORD S = 0, E = 0;
  SendMessage(Wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&S), reinterpret_cast<LPARAM>(&E));
  Start = static_cast<int>(S);
  End = static_cast<int>(E);
}

void TWSCustomEdit::SetSel(HWND Wnd, int Start, int End) const {
  SendMessage(Wnd, EM_SETSEL, static_cast<WPARAM>(Start), End);
}

void TWSCustomEdit::SetSelText(HWND Wnd, const std::string& Text) const {
  SendMessage(Wnd, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Text.c_str()));
}

void TWSCustomEdit::SetReadOnly(HWND Wnd, bool ReadOnly) const {
  SendMessage(Wnd, EM_SETREADONLY, ReadOnly ? 1 : 0, 0);
}

void TWSCustomEdit::SetMaxLength(HWND Wnd, int Length) const {
  SendMessage(Wnd, EM_LIMITTEXT, static_cast<WPARAM>(Length), 0);
}
