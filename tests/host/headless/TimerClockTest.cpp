#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../TickLog.h"
#include "ApplicationTest.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"

// TTimer on the headless platform's simulated clock, which moves only as
// the test says: what fires when, to the millisecond. What holds on the real
// platform's clock as well is in TimersTest.cpp.

namespace {

using V = std::vector<std::string>;

class TimerClock : public ApplicationTest {};

TEST_F(TimerClock, FireInDueOrderAndEqualTimesInCreationOrder) {
  TTickLog Log;
  Log.NewTimer(App, "slow", 30);
  Log.NewTimer(App, "b", 10);
  Log.NewTimer(App, "a", 10);
  App->AdvanceTime(35);
  EXPECT_EQ(Log.Ticks, (V{"b@10", "a@10", "b@20", "a@20", "slow@30", "b@30", "a@30"}));
  EXPECT_EQ(App->Now(), 35);
  Log.Ticks.clear();
  App->AdvanceTime(4);
  EXPECT_EQ(Log.Ticks, V{}) << "the next ticks are due at 40";
  App->AdvanceTime(1);
  EXPECT_EQ(Log.Ticks, (V{"b@40", "a@40"}));
}

TEST_F(TimerClock, EnableDisableAndIntervalRestartTheCountdown) {
  TTickLog Log;
  TTimer* T = Log.NewTimer(App, "t", 50);
  App->AdvanceTime(40);
  T->SetEnabled(false);
  App->AdvanceTime(100);
  EXPECT_EQ(Log.Ticks, V{});
  T->SetEnabled(true);  // at 140
  App->AdvanceTime(49);
  EXPECT_EQ(Log.Ticks, V{});
  App->AdvanceTime(1);
  EXPECT_EQ(Log.Ticks, V{"t@190"});
  App->AdvanceTime(30);
  T->SetInterval(100);  // at 220
  App->AdvanceTime(99);
  EXPECT_EQ(Log.Ticks, V{"t@190"});
  App->AdvanceTime(1);
  EXPECT_EQ(Log.Ticks, (V{"t@190", "t@320"}));
  T->SetEnabled(true);  // already on: no restart
  App->AdvanceTime(100);
  EXPECT_EQ(Log.Ticks.back(), "t@420");
  T->SetInterval(0);
  App->AdvanceTime(1000);
  EXPECT_EQ(Log.Ticks.size(), 3u) << "an interval of 0 stops the timer";
  EXPECT_TRUE(T->Enabled());
}

TEST_F(TimerClock, AHandlerThatDisablesItsTimerFiresOnce) {
  TTickLog Log;
  TTimer* T = Log.NewTimer(App, "once", 50);
  Log.DisableOnTick = T;
  App->AdvanceTime(500);
  EXPECT_EQ(Log.Ticks, V{"once@50"});
  EXPECT_FALSE(T->Enabled());
  // Re-enabled, it waits a whole interval again.
  T->SetEnabled(true);
  App->AdvanceTime(49);
  EXPECT_EQ(Log.Ticks.size(), 1u);
  App->AdvanceTime(1);
  EXPECT_EQ(Log.Ticks, (V{"once@50", "once@550"}));
}

TEST_F(TimerClock, ATimerFreedInItsHandlerStopsAndTheOthersGoOn) {
  TTickLog Log;
  TTimer* Doomed = Log.NewTimer(App, "doomed", 10);
  Log.NewTimer(App, "other", 10);
  Log.FreeOnTick = Doomed;
  App->AdvanceTime(25);
  EXPECT_EQ(Log.Ticks, (V{"doomed@10", "other@10", "other@20"}));
  EXPECT_EQ(App->FindComponent("doomed"), nullptr);
}

// A handler that, like a modal dialog's loop, moves the clock on by itself.
struct TNestedWait : TObject {
  std::int64_t Inner = 0;
  void Tick(TObject* Sender) {
    static_cast<TTimer*>(Sender)->SetEnabled(false);
    Application->AdvanceTime(Inner);
  }
};

TEST_F(TimerClock, TheClockNeverRunsBackwards) {
  TNestedWait Nested;
  Nested.Inner = 1000;
  auto* T = new TTimer(App);
  T->SetInterval(50);
  T->SetOnTimer(TNotifyEvent::Of<&TNestedWait::Tick>(&Nested));
  App->AdvanceTime(100);
  EXPECT_EQ(App->Now(), 1050);
  App->AdvanceTime(-5);
  EXPECT_EQ(App->Now(), 1050);
}

}  // namespace
