#include "WindowCapture.h"

// The headless platform draws display lists, not pixels.

bool WindowCaptureAvailable() {
  return false;
}

TWindowPixels CaptureWindow(HWND Wnd, TCaptureSource Source) {
  (void)Wnd;
  (void)Source;
  throw ECaptureError(
      "capturing a window's pixels needs the real platform (the win32 build); "
      "this build draws display lists only");
}
