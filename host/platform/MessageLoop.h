#pragma once

// Timers and the message loop, as Windows has them: SetTimer and KillTimer
// post WM_TIMER to a window, the loop dispatches what falls due, and the
// tick count tells the time. On the headless platform the clock is
// simulated and moves only while the loop runs for a given time, so every
// run is the same; on the real platform time is real.

#include <cstdint>

#include "Windows.h"

constexpr UINT WM_TIMER = 0x0113;
using UINT_PTR = std::uintptr_t;

// Starts, or starts anew, the window's timer IDEvent: every Elapse
// milliseconds from now WM_TIMER (WParam IDEvent) reaches the window's
// procedure while the loop runs. Returns 0 when the window is not one.
UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse);
BOOL KillTimer(HWND Wnd, UINT_PTR IDEvent);

// Milliseconds on the platform's clock; the headless clock starts at 0 with
// each session.
std::uint64_t GetTickCount64();

// Runs the loop for Milliseconds (none for 0 or less): every timer that
// falls due is dispatched, in due order and equal times in the order their
// windows were created, and Idle runs after each message. A window
// procedure may run the loop itself (a modal loop that waits); the clock
// never goes back.
void RunMessageLoop(std::int64_t Milliseconds, TEvent<> Idle);

// Forgets every timer and, on the headless platform, puts the clock back to
// 0; ResetWindowsState calls it between sessions.
void ResetMessageLoop();
