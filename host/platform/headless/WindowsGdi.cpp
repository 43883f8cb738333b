#include <algorithm>
#include <utility>

#include "DisplayList.h"
#include "DrawRecorder.h"
#include "NativePaint.h"
#include "Natives.h"
#include "TextMetrics.h"
#include "Windows.h"

// A headless DC only records, into the display list it was made with (a
// window's picture of its paint, a canvas's own, a print's); a DC without a
// list measures only.
struct TDeviceContext {
  TDrawRecorder Recorder;
  HWND Wnd = nullptr;
  std::vector<TRect> Parts;  // a paint's (see PaintParts)
};

namespace {
const TFontDesc& DescOf(HDC DC) {
  return DC->Recorder.State.Font->Desc;
}
}  // namespace

int GetSystemMetrics(int Index) {
  switch (Index) {
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    default:
      return 0;
  }
}

HFONT SystemFont() {
  static TFontRecord Font{TFontDesc{"System", 10, true}};
  return &Font;
}

HDC GetDC(HWND Wnd) {
  auto* DC = new TDeviceContext;
  DC->Wnd = Wnd;
  DC->Recorder.State.Font = SystemFont();
  return DC;
}

int ReleaseDC(HWND Wnd, HDC DC) {
  (void)Wnd;
  delete DC;
  return 1;
}

HDC CreateRecordingDC(TDisplayList* List, HFONT Font) {
  auto* DC = new TDeviceContext;
  DC->Recorder.List = List;
  DC->Recorder.State.Font = Font != nullptr ? Font : SystemFont();
  return DC;
}

void DeleteDC(HDC DC) {
  delete DC;
}

const std::vector<TRect>& PaintParts(HDC DC) {
  return DC->Parts;
}

void SetPaintParts(HDC DC, std::vector<TRect> Parts) {
  DC->Parts = std::move(Parts);
}

TRect ClipBox(HDC DC) {
  const TDrawState& S = DC->Recorder.State;
  if (!S.Clipped)
    return {-100000, -100000, 100000, 100000};
  return {S.Clip.Left - S.Origin.X, S.Clip.Top - S.Origin.Y, S.Clip.Right - S.Origin.X,
          S.Clip.Bottom - S.Origin.Y};
}

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Obj) {
  // Fonts come this way; brushes and pens have their own.
  HFONT Old = DC->Recorder.State.Font;
  if (Obj != nullptr)
    DC->Recorder.State.Font = static_cast<HFONT>(Obj);
  return Old;
}

HBRUSH SelectObject(HDC DC, HBRUSH Brush) {
  return std::exchange(DC->Recorder.State.Brush, Brush);
}

HPEN SelectObject(HDC DC, HPEN Pen) {
  return std::exchange(DC->Recorder.State.Pen, Pen);
}

HBRUSH CreateSolidBrush(COLORREF Color) {
  return new TBrushRecord{Color, nullptr};
}

HPEN CreatePen(int Style, int Width, COLORREF Color) {
  (void)Style;
  return new TPenRecord{Color, std::max(1, Width), nullptr};
}

BOOL DeleteObject(HBRUSH Brush) {
  delete Brush;
  return 1;
}

BOOL DeleteObject(HPEN Pen) {
  delete Pen;
  return 1;
}

COLORREF GetSysColor(int Index) {
  return 0xFF000000u | static_cast<COLORREF>(Index & 0xFF);
}

int FillRect(HDC DC, const TRect& R, HBRUSH Brush) {
  if (DC == nullptr || Brush == nullptr)
    return 0;
  DC->Recorder.Fill(R, Brush->Color);
  return 1;
}

int FrameRect(HDC DC, const TRect& R, HBRUSH Brush) {
  if (DC == nullptr || Brush == nullptr)
    return 0;
  DC->Recorder.Frame(R, Brush->Color);
  return 1;
}

BOOL Polyline(HDC DC, const TPoint* Points, int Count) {
  if (DC == nullptr || Points == nullptr || Count < 2)
    return 0;
  DC->Recorder.Polyline(Points, Count);
  return 1;
}

BOOL Ellipse(HDC DC, int Left, int Top, int Right, int Bottom) {
  if (DC == nullptr)
    return 0;
  DC->Recorder.Ellipse({Left, Top, Right, Bottom});
  return 1;
}

int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom) {
  return DC != nullptr ? DC->Recorder.IntersectClip({Left, Top, Right, Bottom}) : 0;
}

