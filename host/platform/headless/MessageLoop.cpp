#include "MessageLoop.h"

#include <algorithm>
#include <vector>

namespace {

struct TScheduledTimer {
  HWND Wnd = nullptr;
  UINT_PTR IDEvent = 0;
  std::uint64_t Order = 0;  // the window's creation order
  std::int64_t Due = 0;
  UINT Elapse = 0;
};

// The simulated clock and the timers set on it. Timers are few (one per
// TTimer that runs), so a plain list searched in full is enough.
struct TLoopState {
  std::int64_t Now = 0;
  std::vector<TScheduledTimer> Timers;
};

TLoopState& Loop() {
  static TLoopState State;
  return State;
}

auto FindTimer(HWND Wnd, UINT_PTR IDEvent) {
  auto& Timers = Loop().Timers;
  return std::find_if(Timers.begin(), Timers.end(), [&](const TScheduledTimer& T) {
    return T.Wnd == Wnd && T.IDEvent == IDEvent;
  });
}

}  // namespace

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse) {
  const TWindowRecord* Window = WindowRecord(Wnd);
  if (Window == nullptr)
    return 0;
  TLoopState& L = Loop();
  auto It = FindTimer(Wnd, IDEvent);
  if (It == L.Timers.end())
    It = L.Timers.insert(L.Timers.end(), TScheduledTimer{Wnd, IDEvent, Window->Order, 0, 0});
  It->Due = L.Now + Elapse;
  It->Elapse = Elapse;
  return IDEvent;
}

BOOL KillTimer(HWND Wnd, UINT_PTR IDEvent) {
  auto It = FindTimer(Wnd, IDEvent);
  if (It == Loop().Timers.end())
    return 0;
  Loop().Timers.erase(It);
  return 1;
}

std::uint64_t GetTickCount64() {
  return static_cast<std::uint64_t>(Loop().Now);
}

void RunMessageLoop(std::int64_t Milliseconds, TEvent<> Idle) {
  TLoopState& L = Loop();
  const std::int64_t Target = L.Now + std::max<std::int64_t>(0, Milliseconds);
  for (;;) {
    // A destroyed window's timers die with it, as Windows kills them.
    std::erase_if(L.Timers, [](const TScheduledTimer& T) { return !IsWindow(T.Wnd); });
    auto Next = L.Timers.end();
    for (auto It = L.Timers.begin(); It != L.Timers.end(); ++It) {
      if (It->Due > Target)
        continue;
      if (Next == L.Timers.end() || It->Due < Next->Due ||
          (It->Due == Next->Due && It->Order < Next->Order))
        Next = It;
    }
    if (Next == L.Timers.end())
      break;
    L.Now = std::max(L.Now, Next->Due);
    // The next tick is counted from this one, as a repeating timer does.
    Next->Due = L.Now + std::max<UINT>(1, Next->Elapse);
    const HWND Wnd = Next->Wnd;
    const UINT_PTR IDEvent = Next->IDEvent;
    SendMessage(Wnd, WM_TIMER, IDEvent, 0);
    if (Idle.Assigned())
      Idle();
  }
  // A procedure may have moved the clock past the target itself (a modal
  // loop that waits); time does not go back.
  L.Now = std::max(L.Now, Target);
}

void ResetMessageLoop() {
  Loop().Now = 0;
  Loop().Timers.clear();
}
