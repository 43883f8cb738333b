#include "MessageLoop.h"

#include <algorithm>
#include <set>
#include <utility>

#include "NativeApi.h"

namespace {

// The timers set through the platform, so that a session's end kills them.
std::set<std::pair<HWND, UINT_PTR>>& Timers() {
  static std::set<std::pair<HWND, UINT_PTR>> Set;
  return Set;
}

void RunIdle(void* Data) {
  const auto& Idle = *static_cast<const TEvent<>*>(Data);
  if (Idle.Assigned())
    Idle();
}

}  // namespace

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse) {
  if (!IsWindow(Wnd))
    return 0;
  const UINT_PTR Result = native::SetTimer(Wnd, IDEvent, Elapse);
  if (Result != 0)
    Timers().insert({Wnd, IDEvent});
  return Result;
}

BOOL KillTimer(HWND Wnd, UINT_PTR IDEvent) {
  Timers().erase({Wnd, IDEvent});
  return IsWindow(Wnd) && native::KillTimer(Wnd, IDEvent) ? 1 : 0;
}

std::uint64_t GetTickCount64() {
  return native::TickCount();
}

void RunMessageLoop(std::int64_t Milliseconds, TEvent<> Idle) {
  const std::uint64_t Until =
      native::TickCount() + static_cast<std::uint64_t>(std::max<std::int64_t>(0, Milliseconds));
  native::RunLoopUntil(Until, &RunIdle, &Idle);
}

void ResetMessageLoop() {
  for (const auto& [Wnd, IDEvent] : Timers())
    if (IsWindow(Wnd))
      native::KillTimer(Wnd, IDEvent);
  Timers().clear();
}