BOOL OffsetViewportOrgEx(HDC DC, int DX, int DY, TPoint* Old) {
  if (DC == nullptr)
    return 0;
  TPoint& Origin = DC->Recorder.State.Origin;
  if (Old != nullptr)
    *Old = Origin;
  Origin.X += DX;
  Origin.Y += DY;
  return 1;
}

BOOL GetViewportOrgEx(HDC DC, TPoint& Origin) {
  if (DC == nullptr)
    return 0;
  Origin = DC->Recorder.State.Origin;
  return 1;
}

BOOL GdiComment(HDC DC, int X, int Y, const TImageNote& Note) {
  if (DC == nullptr)
    return 0;
  DC->Recorder.Image(X, Y, Note);
  return 1;
}

BOOL GetTextMetricsA(HDC DC, TEXTMETRIC& Metrics) {
  Metrics = FontMetrics(DescOf(DC));
  return 1;
}

int SaveDC(HDC DC) {
  return DC->Recorder.Save();
}

BOOL RestoreDC(HDC DC, int SavedDC) {
  return DC->Recorder.Restore(SavedDC) ? 1 : 0;
}

COLORREF SetTextColor(HDC DC, COLORREF Color) {
  return std::exchange(DC->Recorder.State.TextColor, Color);
}

COLORREF SetBkColor(HDC DC, COLORREF Color) {
  return std::exchange(DC->Recorder.State.BkColor, Color);
}

int SetBkMode(HDC DC, int Mode) {
  return std::exchange(DC->Recorder.State.BkMode, Mode);
}

int DrawTextA(HDC DC, const char* Text, int Count, TRect& R, UINT Format) {
  std::string_view S =
      Count < 0 ? std::string_view(Text) : std::string_view(Text, static_cast<std::size_t>(Count));
  if ((Format & DT_SINGLELINE) != 0) {
    // One line: the text stops at the first line break.
    const auto Break = S.find_first_of("\r\n");
    if (Break != std::string_view::npos)
      S = S.substr(0, Break);
  }
  const TEXTMETRIC M = FontMetrics(DescOf(DC));
  // Only a centred or right-aligned text is measured: a group tab's
  // caption, drawn from the left, is not.
  const int X = (Format & DT_CENTER) != 0  ? R.Left + (R.Width() - FontTextWidth(DescOf(DC), S)) / 2
                : (Format & DT_RIGHT) != 0 ? R.Right - FontTextWidth(DescOf(DC), S)
                                           : R.Left;
  const int Y = (Format & DT_VCENTER) != 0 && (Format & DT_SINGLELINE) != 0
                    ? R.Top + (R.Height() - M.tmHeight) / 2
                    : R.Top;
  if (!S.empty())
    DC->Recorder.Text(X, Y, (Format & DT_NOCLIP) != 0 ? nullptr : &R, S,
                      DC->Recorder.State.BkMode == OPAQUE, Format);
  return M.tmHeight;
}

// A fill without text records a filled rectangle in the background colour,
// and a text on a filled rectangle one opaque text item, so that a canvas's
// FillRect and TextRect leave what they always left.
BOOL ExtTextOutA(HDC DC, int X, int Y, UINT Options, const TRect* R, const char* Text, int Count) {
  if (DC == nullptr)
    return 0;
  const bool Fill = (Options & ETO_OPAQUE) != 0 && R != nullptr;
  if (Text == nullptr || Count <= 0) {
    if (Fill)
      DC->Recorder.Fill(*R, DC->Recorder.State.BkColor);
    return 1;
  }
  DC->Recorder.Text(X, Y, (Options & ETO_CLIPPED) != 0 ? R : nullptr,
                    std::string_view(Text, static_cast<std::size_t>(Count)),
                    Fill || DC->Recorder.State.BkMode == OPAQUE, 0);
  return 1;
}

BOOL GetTextExtentPoint32A(HDC DC, const char* Text, int Count, TPoint& Size) {
  const std::string S(Text, static_cast<std::size_t>(std::max(Count, 0)));
  Size.X = FontTextWidth(DescOf(DC), S);
  Size.Y = FontMetrics(DescOf(DC)).tmHeight;
  return 1;
}

BOOL PrintWindow(HWND Wnd, HDC DC, UINT Flags) {
  (void)Flags;
  if (!IsWindow(Wnd) || DC == nullptr)
    return 0;
  SendMessage(Wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), 0);
  return 1;
}
