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

std::string TCustomEdit::Text() const {
  // Reading the text asks the window, which is what changes nothing of the
  // control even though Perform is not a const operation.
  auto* Self = const_cast<TCustomEdit*>(this);
  const auto Length = static_cast<std::size_t>(Self->Perform(WM_GETTEXTLENGTH, 0, 0));
  std::string Buffer(Length + 1, '\0');
  const auto Copied = static_cast<std::size_t>(
      Self->Perform(WM_GETTEXT, Buffer.size(), reinterpret_cast<LPARAM>(Buffer.data())));
  Buffer.resize(std::min(Copied, Length));
  return Buffer;
}

void TCustomEdit::SetText(const std::string& Value) {
  if (Text() == Value)
    return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (OwnsWindow())
    SendMessage(FHandle, EM_SETREADONLY, Value ? 1 : 0, 0);
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
    SendMessage(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

int TCustomEdit::SelStart() {
  DWORD Start = 0, End = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&Start),
              reinterpret_cast<LPARAM>(&End));
  return static_cast<int>(Start);
}

void TCustomEdit::SetSelStart(int Value) {
  SendMessage(Handle(), EM_SETSEL, static_cast<WPARAM>(Value), Value);
}

int TCustomEdit::SelLength() {
  DWORD Start = 0, End = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&Start),
              reinterpret_cast<LPARAM>(&End));
  return static_cast<int>(End - Start);
}

void TCustomEdit::SetSelLength(int Value) {
  const int Start = SelStart();
  SendMessage(Handle(), EM_SETSEL, static_cast<WPARAM>(Start), Start + std::max(0, Value));
}

std::string TCustomEdit::SelText() {
  const auto Start = static_cast<std::size_t>(SelStart());
  const auto Length = static_cast<std::size_t>(SelLength());
  const std::string S = Text();
  return Start < S.size() ? S.substr(Start, Length) : std::string();
}

void TCustomEdit::SetSelText(const std::string& Value) {
  SendMessage(Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() {
  SendMessage(Handle(), EM_SETSEL, 0, -1);
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
      if (HIWORD(Message.WParam) == EN_CHANGE && !FCreating)
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

void TCustomEdit::DefaultHandler(TMessage& Message) {
  if (FHandle != nullptr) {
    TWinControl::DefaultHandler(Message);
    return;
  }
  // Without a window the control keeps the text itself.
  switch (Message.Msg) {
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(FText.size());
      break;
    case WM_GETTEXT: {
      auto* Buffer = reinterpret_cast<char*>(Message.LParam);
      if (Buffer == nullptr || Message.WParam == 0)
        break;
      const std::size_t n = std::min<std::size_t>(FText.size(), Message.WParam - 1);
      std::copy_n(FText.data(), n, Buffer);
      Buffer[n] = '\0';
      Message.Result = static_cast<LRESULT>(n);
      break;
    }
    case WM_SETTEXT: {
      const char* S = reinterpret_cast<const char*>(Message.LParam);
      FText = S != nullptr ? S : "";
      Message.Result = 1;
      break;
    }
    default:
      TWinControl::DefaultHandler(Message);
  }
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = WC_EDIT;
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | (FReadOnly ? ES_READONLY : 0);
  // The new-style edit has a sunken client edge instead of a plain border.
  if (!(NewStyleControls() && Ctl3D()))
    Params.Style |= WS_BORDER;
}

void TCustomEdit::CreateWnd() {
  {
    FCreating = true;
    struct Guard {
      bool& Flag;
      ~Guard() { Flag = false; }
    } G{FCreating};
    TWinControl::CreateWnd();
    // The substitute's CreateWindowEx takes no window name: the text that the
    // control kept goes into the new window at once.
    SendMessage(FHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FText.c_str()));
    FText.clear();
  }
  SendMessage(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  // A new window reports its size, as CreateWindowEx does.
  SendMessage(FHandle, WM_SIZE, 0, 0);
  if (FAutoSize)
    AdjustHeight();
}

void TCustomEdit::DestroyWnd() {
  // The text outlives the window, so that a recreated window shows it again.
  if (OwnsWindow() && !IsDestroying())
    FText = Text();
  TWinControl::DestroyWnd();
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

void TCustomEdit::ShowingChanged() {
  // A windowed control gets its window when it comes on the screen, as the
  // VCL's do; an edit's height depends on it.
  if (Showing() && !HandleAllocated())
    HandleNeeded();
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
