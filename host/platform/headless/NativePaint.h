#pragma once

// What the headless window classes draw with: solid fills and one-pixel
// lines in a colour, strokes, and the colours a control's owner gives it.
// Only the headless backend's sources include this header.

#include <string>
#include <vector>

#include "Rects.h"
#include "Windows.h"
#include "WindowsGdi.h"

// A solid brush for one drawing.
class TSolid {
 public:
  // The brush a CreateSolidBrush would give, held here rather than on the
  // heap: a control's paint fills dozens of rectangles.
  explicit TSolid(COLORREF Color) : FBrush{Color, nullptr} {}
  TSolid(const TSolid&) = delete;
  TSolid& operator=(const TSolid&) = delete;
  operator HBRUSH() { return &FBrush; }

 private:
  TBrushRecord FBrush;
};

// The window's font selected into a DC for the span of a drawing.
class TWindowFont {
 public:
  TWindowFont(HWND Wnd, HDC DC);
  ~TWindowFont();
  TWindowFont(const TWindowFont&) = delete;
  TWindowFont& operator=(const TWindowFont&) = delete;
  const TFontDesc& Desc() const { return FFont.Desc; }
  int Height() const;

 private:
  HDC FDC;
  TFontRecord FFont;
  HGDIOBJ FOld;
};

// The part of the device a drawing on the DC can reach, in logical
// coordinates: its clip, or without one the whole plane.
TRect ClipBox(HDC DC);
// The parts of its window that a paint on the DC draws again, each on its
// own; none where it draws all of the window within the clip.
const std::vector<TRect>& PaintParts(HDC DC);
void SetPaintParts(HDC DC, std::vector<TRect> Parts);

void Pixels(HDC DC, const TRect& R, COLORREF Color);
// The pixels from (X1, Y1) to (X2, Y2), both ends included.
void Line(HDC DC, int X1, int Y1, int X2, int Y2, COLORREF Color);
void Stroke(HDC DC, const TPoint* Points, int Count, COLORREF Color, int Width);
// Text with its top left corner at (X, Y) in the DC's font, over what is
// there; clipped to Clip when given.
void Write(HDC DC, int X, int Y, const std::string& Text, COLORREF Color,
           const TRect* Clip = nullptr);

// Asks the window's owner for the colours to draw in (CN_CTLCOLOR...,
// as the VCL reflects WM_CTLCOLOR...): the text colour it sets on the DC,
// and the colour of the brush it answers; the window's own defaults when
// nobody answers.
struct TCtlColors {
  COLORREF Text = 0;
  COLORREF Background = 0;
};
TCtlColors CtlColors(HWND Wnd, HDC DC, UINT Msg, int DefaultBackground);

// A caption as it reads: "&Close" is "Close", "&&" one ampersand.
std::string StripAccelerator(const std::string& Text);
// A caption in the control's colour, or etched (a light copy under a grey
// one) when the control is disabled.
void WriteCaption(HDC DC, int X, int Y, const std::string& Caption, COLORREF Color, bool Enabled);
