#include <gtest/gtest.h>

#include <string>

#include "MasterIndex.h"

namespace {

// The index keeps a list's own text as it comes and writes any other text
// into that form: either way the kept text and every name's place in it
// must be what the list would hold after splitting the text.
struct TIndexCase {
  std::string Text;
  std::string Kept;
};

class MasterIndexText : public testing::TestWithParam<TIndexCase> {};

TEST_P(MasterIndexText, KeepsEveryNameFollowedByCrLf) {
  TMasterIndex Index;
  Index.Rebuild("stale\r\nnames\r\n");
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

INSTANTIATE_TEST_SUITE_P(
    Forms, MasterIndexText,
    testing::Values(TIndexCase{"", ""}, TIndexCase{"Ab\r\nc\r\n", "Ab\r\nc\r\n"},
                    TIndexCase{"\r\n\r\n", "\r\n\r\n"}, TIndexCase{"Ab\r\nc", "Ab\r\nc\r\n"},
                    TIndexCase{"Ab\rc\nd\r\n", "Ab\r\nc\r\nd\r\n"},
                    TIndexCase{"Ab\n\rc\r\n", "Ab\r\n\r\nc\r\n"},
                    TIndexCase{std::string("Ab\r\nc\r\n\0d\r\n", 11), "Ab\r\nc\r\n"},
                    TIndexCase{"Ab\r\r\n", "Ab\r\n\r\n"}));

TEST(MasterIndex, FindsTheFirstNameOfAnyCase) {
  TMasterIndex Index;
  // "Стандарт" twice in different case, then "Win32".
  Index.Rebuild(
      "\xD1\xF2\xE0\xED\xE4\xE0\xF0\xF2\r\n\xF1\xD2\xC0\xCD\xC4\xC0\xD0\xD2\r\nWin32\r\n");
  EXPECT_EQ(Index.Find("\xF1\xF2\xE0\xED\xE4\xE0\xF0\xF2"), 0);
  EXPECT_EQ(Index.Find("WIN32"), 2);
  EXPECT_EQ(Index.Find("Win3"), -1);
}

}  // namespace
