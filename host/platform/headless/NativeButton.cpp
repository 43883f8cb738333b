#include "NativeButton.h"

#include "NativePaint.h"
#include "Natives.h"
#include "TextMetrics.h"

// The native button ("BUTTON") in its kinds, as Windows' class keeps its
// state and answers the user: the button is pushed while the left button
// is held on it (or the space bar), and a release over it is a click: an
// automatic check box changes its state, and the owner hears BN_CLICKED. A
// two-state box takes a grey state as checked; a push button keeps none; a
// group box is a frame, and no click reaches it. Each kind paints itself as
// user32 draws it; an owner-drawn button asks its owner to draw it
// (CN_DRAWITEM).

namespace {

class TNativeButton : public TNativeWindow {
 public:
  LRESULT Handle(HWND Wnd, TMessage& M) override;
  void Paint(HWND Wnd, HDC DC) override;

 private:
  static DWORD Kind(HWND Wnd) { return GetWindowStyle(Wnd) & BS_TYPEMASK; }
  static WPARAM MostState(DWORD Kind);
  // The release of a press: a click when over the button (Inside).
  void Release(HWND Wnd, bool Inside);
  void PaintOwnerDrawn(HWND Wnd, HDC DC);
  void PaintPushButton(HWND Wnd, HDC DC);
  void PaintCheckBox(HWND Wnd, HDC DC);
  void PaintGroupBox(HWND Wnd, HDC DC);

  WPARAM FCheck = BST_UNCHECKED;
  bool FPushed = false;
};

WPARAM TNativeButton::MostState(DWORD Kind) {
  switch (Kind) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return BST_CHECKED;
    case BS_3STATE:
    case BS_AUTO3STATE:
      return BST_INDETERMINATE;
    default:
      return BST_UNCHECKED;
  }
}

void TNativeButton::Release(HWND Wnd, bool Inside) {
  if (!FPushed)
    return;
  FPushed = false;
  InvalidateRect(Wnd, nullptr, 1);
  if (!Inside)
    return;
  switch (Kind(Wnd)) {
    case BS_AUTOCHECKBOX:
      FCheck = FCheck == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED;
      break;
    case BS_AUTO3STATE:
      FCheck = (FCheck + 1) % 3;
      break;
    case BS_AUTORADIOBUTTON:
      FCheck = BST_CHECKED;
      break;
    default:
      break;
  }
  NotifyOwner(Wnd, BN_CLICKED);
}

void TNativeButton::Paint(HWND Wnd, HDC DC) {
  switch (Kind(Wnd)) {
    case BS_OWNERDRAW:
      PaintOwnerDrawn(Wnd, DC);
      break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      PaintCheckBox(Wnd, DC);
      break;
    case BS_GROUPBOX:
      PaintGroupBox(Wnd, DC);
      break;
    default:
      PaintPushButton(Wnd, DC);
      break;
  }
}

