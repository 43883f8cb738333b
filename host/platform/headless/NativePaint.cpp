#include "NativePaint.h"

#include <algorithm>

#include "TextMetrics.h"

TWindowFont::TWindowFont(HWND Wnd, HDC DC) : FDC(DC) {
  if (const TWindowRecord* Record = WindowRecord(Wnd))
    FFont.Desc = Record->Font;
  FOld = SelectObject(DC, static_cast<HGDIOBJ>(&FFont));
}

TWindowFont::~TWindowFont() {
  SelectObject(FDC, FOld);
}

int TWindowFont::Height() const {
  return FontMetrics(FFont.Desc).tmHeight;
}

void Pixels(HDC DC, const TRect& R, COLORREF Color) {
  if (R.Width() > 0 && R.Height() > 0)
    FillRect(DC, R, TSolid(Color));
}

void Line(HDC DC, int X1, int Y1, int X2, int Y2, COLORREF Color) {
  Pixels(DC, LinePixels(X1, Y1, X2, Y2), Color);
}

void Stroke(HDC DC, const TPoint* Points, int Count, COLORREF Color, int Width) {
  const HPEN Pen = CreatePen(PS_SOLID, Width, Color);
  const HPEN Old = SelectObject(DC, Pen);
  Polyline(DC, Points, Count);
  SelectObject(DC, Old);
  DeleteObject(Pen);
}

void Write(HDC DC, int X, int Y, const std::string& Text, COLORREF Color, const TRect* Clip) {
  if (Text.empty())
    return;
  SetTextColor(DC, Color);
  SetBkMode(DC, TRANSPARENT);
  ExtTextOutA(DC, X, Y, Clip != nullptr ? ETO_CLIPPED : 0, Clip, Text.c_str(),
              static_cast<int>(Text.size()));
}

TCtlColors CtlColors(HWND Wnd, HDC DC, UINT Msg, int DefaultBackground) {
  SetTextColor(DC, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(DC, GetSysColor(DefaultBackground));
  const auto Brush = reinterpret_cast<HBRUSH>(
      SendMessage(Wnd, Msg, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(Wnd)));
  TCtlColors Colors;
  Colors.Text = SetTextColor(DC, 0);
  SetTextColor(DC, Colors.Text);
  Colors.Background = Brush != nullptr ? Brush->Color : GetSysColor(DefaultBackground);
  return Colors;
}

std::string StripAccelerator(const std::string& Text) {
  std::string Out;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&' && i + 1 < Text.size())
      ++i;
    else if (Text[i] == '&')
      continue;
    Out += Text[i];
  }
  return Out;
}

void WriteCaption(HDC DC, int X, int Y, const std::string& Caption, COLORREF Color, bool Enabled) {
  const std::string Shown = StripAccelerator(Caption);
  if (!Enabled) {
    Write(DC, X + 1, Y + 1, Shown, GetSysColor(COLOR_BTNHIGHLIGHT));
    Write(DC, X, Y, Shown, GetSysColor(COLOR_GRAYTEXT));
    return;
  }
  Write(DC, X, Y, Shown, Color);
}
