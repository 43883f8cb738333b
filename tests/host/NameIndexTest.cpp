#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NameIndex.h"

namespace {

// The index keeps a list's own text as it comes and writes any other text
// into that form: either way the kept text and every name's place in it
// must be what the list would hold after splitting the text.
struct TIndexCase {
  std::string Text;
  std::string Kept;
};

// The suite is named for the class it tests, so its fixture keeps to a
// namespace of its own.
namespace rows {

class NameIndex : public testing::TestWithParam<TIndexCase> {};

TEST_P(NameIndex, KeepsEveryNameFollowedByCrLf) {
  // A text lent and a text handed over (kept without a copy) alike.
  for (const bool HandedOver : {false, true}) {
    SCOPED_TRACE(HandedOver ? "handed over" : "lent");
    ::NameIndex Index;
    Index.Rebuild(std::string("stale\r\nnames\r\n"));
    if (HandedOver)
      Index.Rebuild(std::string(GetParam().Text));
    else
      Index.Rebuild(GetParam().Text);
    EXPECT_EQ(Index.Text(), GetParam().Kept);
    std::string Joined;
    for (int i = 0; i < Index.Count(); ++i) {
      Joined.append(Index.Name(i));
      Joined += "\r\n";
      const int Found = Index.Find(Index.Name(i));
      EXPECT_TRUE(Found >= 0 && Found <= i) << "name " << i << " is found, or an equal one before";
    }
    EXPECT_EQ(Joined, GetParam().Kept);
    EXPECT_EQ(Index.Find("stale"), -1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, NameIndex,
    testing::Values(TIndexCase{"", ""}, TIndexCase{"Ab\r\nc\r\n", "Ab\r\nc\r\n"},
                    TIndexCase{"\r\n\r\n", "\r\n\r\n"}, TIndexCase{"Ab\r\nc", "Ab\r\nc\r\n"},
                    TIndexCase{"Ab\rc\nd\r\n", "Ab\r\nc\r\nd\r\n"},
                    TIndexCase{"Ab\n\rc\r\n", "Ab\r\n\r\nc\r\n"},
                    TIndexCase{std::string("Ab\r\nc\r\n\0d\r\n", 11), "Ab\r\nc\r\n"},
                    TIndexCase{"Ab\r\r\n", "Ab\r\n\r\n"}));

}  // namespace rows

TEST(NameIndex, FindsTheFirstNameOfAnyCase) {
  NameIndex Index;
  // "Стандарт" twice in different case, then "Win32".
  Index.Rebuild(
      "\xD1\xF2\xE0\xED\xE4\xE0\xF0\xF2\r\n\xF1\xD2\xC0\xCD\xC4\xC0\xD0\xD2\r\nWin32\r\n");
  EXPECT_EQ(Index.Find("\xF1\xF2\xE0\xED\xE4\xE0\xF0\xF2"), 0);
  EXPECT_EQ(Index.Find("WIN32"), 2);
  EXPECT_EQ(Index.Find("Win3"), -1);
}

// Names are hashed eight bytes at a time, ASCII words folded at once and
// others byte by byte. Names of every length, in any letter case, Latin and
// Cyrillic, are found (the first of equal ones) by Find and by FindLines
// alike, and a name with a byte more or another last byte is not.
TEST(NameIndex, FindsNamesOfEveryLengthInAnyCase) {
  // "жёлтыйблок" then Latin, so that the first words are Cyrillic, then mixed.
  const std::string Lower =
      "\xE6\xB8\xEB\xF2\xFB\xE9\xE1\xEB\xEE\xEA"
      "blockpalette";
  const std::string Upper =
      "\xC6\xA8\xCB\xD2\xDB\xC9\xC1\xCB\xCE\xCA"
      "BLOCKPALETTE";
  std::string Text;
  for (std::size_t Length = 0; Length <= Lower.size(); ++Length)
    Text += Lower.substr(Lower.size() - Length) + "\r\n";
  for (std::size_t Length = 0; Length <= Lower.size(); ++Length)
    Text += Lower.substr(0, Length) + "\n";
  NameIndex Index;
  Index.Rebuild(Text);
  ASSERT_EQ(Index.Count(), 2 * static_cast<int>(Lower.size() + 1));
  std::string Asked;
  std::vector<int> Expected;
  for (std::size_t Length = 0; Length <= Lower.size(); ++Length) {
    // The whole name and the empty one are first among the suffixes.
    const int Tail = static_cast<int>(Length);
    const int Head =
        Length == 0 || Length == Lower.size() ? Tail : static_cast<int>(Lower.size() + 1 + Length);
    EXPECT_EQ(Index.Find(Upper.substr(Upper.size() - Length)), Tail) << Length;
    EXPECT_EQ(Index.Find(Upper.substr(0, Length)), Head) << Length;
    EXPECT_EQ(Index.Find(Lower.substr(0, Length) + "x"), -1) << Length;
    if (Length > 0) {
      EXPECT_EQ(Index.Find(Upper.substr(0, Length - 1) + "#"), -1) << Length;
    }
    Asked += Upper.substr(0, Length) + (Length % 2 == 0 ? "\r\n" : "\r");
    Expected.push_back(Head);
  }
  std::vector<int> Found;
  Index.FindLines(Asked + "x", [&](int At, const char* First, const char* Last) {
    EXPECT_EQ(At, Index.Find(std::string(First, Last)));
    Found.push_back(At);
  });
  Expected.push_back(-1);
  EXPECT_EQ(Found, Expected);
}

}  // namespace
