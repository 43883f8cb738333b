#include "CustomEdit.h"

#include <algorithm>

#include "NativeEdit.h"

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  TControlStyle Style{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  // Without the new-style controls the edit draws a frame of its own.
  if (!NewStyleControls())
    Style.Include(csFramed);
  SetControlStyle(Style);
  SetBounds(0, 0, 121, 25);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomEdit::~TCustomEdit() {
  Destroying();
  DestroyHandle();
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (OwnsWindow())
    WSCustomEdit().SetReadOnly(FHandle, Value);
}

void TCustomEdit::SetAutoSize(bool Value) {
  if (Value == FAutoSize)
    return;
  FAutoSize = Value;
  if (Value)
    AdjustHeight();
}

void TCustomEdit::SetMaxLength(int Value) {
  FMaxLength = std::max(0, Value);
  if (OwnsWindow())
    WSCustomEdit().SetMaxLength(FHandle, FMaxLength);
}

int TCustomEdit::SelStart() {
  int Start = 0, End = 0;
  WSCustomEdit().GetSel(Handle(), Start, End);
  return Start;
}

void TCustomEdit::SetSelStart(int Value) {
  WSCustomEdit().SetSel(Handle(), Value, Value);
}

int TCustomEdit::SelLength() {
  int Start = 0, End = 0;
  WSCustomEdit().GetSel(Handle(), Start, End);
  return End - Start;
}

void TCustomEdit::SetSelLength(int Value) {
  const int Start = SelStart();
  WSCustomEdit().SetSel(Handle(), Start, Start + std::max(0, Value));
}

std::string TCustomEdit::SelText() {
  const auto Start = static_cast<std::size_t>(SelStart());
  const auto Length = static_cast<std::size_t>(SelLength());
  const std::string S = Text();
  return Start < S.size() ? S.substr(Start, Length) : std::string();
}

void TCustomEdit::SetSelText(const std::string& Value) {
  WSCustomEdit().SetSelText(Handle(), Value);
}

void TCustomEdit::SelectAll() {
  WSCustomEdit().SetSel(Handle(), 0, -1);
}

void TCustomEdit::ClearSelection() {
  SendMessage(Handle(), WM_CLEAR, 0, 0);
}

void TCustomEdit::CutToClipboard() {
  SendMessage(Handle(), WM_CUT, 0, 0);
}

void TCustomEdit::CopyToClipboard() {
  SendMessage(Handle(), WM_COPY, 0, 0);
}

void TCustomEdit::PasteFromClipboard() {
  SendMessage(Handle(), WM_PASTE, 0, 0);
}

int TCustomEdit::BorderWidth() const {
  return NewStyleControls() && Ctl3D() ? 2 : 1;
}

TRect TCustomEdit::ClientRect() const {
  const int B = BorderWidth();
  return {0, 0, std::max(0, Width() - 2 * B), std::max(0, Height() - 2 * B)};
}

void TCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == EN_CHANGE)
        Change();
      break;
    case CM_TEXTCHANGED:
      TWinControl::WndProc(Message);
      // A multi-line edit reports no change for WM_SETTEXT, and without a
      // window there is nobody to report it: the control raises it itself.
      if (!HandleAllocated() || (GetWindowStyle(FHandle) & ES_MULTILINE) != 0)
        Change();
      break;
    default:
      TWinControl::WndProc(Message);
  }
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = WC_EDIT;
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | (FReadOnly ? ES_READONLY : 0);
  // The new-style edit has a sunken client edge instead of a plain border.
  if (NewStyleControls() && Ctl3D())
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  else
    Params.Style |= WS_BORDER;
}

// The window is made with the text the control kept as its name, which
// raises no change.
void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  WSCustomEdit().SetMaxLength(FHandle, FMaxLength);
  // A new window reports its size, as CreateWindowEx does.
  SendMessage(FHandle, WM_SIZE, 0, 0);
  if (FAutoSize)
    AdjustHeight();
}

void TCustomEdit::BoundsChanged() {
  const bool Resized = OwnsWindow() && (WindowRecord(FHandle)->Width != Width() ||
                                        WindowRecord(FHandle)->Height != Height());
  TWinControl::BoundsChanged();
  // The window reports a new size to its control, as SetWindowPos makes it.
  if (Resized && OwnsWindow())
    SendMessage(FHandle, WM_SIZE, 0, 0);
}

void TCustomEdit::FontChanged() {
  TWinControl::FontChanged();
  // The height follows the font at once, window or not, as the VCL's
  // CM_FONTCHANGED does; AdjustHeight needs only a screen DC. A form's code
  // that places an edit by its height before the window exists (a quarter
  // of it above a label's top) then sees the height it will have.
  if (FAutoSize)
    AdjustHeight();
}

void TCustomEdit::Change() {
  Invalidate();
  if (FOnChange.Assigned())
    FOnChange(this);
}

void TCustomEdit::CMEnter(TMessage& Message) {
  // A multi-line edit keeps its selection when it gets the focus.
  if (FAutoSelect && !ControlState().Contains(csLButtonDown) &&
      (GetWindowStyle(Handle()) & ES_MULTILINE) == 0)
    SelectAll();
  TWinControl::CMEnter(Message);
}

void TCustomEdit::CMCtl3DChanged(TMessage& Message) {
  // The border is part of the window's style: a new look needs a new window.
  if (NewStyleControls())
    RecreateWnd();
  TWinControl::CMCtl3DChanged(Message);
}

void TCustomEdit::WMSize(TMessage& Message) {
  // SetBounds has laid out and announced the new size already; the report
  // of the window only concerns the window class.
  DefaultHandler(Message);
}

void TCustomEdit::AdjustHeight() {
  HDC DC = GetDC(nullptr);
  TEXTMETRIC SysMetrics, Metrics;
  GetTextMetricsA(DC, SysMetrics);
  HGDIOBJ SaveFont = SelectObject(DC, Font()->Handle());
  GetTextMetricsA(DC, Metrics);
  SelectObject(DC, SaveFont);
  ReleaseDC(nullptr, DC);
  int I;
  if (NewStyleControls()) {
    I = GetSystemMetrics(SM_CYBORDER) * (Ctl3D() ? 8 : 6);
  } else {
    I = std::min(SysMetrics.tmHeight, Metrics.tmHeight);
    I = I / 4 + GetSystemMetrics(SM_CYBORDER) * 4;
  }
  SetHeight(Metrics.tmHeight + I);
}
