#include "WindowCapture.h"

#include "NativeApi.h"

bool WindowCaptureAvailable() {
  return true;
}

TWindowPixels CaptureWindow(HWND Wnd, TCaptureSource Source) {
  if (!IsWindow(Wnd))
    throw ECaptureError("there is no window to capture");
  TWindowPixels Picture;
  std::string Error;
  if (!native::CaptureWindow(Wnd, Source == TCaptureSource::Screen, Picture.Width, Picture.Height,
                             Picture.Pixels, Error))
    throw ECaptureError("cannot capture the window: " + Error);
  return Picture;
}
