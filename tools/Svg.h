#pragma once

// A small SVG writer: rectangles, lines and clipped text in host colours,
// resolved to what the screen shows. Text comes in Windows-1251 and is
// written as escaped UTF-8.

#include <string>

#include "Graphics.h"

class TSvgWriter {
 public:
  TSvgWriter(int Width, int Height);

  void Fill(const TRect& R, TColor Color);
  void Frame(const TRect& R, TColor Color);
  void Line(int X1, int Y1, int X2, int Y2, TColor Color);
  // Host text at its top-left corner, clipped to Clip.
  void Text(int X, int Y, const std::string& HostText, const TFontDesc& Font, TColor Color,
            const TRect& Clip);
  std::string Finish();

  static std::string Escape(const std::string& Utf8);
  static std::string Rgb(TColor Color);

 private:
  std::string FBody;
  int FWidth, FHeight;
  int FClips = 0;
};
