#pragma once

// Pictures of the real thing: a window's pixels as the platform drew them,
// and the 24-bit BMP file that holds them. Only the real platform has
// pixels; the headless one draws display lists, which the simulator turns
// into pictures of its own.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "Windows.h"

class ECaptureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Pixels in rows from the top down, each a COLORREF (0x00BBGGRR).
struct TWindowPixels {
  int Width = 0, Height = 0;
  std::vector<COLORREF> Pixels;
  COLORREF At(int X, int Y) const {
    return Pixels[static_cast<std::size_t>(Y) * static_cast<std::size_t>(Width) +
                  static_cast<std::size_t>(X)];
  }
};

// Whether this platform can capture a window's pixels.
bool WindowCaptureAvailable();

// Where a window's pixels come from. Print: the window and its children are
// asked to print themselves (WM_PRINT), so the window need not be
// uncovered, but what the VCL paints only on WM_PAINT (labels, images,
// panels) is left out. Screen: every window of it is painted, then its
// rectangle is copied from the screen, what a user sees, which needs the
// window uncovered.
enum class TCaptureSource { Print, Screen };

// The window's current pixels, its frame and children included.
// ECaptureError when the platform has no pixels or the window none to give.
TWindowPixels CaptureWindow(HWND Wnd, TCaptureSource Source = TCaptureSource::Print);

// The pixels as a BMP file: the file header, a BITMAPINFOHEADER of 24 bits
// per pixel without compression, rows from the bottom up, each padded to a
// multiple of 4 bytes.
std::string BmpFileBytes(const TWindowPixels& Picture);
// Replaces the file at Path (Windows-1251, as every text inside) with the
// BMP; ECaptureError naming the file when it cannot be written.
void WriteBmpFile(const TWindowPixels& Picture, const std::string& Path);
