#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Classes.h"
#include "EventSpy.h"
#include "TestText.h"

namespace {

using V = std::vector<std::string>;

TEST(Strings, TextReadEndsEveryLineWithCrLf) {
  TStringList L;
  EXPECT_EQ(L.Text(), "");
  L.Add("a");
  EXPECT_EQ(L.Text(), "a\r\n");
  L.Add("");
  L.Add("c");
  EXPECT_EQ(L.Text(), "a\r\n\r\nc\r\n");
}

struct SplitCase {
  std::string Text;
  V Expected;
};

class Strings : public testing::TestWithParam<SplitCase> {};

TEST_P(Strings, SplitsAsTheVclDoes) {
  TStringList L;
  L.Add("old");
  L.SetText(GetParam().Text);
  EXPECT_EQ(Lines(&L), GetParam().Expected);
  // A list keeps a text unsplit until its lines are asked for; its text read
  // back before that is the one its lines give.
  std::string Joined;
  for (const std::string& Line : GetParam().Expected)
    Joined += Line + "\r\n";
  TStringList Kept;
  Kept.SetText(GetParam().Text);
  EXPECT_EQ(Kept.Text(), Joined);
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, Strings,
    testing::Values(SplitCase{"", {}}, SplitCase{"a", {"a"}}, SplitCase{"a\r\nb", {"a", "b"}},
                    SplitCase{"a\rb", {"a", "b"}}, SplitCase{"a\nb", {"a", "b"}},
                    SplitCase{"a\n\rb", {"a", "", "b"}}, SplitCase{"a\r\n", {"a"}},
                    SplitCase{"a\r\n\r\n", {"a", ""}}, SplitCase{"\r\n", {""}},
                    SplitCase{"a\r\r\nb", {"a", "", "b"}},
                    SplitCase{std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
                    SplitCase{std::string("\0a", 2), {}}));

// The lists look for line breaks eight bytes at a time. A break of each
// kind at every place in a word, after bytes that only look like one to a
// quick test (a tab, 0x0E, high bytes), and a text ending at every place,
// must split as the rule above splits it a byte at a time.
TEST(Strings, SplitsAlikeAtEveryPlaceInAWord) {
  const std::string Bytes =
      "A\tb\x0E\x8D\xFF"
      "cd\x0C\x8A"
      "efgh\x8E"
      "ij\x0D"
      "z\x0B"
      "q";
  auto Split = [](const std::string& Text) {
    V Lines;
    std::size_t i = 0;
    while (i < Text.size() && Text[i] != '\0') {
      std::size_t End = i;
      while (End < Text.size() && Text[End] != '\0' && Text[End] != '\r' && Text[End] != '\n')
        ++End;
      Lines.push_back(Text.substr(i, End - i));
      i = End + (End < Text.size() && Text[End] == '\r' ? 1 : 0);
      i += i < Text.size() && Text[i] == '\n' ? 1 : 0;
    }
    return Lines;
  };
  const std::string Breaks[] = {"\r\n", "\r", "\n", "\n\r", std::string(1, '\0'), ""};
  for (const std::string& Break : Breaks)
    for (std::size_t Lead = 0; Lead <= 17; ++Lead)
      for (std::size_t Tail = 0; Tail <= 9; ++Tail) {
        const std::string Text =
            Bytes.substr(Lead % 5, Lead) + Break + Bytes.substr(0, Tail) + "\r\n" + Bytes;
        TStringList L;
        L.SetText(Text);
        EXPECT_EQ(Lines(&L), Split(Text)) << "lead " << Lead << ", tail " << Tail;
      }
}

// Every edit and look made first after SetText finds the text's lines.
TEST(Strings, EditsRightAfterSetTextSeeItsLines) {
  struct TCase {
    const char* Name;
    void (*Edit)(TStringList&);
    V Expected;
  };
  const TCase Cases[] = {
      {"Add", [](TStringList& L) { L.Add("d"); }, {"b", "a", "c", "d"}},
      {"Insert", [](TStringList& L) { L.Insert(0, "d"); }, {"d", "b", "a", "c"}},
      {"Delete", [](TStringList& L) { L.Delete(1); }, {"b", "c"}},
      {"Exchange", [](TStringList& L) { L.Exchange(0, 2); }, {"c", "a", "b"}},
      {"Put", [](TStringList& L) { L.Put(1, "x"); }, {"b", "x", "c"}},
      {"Move", [](TStringList& L) { L.Move(0, 2); }, {"a", "c", "b"}},
      {"Sorted", [](TStringList& L) { L.SetSorted(true); }, {"a", "b", "c"}},
      {"Clear", [](TStringList& L) { L.Clear(); }, {}},
      {"SetText", [](TStringList& L) { L.SetText("e"); }, {"e"}},
      {"Assign",
       [](TStringList& L) {
         TStringList Other;
         Other.SetText(L.Text() + "f");
         L.Assign(&Other);
       },
       {"b", "a", "c", "f"}},
  };
  for (const TCase& C : Cases) {
    TStringList L;
    L.SetText("b\r\na\nc");
    C.Edit(L);
    EXPECT_EQ(Lines(&L), C.Expected) << C.Name;
  }
  TStringList L;
  L.SetText("b\r\na\nc");
  EXPECT_EQ(L.IndexOf("C"), 2);
  L.SetText("b\r\na\nc");
  L.SetObjects(2, TItemObject::FromInteger(5));
  EXPECT_EQ(L.Objects(2).AsInteger(), 5);
  EXPECT_EQ(L.Get(2), "c");
}

TEST(Strings, TextRoundTripKeepsLines) {
  TStringList A, B;
  A.SetText("one\r\n\r\nthree\r\n");
  B.SetText(A.Text());
  EXPECT_TRUE(A.Equals(&B));
  EXPECT_EQ(B.Count(), 2 + 1);
}

TEST(Strings, IndexOfIgnoresCaseOfLatinAndCyrillicAndFindsTheFirst) {
  TStringList L;
  L.Add("Standard");
  // "Группа", "ЁЖИК"
  L.Add("\xC3\xF0\xF3\xEF\xEF\xE0");
  L.Add("\xA8\xC6\xC8\xCA");
  L.Add("standard");
  EXPECT_EQ(L.IndexOf("STANDARD"), 0);
  EXPECT_EQ(L.IndexOf("standard"), 0);
  // "ГРУППА"
  EXPECT_EQ(L.IndexOf("\xC3\xD0\xD3\xCF\xCF\xC0"), 1);
  // "ёжик"
  EXPECT_EQ(L.IndexOf("\xB8\xE6\xE8\xEA"), 2);
  // "Ежик": Е is not Ё.
  EXPECT_EQ(L.IndexOf("\xC5\xE6\xE8\xEA"), -1);
  // Whole strings only.
  EXPECT_EQ(L.IndexOf("Stand"), -1);
  EXPECT_EQ(L.IndexOf("Standard "), -1);
  EXPECT_EQ(L.IndexOf(""), -1);
}

TEST(Strings, ObjectsHoldPointersAndPlainIntegers) {
  TStringList L;
  TStringList Other;
  L.AddObject("obj", &Other);
  L.AddObject("int", TItemObject::FromInteger(-7));
  L.Add("none");
  EXPECT_EQ(L.Objects(0).AsObject(), &Other);
  EXPECT_EQ(L.ObjectAs<TStringList>(0), &Other);
  EXPECT_EQ(L.Objects(1).AsInteger(), -7);
  EXPECT_TRUE(L.Objects(2).IsNil());
  EXPECT_EQ(L.ObjectAs<TStringList>(2), nullptr);
  L.SetObjects(2, TItemObject(static_cast<TObject*>(nullptr)));
  L.SetObjects(1, TItemObject::FromInteger(99));
  EXPECT_EQ(L.Objects(1).AsInteger(), 99);
  // Objects travel with their strings.
  L.Insert(0, "first");
  EXPECT_EQ(L.Objects(1).AsObject(), &Other);
  L.Move(1, 3);
  EXPECT_EQ(Lines(&L), (V{"first", "int", "none", "obj"}));
  EXPECT_EQ(L.Objects(3).AsObject(), &Other);
  EXPECT_EQ(L.Objects(1).AsInteger(), 99);
}

TEST(Strings, EditingOperations) {
  TStringList L;
  EXPECT_EQ(L.Add("b"), 0);
  L.Insert(0, "a");
  L.Insert(2, "d");
  L.Insert(2, "c");
  EXPECT_EQ(Lines(&L), (V{"a", "b", "c", "d"}));
  L.Delete(1);
  EXPECT_EQ(Lines(&L), (V{"a", "c", "d"}));
  L.Move(2, 0);
  EXPECT_EQ(Lines(&L), (V{"d", "a", "c"}));
  L.Move(0, 2);
  EXPECT_EQ(Lines(&L), (V{"a", "c", "d"}));
  L.SetStrings(1, "C");
  EXPECT_EQ(Lines(&L), (V{"a", "C", "d"}));
  EXPECT_THROW(L.Delete(3), EListError);
  EXPECT_THROW(L.Delete(-1), EListError);
  EXPECT_THROW(L.Insert(4, "x"), EListError);
  EXPECT_THROW((void)L.Strings(3), EListError);
  EXPECT_EQ(Lines(&L), (V{"a", "C", "d"}));
  L.Clear();
  EXPECT_EQ(L.Count(), 0);
}

TEST(Strings, MoveToABadIndexLosesNothing) {
  TStringList L;
  L.SetText("a\r\nb\r\nc");
  L.SetObjects(0, TItemObject::FromInteger(5));
  EXPECT_THROW(L.Move(0, 3), EListError);
  EXPECT_THROW(L.Move(3, 0), EListError);
  EXPECT_EQ(Lines(&L), (V{"a", "b", "c"}));
  EXPECT_EQ(L.Objects(0).AsInteger(), 5);
}

TEST(Strings, AssignAndEquals) {
  TStringList A, B;
  A.SetText("x\r\nY");
  A.SetObjects(1, TItemObject::FromInteger(3));
  B.SetText("old");
  B.Assign(&A);
  EXPECT_EQ(Lines(&B), (V{"x", "Y"}));
  EXPECT_EQ(B.Objects(1).AsInteger(), 3);
  EXPECT_TRUE(A.Equals(&B));
  B.SetStrings(1, "y");
  EXPECT_FALSE(A.Equals(&B)) << "letter case counts";
  B.SetStrings(1, "Y");
  B.Add("z");
  EXPECT_FALSE(A.Equals(&B));
  TStringList Empty1, Empty2;
  EXPECT_TRUE(Empty1.Equals(&Empty2));
  EXPECT_THROW(B.Assign(nullptr), EConvertError);
}

TEST(Strings, SortedDuplicates) {
  TStringList L;
  L.SetSorted(true);
  L.SetDuplicates(dupIgnore);
  L.Add("b");
  L.Add("a");
  EXPECT_EQ(L.Add("B"), 1) << "dupIgnore answers the existing entry";
  EXPECT_EQ(Lines(&L), (V{"a", "b"}));
  EXPECT_THROW(L.Insert(0, "c"), EStringListError);
  EXPECT_THROW(L.SetStrings(0, "c"), EStringListError);

  L.SetDuplicates(dupError);
  EXPECT_THROW(L.Add("A"), EStringListError);
  EXPECT_EQ(Lines(&L), (V{"a", "b"}));

  L.SetDuplicates(dupAccept);
  L.AddObject("A", TItemObject::FromInteger(1));
  EXPECT_EQ(L.Count(), 3);
  EXPECT_EQ(L.IndexOf("a"), 0);
  EXPECT_EQ(L.IndexOf("c"), -1);
  EXPECT_EQ(L.Objects(L.IndexOf("b")).AsInteger(), 0);
}

TEST(Strings, SortPutsCyrillicAfterLatinAndYoAfterYe) {
  TStringList L;
  // "Яблоко", "апрель", "Ёлка", "Ель", "Жук"
  L.SetText(
      "\xDF\xE1\xEB\xEE\xEA\xEE\r\nzeta\r\n\xE0\xEF\xF0\xE5\xEB\xFC\r\nAlpha\r\n"
      "\xA8\xEB\xEA\xE0\r\n\xC5\xEB\xFC\r\n\xC6\xF3\xEA\r\nbeta");
  L.SetSorted(true);
  EXPECT_EQ(Lines(&L), (V{"Alpha", "beta", "zeta", "\xE0\xEF\xF0\xE5\xEB\xFC", "\xC5\xEB\xFC",
                          "\xA8\xEB\xEA\xE0", "\xC6\xF3\xEA", "\xDF\xE1\xEB\xEE\xEA\xEE"}));
  // A sorted list finds what it sorted, ignoring case.
  EXPECT_EQ(L.IndexOf("\xB8\xCB\xCA\xC0"), 5);
  EXPECT_EQ(L.IndexOf("ZETA"), 2);
}

TEST(Strings, ChangeEventsRunOncePerUpdate) {
  TEventSpy C;
  TStringList L;
  L.SetOnChange(C.Event());
  L.Add("a");
  EXPECT_EQ(C.Count(), 1);
  L.SetText("x\r\ny\r\nz");
  EXPECT_EQ(C.Count(), 2);
  L.BeginUpdate();
  L.Add("1");
  L.Delete(0);
  L.EndUpdate();
  EXPECT_EQ(C.Count(), 3);
  // Clearing a list a text has just filled is a change, clearing an empty
  // one is not, whether or not the text has been split into lines yet.
  L.SetText("x");
  L.Clear();
  EXPECT_EQ(C.Count(), 5);
  L.SetText(std::string("\0x", 2));
  L.Clear();
  EXPECT_EQ(C.Count(), 6);
}

}  // namespace
