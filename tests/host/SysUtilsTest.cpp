#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "CodePage.h"
#include "SysUtils.h"

namespace {

struct IntCase {
  std::string Text;
  bool Ok;
  Int64 Value;
};

class SysUtils : public testing::TestWithParam<IntCase> {};

TEST_P(SysUtils, StrToInt64FollowsDelphiVal) {
  const IntCase& C = GetParam();
  if (C.Ok) {
    EXPECT_EQ(StrToInt64(C.Text), C.Value);
    EXPECT_EQ(StrToInt64Def(C.Text, 12345), C.Value);
  } else {
    EXPECT_THROW(StrToInt64(C.Text), EConvertError);
    EXPECT_EQ(StrToInt64Def(C.Text, 12345), 12345);
  }
}

constexpr Int64 kMin64 = std::numeric_limits<Int64>::min();
constexpr Int64 kMax64 = std::numeric_limits<Int64>::max();

INSTANTIATE_TEST_SUITE_P(
    Table, SysUtils,
    testing::Values(
        IntCase{"0", true, 0}, IntCase{"42", true, 42}, IntCase{"  42", true, 42},
        IntCase{"+42", true, 42}, IntCase{"-42", true, -42}, IntCase{" -0", true, 0},
        IntCase{"$ff", true, 255}, IntCase{"0x1F", true, 31}, IntCase{"x10", true, 16},
        IntCase{"X10", true, 16}, IntCase{"-$10", true, -16},
        IntCase{"00000000000000000042", true, 42}, IntCase{"9223372036854775807", true, kMax64},
        IntCase{"-9223372036854775808", true, kMin64}, IntCase{"$FFFFFFFFFFFFFFFF", true, -1},
        IntCase{"$8000000000000000", true, kMin64}, IntCase{"9223372036854775808", false, 0},
        IntCase{"-9223372036854775809", false, 0}, IntCase{"12345678901234567890", false, 0},
        IntCase{"$10000000000000000", false, 0}, IntCase{"", false, 0}, IntCase{"   ", false, 0},
        IntCase{"-", false, 0}, IntCase{"+", false, 0}, IntCase{"$", false, 0},
        IntCase{"0x", false, 0}, IntCase{"42 ", false, 0}, IntCase{"4 2", false, 0},
        IntCase{"\t42", false, 0}, IntCase{"--1", false, 0}, IntCase{"1e3", false, 0},
        IntCase{"$fg", false, 0}, IntCase{"12a", false, 0},
        IntCase{std::string("1\0", 2), false, 0}));

TEST(SysUtils, StrToIntChecksTheIntegerRange) {
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<Integer>::min());
  EXPECT_THROW(StrToInt("2147483648"), EConvertError);
  EXPECT_THROW(StrToInt("-2147483649"), EConvertError);
  // Hexadecimal may use every bit of the type.
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("$80000000"), std::numeric_limits<Integer>::min());
  EXPECT_THROW(StrToInt("$100000000"), EConvertError);
  EXPECT_EQ(StrToIntDef("10000", -1), 10000);
  EXPECT_EQ(StrToIntDef("", -1), -1);
  EXPECT_EQ(StrToIntDef("99999999999", 7), 7);
  try {
    StrToInt("abc");
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "'abc' is not a valid integer value");
  }
}

TEST(SysUtils, IntToStrRoundTrips) {
  for (Int64 V : {Int64{0}, Int64{-1}, Int64{10000}, kMin64, kMax64})
    EXPECT_EQ(StrToInt64(IntToStr(V)), V);
  EXPECT_EQ(IntToStr(kMin64), "-9223372036854775808");
  EXPECT_EQ(IntToStr(-16777190), "-16777190");
}

