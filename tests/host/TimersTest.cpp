#include <gtest/gtest.h>

#include "ApplicationTest.h"
#include "ExtCtrls.h"
#include "TickLog.h"

// What a timer does that holds on any clock: each test waits on a reference
// timer's ticks for proof that time has passed, never for a number of
// milliseconds, so a loaded machine that runs timers late changes nothing.
// The exact times the simulated clock gives are in headless/TimerClockTest.cpp.

namespace {

// Long enough for hundreds of 10-millisecond ticks on the slowest machine.
constexpr std::int64_t kBound = 10000;

class Timers : public ApplicationTest {};

// Neither a timer without a handler nor a disabled one runs anything, and the
// host counts no tick for them, while another timer ticks on.
TEST_F(Timers, ATimerWithoutHandlerOrDisabledNeverFires) {
  TTickLog Log;
  Log.NewTimer(App, "reference", 10);
  auto* T = new TTimer(App);
  T->SetInterval(10);
  ASSERT_TRUE(PassTimeUntil([&] { return Log.Count("reference") >= 5; }, kBound));
  EXPECT_EQ(T->FireCount(), 0);
  T->SetEnabled(false);
  T->SetName("disabled");
  T->SetOnTimer(TNotifyEvent::Of<&TTickLog::Tick>(&Log));
  ASSERT_TRUE(PassTimeUntil([&] { return Log.Count("reference") >= 10; }, kBound));
  EXPECT_EQ(T->FireCount(), 0);
  EXPECT_EQ(Log.Count("disabled"), 0);
}

// A handler that disables its own timer gets one tick however long the
// application runs on, and the timer ticks again once enabled again.
TEST_F(Timers, AHandlerThatDisablesItsTimerFiresOnce) {
  TTickLog Log;
  Log.NewTimer(App, "reference", 10);
  TTimer* T = Log.NewTimer(App, "once", 20);
  Log.DisableOnTick = T;
  ASSERT_TRUE(PassTimeUntil([&] { return Log.Count("once") >= 1; }, kBound));
  const int Reference = Log.Count("reference");
  ASSERT_TRUE(PassTimeUntil([&] { return Log.Count("reference") >= Reference + 10; }, kBound));
  EXPECT_EQ(Log.Count("once"), 1);
  EXPECT_FALSE(T->Enabled());
  T->SetEnabled(true);
  EXPECT_TRUE(PassTimeUntil([&] { return Log.Count("once") == 2; }, kBound));
}

// A timer freed by its own handler leaves the application's components and
// never ticks again, with no tick of the platform reaching the freed object,
// while the other timers go on.
TEST_F(Timers, ATimerFreedInItsHandlerStopsAndTheOthersGoOn) {
  TTickLog Log;
  TTimer* Doomed = Log.NewTimer(App, "doomed", 10);
  Log.NewTimer(App, "other", 10);
  Log.FreeOnTick = Doomed;
  ASSERT_TRUE(PassTimeUntil([&] { return Log.Count("doomed") >= 1; }, kBound));
  EXPECT_EQ(App->FindComponent("doomed"), nullptr);
  const int Other = Log.Count("other");
  ASSERT_TRUE(PassTimeUntil([&] { return Log.Count("other") >= Other + 5; }, kBound));
  EXPECT_EQ(Log.Count("doomed"), 1);
}

}  // namespace
