#include <gtest/gtest.h>

#include <vector>

#include "Fixture.h"
#include "Graphics.h"

TEST(GraphicsColors, SystemColoursUseTheBuildsEncoding) {
  const std::uint32_t Base = HostVersion >= 7 ? 0xFF000000u : 0x80000000u;
  EXPECT_EQ(static_cast<std::uint32_t>(clScrollBar), Base + 0);
  EXPECT_EQ(static_cast<std::uint32_t>(clInactiveCaption), Base + 3);
  EXPECT_EQ(static_cast<std::uint32_t>(clWindowText), Base + 8);
  EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), Base + 15);
  EXPECT_EQ(static_cast<std::uint32_t>(clGrayText), Base + 17);
  EXPECT_EQ(static_cast<std::uint32_t>(clInactiveCaptionText), Base + 19);
  EXPECT_EQ(static_cast<std::uint32_t>(clInfoBk), Base + 24);
#if TABULON_HOST >= 6
  EXPECT_EQ(static_cast<std::uint32_t>(clHotLight), Base + 26);
#endif
  EXPECT_EQ(clNone, 0x1FFFFFFF);
  EXPECT_EQ(clDefault, 0x20000000);
}

TEST(GraphicsColors, ColorToRGBResolvesSystemColoursThroughTheClassicScheme) {
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0);
  EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
  EXPECT_EQ(ColorToRGB(clWindowText), 0x000000);
  EXPECT_EQ(ColorToRGB(clHighlight), 0x800000);
  EXPECT_EQ(ColorToRGB(clInfoBk), 0xE1FFFF);
#if TABULON_HOST >= 6
  EXPECT_EQ(ColorToRGB(clHotLight), clNavy);
#endif
  // Plain colours and the two special values are not system colours.
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
}

TEST(GraphicsColors, NamesAndNumbersConvertBothWays) {
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(clRed), "clRed");
  EXPECT_EQ(ColorToString(0x00123456), "$00123456");
  EXPECT_EQ(ColorToString(clLtGray), "clSilver");
  EXPECT_EQ(StringToColor("clBtnFace"), clBtnFace);
  EXPECT_EQ(StringToColor("CLWINDOWTEXT"), clWindowText);
  EXPECT_EQ(StringToColor("$00FF0000"), clBlue);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_EQ(StringToColor(ColorToString(ColorFromBits(0xFF00001Au))), ColorFromBits(0xFF00001Au));
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);

  Integer Value = 7;
  EXPECT_FALSE(IdentToColor("Red", Value));
  EXPECT_EQ(Value, 7);
  std::string Ident = "unchanged";
  EXPECT_FALSE(ColorToIdent(0x010203, Ident));
  EXPECT_EQ(Ident, "unchanged");
#if TABULON_HOST == 5
  // Delphi 5 names neither the extended colours nor clDefault.
  EXPECT_THROW(StringToColor("clMoneyGreen"), EConvertError);
  EXPECT_EQ(ColorToString(clDefault), "$20000000");
#else
  EXPECT_EQ(StringToColor("clMoneyGreen"), 0xC0DCC0);
  EXPECT_EQ(ColorToString(clDefault), "clDefault");
#endif
}

TEST(GraphicsColors, EnumerationFollowsTheHostVersion) {
  const auto Names = HostNamesWithout({});
  const std::vector<std::string> Standard = {
      "clBlack",  "clMaroon", "clGreen", "clOlive",  "clNavy", "clPurple",  "clTeal", "clGray",
      "clSilver", "clRed",    "clLime",  "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite"};
  ASSERT_GE(Names.size(), Standard.size());
  EXPECT_EQ(std::vector<std::string>(Names.begin(), Names.begin() + 16), Standard);
#if TABULON_HOST == 5
  const std::vector<std::string> Rest = {
      "clScrollBar",    "clBackground",  "clActiveCaption", "clInactiveCaption",
      "clMenu",         "clWindow",      "clWindowFrame",   "clMenuText",
      "clWindowText",   "clCaptionText", "clActiveBorder",  "clInactiveBorder",
      "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
      "clBtnShadow",    "clGrayText",    "clBtnText",       "clInactiveCaptionText",
      "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
      "clInfoBk",       "clNone"};
#else
  std::vector<std::string> Rest = {"clMoneyGreen",
                                   "clSkyBlue",
                                   "clCream",
                                   "clMedGray",
                                   "clActiveBorder",
                                   "clActiveCaption",
                                   "clAppWorkSpace",
                                   "clBackground",
                                   "clBtnFace",
                                   "clBtnHighlight",
                                   "clBtnShadow",
                                   "clBtnText",
                                   "clCaptionText",
                                   "clDefault",
                                   "clGradientActiveCaption",
                                   "clGradientInactiveCaption",
                                   "clGrayText",
                                   "clHighlight",
                                   "clHighlightText",
                                   "clHotLight",
                                   "clInactiveBorder",
                                   "clInactiveCaption",
                                   "clInactiveCaptionText",
                                   "clInfoBk",
                                   "clInfoText",
                                   "clMenu",
                                   "clMenuText",
                                   "clNone",
                                   "clScrollBar",
                                   "cl3DDkShadow",
                                   "cl3DLight",
                                   "clWindow",
                                   "clWindowFrame",
                                   "clWindowText"};
#if TABULON_HOST >= 7
  Rest.insert(Rest.begin() + 26, {"clMenuBar", "clMenuHighlight"});
#endif
#endif
  EXPECT_EQ(std::vector<std::string>(Names.begin() + 16, Names.end()), Rest);
  // Every enumerated name converts to a colour that converts back to it.
  for (const auto& N : Names)
    EXPECT_EQ(ColorToString(StringToColor(N)), N);
}
