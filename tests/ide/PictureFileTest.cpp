#include <gtest/gtest.h>

#include "SnapshotRun.h"

#ifdef TABULON_HAVE_CAIRO

#include <cairo.h>

#include <cstdlib>

namespace {

// The pixels of a PNG file, as 0xRRGGBB.
struct TPixels {
  int W = 0, H = 0;
  std::vector<std::uint32_t> P;
  std::uint32_t At(int X, int Y) const { return P[static_cast<std::size_t>(Y * W + X)]; }
};

TPixels ReadPng(const std::string& Path) {
  cairo_surface_t* S = cairo_image_surface_create_from_png(Path.c_str());
  TPixels Out;
  if (cairo_surface_status(S) == CAIRO_STATUS_SUCCESS) {
    cairo_surface_flush(S);
    Out.W = cairo_image_surface_get_width(S);
    Out.H = cairo_image_surface_get_height(S);
    const int Stride = cairo_image_surface_get_stride(S);
    const unsigned char* Data = cairo_image_surface_get_data(S);
    for (int Y = 0; Y < Out.H; ++Y)
      for (int X = 0; X < Out.W; ++X)
        Out.P.push_back(reinterpret_cast<const std::uint32_t*>(Data + Y * Stride)[X] & 0xFFFFFF);
  }
  cairo_surface_destroy(S);
  EXPECT_GT(Out.W, 0) << Path;
  return Out;
}

// Turns an SVG into a PNG with Debian's rsvg-convert, a renderer of its own;
// false when it is not installed.
bool RsvgConvert(const std::string& Svg, const std::string& Png) {
  if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0)
    return false;
  const std::string Command = "rsvg-convert -o '" + Png + "' '" + Svg + "'";
  EXPECT_EQ(std::system(Command.c_str()), 0) << Command;
  return true;
}

// The captions the palette and the dialog show, those the narrow ones among
// them included ("InternetExpress", "Palette change delay").
std::vector<TShown> CaptionPictures(const std::string& Dir) {
  std::vector<TShown> Out;
  for (const char* Sheet : {"TSMain", "TSGroupPage"}) {
    TSnapshotRun R = RunSnapshots({"-e", "show", "-e", "load", "-e", "snapshot " + Dir + "/p.svg",
                                   "-e", "dialog", "-e", std::string("sheet ") + Sheet, "-e",
                                   "snapshot " + Dir + "/" + Sheet[2] + ".svg", "-e", "end", "-e",
                                   "menu component"});
    EXPECT_EQ(R.Status, 0) << R.Err;
    if (Out.empty())
      Out = R.Pictures;
    else
      Out.push_back(R.Pictures.back());
  }
  return Out;
}

}  // namespace

// Every caption, in cairo's PNG and in the SVG as rsvg-convert draws it,
// lies inside the box the host's metrics gave it and fills it from edge to
// edge: nothing is cut off and nothing runs into its neighbour, whatever
// draws the file.
class PictureFile : public Snapshot {};

TEST_F(PictureFile, CaptionsFillTheirBoxesInEveryRenderer) {
  const std::string Dir = FDir.string();
  bool Rsvg = true;
  int Boxes = 0;
  for (const TShown& Shown : CaptionPictures(Dir)) {
    // The captions alone, in black on white, unclipped.
    TPicture Texts(Shown.P.Width(), Shown.P.Height());
    Texts.FillRect({0, 0, Texts.Width(), Texts.Height()}, clWhite);
    std::vector<TRect> Box;
    for (const TPictureItem& I : Shown.P.Items())
      if (I.Kind == TPictureItem::pkText && !I.Clipped()) {
        Texts.Text(I.Rect.Left, I.Rect.Top, I.Text, I.Font, clBlack);
        Box.push_back(I.Rect);
      }
    ASSERT_GT(Box.size(), 10u);
    WritePicture(Texts, Dir + "/t.png");
    WritePicture(Texts, Dir + "/t.svg");
    std::vector<TPixels> Drawn = {ReadPng(Dir + "/t.png")};
    if (RsvgConvert(Dir + "/t.svg", Dir + "/r.png"))
      Drawn.push_back(ReadPng(Dir + "/r.png"));
    else
      Rsvg = false;
    for (const TPixels& Px : Drawn) {
      ASSERT_EQ(Px.W, Shown.P.Width());
      // No ink outside every box.
      for (int Y = 0; Y < Px.H; ++Y)
        for (int X = 0; X < Px.W; ++X)
          if (Px.At(X, Y) != 0xFFFFFF) {
            bool In = false;
            for (const TRect& B : Box)
              In = In || (X >= B.Left && X < B.Right && Y >= B.Top && Y < B.Bottom);
            ASSERT_TRUE(In) << "ink outside the captions at " << X << "," << Y
                            << (&Px == Drawn.data() ? " (cairo)" : " (rsvg-convert)");
          }
      // A box that meets no other is inked from its first column to its last.
      for (const TRect& B : Box) {
        bool Alone = true;
        for (const TRect& O : Box)
          Alone = Alone && (&O == &B || O.Right <= B.Left || O.Left >= B.Right ||
                            O.Bottom <= B.Top || O.Top >= B.Bottom);
        if (!Alone || B.Width() < 8)
          continue;
        int First = B.Right, Last = B.Left - 1;
        for (int X = B.Left; X < B.Right; ++X)
          for (int Y = B.Top; Y < B.Bottom; ++Y)
            if (Px.At(X, Y) != 0xFFFFFF) {
              First = std::min(First, X);
              Last = std::max(Last, X);
            }
        EXPECT_LE(First, B.Left + 1) << B.Left << "," << B.Top;
        EXPECT_GE(Last, B.Right - 2) << B.Left << "," << B.Top;
        ++Boxes;
      }
    }
  }
  EXPECT_GT(Boxes, 40);
  if (!Rsvg)
    GTEST_SKIP() << "rsvg-convert is missing (Debian's librsvg2-bin): only cairo's PNG checked";
}

