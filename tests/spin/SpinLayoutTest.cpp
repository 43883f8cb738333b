#include "SpinFixture.h"

#include <algorithm>

#include "TextMetrics.h"

// The spin edit's height and its button's place, in relations that hold
// with every platform's fonts; the figures in pixels are the headless
// platform's own.

class SpinLayout : public SpinTest {};

TEST_F(SpinLayout, HeightIsNeverBelowWhatTheFontNeeds) {
  ASSERT_TRUE(Spin->HandleAllocated());
  // The font's height, a quarter of the smaller of it and the system
  // font's, four border widths and 2.
  const auto MinHeight = [](const TFontDesc& Font) {
    const TEXTMETRIC M = FontMetrics(Font), Sys = FontMetrics(SystemFont()->Desc);
    return M.tmHeight + std::min(M.tmHeight, Sys.tmHeight) / 4 + 4 * GetSystemMetrics(SM_CYBORDER) +
           2;
  };
  const int Small = MinHeight(Spin->Font()->Desc());
  EXPECT_EQ(Spin->Height(), Small);
  Spin->SetHeight(Small / 2);
  EXPECT_EQ(Spin->Height(), Small);
  Spin->SetHeight(Small + 8);
  EXPECT_EQ(Spin->Height(), Small + 8);

  Spin->Font()->SetSize(12);
  const int Large = MinHeight(Spin->Font()->Desc());
  EXPECT_GT(Large, Small);
  // The real platform's rounding of the larger font may add a pixel.
  Spin->SetHeight(Small);
  EXPECT_GE(Spin->Height(), Large);
}

TEST_F(SpinLayout, TheButtonSitsInsideTheRightEdgeBesideTheEditRect) {
  const auto EditRect = [this] {
    TRect R;
    SendMessage(Spin->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
    return R;
  };
  const auto ExpectInside = [&](const char* Where) {
    SCOPED_TRACE(Where);
    const TRect B = Spin->Button()->BoundsRect();
    EXPECT_GT(B.Width(), 0);
    EXPECT_LE(B.Right, Spin->Width());
    EXPECT_GE(B.Top, 0);
    EXPECT_LE(B.Bottom, Spin->Height());
    EXPECT_LE(EditRect().Right, B.Left) << "typed text runs under the button";
    EXPECT_GT(EditRect().Right, 0);
    return Spin->Width() - B.Right;
  };
  const int Gap = ExpectInside("sunken");
  Spin->SetWidth(150);
  EXPECT_EQ(ExpectInside("wider"), Gap) << "the button moves with the right edge";

  Spin->SetCtl3D(false);
  ExpectInside("flat");

  const int BesideButton = EditRect().Right;
  Spin->SetShowButton(false);
  EXPECT_FALSE(Spin->Button()->Visible());
  EXPECT_GT(EditRect().Right, BesideButton) << "the text takes the button's room";
  EXPECT_LE(EditRect().Right, Spin->ClientWidth());
}
