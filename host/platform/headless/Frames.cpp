#include <algorithm>

#include "DrawRecorder.h"
#include "NativePaint.h"
#include "Natives.h"
#include "Painting.h"
#include "TextMetrics.h"
#include "WindowDrawing.h"
#include "Windows.h"
#include "WindowsGdi.h"

// What user32 draws around windows and as their 3-D edges, headless: a
// child's sunken client edge or plain border, and a top-level window's frame
// of Windows 95 to 2000 (a three-pixel raised edge, an 18-pixel caption bar
// with a one-pixel line under it, and the close box). The headless platform
// puts no frame into a top-level window's size: the frame lies around the
// client area, outside the window's own rectangle.

namespace {

constexpr int kFrame = 3;
constexpr int kTitle = 18;

void Stroke(HDC DC, TPoint From, TPoint To, COLORREF Color, int Width) {
  const TPoint Points[] = {From, To};
  ::Stroke(DC, Points, 2, Color, Width);
}

void Caption(HWND Wnd, HDC DC, const TWindowRecord& W) {
  const int Left = -kFrame, Top = -kFrame - kTitle - 1;
  const int Right = W.Width + kFrame, Bottom = W.Height + kFrame;
  Pixels(DC, {Left, Top, Right, Bottom}, GetSysColor(COLOR_BTNFACE));
  TRect Edge{Left, Top, Right, Bottom};
  DrawEdge(DC, Edge, EDGE_RAISED, BF_RECT);
  Pixels(DC, {Left + kFrame, Top + kFrame, Right - kFrame, Top + kFrame + kTitle},
         GetSysColor(W.Active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  TFontRecord Font{TFontDesc{"MS Sans Serif", 8, true}};
  const HGDIOBJ OldFont = SelectObject(DC, &Font);
  SetTextColor(DC, GetSysColor(W.Active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  SetBkMode(DC, TRANSPARENT);
  const TRect Clip{Left + kFrame, Top + kFrame, Right - kFrame - 20, Top + kFrame + kTitle};
  const std::string Title = GetWindowText(Wnd);
  ExtTextOutA(DC, Left + kFrame + 4, Top + kFrame + (kTitle - FontMetrics(Font.Desc).tmHeight) / 2,
              ETO_CLIPPED, &Clip, Title.c_str(), static_cast<int>(Title.size()));
  SelectObject(DC, OldFont);
  // The close box at the right of the caption.
  const TRect Close{Right - kFrame - 18, Top + kFrame + 2, Right - kFrame - 2, Top + kFrame + 16};
  Pixels(DC, Close, GetSysColor(COLOR_BTNFACE));
  Line(DC, Close.Left, Close.Top, Close.Right - 2, Close.Top, GetSysColor(COLOR_BTNHIGHLIGHT));
  Line(DC, Close.Left, Close.Top, Close.Left, Close.Bottom - 2, GetSysColor(COLOR_BTNHIGHLIGHT));
  Line(DC, Close.Left, Close.Bottom - 1, Close.Right - 1, Close.Bottom - 1,
       GetSysColor(COLOR_3DDKSHADOW));
  Line(DC, Close.Right - 1, Close.Top, Close.Right - 1, Close.Bottom - 1,
       GetSysColor(COLOR_3DDKSHADOW));
  Stroke(DC, {Close.Left + 4, Close.Top + 3}, {Close.Right - 5, Close.Bottom - 4},
         GetSysColor(COLOR_BTNTEXT), 2);
  Stroke(DC, {Close.Right - 5, Close.Top + 3}, {Close.Left + 4, Close.Bottom - 4},
         GetSysColor(COLOR_BTNTEXT), 2);
}

}  // namespace

bool HasFrame(HWND Wnd) {
  const TWindowRecord* W = WindowRecord(Wnd);
  if (W == nullptr)
    return false;
  if ((W->Style & WS_CHILD) == 0)
    return (W->Style & WS_CAPTION) == WS_CAPTION;
  return (W->ExStyle & WS_EX_CLIENTEDGE) != 0 || (W->Style & (WS_BORDER | WS_VSCROLL)) != 0;
}

void PaintWindowFrame(HWND Wnd) {
  const TWindowRecord* W = WindowRecord(Wnd);
  if (W == nullptr || !HasFrame(Wnd))
    return;
  TDisplayList& List = FrameRecording(Wnd);
  List.Clear();
  const HDC DC = CreateRecordingDC(&List, nullptr);
  if ((W->Style & WS_CHILD) == 0) {
    Caption(Wnd, DC, *W);
  } else if ((W->ExStyle & WS_EX_CLIENTEDGE) != 0) {
    TRect R{0, 0, W->Width, W->Height};
    DrawEdge(DC, R, EDGE_SUNKEN, BF_RECT);
  } else if ((W->Style & WS_BORDER) != 0) {
    FrameRect(DC, {0, 0, W->Width, W->Height}, TSolid(GetSysColor(COLOR_WINDOWTEXT)));
  }
  // What the class adds: a list's scroll bar.
  if (IsWindow(Wnd))
    WindowRecord(Wnd)->Native->PaintFrame(Wnd, DC);
  DeleteDC(DC);
}

TPoint WindowClientOffset(HWND Wnd) {
  const TWindowRecord* Record = WindowRecord(Wnd);
  if (Record == nullptr || (Record->Style & WS_CHILD) == 0)
    return {};
  const int Edge = (Record->ExStyle & WS_EX_CLIENTEDGE) != 0 ? 2
                   : (Record->Style & WS_BORDER) != 0        ? 1
                                                             : 0;
  return {Edge, Edge};
}

BOOL GetClientRect(HWND Wnd, TRect& R) {
  const TWindowRecord* Record = WindowRecord(Wnd);
  if (Record == nullptr)
    return 0;
  const TPoint Inside = WindowClientOffset(Wnd);
  const int Bar = (Record->Style & WS_VSCROLL) != 0 ? kScrollBarWidth : 0;
  R = {0, 0, std::max(0, Record->Width - 2 * Inside.X - Bar),
       std::max(0, Record->Height - 2 * Inside.Y)};
  return 1;
}

BOOL DrawEdge(HDC DC, TRect& R, UINT Edge, UINT Flags) {
  if (DC == nullptr)
    return 0;
  // Each ring: its lit colour (top and left) and shaded one (bottom and
  // right), as user32 picks them; a push button's soft edge swaps the
  // outer and inner lit colours of a raised one.
  const bool Soft = (Flags & BF_SOFT) != 0;
  const auto Ring = [Soft](UINT Raised, UINT Sunken, bool Outer, COLORREF& Lit, COLORREF& Shade) {
    if ((Raised | Sunken) == 0)
      return false;
    const bool Up = Raised != 0;
    if (Outer) {
      Lit = GetSysColor(Up ? (Soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT) : COLOR_BTNSHADOW);
      Shade = GetSysColor(Up ? COLOR_3DDKSHADOW : COLOR_BTNHIGHLIGHT);
    } else {
      Lit = GetSysColor(Up ? (Soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT) : COLOR_3DDKSHADOW);
      Shade = GetSysColor(Up ? COLOR_BTNSHADOW : COLOR_3DLIGHT);
    }
    return true;
  };
  TRect Inner = R;
  COLORREF Lit = 0, Shade = 0;
  for (const bool Outer : {true, false}) {
    const bool Has = Outer
                         ? Ring(Edge & BDR_RAISEDOUTER, Edge & BDR_SUNKENOUTER, true, Lit, Shade)
                         : Ring(Edge & BDR_RAISEDINNER, Edge & BDR_SUNKENINNER, false, Lit, Shade);
    if (!Has)
      continue;
    const TRect& B = Inner;
    if ((Flags & BF_TOP) != 0)
      Line(DC, B.Left, B.Top, B.Right - 2, B.Top, Lit);
    if ((Flags & BF_LEFT) != 0)
      Line(DC, B.Left, B.Top, B.Left, B.Bottom - 2, Lit);
    if ((Flags & BF_BOTTOM) != 0)
      Line(DC, B.Left, B.Bottom - 1, B.Right - 1, B.Bottom - 1, Shade);
    if ((Flags & BF_RIGHT) != 0)
      Line(DC, B.Right - 1, B.Top, B.Right - 1, B.Bottom - 1, Shade);
    Inner = {Inner.Left + 1, Inner.Top + 1, Inner.Right - 1, Inner.Bottom - 1};
  }
  if ((Flags & BF_MIDDLE) != 0)
    Pixels(DC, Inner, GetSysColor(COLOR_BTNFACE));
  if ((Flags & BF_ADJUST) != 0)
    R = Inner;
  return 1;
}
