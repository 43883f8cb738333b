#include "PictureFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "UserText.h"

namespace {

std::string Lower(std::string S) {
  for (char& C : S)
    if (C >= 'A' && C <= 'Z')
      C = static_cast<char>(C - 'A' + 'a');
  return S;
}

}  // namespace

std::string PictureFormat(const std::string& Path) {
  const auto Dot = Path.rfind('.');
  if (Dot == std::string::npos || Path.find('/', Dot) != std::string::npos)
    return "";
  const std::string Ext = Lower(Path.substr(Dot));
  return Ext == ".svg" || Ext == ".png" || Ext == ".pdf" ? Ext : "";
}

#ifndef TABULON_HAVE_CAIRO

void WritePicture(const TPicture&, const std::string&) {
  throw EPictureError(
      "this build draws no pictures: it was built without cairo; install Debian's "
      "libcairo2-dev and fonts-liberation (scripts/install-deps test does) and build again");
}

#else

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <memory>

namespace {

// Debian's fonts-liberation puts its files here; Liberation Sans has the
// widths of Arial, the nearest of the free fonts to the IDE's MS Sans Serif.
constexpr const char* kFontDir = "/usr/share/fonts/truetype/liberation/";
constexpr const char* kRegular = "LiberationSans-Regular.ttf";
constexpr const char* kBold = "LiberationSans-Bold.ttf";

// A cairo font face over a FreeType face. cairo keeps font faces in caches
// keyed by the FreeType face beyond their last use, so the faces are loaded
// once and live as long as the program: a face freed and another loaded at
// its address would meet the first one's cached fonts.
cairo_font_face_t* LoadFace(FT_Library Library, const char* File) {
  const std::string Path = std::string(kFontDir) + File;
  FT_Face Face = nullptr;
  if (FT_New_Face(Library, Path.c_str(), 0, &Face) != 0)
    throw EPictureError("cannot read the font " + Path +
                        ": install Debian's fonts-liberation (scripts/install-deps test does)");
  return cairo_ft_font_face_create_for_ft_face(Face, 0);
}

struct TFonts {
  cairo_font_face_t* Regular;
  cairo_font_face_t* Bold;
};

const TFonts& Fonts() {
  static FT_Library Library = nullptr;
  if (Library == nullptr && FT_Init_FreeType(&Library) != 0) {
    Library = nullptr;
    throw EPictureError("cannot start FreeType to draw text");
  }
  static cairo_font_face_t* Regular = nullptr;
  static cairo_font_face_t* Bold = nullptr;
  if (Regular == nullptr)
    Regular = LoadFace(Library, kRegular);
  if (Bold == nullptr)
    Bold = LoadFace(Library, kBold);
  static TFonts Loaded;
  Loaded = {Regular, Bold};
  return Loaded;
}

class TCairoPainter {
 public:
  TCairoPainter(cairo_t* Cr, const TFonts& Fonts) : FCr(Cr), FFonts(Fonts) {
    cairo_font_options_t* O = cairo_font_options_create();
    // Unhinted outlines at unhinted advances: the same shapes at any size,
    // so that a caption can be stretched to its box and stay even.
    cairo_font_options_set_hint_style(O, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(O, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(O, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(FCr, O);
    cairo_font_options_destroy(O);
  }

  void Draw(const TPicture& P) {
    for (const TPictureItem& I : P.Items()) {
      switch (I.Kind) {
        case TPictureItem::pkFill:
          Fill(I.Rect, I.Clip, I.Color);
          break;
        case TPictureItem::pkFrame: {
          const TRect& R = I.Rect;
          Fill({R.Left, R.Top, R.Right, R.Top + 1}, I.Clip, I.Color);
          Fill({R.Left, R.Bottom - 1, R.Right, R.Bottom}, I.Clip, I.Color);
          Fill({R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1}, I.Clip, I.Color);
          Fill({R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1}, I.Clip, I.Color);
          break;
        }
        case TPictureItem::pkPolyline:
          Shape(I, [this, &I] {
            cairo_move_to(FCr, I.Points[0].X, I.Points[0].Y);
            for (std::size_t k = 1; k < I.Points.size(); ++k)
              cairo_line_to(FCr, I.Points[k].X, I.Points[k].Y);
            cairo_set_line_width(FCr, I.PenWidth);
            Source(I.Color);
            cairo_stroke(FCr);
          });
          break;
        case TPictureItem::pkCircle:
          Shape(I, [this, &I] {
            const double R = I.Rect.Width() / 2.0;
            cairo_arc(FCr, I.Rect.Left + R, I.Rect.Top + R, R, 0, 6.283185307179586);
            if (I.Fill != clNone) {
              Source(I.Fill);
              cairo_fill_preserve(FCr);
            }
            cairo_set_line_width(FCr, 1);
            Source(I.Color);
            cairo_stroke(FCr);
          });
          break;
        case TPictureItem::pkText:
          Shape(I, [this, &I] { Text(I); });
          break;
      }
    }
  }

 private:
  void Source(TColor Color) {
    const auto RGB = static_cast<std::uint32_t>(ColorToRGB(Color));
    cairo_set_source_rgb(FCr, (RGB & 0xFF) / 255.0, ((RGB >> 8) & 0xFF) / 255.0,
                         ((RGB >> 16) & 0xFF) / 255.0);
  }

  // Rectangles are cut to their clip here, so that no clip path is written
  // for them.
  void Fill(const TRect& R, const TRect& Clip, TColor Color) {
    const int L = std::max(R.Left, Clip.Left), T = std::max(R.Top, Clip.Top);
    const int Rt = std::min(R.Right, Clip.Right), B = std::min(R.Bottom, Clip.Bottom);
    if (Rt <= L || B <= T || Color == clNone)
      return;
    cairo_rectangle(FCr, L, T, Rt - L, B - T);
    Source(Color);
    cairo_fill(FCr);
  }

  template <class F>
  void Shape(const TPictureItem& I, F Draw) {
    if (I.Color == clNone)
      return;
    cairo_save(FCr);
    if (I.Clipped()) {
      cairo_rectangle(FCr, I.Clip.Left, I.Clip.Top, I.Clip.Width(), I.Clip.Height());
      cairo_clip(FCr);
    }
    Draw();
    cairo_restore(FCr);
  }

  // The caption is stretched across its box: from the box's left edge to
  // its right, with the baseline where the host's metrics put it, and made
  // lower only where a letter would reach out of the box above or below.
  void Text(const TPictureItem& I) {
    const std::string Utf8 = UserText(I.Text).Str();
    cairo_set_font_face(FCr, I.Font.Desc.Bold ? FFonts.Bold : FFonts.Regular);
    cairo_set_font_size(FCr, I.Font.Desc.Size * 96.0 / 72.0);
    cairo_text_extents_t E;
    cairo_text_extents(FCr, Utf8.c_str(), &E);
    const double Left = std::min(0.0, E.x_bearing);
    const double Right = std::max(E.x_advance, E.x_bearing + E.width);
    if (Right <= Left)
      return;
    // Half a pixel is kept free at either end: a renderer may put a glyph
    // up to half a pixel off its place, as cairo's own PNG does.
    const double SX = (I.Rect.Width() - 1) / (Right - Left);
    const double Above = -E.y_bearing, Below = E.y_bearing + E.height;
    const double Room = I.Rect.Height() - I.Ascent;
    double SY = 1;
    if (Above > I.Ascent)
      SY = std::min(SY, I.Ascent / Above);
    if (Below > Room)
      SY = std::min(SY, Room / Below);
    Source(I.Color);
    cairo_save(FCr);
    cairo_translate(FCr, I.Rect.Left + 0.5 - Left * SX, I.Rect.Top + I.Ascent);
    cairo_scale(FCr, SX, SY);
    cairo_move_to(FCr, 0, 0);
    cairo_show_text(FCr, Utf8.c_str());
    cairo_restore(FCr);
    if (I.Font.Underline) {
      cairo_rectangle(FCr, I.Rect.Left, I.Rect.Top + I.Ascent + 1, I.Rect.Width(), 1);
      cairo_fill(FCr);
    }
  }

  cairo_t* FCr;
  const TFonts& FFonts;
};

cairo_status_t Append(void* Closure, const unsigned char* Data, unsigned int Length) {
  static_cast<std::string*>(Closure)->append(reinterpret_cast<const char*>(Data), Length);
  return CAIRO_STATUS_SUCCESS;
}

struct TSurfaceDeleter {
  void operator()(cairo_surface_t* S) const { cairo_surface_destroy(S); }
};
struct TContextDeleter {
  void operator()(cairo_t* C) const { cairo_destroy(C); }
};

void Paint(cairo_surface_t* Surface, const TPicture& P, double Scale) {
  const TFonts& F = Fonts();
  std::unique_ptr<cairo_t, TContextDeleter> Cr(cairo_create(Surface));
  cairo_scale(Cr.get(), Scale, Scale);
  TCairoPainter(Cr.get(), F).Draw(P);
  if (cairo_status(Cr.get()) != CAIRO_STATUS_SUCCESS)
    throw EPictureError(std::string("cairo: ") + cairo_status_to_string(cairo_status(Cr.get())));
  Cr.reset();
}

std::string Bytes(const TPicture& P, const std::string& Format) {
  std::string Out;
  std::unique_ptr<cairo_surface_t, TSurfaceDeleter> S;
  if (Format == ".png") {
    S.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, P.Width(), P.Height()));
    Paint(S.get(), P, 1);
    if (cairo_surface_write_to_png_stream(S.get(), Append, &Out) != CAIRO_STATUS_SUCCESS)
      throw EPictureError("cannot make the PNG");
  } else if (Format == ".svg") {
    S.reset(cairo_svg_surface_create_for_stream(Append, &Out, P.Width(), P.Height()));
    cairo_svg_surface_set_document_unit(S.get(), CAIRO_SVG_UNIT_PX);
    Paint(S.get(), P, 1);
    cairo_surface_finish(S.get());
  } else {
    // PDF measures in points, 72 to the inch, where the screen has 96 pixels.
    S.reset(cairo_pdf_surface_create_for_stream(Append, &Out, P.Width() * 0.75, P.Height() * 0.75));
    // A fixed date, so that the same picture makes the same file.
    cairo_pdf_surface_set_metadata(S.get(), CAIRO_PDF_METADATA_CREATE_DATE, "2000-01-01T00:00:00Z");
    Paint(S.get(), P, 0.75);
    cairo_surface_finish(S.get());
  }
  if (cairo_surface_status(S.get()) != CAIRO_STATUS_SUCCESS)
    throw EPictureError(std::string("cairo: ") +
                        cairo_status_to_string(cairo_surface_status(S.get())));
  return Out;
}

}  // namespace

void WritePicture(const TPicture& Picture, const std::string& Path) {
  const std::string Format = PictureFormat(Path);
  if (Format.empty())
    throw EPictureError("the file name must end in .svg, .png or .pdf, not '" + Path + "'");
  const std::string Data = Bytes(Picture, Format);
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  if (Out)
    Out << Data;
  if (Out)
    Out.flush();
  if (!Out)
    throw EPictureError("cannot write " + Path + ": " + std::strerror(errno));
}

#endif
