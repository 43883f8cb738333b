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

// The drawing option off leaves the tabs to the host; on again, the
// handler is asked for every tab.
TEST_F(Draw, WithoutOwnerDrawTheHandlerIsNotAsked) {
  Start(true, true, false);
  EXPECT_FALSE(Bar()->OwnerDraw());
  EXPECT_TRUE(Paint().empty());
  Bar()->SetOwnerDraw(true);
  EXPECT_EQ(Paint().size(), 4u);
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
      // The tab's own rectangle; the common controls give the selected one a
      // few pixels more and the others a few less.
      TRect Outer = Bar()->TabRect(i);
      EXPECT_EQ(Outer, L.ItemRects[static_cast<std::size_t>(i)]);
      InflateRect(Outer, 3, 3);
      EXPECT_TRUE(T.Rect.Left >= Outer.Left && T.Rect.Right <= Outer.Right &&
                  T.Rect.Top >= Outer.Top && T.Rect.Bottom <= Outer.Bottom && T.Rect.Width() > 0 &&
                  T.Rect.Height() > 0)
          << ::testing::PrintToString(T.Rect);
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
