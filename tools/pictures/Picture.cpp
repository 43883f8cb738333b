#include "Picture.h"

#include <algorithm>

#include "Rects.h"
#include "TextMetrics.h"

bool Inside(const TRect& Inner, const TRect& Outer) {
  return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
         Inner.Bottom <= Outer.Bottom;
}

bool TPictureItem::Clipped() const {
  if (Kind != pkPolyline)
    return !Inside(Rect, Clip);
  // A stroke reaches half its width beyond its points.
  const int Half = (PenWidth + 1) / 2;
  for (const TPoint& P : Points)
    if (!Inside({P.X - Half, P.Y - Half, P.X + Half, P.Y + Half}, Clip))
      return true;
  return false;
}

TPicture::TPicture(int Width, int Height) : FWidth(Width), FHeight(Height) {
  FFrames.push_back({0, 0, {0, 0, Width, Height}});
}

TRect TPicture::Moved(const TRect& R) const {
  const TFrame& F = FFrames.back();
  return {R.Left + F.DX, R.Top + F.DY, R.Right + F.DX, R.Bottom + F.DY};
}

TPictureItem& TPicture::Add(TPictureItem::TKind Kind, const TRect& R, TColor Color) {
  TPictureItem& I = FItems.emplace_back();
  I.Kind = Kind;
  I.Rect = Moved(R);
  I.Clip = FFrames.back().Clip;
  I.Color = Color;
  return I;
}

void TPicture::FillRect(const TRect& R, TColor Color) {
  if (R.Width() > 0 && R.Height() > 0 && Color != clNone)
    Add(TPictureItem::pkFill, R, Color);
}

void TPicture::FrameRect(const TRect& R, TColor Color) {
  if (R.Width() > 0 && R.Height() > 0 && Color != clNone)
    Add(TPictureItem::pkFrame, R, Color);
}

void TPicture::Line(int X1, int Y1, int X2, int Y2, TColor Color) {
  // As filled pixels, so the line covers exactly the pixels a pen would.
  FillRect(LinePixels(X1, Y1, X2, Y2), Color);
}

void TPicture::Polyline(const std::vector<TPoint>& Points, TColor Color, int Width) {
  if (Points.size() < 2)
    return;
  TPictureItem& I = Add(TPictureItem::pkPolyline, PointsBounds(Points), Color);
  I.PenWidth = Width;
  const TFrame& F = FFrames.back();
  for (const TPoint& P : Points)
    I.Points.push_back({P.X + F.DX, P.Y + F.DY});
}

void TPicture::Circle(int CX, int CY, int R, TColor Fill, TColor Stroke) {
  TPictureItem& I = Add(TPictureItem::pkCircle, {CX - R, CY - R, CX + R, CY + R}, Stroke);
  I.Fill = Fill;
}

void TPicture::Text(int X, int Y, const std::string& HostText, const TPictureFont& Font,
                    TColor Color) {
  const int W = FontTextWidth(Font.Desc, HostText);
  if (W <= 0)
    return;
  const TEXTMETRIC M = FontMetrics(Font.Desc);
  TPictureItem& I = Add(TPictureItem::pkText, {X, Y, X + W, Y + M.tmHeight}, Color);
  I.Text = HostText;
  I.Font = Font;
  I.Ascent = M.tmAscent;
}

void TPicture::Begin(int DX, int DY) {
  const TFrame& F = FFrames.back();
  FFrames.push_back({F.DX + DX, F.DY + DY, F.Clip});
}

void TPicture::Begin(int DX, int DY, const TRect& Clip) {
  Begin(DX, DY);
  FFrames.back().Clip = Intersection(FFrames.back().Clip, Moved(Clip));
}

void TPicture::End() {
  if (FFrames.size() > 1)
    FFrames.pop_back();
}

std::vector<const TPictureItem*> TPicture::Texts(const std::string& HostText) const {
  std::vector<const TPictureItem*> Found;
  for (const TPictureItem& I : FItems)
    if (I.Kind == TPictureItem::pkText && I.Text == HostText) {
      const TRect Seen = Intersection(I.Rect, I.Clip);
      if (Seen.Width() > 0 && Seen.Height() > 0)
        Found.push_back(&I);
    }
  return Found;
}
