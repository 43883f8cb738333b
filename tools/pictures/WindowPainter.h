#pragma once

// Turns what windows drew into a picture: each window's recorded frame and
// client area (WindowDrawing.h) at its place, its children over it in the
// order they were made, each clipped to its parent's client area. Hidden
// windows, and what they hold, are left out. Nothing is drawn here of its
// own: a control looks as its window class and its owner painted it.

#include "Picture.h"
#include "Windows.h"

class TWindowPainter {
 public:
  explicit TWindowPainter(TPicture& Picture) : FPic(Picture) {}

  // Draws Wnd with its client area's top left corner at (X, Y) of the
  // picture, its frame around that, then the windows below it.
  void Paint(HWND Wnd, int X, int Y);
  // Draws only the client area of Wnd, and the windows below it, with its
  // top left corner at (X, Y): a picture of what lies inside the frame.
  void PaintClient(HWND Wnd, int X, int Y);

 private:
  void Replay(const TDisplayList& List);
  TPicture& FPic;
};

// The box a window's picture takes, frame included, in the coordinates of
// its client area's top left corner: a top-level window's frame lies
// around its client area.
TRect WindowPictureBounds(HWND Wnd);
