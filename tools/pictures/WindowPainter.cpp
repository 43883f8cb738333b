#include "WindowPainter.h"

#include <algorithm>
#include <vector>

#include "Graphics.h"
#include "WindowDrawing.h"

namespace {

// What the drawing code gave as a colour, as the picture takes it: a system
// colour marked by a high byte (the VCL's 0x80 or 0xFF, or the platform's)
// is this host's system colour of the index.
TColor HostColor(std::uint32_t Color) {
  const auto Value = static_cast<TColor>(Color);
  if (Value == clNone || Value == clDefault || (Color & 0xFF000000u) == 0)
    return Value;
  return SystemColor(static_cast<int>(Color & 0xFF));
}

// A text clipped to the whole plane has no clip of its own.
bool Unclipped(const TRect& R) {
  return R.Left <= -100000 && R.Right >= 100000;
}

// The windows directly below Parent, oldest first.
struct TChildren {
  HWND Parent;
  std::vector<HWND> Found;
};

BOOL CollectChild(HWND Wnd, LPARAM Param) {
  auto& C = *reinterpret_cast<TChildren*>(Param);
  if (GetParent(Wnd) == C.Parent)
    C.Found.push_back(Wnd);
  return 1;
}

std::vector<HWND> Children(HWND Parent) {
  TChildren C{Parent, {}};
  EnumChildWindows(Parent, &CollectChild, reinterpret_cast<LPARAM>(&C));
  std::sort(C.Found.begin(), C.Found.end(),
            [](HWND A, HWND B) { return WindowRecord(A)->Order < WindowRecord(B)->Order; });
  return C.Found;
}

}  // namespace

TRect WindowPictureBounds(HWND Wnd) {
  const TWindowRecord* W = WindowRecord(Wnd);
  if (W == nullptr)
    return {};
  const TPoint Inside = WindowClientOffset(Wnd);
  TRect R{-Inside.X, -Inside.Y, W->Width - Inside.X, W->Height - Inside.Y};
  if (const TDisplayList* Frame = WindowFrameDrawing(Wnd))
    for (const TDisplayItem& I : Frame->Items())
      if (I.Kind == TDisplayItem::dkFillRect || I.Kind == TDisplayItem::dkFrameRect)
        R = {std::min(R.Left, I.Rect.Left - Inside.X), std::min(R.Top, I.Rect.Top - Inside.Y),
             std::max(R.Right, I.Rect.Right - Inside.X),
             std::max(R.Bottom, I.Rect.Bottom - Inside.Y)};
  return R;
}

void TWindowPainter::Paint(HWND Wnd, int X, int Y) {
  const TWindowRecord* W = WindowRecord(Wnd);
  if (W == nullptr || (W->Style & WS_VISIBLE) == 0)
    return;
  const TPoint Inside = WindowClientOffset(Wnd);
  const bool Child = (W->Style & WS_CHILD) != 0;
  // The frame, in the window's own coordinates; a child's is cut to its
  // place, a top-level window's lies around it.
  if (const TDisplayList* Frame = WindowFrameDrawing(Wnd)) {
    if (Child)
      FPic.Begin(X - Inside.X, Y - Inside.Y, {0, 0, W->Width, W->Height});
    else
      FPic.Begin(X, Y);
    Replay(*Frame);
    FPic.End();
  }
  PaintClient(Wnd, X, Y);
}

void TWindowPainter::PaintClient(HWND Wnd, int X, int Y) {
  const TWindowRecord* W = WindowRecord(Wnd);
  if (W == nullptr || (W->Style & WS_VISIBLE) == 0)
    return;
  TRect Client;
  GetClientRect(Wnd, Client);
  FPic.Begin(X, Y, Client);
  if (const TDisplayList* Drawing = WindowDrawing(Wnd))
    Replay(*Drawing);
  for (HWND C : Children(Wnd)) {
    const TWindowRecord* CW = WindowRecord(C);
    const TPoint CI = WindowClientOffset(C);
    Paint(C, CW->Left + CI.X, CW->Top + CI.Y);
  }
  FPic.End();
}

void TWindowPainter::Replay(const TDisplayList& List) {
  for (const TDisplayItem& I : List.Items()) {
    if (I.Clipped)
      FPic.BeginClip(I.Clip);
    switch (I.Kind) {
      case TDisplayItem::dkFillRect:
        FPic.FillRect(I.Rect, HostColor(I.Color));
        break;
      case TDisplayItem::dkFrameRect:
        FPic.FrameRect(I.Rect, HostColor(I.Color));
        break;
      case TDisplayItem::dkText: {
        const bool Clip = !Unclipped(I.Rect);
        if (Clip)
          FPic.BeginClip(I.Rect);
        FPic.Text(I.X, I.Y, I.Text, {I.Font, false}, HostColor(I.Color));
        if (Clip)
          FPic.End();
        break;
      }
      case TDisplayItem::dkPolyline:
        FPic.Polyline(I.Points, HostColor(I.Color), I.PenWidth);
        break;
      case TDisplayItem::dkEllipse:
        FPic.Circle((I.Rect.Left + I.Rect.Right) / 2, (I.Rect.Top + I.Rect.Bottom) / 2,
                    I.Rect.Width() / 2, I.Opaque ? HostColor(I.BkColor) : clNone,
                    I.Color == 0x1FFFFFFFu ? clNone : HostColor(I.Color));
        break;
      // A note of an image shows nothing: its picture follows it; the
      // state a DC save keeps is in every item already; a later paint took
      // back what it drew anew.
      case TDisplayItem::dkImage:
      case TDisplayItem::dkSaveDC:
      case TDisplayItem::dkRestoreDC:
      case TDisplayItem::dkTakenBack:
        break;
    }
    if (I.Clipped)
      FPic.End();
  }
}