// A raised face (sunken while pushed) with the caption in its middle.
void TNativeButton::PaintPushButton(HWND Wnd, HDC DC) {
  const TWindowRecord* W = WindowRecord(Wnd);
  const TWindowFont Font(Wnd, DC);
  const TCtlColors Colors = CtlColors(Wnd, DC, CN_CTLCOLORBTN, COLOR_BTNFACE);
  const TRect R{0, 0, W->Width, W->Height};
  Pixels(DC, R, GetSysColor(COLOR_BTNFACE));
  TRect Edge = R;
  DrawEdge(DC, Edge, FPushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
  const std::string Text = StripAccelerator(W->Text);
  const int X = (W->Width - FontTextWidth(Font.Desc(), Text)) / 2;
  WriteCaption(DC, X, (W->Height - Font.Height()) / 2, W->Text, Colors.Text,
               IsWindowEnabled(Wnd) != 0);
}

// The box (white, sunken) with its tick, and the caption right of it.
void TNativeButton::PaintCheckBox(HWND Wnd, HDC DC) {
  const TWindowRecord* W = WindowRecord(Wnd);
  const TWindowFont Font(Wnd, DC);
  const TCtlColors Colors = CtlColors(Wnd, DC, CN_CTLCOLORSTATIC, COLOR_BTNFACE);
  const bool Enabled = IsWindowEnabled(Wnd) != 0;
  const int Y = (W->Height - 13) / 2;
  TRect Box{0, Y, 13, Y + 13};
  Pixels(DC, Box, GetSysColor(Enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  DrawEdge(DC, Box, EDGE_SUNKEN, BF_RECT);
  if (FCheck != BST_UNCHECKED) {
    const TPoint Tick[] = {{3, Y + 6}, {5, Y + 8}, {9, Y + 4}};
    Stroke(DC, Tick, 3, GetSysColor(Enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT), 2);
  }
  WriteCaption(DC, 17, (W->Height - Font.Height()) / 2, W->Text, Colors.Text, Enabled);
}

// The etched frame runs through the middle of the caption's line; the
// caption sits on it, eight pixels in, on the owner's background.
void TNativeButton::PaintGroupBox(HWND Wnd, HDC DC) {
  const TWindowRecord* W = WindowRecord(Wnd);
  const TWindowFont Font(Wnd, DC);
  const TCtlColors Colors = CtlColors(Wnd, DC, CN_CTLCOLORSTATIC, COLOR_BTNFACE);
  const int TH = Font.Height();
  const TRect R{0, TH / 2, W->Width, W->Height};
  const COLORREF Shadow = GetSysColor(COLOR_BTNSHADOW), Light = GetSysColor(COLOR_BTNHIGHLIGHT);
  FrameRect(DC, {R.Left, R.Top, R.Right - 1, R.Bottom - 1}, TSolid(Shadow));
  Line(DC, R.Left + 1, R.Top + 1, R.Right - 3, R.Top + 1, Light);
  Line(DC, R.Left + 1, R.Top + 1, R.Left + 1, R.Bottom - 3, Light);
  Line(DC, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1, Light);
  Line(DC, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1, Light);
  const std::string Text = StripAccelerator(W->Text);
  if (Text.empty())
    return;
  Pixels(DC, {6, 0, 8 + FontTextWidth(Font.Desc(), Text) + 2, TH}, Colors.Background);
  WriteCaption(DC, 8, 0, W->Text, Colors.Text, IsWindowEnabled(Wnd) != 0);
}

void TNativeButton::PaintOwnerDrawn(HWND Wnd, HDC DC) {
  const TWindowRecord* Record = WindowRecord(Wnd);
  TFontRecord Font{Record->Font};
  const HGDIOBJ Old = SelectObject(DC, &Font);
  DRAWITEMSTRUCT Item;
  Item.CtlType = ODT_BUTTON;
  Item.itemAction = ODA_DRAWENTIRE;
  Item.itemState = (FPushed ? ODS_SELECTED : 0) | (IsWindowEnabled(Wnd) ? 0 : ODS_DISABLED);
  Item.hwndItem = Wnd;
  Item.hDC = DC;
  Item.rcItem = TRect{0, 0, Record->Width, Record->Height};
  SendMessage(Wnd, CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&Item));
  SelectObject(DC, Old);
}

LRESULT TNativeButton::Handle(HWND Wnd, TMessage& M) {
  switch (M.Msg) {
    case BM_GETCHECK:
      return static_cast<LRESULT>(FCheck);
    case BM_SETCHECK: {
      const WPARAM Most = MostState(Kind(Wnd));
      FCheck = M.WParam > Most ? Most : M.WParam;
      InvalidateRect(Wnd, nullptr, 1);
      return 0;
    }
    case BM_GETSTATE:
      return static_cast<LRESULT>(FCheck | (FPushed ? BST_PUSHED : 0));
    case BM_SETSTYLE:
      if (TWindowRecord* Record = WindowRecord(Wnd))
        Record->Style = (Record->Style & ~0xFFFFu) | static_cast<DWORD>(M.WParam & 0xFFFF);
      return 0;
    case BM_CLICK:
      FPushed = Kind(Wnd) != BS_GROUPBOX;
      Release(Wnd, true);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FPushed = Kind(Wnd) != BS_GROUPBOX;
      InvalidateRect(Wnd, nullptr, 1);
      return 0;
    case WM_LBUTTONUP: {
      const TPoint P = PointOf(M.LParam);
      const TWindowRecord* Record = WindowRecord(Wnd);
      Release(Wnd, Record != nullptr && P.X >= 0 && P.Y >= 0 && P.X < Record->Width &&
                       P.Y < Record->Height);
      return 0;
    }
    case WM_KEYDOWN:
      if (M.WParam == VK_SPACE && Kind(Wnd) != BS_GROUPBOX)
        FPushed = true;
      return 0;
    case WM_KEYUP:
      if (M.WParam == VK_SPACE)
        Release(Wnd, true);
      return 0;
    default:
      return TNativeWindow::Handle(Wnd, M);
  }
}

struct TButtonRegistrar {
  TButtonRegistrar() {
    RegisterNativeClass("BUTTON", [] { return std::unique_ptr<TNativeWindow>(new TNativeButton); });
  }
} ButtonRegistrar;

}  // namespace
