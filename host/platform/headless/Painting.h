#pragma once

// The headless paint cycle's side that the loop and the window table see:
// which window the loop paints next, and the recordings a window leaves.
// Only the headless backend's sources include this header.

#include "DisplayList.h"
#include "Windows.h"

// The next window (Filter: only that one) on the screen that waits for
// WM_PAINT; false when none does.
bool NextPaint(HWND Filter, HWND& Wnd);
// The loop has handed the window its WM_PAINT: it leaves the list, painted
// or not, until it is invalidated again.
void PaintTaken(HWND Wnd);
// The recording of the window's frame, which its WM_NCPAINT fills.
TDisplayList& FrameRecording(HWND Wnd);
// A destroyed window's recordings go with it.
void ForgetDrawing(HWND Wnd);
// Forgets every recording and waiting window between sessions.
void ResetPainting();
