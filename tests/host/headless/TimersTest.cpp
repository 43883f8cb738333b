#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ApplicationTest.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"

// TTimer on the headless platform's simulated clock, which moves only as
// the test says: what fires when, to the millisecond. The real platform's
// timers run on real time (the engine's tests wait on them there).

namespace {

// Logs "name@time" for every tick of the timers it serves.
struct TTickLog : TObject {
  std::vector<std::string> Ticks;
  TTimer* DisableOnTick = nullptr;
  TTimer* FreeOnTick = nullptr;
  void Tick(TObject* Sender) {
    auto* T = static_cast<TTimer*>(Sender);
    Ticks.push_back(T->Name() + "@" + IntToStr(Application->Now()));
    if (T == DisableOnTick)
      T->SetEnabled(false);
    if (T == FreeOnTick) {
      FreeOnTick = nullptr;
      delete T;
    }
  }
  TTimer* NewTimer(TComponent* Owner, const std::string& Name, int Interval) {
    auto* T = new TTimer(Owner);
    T->SetName(Name);
    T->SetInterval(Interval);
    T->SetOnTimer(TNotifyEvent::Of<&TTickLog::Tick>(this));
    return T;
  }
};

using V = std::vector<std::string>;

class Timers : public ApplicationTest {};

TEST_F(Timers, FireInDueOrderAndEqualTimesInCreationOrder) {
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

TEST_F(Timers, EnableDisableAndIntervalRestartTheCountdown) {
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

TEST_F(Timers, AHandlerThatDisablesItsTimerFiresOnce) {
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

TEST_F(Timers, ATimerFreedInItsHandlerStopsAndTheOthersGoOn) {
  TTickLog Log;
  TTimer* Doomed = Log.NewTimer(App, "doomed", 10);
  Log.NewTimer(App, "other", 10);
  Log.FreeOnTick = Doomed;
  App->AdvanceTime(25);
  EXPECT_EQ(Log.Ticks, (V{"doomed@10", "other@10", "other@20"}));
  EXPECT_EQ(App->FindComponent("doomed"), nullptr);
}

TEST_F(Timers, ATimerWithoutHandlerOrDisabledNeverFires) {
  auto* T = new TTimer(App);
  T->SetInterval(10);
  App->AdvanceTime(100);
  EXPECT_EQ(T->FireCount(), 0);
  TTickLog Log;
  T->SetEnabled(false);
  T->SetOnTimer(TNotifyEvent::Of<&TTickLog::Tick>(&Log));
  App->AdvanceTime(100);
  EXPECT_EQ(T->FireCount(), 0);
}

// A handler that, like a modal dialog's loop, moves the clock on by itself.
struct TNestedWait : TObject {
  std::int64_t Inner = 0;
  void Tick(TObject* Sender) {
    static_cast<TTimer*>(Sender)->SetEnabled(false);
    Application->AdvanceTime(Inner);
  }
};

TEST_F(Timers, TheClockNeverRunsBackwards) {
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
