#include <limits>

#include "SpinFixture.h"

namespace {
constexpr Int64 kMax = std::numeric_limits<Int64>::max();
}

class SpinValue : public SpinTest {};

TEST_F(SpinValue, WithoutBoundsAnyValueStaysAsTyped) {
  EXPECT_EQ(Spin->Text(), "0");
  Retype("12");
  // A negative number is typed digits first, the sign in front of them.
  Press(VK_HOME);
  Type("-");
  EXPECT_EQ(Spin->Text(), "-12");
  EXPECT_EQ(Spin->Value(), -12);
  Leave();
  EXPECT_EQ(Spin->Text(), "-12");

  Retype("9223372036854775807");
  EXPECT_EQ(Spin->Value(), kMax);
  // A step past the end of the range stops there rather than changing sign.
  Press(VK_UP);
  EXPECT_EQ(Spin->Value(), kMax);
  Press(VK_DOWN);
  EXPECT_EQ(Spin->Text(), "9223372036854775806");
}

TEST_F(SpinValue, MinusSignTypedIntoEmptyOrSelectedBoxBecomesMinimum) {
  Retype("-");
  EXPECT_EQ(Spin->Text(), "0");
  EXPECT_EQ(MessageBeepCount(), 0);
}

TEST_F(SpinValue, PlasOnlyRefusesMinusAndReplacesPastedNegative) {
  Spin->SetPlasOnly(true);
  Retype("250");
  EXPECT_EQ(Spin->Text(), "250");
  Press(VK_HOME);
  Type("-");
  EXPECT_EQ(Spin->Text(), "250");
  EXPECT_EQ(MessageBeepCount(), 1);

  SystemClipboard().SetText("-42");
  Spin->SelectAll();
  Spin->PasteFromClipboard();
  EXPECT_EQ(Spin->Text(), "0");
  EXPECT_EQ(Spin->Value(), 0);
}

TEST_F(SpinValue, EqualBoundsMakeEveryValueTheBound) {
  Spin->SetMaxValue(5);
  Spin->SetMinValue(5);
  EXPECT_EQ(Spin->Text(), "5");
  for (const char* Keys : {"0", "9", "77"}) {
    Retype(Keys);
    EXPECT_EQ(Spin->Text(), "5") << Keys;
  }
  Press(VK_UP);
  Press(VK_DOWN);
  EXPECT_EQ(Spin->Value(), 5);
}

TEST_F(SpinValue, OutOfRangeTextIsCorrectedAtOnceAndStepsStopAtTheBounds) {
  Spin->SetMaxValue(100);
  Spin->SetMinValue(10);
  EXPECT_EQ(Spin->Text(), "10");
  Enter();
  Log.Changes.clear();
  Type("7");
  EXPECT_EQ(Spin->Text(), "10");
  // One keystroke that needed a correction: the nested change of the
  // correction and the outer one both raise OnChange, and see the result.
  EXPECT_EQ(Log.Changes, (std::vector<std::string>{"10", "10"}));

  Press(VK_END);
  Press(VK_LEFT);
  Log.Changes.clear();
  Type("5");
  EXPECT_EQ(Spin->Text(), "100");
  EXPECT_EQ(Log.Changes.size(), 2u);

  Log.Changes.clear();
  Press(VK_UP);
  ClickUp();
  EXPECT_EQ(Spin->Text(), "100");
  EXPECT_TRUE(Log.Changes.empty());
  ClickDown();
  EXPECT_EQ(Spin->Text(), "99");
  EXPECT_EQ(Log.Changes, std::vector<std::string>{"99"});
}

TEST_F(SpinValue, IncrementIsSignedAndZeroDoesNothing) {
  Spin->SetIncrement(-3);
  ClickUp();
  EXPECT_EQ(Spin->Value(), -3);
  Press(VK_DOWN);
  EXPECT_EQ(Spin->Value(), 0);
  Spin->SetIncrement(0);
  Log.Changes.clear();
  ClickUp();
  EXPECT_EQ(Spin->Value(), 0);
  EXPECT_TRUE(Log.Changes.empty());
  EXPECT_EQ(MessageBeepCount(), 0);
}

