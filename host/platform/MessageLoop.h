#pragma once

// Timers and the message loop, as Windows has them: SetTimer and KillTimer
// post WM_TIMER to a window, the loop dispatches what falls due, and the
// tick count tells the time. On the headless platform the clock is
// simulated and moves only while the loop runs for a given time, so every
// run is the same; on the real platform time is real.
//
// Posted messages wait in the thread's queue until a loop takes them
// (PeekMessage) and hands them to their window (DispatchMessage); the
// user's input arrives so. The headless platform has no user: whoever acts
// as one (a test, the simulator's script) is the input source, which a loop
// that waits for input asks for the next thing the user does.

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

// A message taken from the queue.
struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};
// Queues the message for the window; FALSE when the handle is no window.
BOOL PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;
// The first queued message for Wnd (nullptr: any window) within First to
// Last (both 0: any message); FALSE when there is none. PM_REMOVE takes it
// off the queue.
BOOL PeekMessage(MSG& Msg, HWND Wnd, UINT First, UINT Last, UINT Remove);
// Queues the character a key message makes (WM_CHAR after WM_KEYDOWN),
// by the keyboard's layout and state; TRUE when it made one.
BOOL TranslateMessage(const MSG& Msg);
// Hands the message to its window's procedure.
LRESULT DispatchMessage(const MSG& Msg);
// Waits until input arrives. The input source is asked first; without one,
// the real platform waits for the real user and the headless platform, which
// has none, answers FALSE at once. FALSE also when the source has no more to
// give: no input will ever come.
BOOL WaitMessage();

// Whoever acts as the user: asked when a loop waits for input, it does the
// next thing the user does (posting or sending the messages of a click, a
// key, a character) and sets Given, or leaves it false when it has nothing
// more to do. It may run a loop of its own while it acts.
using TInputSource = TEvent<bool&>;
// Installs the source; returns the one it replaces.
TInputSource SetInputSource(TInputSource Source);

// What the application looks at before a loop hands a queued message to its
// window (the VCL's IsKeyMsg, where a key that a menu takes as its shortcut
// goes no further): setting Handled keeps the message from its window. Every
// loop of the platform asks it, RunMessageLoop's as a modal one's.
using TMessageFilter = TEvent<const MSG&, bool&>;
// Installs the filter; returns the one it replaces.
TMessageFilter SetMessageFilter(TMessageFilter Filter);
// Asks the filter; false when there is none.
bool FilterMessage(const MSG& Msg);

// Forgets every timer, posted message and input source and, on the
// headless platform, puts the clock back to 0; ResetWindowsState calls it
// between sessions.
void ResetMessageLoop();
