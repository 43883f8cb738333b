#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "BmpFile.h"
#include "OwnerDrawnTabs.h"
#include "WindowCapture.h"

// An owner-drawn tab control on the real platform: the common controls ask
// the parent with WM_DRAWITEM, the control's procedure gets CN_DRAWITEM and
// draws with gdi32 on the DC that Windows gave, and the captured pixels show
// it, caption and shadow, inside each tab.

namespace {

struct TColourCount {
  int Caption = 0, Selected = 0, Shadow = 0, ShadowUnderCaption = 0;
};

TColourCount CountIn(const TWindowPixels& P, TRect R) {
  TColourCount N;
  R = TRect{std::max(R.Left, 1), std::max(R.Top, 1), std::min(R.Right, P.Width),
            std::min(R.Bottom, P.Height)};
  for (int Y = R.Top; Y < R.Bottom; ++Y)
    for (int X = R.Left; X < R.Right; ++X) {
      const COLORREF C = P.At(X, Y);
      N.Caption += C == TOwnerDrawnTabs::kCaption;
      N.Selected += C == TOwnerDrawnTabs::kSelected;
      if (C == TOwnerDrawnTabs::kShadow) {
        ++N.Shadow;
        const COLORREF Above = P.At(X - 1, Y - 1);
        N.ShadowUnderCaption +=
            Above == TOwnerDrawnTabs::kCaption || Above == TOwnerDrawnTabs::kSelected;
      }
    }
  return N;
}

TEST(OwnerDrawnTabs, CaptionsAndShadowsAreInTheCapturedPixels) {
  ASSERT_TRUE(WindowCaptureAvailable());
  for (const bool Shadow : {false, true}) {
    SCOPED_TRACE(Shadow ? "with shadow" : "without shadow");
    TOwnerDrawnTabs Tabs(Shadow);
    const TWindowPixels P = CaptureWindow(Tabs.Wnd);
    EXPECT_EQ(P.Width, 240);
    EXPECT_EQ(P.Height, 120);
    Tabs.CheckDrawn();
    TColourCount Everywhere = CountIn(P, TRect{0, 0, P.Width, P.Height});
    TColourCount InTabs;
    for (int i = 0; i < static_cast<int>(Tabs.Captions.size()); ++i) {
      SCOPED_TRACE(i);
      TRect R = Tabs.ItemRect(i);
      InflateRect(R, 2, 2);
      const TColourCount N = CountIn(P, R);
      // The caption's colour on each tab: the selected one's own.
      if (i == TOwnerDrawnTabs::kSelectedTab) {
        EXPECT_GT(N.Selected, 10);
        EXPECT_EQ(N.Caption, 0);
      } else {
        EXPECT_GT(N.Caption, 10);
        EXPECT_EQ(N.Selected, 0);
      }
      EXPECT_EQ(N.Shadow > 0, Shadow);
      // The shadow shows below and right of the caption's strokes.
      EXPECT_EQ(N.ShadowUnderCaption > 0, Shadow);
      InTabs.Caption += N.Caption, InTabs.Selected += N.Selected, InTabs.Shadow += N.Shadow;
    }
    EXPECT_EQ(InTabs.Caption, Everywhere.Caption) << "drawn outside the tabs";
    EXPECT_EQ(InTabs.Selected, Everywhere.Selected);
    EXPECT_EQ(InTabs.Shadow, Everywhere.Shadow);

    // The BMP of the capture holds the same pixels where the captions are.
    const auto Dir = std::filesystem::temp_directory_path() / "tabulon-capture-test";
    std::filesystem::create_directories(Dir);
    const std::string File = (Dir / "tabs.bmp").string();
    WriteBmpFile(P, File);
    std::ifstream In(File, std::ios::binary);
    const std::string B{std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
    const TBmpHeader H = ReadBmpHeader(B);
    EXPECT_EQ(H.Width, 240);
    EXPECT_EQ(H.Height, 120);
    EXPECT_EQ(H.BitCount, 24u);
    int Matched = 0, Coloured = 0;
    for (int Y = 0; Y < P.Height; ++Y)
      for (int X = 0; X < P.Width; ++X) {
        const COLORREF C = P.At(X, Y);
        if (C != TOwnerDrawnTabs::kCaption && C != TOwnerDrawnTabs::kShadow)
          continue;
        ++Coloured;
        Matched += BmpPixel(B, X, Y) == C;
      }
    EXPECT_GT(Coloured, 0);
    EXPECT_EQ(Matched, Coloured);
    In.close();
    std::filesystem::remove_all(Dir);
  }
}

}  // namespace
