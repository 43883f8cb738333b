#include "NativeButton.h"

#include "Natives.h"

// The native button ("BUTTON") in its kinds, as Windows' class keeps its
// state and answers the user: the button is pushed while the left button
// is held on it (or the space bar), and a release over it is a click: an
// automatic check box changes its state, and the owner hears BN_CLICKED. A
// two-state box takes a grey state as checked; a push button keeps none; a
// group box is a frame, and no click reaches it. An owner-drawn button asks
// its owner to draw it (CN_DRAWITEM) when it is printed.

namespace {

class TNativeButton : public TNativeWindow {
 public:
  LRESULT Handle(HWND Wnd, TMessage& M) override;

 private:
  static DWORD Kind(HWND Wnd) { return GetWindowStyle(Wnd) & BS_TYPEMASK; }
  static WPARAM MostState(DWORD Kind);
  // The release of a press: a click when over the button (Inside).
  void Release(HWND Wnd, bool Inside);
  void Print(HWND Wnd, HDC DC);

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

void TNativeButton::Print(HWND Wnd, HDC DC) {
  const TWindowRecord* Record = WindowRecord(Wnd);
  if (DC == nullptr || Record == nullptr || Kind(Wnd) != BS_OWNERDRAW)
    return;
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
    case WM_PRINTCLIENT:
      Print(Wnd, reinterpret_cast<HDC>(M.WParam));
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