TEST_F(SpinValue, EmptyTextReadsMinimumStaysWhileFocusedAndIsFilledOnExitOrClick) {
  Spin->SetMaxValue(100);
  Spin->SetMinValue(10);
  Retype("\b");
  EXPECT_EQ(Spin->Text(), "");
  EXPECT_EQ(Spin->Value(), 10);
  EXPECT_TRUE(Spin->Focused());
  Leave();
  EXPECT_EQ(Spin->Text(), "10");
  EXPECT_EQ(Log.Exits, 1);

  Retype("\b");
  EXPECT_EQ(Spin->Text(), "");
  const int Exits = Log.Exits;
  ClickControl(Spin);
  EXPECT_EQ(Spin->Text(), "10");
  // A click re-validates through DoExit, which raises OnExit too.
  EXPECT_EQ(Log.Exits, Exits + 1);
}

TEST_F(SpinValue, TwentyDigitsAndOtherUnparsableTextsBecomeTheMinimum) {
  Retype("1234567890123456789");
  EXPECT_EQ(Spin->Text(), "1234567890123456789");
  Type("0");
  EXPECT_EQ(Spin->Text(), "0");

  Spin->SetMaxValue(100);
  Spin->SetMinValue(10);
  for (const char* Pasted : {"12345678901234567890", "9223372036854775808", "-", "12abc"}) {
    SystemClipboard().SetText(Pasted);
    Spin->SelectAll();
    Spin->PasteFromClipboard();
    EXPECT_EQ(Spin->Text(), "10") << Pasted;
  }
}

TEST_F(SpinValue, StrToInt64RefusesTwentyDigitsAndLoneSign) {
  Int64 V = 0;
  EXPECT_FALSE(TryStrToInt64("12345678901234567890", V));
  EXPECT_FALSE(TryStrToInt64("9223372036854775808", V));
  EXPECT_FALSE(TryStrToInt64("-9223372036854775809", V));
  EXPECT_FALSE(TryStrToInt64("-", V));
  EXPECT_FALSE(TryStrToInt64("", V));
  EXPECT_THROW(StrToInt64("-"), EConvertError);
  EXPECT_TRUE(TryStrToInt64("-9223372036854775808", V));
  EXPECT_EQ(V, std::numeric_limits<Int64>::min());
  EXPECT_TRUE(TryStrToInt64("9223372036854775807", V));
  EXPECT_EQ(V, kMax);
}

TEST_F(SpinValue, BoundSettersPullValueAndOtherBoundAlong) {
  Retype("8");
  Spin->SetMaxValue(5);
  EXPECT_EQ(Spin->Text(), "5");
  EXPECT_EQ(Spin->MinValue(), 0);

  Spin->SetMaxValue(10);
  Retype("8");
  Spin->SetMinValue(20);
  EXPECT_EQ(Spin->MaxValue(), 20);
  EXPECT_EQ(Spin->MinValue(), 20);
  EXPECT_EQ(Spin->Text(), "20");

  Spin->SetMaxValue(-1);
  EXPECT_EQ(Spin->MinValue(), -1);
  EXPECT_EQ(Spin->Text(), "-1");
  Spin->SetMinValue(-10);
  Spin->SetValue(-5);
  // PlasOnly pulls negative bounds up to 0, and the minimum takes the value
  // along with it.
  Spin->SetPlasOnly(true);
  EXPECT_EQ(Spin->MaxValue(), 0);
  EXPECT_EQ(Spin->MinValue(), 0);
  EXPECT_EQ(Spin->Text(), "0");
  Spin->SetMinValue(-7);
  EXPECT_EQ(Spin->MinValue(), 0);
}

TEST_F(SpinValue, PlasOnlyLeavesNegativeTextToTheNextReadOrExit) {
  Spin->SetValue(-5);
  Spin->SetPlasOnly(true);
  EXPECT_EQ(Spin->Text(), "-5");
  EXPECT_EQ(Spin->Value(), 0);
  Enter();
  Leave();
  EXPECT_EQ(Spin->Text(), "0");
}

TEST_F(SpinValue, ValueWritesTheCheckedNumber) {
  Spin->SetMaxValue(100);
  Spin->SetMinValue(10);
  Spin->SetValue(1000);
  EXPECT_EQ(Spin->Text(), "100");
  Spin->SetValue(-4);
  EXPECT_EQ(Spin->Text(), "10");
  Spin->SetMinValue(0);
  Spin->SetMaxValue(0);
  Spin->SetValue(std::numeric_limits<Int64>::min());
  EXPECT_EQ(Spin->Text(), "-9223372036854775808");
}
