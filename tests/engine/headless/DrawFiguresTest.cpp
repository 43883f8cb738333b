// The rectangles the host hands the group bar's tab drawing, in the headless
// platform's own figures: each tab's item rectangle, as wide as its caption
// in the group bar's font, which with a bold font holds the caption in bold
// between the expert's insets.

#include "../DrawFixture.h"

class DrawFigures : public DrawTest {};

TEST_F(DrawFigures, EachTabIsItsItemRectSizedInTheBarsFont) {
  for (const bool Bold : {false, true}) {
    SCOPED_TRACE(Bold ? "bold" : "regular");
    Start(true, Bold);
    // A hidden sheet before others: the rectangles follow the visible tabs.
    Sheet(kBeta)->SetTabVisible(false);
    ClickGroup(kGamma);
    const auto Tabs = Paint();
    const TTabLayout L = TabControlLayout(Bar()->Handle());
    ASSERT_EQ(Tabs.size(), 3u);
    const int Inset = Bold ? 6 : 2;
    for (const TTabDraw& T : Tabs) {
      SCOPED_TRACE(T.TabIndex);
      EXPECT_EQ(T.Rect, L.ItemRects[static_cast<std::size_t>(T.TabIndex)]);
      EXPECT_EQ(T.Rect, Bar()->TabRect(T.TabIndex));
      const std::string Caption = Bar()->Tabs()->Get(T.TabIndex);
      EXPECT_EQ(T.Rect.Width(), TabItemWidth(Bar()->Font()->Desc(), Caption));
      if (Bold) {
        TFontDesc BoldFont = Bar()->Font()->Desc();
        BoldFont.Bold = true;
        EXPECT_LE(FontTextWidth(BoldFont, Caption) + 2 * Inset, T.Rect.Width());
      }
    }
    Unload();
  }
}