TEST(SysUtils, CaseFoldingOfTheCyrillicCodePage) {
  for (int C = 0xC0; C <= 0xDF; ++C) {
    const std::string Upper(1, static_cast<char>(C)), Lower(1, static_cast<char>(C + 32));
    EXPECT_EQ(AnsiUpperCase(Lower), Upper) << C;
    EXPECT_TRUE(AnsiSameText(Upper, Lower)) << C;
    EXPECT_EQ(AnsiCompareText(Upper, Lower), 0) << C;
  }
  EXPECT_TRUE(AnsiSameText("\xA8", "\xB8"));  // Ё, ё
  EXPECT_EQ(AnsiUpperCase("\xB8"), "\xA8");
  EXPECT_FALSE(AnsiSameText("\xA8", "\xC5"));  // Ё is not Е
  // "НетГруппы" against "нетгруппы"
  EXPECT_TRUE(
      AnsiSameText("\xCD\xE5\xF2\xC3\xF0\xF3\xEF\xEF\xFB", "\xED\xE5\xF2\xE3\xF0\xF3\xEF\xEF\xFB"));
  EXPECT_EQ(AnsiUpperCase("Standard \xE0\xE1"), "STANDARD \xC0\xC1");
  EXPECT_FALSE(AnsiSameText("ab", "abc"));
  EXPECT_FALSE(AnsiSameText("a", "b"));
  // Bytes that are not letters stay apart from the letters 32 below them.
  EXPECT_FALSE(AnsiSameText("@", "`"));
  EXPECT_FALSE(AnsiSameText("[", "{"));
}

TEST(SysUtils, AnsiCompareTextOrders) {
  EXPECT_LT(AnsiCompareText("abc", "ABD"), 0);
  EXPECT_GT(AnsiCompareText("b", "A"), 0);
  EXPECT_LT(AnsiCompareText("ab", "abc"), 0);
  EXPECT_EQ(AnsiCompareText("", ""), 0);
  EXPECT_LT(AnsiCompareText("z", "\xE0"), 0);         // Latin before Cyrillic
  EXPECT_LT(AnsiCompareText("\xC5", "\xA8"), 0);      // Е before Ё
  EXPECT_LT(AnsiCompareText("\xB8", "\xC6"), 0);      // ё before Ж
  EXPECT_GT(AnsiCompareText("\xFF", "\xC0\xC0"), 0);  // я after аа
}

TEST(SysUtils, CodePageEveryByteSurvivesTheRoundTrip) {
  std::string All;
  for (int B = 0; B < 256; ++B)
    All += static_cast<char>(B);
  const std::string Utf8 = Win1251ToUtf8(All);
  EXPECT_EQ(Utf8ToWin1251(Utf8), All);
  // "НетГруппы"
  const std::string NoGroup = "\xCD\xE5\xF2\xC3\xF0\xF3\xEF\xEF\xFB";
  EXPECT_EQ(Win1251ToUtf8(NoGroup),
            "\xD0\x9D\xD0\xB5\xD1\x82\xD0\x93\xD1\x80\xD1\x83\xD0\xBF\xD0\xBF\xD1\x8B");
  EXPECT_EQ(Utf8ToWin1251(Win1251ToUtf8(NoGroup)), NoGroup);
  EXPECT_EQ(Win1251ToUtf8("\xA8\xB8\xB9\x88"), "\xD0\x81\xD1\x91\xE2\x84\x96\xE2\x82\xAC");
  // ASCII goes eight bytes at a time: runs of it that start and end at
  // every place in a word convert as they do at the start of a text.
  for (std::size_t Lead = 0; Lead <= 8; ++Lead) {
    std::string Text, Expected;
    for (std::size_t i = 0; i < Lead; ++i) {
      Text += "\xC0";  // "А"
      Expected += "\xD0\x90";
    }
    Text += All + "Palette 12345678" + All;
    Expected += Utf8 + "Palette 12345678" + Utf8;
    EXPECT_EQ(Win1251ToUtf8(Text), Expected) << Lead;
    EXPECT_EQ(Utf8ToWin1251(Expected), Text) << Lead;
  }
}

TEST(SysUtils, TextTheCodePageCannotHoldBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToWin1251("a\xE4\xB8\xAD"
                          "b"),
            "a?b");                                   // a CJK character
  EXPECT_EQ(Utf8ToWin1251("\xF0\x9F\x98\x80"), "?");  // an emoji
  EXPECT_EQ(Utf8ToWin1251("\xFF"
                          "a"),
            "?a");                        // not UTF-8 at all
  EXPECT_EQ(Utf8ToWin1251("\xD0"), "?");  // cut short
  EXPECT_EQ(Utf8ToWin1251("\xC0\xAF"), "?") << "an overlong '/' is malformed";
}

}  // namespace
