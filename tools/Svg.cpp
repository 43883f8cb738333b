#include "Svg.h"

#include <cstdio>

#include "CodePage.h"
#include "TextMetrics.h"

TSvgWriter::TSvgWriter(int Width, int Height) : FWidth(Width), FHeight(Height) {}

std::string TSvgWriter::Rgb(TColor Color) {
  const Integer C = ColorToRGB(Color);  // 0x00BBGGRR
  char Buf[8];
  std::snprintf(Buf, sizeof Buf, "#%02x%02x%02x", C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF);
  return Buf;
}

std::string TSvgWriter::Escape(const std::string& Utf8) {
  std::string Out;
  for (char C : Utf8) {
    switch (C) {
      case '&':
        Out += "&amp;";
        break;
      case '<':
        Out += "&lt;";
        break;
      case '>':
        Out += "&gt;";
        break;
      case '"':
        Out += "&quot;";
        break;
      default:
        // XML 1.0 has no place for the other control characters.
        if (static_cast<unsigned char>(C) >= 0x20 || C == '\t' || C == '\n')
          Out += C;
    }
  }
  return Out;
}

namespace {

std::string Box(const TRect& R) {
  return "x=\"" + std::to_string(R.Left) + "\" y=\"" + std::to_string(R.Top) + "\" width=\"" +
         std::to_string(R.Width()) + "\" height=\"" + std::to_string(R.Height()) + "\"";
}

}  // namespace

void TSvgWriter::Fill(const TRect& R, TColor Color) {
  if (R.Width() > 0 && R.Height() > 0)
    FBody += "<rect " + Box(R) + " fill=\"" + Rgb(Color) + "\"/>\n";
}

void TSvgWriter::Frame(const TRect& R, TColor Color) {
  // Half a pixel in, so the one-pixel line covers the pixels inside R.
  if (R.Width() > 0 && R.Height() > 0)
    FBody += "<rect x=\"" + std::to_string(R.Left) + ".5\" y=\"" + std::to_string(R.Top) +
             ".5\" width=\"" + std::to_string(R.Width() - 1) + "\" height=\"" +
             std::to_string(R.Height() - 1) + "\" fill=\"none\" stroke=\"" + Rgb(Color) + "\"/>\n";
}

void TSvgWriter::Line(int X1, int Y1, int X2, int Y2, TColor Color) {
  FBody += "<line x1=\"" + std::to_string(X1) + ".5\" y1=\"" + std::to_string(Y1) + ".5\" x2=\"" +
           std::to_string(X2) + ".5\" y2=\"" + std::to_string(Y2) + ".5\" stroke=\"" + Rgb(Color) +
           "\"/>\n";
}

void TSvgWriter::Text(int X, int Y, const std::string& HostText, const TFontDesc& Font,
                      TColor Color, const TRect& Clip) {
  if (HostText.empty())
    return;
  const std::string Id = "c" + std::to_string(++FClips);
  FBody += "<clipPath id=\"" + Id + "\"><rect " + Box(Clip) + "/></clipPath>\n";
  const TEXTMETRIC M = FontMetrics(Font);
  // 96 pixels an inch: a point is 4/3 pixel.
  FBody += "<text x=\"" + std::to_string(X) + "\" y=\"" + std::to_string(Y + M.tmAscent) +
           "\" clip-path=\"url(#" + Id + ")\" font-family=\"" + Escape(Font.Name) +
           ", Arial, sans-serif\" font-size=\"" + std::to_string(Font.Size * 4 / 3) + "px\"" +
           (Font.Bold ? " font-weight=\"bold\"" : "") + " fill=\"" + Rgb(Color) +
           "\" xml:space=\"preserve\">" + Escape(Win1251ToUtf8(HostText)) + "</text>\n";
}

std::string TSvgWriter::Finish() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         std::to_string(FWidth) + "\" height=\"" + std::to_string(FHeight) + "\" viewBox=\"0 0 " +
         std::to_string(FWidth) + " " + std::to_string(FHeight) + "\">\n" + FBody + "</svg>\n";
}
