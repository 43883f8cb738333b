#pragma once

// A small SVG document writer for the simulator's pictures. It takes host
// text (Windows-1251) and host colours, and writes UTF-8 with every text and
// attribute value XML-escaped, so that a caption can never break the file.

#include <map>
#include <string>

#include "Graphics.h"

// Text as XML character data or a quoted attribute value: the five special
// characters become entities, and the control characters that XML 1.0 cannot
// hold at all (a group list's 0x1F separators, say) become U+FFFD.
std::string XmlEscape(const std::string& Utf8);

// A host colour as "#rrggbb", system colours resolved; clNone is "none".
std::string SvgColor(TColor Color);

struct TSvgFont {
  TFontDesc Desc;
  bool Underline = false;
};

class TSvgWriter {
 public:
  TSvgWriter(int Width, int Height);

  void FillRect(const TRect& R, TColor Color);
  // A one-pixel frame just inside R, as FrameRect draws it.
  void FrameRect(const TRect& R, TColor Color);
  // A one-pixel line over the pixels from (X1, Y1) to (X2, Y2), both ends
  // included; horizontal or vertical.
  void Line(int X1, int Y1, int X2, int Y2, TColor Color);
  // A polyline through the points "x,y x,y ...", stroked Width pixels wide.
  void Polyline(const std::string& Points, TColor Color, int Width);
  void Circle(int CX, int CY, int R, TColor Fill, TColor Stroke);
  // Host text with its top-left corner at (X, Y), as a canvas places it; the
  // text is stretched to the width the host's metrics give it, so that it
  // sits where the layout put it.
  void Text(int X, int Y, const std::string& HostText, const TSvgFont& Font, TColor Color);

  // Groups: everything until the matching End is moved by (DX, DY) and, if
  // Clip is given, cut to Clip (in the moved coordinates).
  void Begin(int DX, int DY);
  void Begin(int DX, int DY, const TRect& Clip);
  void BeginClip(const TRect& Clip) { Begin(0, 0, Clip); }
  void End();
  // A comment naming what follows, for whoever reads the file.
  void Comment(const std::string& HostText);

  std::string Document() const;

 private:
  std::string ClipId(const TRect& R);

  int FWidth, FHeight;
  std::string FDefs;
  std::string FBody;
  std::map<std::string, std::string> FClips;  // "l,t,r,b" -> id
  int FDepth = 0;
};
