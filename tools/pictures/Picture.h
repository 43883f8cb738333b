#pragma once

// A picture of the screen as a list of drawing operations in the picture's
// own pixel coordinates: what the simulator's pictures are drawn from and
// what its tests read. It takes host text (Windows-1251) and host colours;
// PictureFile turns it into SVG, PNG or PDF.

#include <string>
#include <vector>

#include "Graphics.h"

// Whether Inner lies wholly within Outer.
bool Inside(const TRect& Inner, const TRect& Outer);

struct TPictureFont {
  TFontDesc Desc;
  bool Underline = false;
};

struct TPictureItem {
  enum TKind { pkFill, pkFrame, pkPolyline, pkCircle, pkText };
  TKind Kind = pkFill;
  // A fill or frame: its area; a circle: the square around it; text: the box
  // the host's text metrics give it (its width and the font's height).
  TRect Rect;
  // What of it can be seen: the clips around it, met in picture coordinates.
  TRect Clip;
  TColor Color = clBlack;  // fill, frame, stroke or text colour
  TColor Fill = clNone;    // a circle's inside
  int PenWidth = 1;
  std::vector<TPoint> Points;  // a polyline's
  std::string Text;            // Windows-1251
  TPictureFont Font;
  int Ascent = 0;  // from the box's top to the text's baseline

  // Whether anything of it lies outside its clip.
  bool Clipped() const;
};

class TPicture {
 public:
  TPicture(int Width, int Height);

  void FillRect(const TRect& R, TColor Color);
  // A one-pixel frame just inside R, as FrameRect draws it.
  void FrameRect(const TRect& R, TColor Color);
  // A one-pixel line over the pixels from (X1, Y1) to (X2, Y2), both ends
  // included; horizontal or vertical.
  void Line(int X1, int Y1, int X2, int Y2, TColor Color);
  // A line through the points, stroked Width pixels wide.
  void Polyline(const std::vector<TPoint>& Points, TColor Color, int Width);
  void Circle(int CX, int CY, int R, TColor Fill, TColor Stroke);
  // Host text with its top-left corner at (X, Y), as a canvas places it; it
  // fills the width the host's metrics give it, so that it sits where the
  // layout put it.
  void Text(int X, int Y, const std::string& HostText, const TPictureFont& Font, TColor Color);

  // Everything until the matching End is moved by (DX, DY) and, if Clip is
  // given, cut to Clip (in the moved coordinates).
  void Begin(int DX, int DY);
  void Begin(int DX, int DY, const TRect& Clip);
  void BeginClip(const TRect& Clip) { Begin(0, 0, Clip); }
  void End();

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  const std::vector<TPictureItem>& Items() const { return FItems; }
  // The texts drawn with this caption that can be seen, in drawing order.
  std::vector<const TPictureItem*> Texts(const std::string& HostText) const;

 private:
  struct TFrame {
    int DX, DY;
    TRect Clip;
  };
  TPictureItem& Add(TPictureItem::TKind Kind, const TRect& R, TColor Color);
  TRect Moved(const TRect& R) const;

  int FWidth, FHeight;
  std::vector<TFrame> FFrames;
  std::vector<TPictureItem> FItems;
};
