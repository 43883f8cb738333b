#include <gtest/gtest.h>

#include <vector>

#include "Classes.h"
#include "MessageLoop.h"
#include "Windows.h"

// Timers through the platform's message loop, checked alike on every
// backend: the headless clock is simulated and the real one is not, so the
// checks are of what both promise (WM_TIMER reaches the window procedure
// while the loop runs, and stops with KillTimer or the window), not of
// exact tick counts.

namespace {

struct TTimerWindow : TObject {
  TTimerWindow() {
    Wnd = CreateWindowEx("TPUtilWindow", 0, TWindowProcedure::Of<&TTimerWindow::Proc>(this));
  }
  ~TTimerWindow() override { DestroyWindow(Wnd); }
  void Proc(TMessage& M) {
    if (M.Msg == WM_TIMER)
      Ticks.push_back(M.WParam);
    else
      CallDefWindowProc(Wnd, M);
  }
  void Idle() { ++IdleRuns; }

  HWND Wnd = nullptr;
  std::vector<WPARAM> Ticks;
  int IdleRuns = 0;
};

TEST(MessageLoop, TimersReachTheirWindowWhileTheLoopRuns) {
  TTimerWindow Window;
  ASSERT_TRUE(IsWindow(Window.Wnd));
  const auto Idle = TEvent<>::Of<&TTimerWindow::Idle>(&Window);
  EXPECT_EQ(SetTimer(Window.Wnd, 7, 40), 7u);
  const std::uint64_t Start = GetTickCount64();
  RunMessageLoop(300, Idle);
  EXPECT_GE(GetTickCount64() - Start, 300u);
  EXPECT_GE(Window.Ticks.size(), 3u);
  EXPECT_LE(Window.Ticks.size(), 8u);
  for (WPARAM Id : Window.Ticks)
    EXPECT_EQ(Id, 7u);
  EXPECT_GE(Window.IdleRuns, static_cast<int>(Window.Ticks.size()));

  EXPECT_EQ(KillTimer(Window.Wnd, 7), 1);
  EXPECT_EQ(KillTimer(Window.Wnd, 7), 0) << "a timer is killed once";
  const std::size_t Before = Window.Ticks.size();
  RunMessageLoop(150, Idle);
  EXPECT_EQ(Window.Ticks.size(), Before);

  // A destroyed window's timer dies with it, and a dead handle gets none.
  SetTimer(Window.Wnd, 8, 20);
  const HWND Dead = Window.Wnd;
  DestroyWindow(Window.Wnd);
  Window.Wnd = nullptr;
  RunMessageLoop(100, Idle);
  EXPECT_EQ(Window.Ticks.size(), Before);
  EXPECT_EQ(SetTimer(Dead, 9, 20), 0u);
  RunMessageLoop(0, Idle);
}

}  // namespace