// cairo's PNG shows the controls in the IDE's colours, and an SVG that
// rsvg-convert draws is the same picture as cairo's PNG.
TEST_F(PictureFile, PngShowsTheControlsAndSvgDrawsAlike) {
  const std::string Dir = FDir.string();
  const std::vector<TShown> Pictures = CaptionPictures(Dir);
  ASSERT_EQ(Pictures.size(), 3u);
  const TShown& Palette = Pictures[0];
  WritePicture(Palette.P, Dir + "/p.png");
  const TPixels Px = ReadPng(Dir + "/p.png");
  // The chosen palette tab stands two pixels above the others: the white
  // edge on top of each tab, found by looking up from its caption.
  const auto EdgeAbove = [&Px](const TPictureItem* Caption) {
    const int X = (Caption->Rect.Left + Caption->Rect.Right) / 2;
    for (int Y = Caption->Rect.Top - 1; Y > Caption->Rect.Top - 8; --Y)
      if (Px.At(X, Y) == 0xFFFFFF)
        return Y;
    return -1;
  };
  const auto Standard = Palette.Texts("Standard"), Additional = Palette.Texts("Additional");
  ASSERT_EQ(Standard.size(), 1u);
  ASSERT_EQ(Additional.size(), 1u);
  EXPECT_GT(EdgeAbove(Standard[0]), 0);
  EXPECT_EQ(EdgeAbove(Standard[0]), EdgeAbove(Additional[0]) - 2);
  // Between the edge and the caption: the tab's face.
  EXPECT_EQ(Px.At(Additional[0]->Rect.Left + 3, Additional[0]->Rect.Top - 1), 0xC0C0C0u);

  // In both sheets (edits, combo and group boxes on the first, lists on
  // the second) a text is shown whole in height or not at all.
  const TShown& Editor = Pictures[2];
  for (const TShown* Sheet : {&Pictures[1], &Editor})
    for (const TPictureItem& I : Sheet->P.Items())
      if (I.Kind == TPictureItem::pkText && I.Clip.Top < I.Rect.Bottom &&
          I.Rect.Top < I.Clip.Bottom) {
        EXPECT_TRUE(I.Rect.Top >= I.Clip.Top && I.Rect.Bottom <= I.Clip.Bottom)
            << Win1251ToUtf8(I.Text) << " is cut";
      }
  // The group editor's list of the palette's pages holds more than it
  // shows: a scroll bar whose down arrow is black, its up arrow grey (the
  // list shows its first row).
  WritePicture(Editor.P, Dir + "/G.png");
  const TPixels E = ReadPng(Dir + "/G.png");
  const auto Label = Editor.Texts("Palette pages");
  ASSERT_EQ(Label.size(), 1u);
  const TPoint Sheet{Label[0]->Rect.Left - LayoutPlace("lblGP_2").X,
                     Label[0]->Rect.Top - LayoutPlace("lblGP_2").Y};
  const TPoint List = LayoutPlace("LBoxPagePalette");
  const TFormLayoutRow* Row = nullptr;
  for (const TFormLayoutRow& R : FrmMainORVExpertLayout())
    Row = std::string(R.Name) == "LBoxPagePalette" ? &R : Row;
  ASSERT_NE(Row, nullptr);
  // The arrows' centres: in the middle of the 16-pixel bar inside the border.
  const int CX = Sheet.X + List.X + Row->Width - 2 - 8;
  const int UpY = Sheet.Y + List.Y + 2 + 8, DownY = Sheet.Y + List.Y + Row->Height - 2 - 8;
  EXPECT_EQ(E.At(CX, DownY), 0x000000u);
  EXPECT_EQ(E.At(CX, UpY - 1), 0x808080u);
  EXPECT_EQ(E.At(CX - 6, DownY), 0xC0C0C0u);  // the button's face beside it

  for (int i = 0; i < 3; ++i) {
    const std::string Name = Dir + "/" + "pMG"[i];
    WritePicture(Pictures[static_cast<std::size_t>(i)].P, Name + ".png");
    if (!RsvgConvert(Name + ".svg", Name + "-rsvg.png"))
      GTEST_SKIP() << "rsvg-convert is missing (Debian's librsvg2-bin)";
    const TPixels A = ReadPng(Name + ".png"), B = ReadPng(Name + "-rsvg.png");
    ASSERT_EQ(A.W, B.W);
    ASSERT_EQ(A.H, B.H);
    // Shapes lie on whole pixels and agree; text edges may be shaded a
    // little differently.
    std::size_t Far = 0;
    for (std::size_t k = 0; k < A.P.size(); ++k)
      for (int Shift : {0, 8, 16})
        if (std::abs(int((A.P[k] >> Shift) & 0xFF) - int((B.P[k] >> Shift) & 0xFF)) > 96) {
          ++Far;
          break;
        }
    EXPECT_LT(Far * 200, A.P.size()) << Name << ": " << Far << " pixels differ";
  }
}

#endif
