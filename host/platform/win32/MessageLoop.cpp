#include "MessageLoop.h"

#include <algorithm>
#include <set>
#include <utility>

#include "Callbacks.h"
#include "NativeApi.h"

namespace {

// The timers set through the platform, so that a session's end kills them.
std::set<std::pair<HWND, UINT_PTR>>& Timers() {
  static std::set<std::pair<HWND, UINT_PTR>> Set;
  return Set;
}

TInputSource& Source() {
  static TInputSource Value;
  return Value;
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
  for (;;) {
    for (MSG M; PeekMessage(M, nullptr, 0, 0, PM_REMOVE);) {
      if (!FilterMessage(M)) {
        TranslateMessage(M);
        DispatchMessage(M);
      }
      if (Idle.Assigned())
        Idle();
    }
    const std::uint64_t Now = native::TickCount();
    if (Now >= Until)
      return;
    native::WaitInput(Until - Now);
  }
}

BOOL PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return native::IsWindow(Wnd) && native::PostMessage(Wnd, Msg, WParam, LParam) ? 1 : 0;
}

BOOL PeekMessage(MSG& Msg, HWND Wnd, UINT First, UINT Last, UINT Remove) {
  native::TQueuedMessage Native;
  if (!native::PeekMessage(Native, Wnd, First, Last, (Remove & PM_REMOVE) != 0))
    return 0;
  Msg = MSG{Native.Wnd, Native.Msg, Native.WParam, Native.LParam};
  return 1;
}

BOOL TranslateMessage(const MSG& Msg) {
  return native::TranslateMessage({Msg.hwnd, Msg.message, Msg.wParam, Msg.lParam}) ? 1 : 0;
}

LRESULT DispatchMessage(const MSG& Msg) {
  const LRESULT Result = native::DispatchMessage({Msg.hwnd, Msg.message, Msg.wParam, Msg.lParam});
  RaiseKeptException();
  return Result;
}

// With a source, the source acts as the user; without one, the real user
// does, and the loop waits for the real input.
BOOL WaitMessage() {
  if (Source().Assigned()) {
    bool Given = false;
    const TInputSource Acting = Source();
    Acting(Given);
    return Given ? 1 : 0;
  }
  native::WaitMessage();
  return 1;
}

TInputSource SetInputSource(TInputSource Value) {
  return std::exchange(Source(), Value);
}

void ResetMessageLoop() {
  Source() = {};
  for (const auto& [Wnd, IDEvent] : Timers())
    if (IsWindow(Wnd))
      native::KillTimer(Wnd, IDEvent);
  Timers().clear();
}
