#include "NativeApi.h"

#include <windows.h>

#include <map>

// The paint cycle and the drawing beyond text over the real API: what the
// platform's device contexts do on the screen (WindowsGdi.cpp).

namespace native {

namespace {
RECT RectOf(const int (&R)[4]) {
  return RECT{R[0], R[1], R[2], R[3]};
}

void Give(const RECT& From, int (&R)[4]) {
  R[0] = From.left;
  R[1] = From.top;
  R[2] = From.right;
  R[3] = From.bottom;
}

// What BeginPaint filled, kept for its EndPaint: one paint at a time per
// window.
std::map<HWND, PAINTSTRUCT>& Paints() {
  static std::map<HWND, PAINTSTRUCT> Value;
  return Value;
}
}  // namespace

void* BeginPaint(HWND__* Wnd, int (&R)[4], bool& Erase) {
  PAINTSTRUCT Paint{};
  const HDC DC = ::BeginPaint(Wnd, &Paint);
  if (DC == nullptr)
    return nullptr;
  Paints()[Wnd] = Paint;
  Give(Paint.rcPaint, R);
  Erase = Paint.fErase != FALSE;
  return DC;
}

void EndPaint(HWND__* Wnd) {
  const auto It = Paints().find(Wnd);
  if (It == Paints().end())
    return;
  const PAINTSTRUCT Paint = It->second;
  Paints().erase(It);
  ::EndPaint(Wnd, &Paint);
}

bool InvalidateRect(HWND__* Wnd, const int* R, bool Erase) {
  const RECT Rect = R != nullptr ? RECT{R[0], R[1], R[2], R[3]} : RECT{};
  return ::InvalidateRect(Wnd, R != nullptr ? &Rect : nullptr, Erase ? TRUE : FALSE) != FALSE;
}

bool ValidateRect(HWND__* Wnd, const int* R) {
  const RECT Rect = R != nullptr ? RECT{R[0], R[1], R[2], R[3]} : RECT{};
  return ::ValidateRect(Wnd, R != nullptr ? &Rect : nullptr) != FALSE;
}

bool GetUpdateRect(HWND__* Wnd, int (&R)[4]) {
  RECT Rect{};
  const bool Waiting = ::GetUpdateRect(Wnd, &Rect, FALSE) != FALSE;
  Give(Rect, R);
  return Waiting;
}

bool UpdateWindow(HWND__* Wnd) {
  return ::UpdateWindow(Wnd) != FALSE;
}

bool GetClientRect(HWND__* Wnd, int (&R)[4]) {
  RECT Rect{};
  const bool Done = ::GetClientRect(Wnd, &Rect) != FALSE;
  Give(Rect, R);
  return Done;
}

bool ClientOffset(HWND__* Wnd, int& X, int& Y) {
  RECT Window{};
  POINT Client{0, 0};
  if (!::GetWindowRect(Wnd, &Window) || !::ClientToScreen(Wnd, &Client))
    return false;
  X = Client.x - Window.left;
  Y = Client.y - Window.top;
  return true;
}

void FillSolid(void* DC, const int (&R)[4], std::uint32_t Color) {
  const RECT Rect = RectOf(R);
  const HBRUSH Brush = ::CreateSolidBrush(Color);
  ::FillRect(static_cast<HDC>(DC), &Rect, Brush);
  ::DeleteObject(Brush);
}

void FrameSolid(void* DC, const int (&R)[4], std::uint32_t Color) {
  const RECT Rect = RectOf(R);
  const HBRUSH Brush = ::CreateSolidBrush(Color);
  ::FrameRect(static_cast<HDC>(DC), &Rect, Brush);
  ::DeleteObject(Brush);
}

void Polyline(void* DC, const std::vector<int>& XY, std::uint32_t Color, int Width) {
  std::vector<POINT> Points;
  for (std::size_t i = 0; i + 1 < XY.size(); i += 2)
    Points.push_back(POINT{XY[i], XY[i + 1]});
  const HPEN Pen = ::CreatePen(PS_SOLID, Width, Color);
  const HGDIOBJ Old = ::SelectObject(static_cast<HDC>(DC), Pen);
  ::Polyline(static_cast<HDC>(DC), Points.data(), static_cast<int>(Points.size()));
  ::SelectObject(static_cast<HDC>(DC), Old);
  ::DeleteObject(Pen);
}

void Ellipse(void* DC, const int (&R)[4], const std::uint32_t* Fill, const std::uint32_t* Outline,
             int Width) {
  const auto D = static_cast<HDC>(DC);
  const HBRUSH Brush = Fill != nullptr ? ::CreateSolidBrush(*Fill) : nullptr;
  const HPEN Pen = Outline != nullptr ? ::CreatePen(PS_SOLID, Width, *Outline) : nullptr;
  const HGDIOBJ OldBrush = ::SelectObject(
      D, Brush != nullptr ? static_cast<HGDIOBJ>(Brush) : GetStockObject(NULL_BRUSH));
  const HGDIOBJ OldPen =
      ::SelectObject(D, Pen != nullptr ? static_cast<HGDIOBJ>(Pen) : GetStockObject(NULL_PEN));
  ::Ellipse(D, R[0], R[1], R[2], R[3]);
  ::SelectObject(D, OldBrush);
  ::SelectObject(D, OldPen);
  if (Brush != nullptr)
    ::DeleteObject(Brush);
  if (Pen != nullptr)
    ::DeleteObject(Pen);
}

int IntersectClipRect(void* DC, int Left, int Top, int Right, int Bottom) {
  return ::IntersectClipRect(static_cast<HDC>(DC), Left, Top, Right, Bottom);
}

bool OffsetViewportOrg(void* DC, int DX, int DY) {
  return ::OffsetViewportOrgEx(static_cast<HDC>(DC), DX, DY, nullptr) != FALSE;
}

bool DrawEdge(void* DC, int (&R)[4], unsigned Edge, unsigned Flags) {
  RECT Rect = RectOf(R);
  const bool Done = ::DrawEdge(static_cast<HDC>(DC), &Rect, Edge, Flags) != FALSE;
  Give(Rect, R);
  return Done;
}

void* CreateMemoryDC(int Width, int Height, void*& Bitmap) {
  const HDC Screen = ::GetDC(nullptr);
  const HDC Memory = ::CreateCompatibleDC(Screen);
  const HBITMAP Bits =
      ::CreateCompatibleBitmap(Screen, Width > 0 ? Width : 1, Height > 0 ? Height : 1);
  ::ReleaseDC(nullptr, Screen);
  if (Memory == nullptr || Bits == nullptr) {
    if (Memory != nullptr)
      ::DeleteDC(Memory);
    if (Bits != nullptr)
      ::DeleteObject(Bits);
    return nullptr;
  }
  Bitmap = ::SelectObject(Memory, Bits);
  return Memory;
}

void DeleteMemoryDC(void* DC, void* Bitmap) {
  const HGDIOBJ Bits = ::SelectObject(static_cast<HDC>(DC), static_cast<HGDIOBJ>(Bitmap));
  ::DeleteObject(Bits);
  ::DeleteDC(static_cast<HDC>(DC));
}

}  // namespace native
