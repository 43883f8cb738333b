#include "MessageLoop.h"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

#include "Painting.h"

namespace {

struct TScheduledTimer {
  HWND Wnd = nullptr;
  UINT_PTR IDEvent = 0;
  std::uint64_t Order = 0;  // the window's creation order
  std::int64_t Due = 0;
  UINT Elapse = 0;
};

// The simulated clock and the timers set on it, the queue of posted
// messages and the input source. Timers are few (one per TTimer that runs),
// so a plain list searched in full is enough.
struct TLoopState {
  std::int64_t Now = 0;
  std::vector<TScheduledTimer> Timers;
  std::deque<MSG> Posted;
  TInputSource Source;
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

BOOL PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!IsWindow(Wnd))
    return 0;
  Loop().Posted.push_back(MSG{Wnd, Msg, WParam, LParam});
  return 1;
}

BOOL PeekMessage(MSG& Msg, HWND Wnd, UINT First, UINT Last, UINT Remove) {
  auto& Posted = Loop().Posted;
  // A message for a window destroyed since it was posted is dropped, as the
  // window's queue goes with it.
  std::erase_if(Posted, [](const MSG& M) { return !IsWindow(M.hwnd); });
  const auto It = std::find_if(Posted.begin(), Posted.end(), [&](const MSG& M) {
    return (Wnd == nullptr || M.hwnd == Wnd) &&
           ((First == 0 && Last == 0) || (M.message >= First && M.message <= Last));
  });
  if (It == Posted.end()) {
    // Windows paints when nothing else waits: WM_PAINT for a window that
    // waits for one is made up as it is asked for.
    const bool PaintAsked = (First == 0 && Last == 0) || (WM_PAINT >= First && WM_PAINT <= Last);
    HWND Wnd2 = nullptr;
    if (!PaintAsked || !NextPaint(Wnd, Wnd2))
      return 0;
    Msg = MSG{Wnd2, WM_PAINT, 0, 0};
    if ((Remove & PM_REMOVE) != 0)
      PaintTaken(Wnd2);
    return 1;
  }
  Msg = *It;
  if ((Remove & PM_REMOVE) != 0)
    Posted.erase(It);
  return 1;
}

namespace {
// The character a key makes on the US layout, by the keyboard's state; 0
// for a key that makes none.
char CharOfKey(WPARAM Key) {
  const bool Shift = KeyboardState().IsDown(VK_SHIFT);
  const bool Ctrl = KeyboardState().IsDown(VK_CONTROL);
  if (Key >= 'A' && Key <= 'Z') {
    if (Ctrl)
      return static_cast<char>(Key - 'A' + 1);
    return static_cast<char>(Shift ? Key : Key - 'A' + 'a');
  }
  if (Ctrl)
    return 0;
  if (Key >= '0' && Key <= '9' && !Shift)
    return static_cast<char>(Key);
  switch (Key) {
    case VK_BACK:
      return '\b';
    case VK_TAB:
      return '\t';
    case VK_RETURN:
      return '\r';
    case VK_ESCAPE:
      return '\x1b';
    case VK_SPACE:
      return ' ';
    case VK_OEM_MINUS:
      return Shift ? '_' : '-';
    default:
      return 0;
  }
}
}  // namespace

BOOL TranslateMessage(const MSG& Msg) {
  if (Msg.message != WM_KEYDOWN)
    return 0;
  const char Ch = CharOfKey(Msg.wParam);
  if (Ch == 0)
    return 0;
  // Before anything queued after the key: a character goes ahead of the
  // input that follows it, as Windows posts it.
  Loop().Posted.push_front(MSG{Msg.hwnd, WM_CHAR, static_cast<unsigned char>(Ch), Msg.lParam});
  return 1;
}

LRESULT DispatchMessage(const MSG& Msg) {
  return SendMessage(Msg.hwnd, Msg.message, Msg.wParam, Msg.lParam);
}

BOOL WaitMessage() {
  TLoopState& L = Loop();
  if (!L.Source.Assigned())
    return 0;
  bool Given = false;
  // A copy: the source may replace itself while it acts.
  const TInputSource Source = L.Source;
  Source(Given);
  return Given || !L.Posted.empty() ? 1 : 0;
}

TInputSource SetInputSource(TInputSource Source) {
  return std::exchange(Loop().Source, Source);
}

void RunMessageLoop(std::int64_t Milliseconds, TEvent<> Idle) {
  TLoopState& L = Loop();
  const std::int64_t Target = L.Now + std::max<std::int64_t>(0, Milliseconds);
  for (;;) {
    // What was posted is handed out before time moves on.
    for (MSG M; PeekMessage(M, nullptr, 0, 0, PM_REMOVE);) {
      if (!FilterMessage(M)) {
        TranslateMessage(M);
        DispatchMessage(M);
      }
      if (Idle.Assigned())
        Idle();
    }
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
  ResetPainting();
  Loop().Now = 0;
  Loop().Timers.clear();
  Loop().Posted.clear();
  Loop().Source = {};
}
