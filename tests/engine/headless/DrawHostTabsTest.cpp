// The host's own tab picture when the expert does not draw, read back from
// what the group bar's window recorded during a paint: on the real platform
// the common controls draw it with no call of the host's to record.

#include "../DrawFixture.h"

class DrawHostTabs : public DrawTest {};

TEST_F(DrawHostTabs, WithoutOwnerDrawTheHostDrawsTheTabsItself) {
  Start(true, true, false);
  EXPECT_FALSE(Bar()->OwnerDraw());
  const auto Tabs = Paint();
  EXPECT_TRUE(Tabs.empty());
  // The host's own picture: a fill in the group bar's brush and the caption
  // in the group bar's font for every tab, the selected one included; none of
  // the shading, the bold for the selected tab or the insets of the expert.
  const TTabLayout L = TabControlLayout(Bar()->Handle());
  // Each caption follows its tab's fill; the edges are the window's own.
  const TDisplayList* Drawn = WindowDrawing(Bar()->Handle());
  ASSERT_NE(Drawn, nullptr);
  std::vector<std::size_t> Texts;
  for (std::size_t k = 1; k < Drawn->Items().size(); ++k)
    if (Drawn->Items()[k].Kind == TDisplayItem::dkText)
      Texts.push_back(k);
  ASSERT_EQ(Texts.size(), L.ItemRects.size());
  for (std::size_t i = 0; i < L.ItemRects.size(); ++i) {
    SCOPED_TRACE(i);
    const TDisplayItem& Fill = Drawn->Items()[Texts[i] - 1];
    const TDisplayItem& Text = Drawn->Items()[Texts[i]];
    EXPECT_EQ(Fill.Rect, L.ItemRects[i]);
    EXPECT_EQ(Fill.Kind, TDisplayItem::dkFillRect);
    EXPECT_EQ(Fill.Color, Bits(Bar()->Brush()->Color()));
    EXPECT_EQ(Text.Kind, TDisplayItem::dkText);
    EXPECT_EQ(Text.Color, Bits(clMaroon));
    EXPECT_EQ(Text.Font, Bar()->Font()->Desc());
    EXPECT_EQ(Text.X, L.ItemRects[i].Left + 6);
    EXPECT_EQ(Text.Format, 0u);
  }

  // Turning it on again brings the expert's drawing back.
  Bar()->SetOwnerDraw(true);
  EXPECT_EQ(Paint().size(), L.ItemRects.size());
}
