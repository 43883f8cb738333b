#include <algorithm>
#include <memory>

#include "CommCtrl.h"
#include "NativePaint.h"
#include "Natives.h"

// The headless up-down control, as a tab control uses it: two raised
// buttons side by side with an arrow each, the left one pointing left. A
// press on an arrow moves the position one step within the range and tells
// the parent; an arrow that can go no further is greyed.

const char* const UPDOWN_CLASS = "msctls_updown32";

namespace {

class TNativeUpDown : public TNativeWindow {
 public:
  LRESULT Handle(HWND Wnd, TMessage& M) override {
    switch (M.Msg) {
      case UDM_SETRANGE32: {
        const int Was = Look();
        FLow = static_cast<int>(M.WParam);
        FHigh = static_cast<int>(M.LParam);
        FPos = std::clamp(FPos, FLow, std::max(FLow, FHigh));
        Redraw(Wnd, Was);
        return 0;
      }
      case UDM_GETRANGE32:
        if (M.WParam != 0)
          *reinterpret_cast<int*>(M.WParam) = FLow;
        if (M.LParam != 0)
          *reinterpret_cast<int*>(M.LParam) = FHigh;
        return 0;
      case UDM_SETPOS32: {
        const int Old = FPos, Was = Look();
        FPos = std::clamp(static_cast<int>(M.LParam), FLow, std::max(FLow, FHigh));
        Redraw(Wnd, Was);
        return Old;
      }
      case UDM_GETPOS32:
        return FPos;
      case WM_LBUTTONDOWN: {
        const TWindowRecord* W = WindowRecord(Wnd);
        const int X = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(M.LParam)));
        const int Next =
            std::clamp(FPos + (X < W->Width / 2 ? -1 : 1), FLow, std::max(FLow, FHigh));
        if (Next == FPos)
          return 0;
        const int Was = Look();
        FPos = Next;
        Redraw(Wnd, Was);
        SendMessage(GetParent(Wnd), WM_HSCROLL,
                    MAKEWPARAM(SB_THUMBPOSITION, static_cast<unsigned>(FPos)),
                    reinterpret_cast<LPARAM>(Wnd));
        return 0;
      }
      default:
        return TNativeWindow::Handle(Wnd, M);
    }
  }

  void Paint(HWND Wnd, HDC DC) override {
    const TWindowRecord* W = WindowRecord(Wnd);
    const int Half = W->Width / 2;
    Arrow(DC, {0, 0, Half, W->Height}, true, CanGoBack());
    Arrow(DC, {Half, 0, W->Width, W->Height}, false, CanGoOn());
  }

 private:
  bool CanGoBack() const { return FPos > FLow; }
  bool CanGoOn() const { return FPos < FHigh; }
  // What the arrows show: which of them can go further.
  int Look() const { return (CanGoBack() ? 1 : 0) | (CanGoOn() ? 2 : 0); }
  // Only an arrow that greyed or came back is drawn again: the range and
  // the position themselves do not show.
  void Redraw(HWND Wnd, int Was) const {
    if (Look() != Was)
      InvalidateRect(Wnd, nullptr, 1);
  }
  // A raised button with a small solid triangle in its middle.
  static void Arrow(HDC DC, const TRect& R, bool Left, bool Enabled) {
    TRect Edge = R;
    DrawEdge(DC, Edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    const COLORREF Ink = GetSysColor(Enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    const int CX = (R.Left + R.Right) / 2, CY = (R.Top + R.Bottom) / 2;
    // Columns of 1, 3, 5 and 7 pixels from the point outwards.
    for (int i = 0; i < 4; ++i) {
      const int X = Left ? CX - 2 + i : CX + 1 - i;
      Line(DC, X, CY - i, X, CY + i, Ink);
    }
  }

  int FLow = 0, FHigh = 0, FPos = 0;
};

struct TUpDownRegistrar {
  TUpDownRegistrar() {
    RegisterNativeClass(UPDOWN_CLASS,
                        [] { return std::unique_ptr<TNativeWindow>(new TNativeUpDown); });
  }
} UpDownRegistrar;

}  // namespace
