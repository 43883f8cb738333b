// Fill, caption colour and bold of every tab, for both styles, with a
// disabled group among the active or the inactive tabs, read back from what
// the group bar's window recorded during a paint.

#include "DrawFixture.h"

struct TStyleCase {
  const char* Name;
  bool Shadow;
  std::string Active;    // the selected group
  std::string Disabled;  // a group whose sheet is disabled, or ""
};
static void PrintTo(const TStyleCase& C, std::ostream* Os) {
  *Os << C.Name;
}

class DrawStyles : public DrawTest, public ::testing::WithParamInterface<TStyleCase> {};

TEST_P(DrawStyles, EveryTabIsFilledAndWrittenInItsStyle) {
  const TStyleCase& C = GetParam();
  Start(C.Shadow, false);
  ClickGroup(C.Active);
  if (!C.Disabled.empty())
    Sheet(C.Disabled)->SetEnabled(false);
  const TFontStyles BarStyle = Bar()->Font()->Style();

  const auto Tabs = Paint();
  ASSERT_EQ(Tabs.size(), 4u);
  for (const auto& T : Tabs) {
    const std::string Caption = Bar()->Tabs()->Get(T.TabIndex);
    SCOPED_TRACE(T.TabIndex);
    const bool Grey = Caption == C.Disabled;
    const bool Shaded = C.Shadow && !T.Active;
    EXPECT_EQ(T.Active, Caption == C.Active);

    ASSERT_EQ(T.Count(TDisplayItem::dkFillRect), 1);
    ASSERT_EQ(T.Count(TDisplayItem::dkText), 1);
    ASSERT_EQ(T.Items.front().Kind, TDisplayItem::dkFillRect);
    const TDisplayItem& Fill = *T.Find(TDisplayItem::dkFillRect);
    const TDisplayItem& Text = *T.Find(TDisplayItem::dkText);
    EXPECT_EQ(Fill.Rect, T.Rect);
    EXPECT_EQ(Fill.Color, Bits(Shaded ? clInactiveCaption : Bar()->Brush()->Color()));
    EXPECT_EQ(Text.Text, Caption);
    EXPECT_EQ(Text.Color, Bits(Shaded ? clInactiveCaptionText
                               : Grey ? clGrayText
                                      : Bar()->Font()->Color()));
    // The caption is written on the tab's own background.
    EXPECT_EQ(Text.BkColor, Fill.Color);
    EXPECT_TRUE(Text.Opaque);
    EXPECT_EQ(Text.Font.Bold, T.Active);
    EXPECT_EQ(Text.Font.Name, Bar()->Font()->Name());
    EXPECT_EQ(Text.Font.Size, Bar()->Font()->Size());
  }
  // The drawing changes the canvas, never the group bar's font.
  EXPECT_EQ(Bar()->Font()->Color(), clMaroon);
  EXPECT_EQ(Bar()->Font()->Style(), BarStyle);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, DrawStyles,
    ::testing::Values(TStyleCase{"Plain", false, kAlpha, ""},
                      TStyleCase{"Shadow", true, kAlpha, ""},
                      TStyleCase{"PlainSelectedLater", false, kGamma, ""},
                      TStyleCase{"ShadowSelectedLater", true, kGamma, ""},
                      TStyleCase{"PlainDisabledActive", false, kBeta, kBeta},
                      TStyleCase{"ShadowDisabledActive", true, kBeta, kBeta},
                      TStyleCase{"PlainDisabledInactive", false, kAlpha, kGamma},
                      TStyleCase{"ShadowDisabledInactive", true, kAlpha, kGamma}),
    [](const ::testing::TestParamInfo<TStyleCase>& Info) { return std::string(Info.param.Name); });
