// The group bar's owner-drawn tabs, read back from what the group bar's window
// recorded during a paint: colours, bold, the caption's place, the images, and
// what the host's tab painting hands to the expert's handler.

#include "DrawFixture.h"

class Draw : public DrawTest {};

TEST_F(Draw, AnEmptyCaptionIsFilledAndNothingIsWritten) {
  for (bool Shadow : {false, true}) {
    SCOPED_TRACE(Shadow ? "shadow" : "plain");
    Start(Shadow, false);
    Sheet(kBeta)->SetCaption("");
    ASSERT_EQ(Bar()->Tabs()->Get(1), "");
    const auto Tabs = Paint();
    ASSERT_EQ(Tabs.size(), 4u);
    EXPECT_EQ(Tabs[1].Count(TDisplayItem::dkFillRect), 1);
    EXPECT_EQ(Tabs[1].Count(TDisplayItem::dkText), 0);
    // The neighbours are written as ever.
    EXPECT_EQ(Tabs[0].Count(TDisplayItem::dkText), 1);
    EXPECT_EQ(Tabs[2].Count(TDisplayItem::dkText), 1);
    Unload();
    Spy.Calls.clear();
  }
}

TEST_F(Draw, WithoutOwnerDrawTheHostDrawsTheTabsItself) {
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

TEST_F(Draw, TheHostCallsTheHandlerOncePerVisibleTabOnAFreshCanvas) {
  Start(false, true);
  // A hidden group before a disabled one: the tabs count visible sheets
  // only, and the disabled state must come from the tab's own sheet.
  Sheet(kBeta)->SetTabVisible(false);
  Sheet(kGamma)->SetEnabled(false);
  ASSERT_EQ(GroupTabs(), (std::vector<std::string>{kAlpha, kGamma, kUngrouped}));
  const TFontDesc BarFont = Bar()->Font()->Desc();
  const TFontStyles BarStyle = Bar()->Font()->Style();

  for (const std::string& Selected : {kAlpha, kUngrouped, kGamma}) {
    SCOPED_TRACE(Selected);
    ClickGroup(Selected);
    const auto Tabs = Paint();
    const TTabLayout L = TabControlLayout(Bar()->Handle());
    ASSERT_EQ(Tabs.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      const TTabDraw& T = Tabs[static_cast<std::size_t>(i)];
      SCOPED_TRACE(i);
      EXPECT_EQ(T.TabIndex, i);
      EXPECT_EQ(T.Rect, L.ItemRects[static_cast<std::size_t>(i)]);
      EXPECT_EQ(T.Rect, Bar()->TabRect(i));
      EXPECT_EQ(T.Active, i == Bar()->TabIndex());
      EXPECT_EQ(T.Active, Bar()->Tabs()->Get(i) == Selected);
      // What the previous tab did to the canvas is gone.
      EXPECT_EQ(T.Font, BarFont);
      EXPECT_EQ(T.FontColor, clMaroon);
      EXPECT_EQ(T.FontStyle, BarStyle);
      EXPECT_EQ(T.BrushColor, Bar()->Brush()->Color());

      const TDisplayItem* Text = T.Find(TDisplayItem::dkText);
      ASSERT_NE(Text, nullptr);
      EXPECT_EQ(Text->Text, Bar()->Tabs()->Get(i));
      EXPECT_EQ(Text->Color, Bits(Bar()->Tabs()->Get(i) == kGamma ? clGrayText : clMaroon));
      EXPECT_EQ(Text->Font.Bold, T.Active);
    }
    EXPECT_EQ(Bar()->Font()->Desc(), BarFont);
    EXPECT_EQ(Bar()->Font()->Color(), clMaroon);
    EXPECT_EQ(Bar()->Font()->Style(), BarStyle);
  }
}

TEST_F(Draw, SystemColoursAreTheBuildsOwnValues) {
  const std::uint32_t Base = HostVersion >= 7 ? 0xFF000000u : 0x80000000u;
  EXPECT_EQ(Bits(clGrayText), Base + 0x11u);
  EXPECT_EQ(Bits(clInactiveCaption), Base + 0x03u);
  EXPECT_EQ(Bits(clInactiveCaptionText), Base + 0x13u);

  // The values reach the picture unresolved.
  Start(true, false);
  Sheet(kAlpha)->SetEnabled(false);
  const auto Tabs = Paint();
  ASSERT_EQ(Tabs.size(), 4u);
  ASSERT_TRUE(Tabs[0].Active);
  EXPECT_EQ(Tabs[0].Find(TDisplayItem::dkText)->Color, Base + 0x11u);
  EXPECT_EQ(Tabs[1].Find(TDisplayItem::dkFillRect)->Color, Base + 0x03u);
  EXPECT_EQ(Tabs[1].Find(TDisplayItem::dkText)->Color, Base + 0x13u);
}
