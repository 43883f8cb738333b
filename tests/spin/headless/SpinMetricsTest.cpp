#include "../SpinFixture.h"

#include <algorithm>

#include "NativeEdit.h"
#include "TextMetrics.h"

// The spin edit's sizes and its button's place, from the headless
// platform's text metrics in pixels.

class SpinMetrics : public SpinTest {};

TEST_F(SpinMetrics, MinimumHeightFollowsTheFontAndIsRestored) {
  ASSERT_TRUE(Spin->HandleAllocated());
  // MS Sans Serif 8: 13 pixels, plus a quarter of the smaller of it and the
  // system font (16), four border widths and 2.
  const auto MinHeight = [](const TFontDesc& Font) {
    const TEXTMETRIC M = FontMetrics(Font), Sys = FontMetrics(SystemFont()->Desc);
    return M.tmHeight + std::min(M.tmHeight, Sys.tmHeight) / 4 + 4 * GetSystemMetrics(SM_CYBORDER) +
           2;
  };
  EXPECT_EQ(MinHeight(Spin->Font()->Desc()), 22);
  EXPECT_EQ(Spin->Height(), 22);
  Spin->SetHeight(10);
  EXPECT_EQ(Spin->Height(), 22);
  Spin->SetHeight(30);
  EXPECT_EQ(Spin->Height(), 30);

  Spin->Font()->SetSize(12);
  EXPECT_EQ(MinHeight(Spin->Font()->Desc()), 28);
  Spin->SetHeight(10);
  EXPECT_EQ(Spin->Height(), 28);
}

TEST_F(SpinMetrics, ButtonsAndEditRectFollowSizeAndLook) {
  auto EditRect = [this] {
    TRect R;
    SendMessage(Spin->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
    return R;
  };
  ASSERT_EQ(Spin->Width(), 109);
  ASSERT_EQ(Spin->Height(), 22);
  // Sunken client edge: two pixels each side.
  EXPECT_EQ(Spin->Button()->BoundsRect(), Rect(109 - 15 - 5, 0, 109 - 5, 17));
  EXPECT_EQ(EditRect(), Rect(0, 0, 105 - 15 - 2, 18 + 1));

  Spin->SetWidth(150);
  EXPECT_EQ(Spin->Button()->Left(), 150 - 20);
  EXPECT_EQ(EditRect().Right, 146 - 17);

  Spin->SetCtl3D(false);
  EXPECT_EQ(Spin->Height(), 22);
  EXPECT_EQ(Spin->Button()->BoundsRect(), Rect(150 - 15, 1, 150, 1 + 22 - 3));
  EXPECT_EQ(EditRect(), Rect(0, 0, 148 - 17, 20 + 1));
  EXPECT_NE(GetWindowStyle(Spin->Handle()) & WS_BORDER, 0u);

  Spin->SetShowButton(false);
  EXPECT_FALSE(Spin->Button()->Visible());
  EXPECT_EQ(EditRect(), Rect(0, 0, 148, 21));
}
