#pragma once

// What a window drew: on the headless platform each window's DC records its
// last paint (the client area's, in client coordinates) and its frame's
// (WM_NCPAINT's, in coordinates of the window's own top left corner), which
// the simulator turns into pictures. The real platform draws on the screen
// and keeps no recording: there each answer is empty.

#include "DisplayList.h"
#include "Windows.h"

// The drawing of the window's last paint; nullptr where none is kept.
const TDisplayList* WindowDrawing(HWND Wnd);
// The drawing of the window's frame (caption bar, borders) at its last
// WM_NCPAINT; nullptr for a window without a frame or where none is kept.
const TDisplayList* WindowFrameDrawing(HWND Wnd);
// Where the client area lies within the window: inside its frame or edge.
TPoint WindowClientOffset(HWND Wnd);
