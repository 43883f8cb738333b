#include "NativeApi.h"
#include "WindowDrawing.h"
#include "Windows.h"

// Windows keeps the update regions and hands out WM_PAINT itself; the
// screen keeps what was drawn, and no recording of a window's paint is
// kept here.

BOOL InvalidateRect(HWND Wnd, const TRect* R, BOOL Erase) {
  if (WindowRecord(Wnd) == nullptr)
    return 0;
  const int Rect[4] = {R != nullptr ? R->Left : 0, R != nullptr ? R->Top : 0,
                       R != nullptr ? R->Right : 0, R != nullptr ? R->Bottom : 0};
  return native::InvalidateRect(Wnd, R != nullptr ? Rect : nullptr, Erase != 0) ? 1 : 0;
}

BOOL ValidateRect(HWND Wnd, const TRect* R) {
  if (WindowRecord(Wnd) == nullptr)
    return 0;
  const int Rect[4] = {R != nullptr ? R->Left : 0, R != nullptr ? R->Top : 0,
                       R != nullptr ? R->Right : 0, R != nullptr ? R->Bottom : 0};
  return native::ValidateRect(Wnd, R != nullptr ? Rect : nullptr) ? 1 : 0;
}

BOOL GetUpdateRect(HWND Wnd, TRect* R, BOOL Erase) {
  (void)Erase;
  int Rect[4] = {0, 0, 0, 0};
  const bool Waiting = WindowRecord(Wnd) != nullptr && native::GetUpdateRect(Wnd, Rect);
  if (R != nullptr)
    *R = Waiting ? TRect{Rect[0], Rect[1], Rect[2], Rect[3]} : TRect{};
  return Waiting ? 1 : 0;
}

BOOL UpdateWindow(HWND Wnd) {
  return WindowRecord(Wnd) != nullptr && native::UpdateWindow(Wnd) ? 1 : 0;
}

BOOL GetClientRect(HWND Wnd, TRect& R) {
  int Rect[4] = {0, 0, 0, 0};
  if (WindowRecord(Wnd) == nullptr || !native::GetClientRect(Wnd, Rect))
    return 0;
  R = TRect{Rect[0], Rect[1], Rect[2], Rect[3]};
  return 1;
}

const TDisplayList* WindowDrawing(HWND Wnd) {
  (void)Wnd;
  return nullptr;
}

const TDisplayList* WindowFrameDrawing(HWND Wnd) {
  (void)Wnd;
  return nullptr;
}

TPoint WindowClientOffset(HWND Wnd) {
  TPoint Offset;
  if (WindowRecord(Wnd) != nullptr)
    native::ClientOffset(Wnd, Offset.X, Offset.Y);
  return Offset;
}
