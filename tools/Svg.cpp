#include "Svg.h"

#include <cstdio>

#include "CodePage.h"
#include "TextMetrics.h"

std::string XmlEscape(const std::string& Utf8) {
  std::string Out;
  Out.reserve(Utf8.size());
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
      case '\'':
        Out += "&apos;";
        break;
      default:
        if (static_cast<unsigned char>(C) < 0x20 && C != '\t' && C != '\n' && C != '\r')
          Out += "\xEF\xBF\xBD";
        else
          Out += C;
    }
  }
  return Out;
}

std::string SvgColor(TColor Color) {
  if (Color == clNone)
    return "none";
  const auto RGB = static_cast<std::uint32_t>(ColorToRGB(Color));
  char Buf[8];
  std::snprintf(Buf, sizeof Buf, "#%02x%02x%02x", RGB & 0xFF, (RGB >> 8) & 0xFF,
                (RGB >> 16) & 0xFF);
  return Buf;
}

namespace {

std::string Num(int N) {
  return std::to_string(N);
}

std::string Num(double N) {
  char Buf[32];
  std::snprintf(Buf, sizeof Buf, "%.2f", N);
  std::string S = Buf;
  while (S.back() == '0')
    S.pop_back();
  if (S.back() == '.')
    S.pop_back();
  return S;
}

// The families a browser should try for a host font: the Windows font itself
// first, then the nearest fonts other systems have.
std::string Family(const std::string& HostName) {
  std::string Name = XmlEscape(Win1251ToUtf8(HostName));
  if (HostName == "MS Sans Serif")
    return "'MS Sans Serif','Microsoft Sans Serif',Tahoma,Arial,'DejaVu Sans',sans-serif";
  return "'" + Name + "',Arial,sans-serif";
}

}  // namespace

TSvgWriter::TSvgWriter(int Width, int Height) : FWidth(Width), FHeight(Height) {}

void TSvgWriter::FillRect(const TRect& R, TColor Color) {
  if (R.Width() <= 0 || R.Height() <= 0)
    return;
  FBody += "<rect x=\"" + Num(R.Left) + "\" y=\"" + Num(R.Top) + "\" width=\"" + Num(R.Width()) +
           "\" height=\"" + Num(R.Height()) + "\" fill=\"" + SvgColor(Color) + "\"/>\n";
}

void TSvgWriter::FrameRect(const TRect& R, TColor Color) {
  if (R.Width() <= 0 || R.Height() <= 0)
    return;
  // The stroke runs along the middle of the outermost pixels.
  FBody += "<rect x=\"" + Num(R.Left + 0.5) + "\" y=\"" + Num(R.Top + 0.5) + "\" width=\"" +
           Num(R.Width() - 1.0) + "\" height=\"" + Num(R.Height() - 1.0) +
           "\" fill=\"none\" stroke=\"" + SvgColor(Color) + "\" stroke-width=\"1\"/>\n";
}

void TSvgWriter::Line(int X1, int Y1, int X2, int Y2, TColor Color) {
  // As filled pixels, so the line covers exactly the pixels a pen would.
  FillRect({std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2) + 1, std::max(Y1, Y2) + 1}, Color);
}

void TSvgWriter::Polyline(const std::string& Points, TColor Color, int Width) {
  FBody += "<polyline points=\"" + XmlEscape(Points) + "\" fill=\"none\" stroke=\"" +
           SvgColor(Color) + "\" stroke-width=\"" + Num(Width) +
           "\" shape-rendering=\"geometricPrecision\"/>\n";
}

void TSvgWriter::Circle(int CX, int CY, int R, TColor Fill, TColor Stroke) {
  FBody += "<circle cx=\"" + Num(CX) + "\" cy=\"" + Num(CY) + "\" r=\"" + Num(R) + "\" fill=\"" +
           SvgColor(Fill) + "\" stroke=\"" + SvgColor(Stroke) +
           "\" shape-rendering=\"geometricPrecision\"/>\n";
}

void TSvgWriter::Text(int X, int Y, const std::string& HostText, const TSvgFont& Font,
                      TColor Color) {
  if (HostText.empty())
    return;
  const TEXTMETRIC M = FontMetrics(Font.Desc);
  const int Width = FontTextWidth(Font.Desc, HostText);
  FBody += "<text x=\"" + Num(X) + "\" y=\"" + Num(Y + M.tmAscent) + "\" font-family=\"" +
           Family(Font.Desc.Name) + "\" font-size=\"" + Num(Font.Desc.Size * 96.0 / 72.0) + "\"" +
           (Font.Desc.Bold ? " font-weight=\"bold\"" : "") +
           (Font.Underline ? " text-decoration=\"underline\"" : "") + " fill=\"" + SvgColor(Color) +
           "\" xml:space=\"preserve\"";
  if (Width > 0)
    FBody.append(" textLength=\"")
        .append(Num(Width))
        .append("\" lengthAdjust=\"spacingAndGlyphs\"");
  FBody.append(">").append(XmlEscape(Win1251ToUtf8(HostText))).append("</text>\n");
}

std::string TSvgWriter::ClipId(const TRect& R) {
  const std::string Key = Num(R.Left) + "," + Num(R.Top) + "," + Num(R.Right) + "," + Num(R.Bottom);
  auto It = FClips.find(Key);
  if (It != FClips.end())
    return It->second;
  const std::string Id = "clip" + Num(static_cast<int>(FClips.size()));
  FClips.emplace(Key, Id);
  FDefs += "<clipPath id=\"" + Id + "\"><rect x=\"" + Num(R.Left) + "\" y=\"" + Num(R.Top) +
           "\" width=\"" + Num(std::max(0, R.Width())) + "\" height=\"" +
           Num(std::max(0, R.Height())) + "\"/></clipPath>\n";
  return Id;
}

void TSvgWriter::Begin(int DX, int DY) {
  // Two groups each time, so that End always closes the same number.
  FBody += "<g transform=\"translate(" + Num(DX) + "," + Num(DY) + ")\"><g>\n";
  ++FDepth;
}

void TSvgWriter::Begin(int DX, int DY, const TRect& Clip) {
  // The clip sits on an inner group, so that it is read in the moved
  // coordinates whatever a renderer does with a transform on the same element.
  FBody += "<g transform=\"translate(" + Num(DX) + "," + Num(DY) + ")\"><g clip-path=\"url(#" +
           ClipId(Clip) + ")\">\n";
  ++FDepth;
}

void TSvgWriter::End() {
  if (FDepth == 0)
    return;
  FBody += "</g></g>\n";
  --FDepth;
}

void TSvgWriter::Comment(const std::string& HostText) {
  std::string Text = XmlEscape(Win1251ToUtf8(HostText));
  // "--" may not appear inside a comment.
  for (std::size_t At = Text.find("--"); At != std::string::npos; At = Text.find("--"))
    Text.replace(At, 2, "- -");
  FBody += "<!-- " + Text + " -->\n";
}

std::string TSvgWriter::Document() const {
  std::string Out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  Out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + Num(FWidth) +
         "\" height=\"" + Num(FHeight) + "\" viewBox=\"0 0 " + Num(FWidth) + " " + Num(FHeight) +
         "\" shape-rendering=\"crispEdges\" text-rendering=\"geometricPrecision\">\n";
  if (!FDefs.empty())
    Out += "<defs>\n" + FDefs + "</defs>\n";
  Out += FBody;
  for (int i = 0; i < FDepth; ++i)
    Out += "</g></g>\n";
  return Out + "</svg>\n";
}
