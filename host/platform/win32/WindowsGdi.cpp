#include <algorithm>
#include <vector>

#include "NativeApi.h"
#include "TextMetrics.h"
#include "Windows.h"

// Device contexts over gdi32. A platform DC wraps the real one and keeps the
// platform's font selected into it, so that SelectObject answers with the
// platform's own font records; the real font behind each is made once per
// description. A canvas that records a display list is the headless
// platform's picture of a paint and has no counterpart here.

struct TDeviceContext {
  void* Native = nullptr;
  HWND Wnd = nullptr;
  HFONT Font = nullptr;
  std::vector<HFONT> Saved;
  // A DC that Windows lent for one message (an owner-drawn item's) is not
  // released here, and names the font the control selected into it.
  bool Lent = false;
  TFontRecord LentFont;
};

namespace {
void* NativeFont(HFONT Font) {
  return native::Font(Font->Desc.Name, Font->Desc.Size, Font->Desc.Bold);
}
}  // namespace

int GetSystemMetrics(int Index) {
  return native::GetSystemMetrics(Index);
}

HFONT SystemFont() {
  static TFontRecord Font{TFontDesc{"System", 10, true}};
  return &Font;
}

HDC GetDC(HWND Wnd) {
  void* Native = native::GetDC(Wnd);
  if (Native == nullptr)
    return nullptr;
  auto* DC = new TDeviceContext;
  DC->Native = Native;
  DC->Wnd = Wnd;
  DC->Font = SystemFont();
  return DC;
}

// A canvas that paints outside a window's paint has nothing of the real
// screen to draw on: its DC is over no device, GDI refuses what is drawn on
// it, and measuring needs no DC (FontTextWidth, FontMetrics). The display
// list is the headless platform's picture of a paint; nothing records here.
HDC CreateRecordingDC(TDisplayList* /*List*/, HFONT Font) {
  auto* DC = new TDeviceContext;
  DC->Font = Font != nullptr ? Font : SystemFont();
  return DC;
}

int ReleaseDC(HWND Wnd, HDC DC) {
  if (DC == nullptr || DC->Lent)
    return 0;
  const int Released = DC->Native != nullptr ? native::ReleaseDC(Wnd, DC->Native) : 1;
  delete DC;
  return Released;
}

void DeleteDC(HDC DC) {
  ReleaseDC(DC != nullptr ? DC->Wnd : nullptr, DC);
}

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Obj) {
  HFONT Old = DC->Font;
  if (Obj != nullptr) {
    DC->Font = static_cast<HFONT>(Obj);
    native::SelectObject(DC->Native, NativeFont(DC->Font));
  }
  return Old;
}

BOOL GetTextMetricsA(HDC DC, TEXTMETRIC& Metrics) {
  native::TTextMetrics Native;
  if (!native::GetTextMetrics(DC->Native, Native))
    return 0;
  Metrics = TEXTMETRIC{Native.Height, Native.Ascent, Native.Descent, Native.AveCharWidth,
                       Native.MaxCharWidth};
  return 1;
}

int SaveDC(HDC DC) {
  DC->Saved.push_back(DC->Font);
  return native::SaveDC(DC->Native);
}

BOOL RestoreDC(HDC DC, int SavedDC) {
  if (!native::RestoreDC(DC->Native, SavedDC))
    return 0;
  // Windows' own counting: a negative number is relative to the last save.
  const int Index = SavedDC < 0 ? static_cast<int>(DC->Saved.size()) + SavedDC : SavedDC - 1;
  if (Index >= 0 && Index < static_cast<int>(DC->Saved.size())) {
    DC->Font = DC->Saved[static_cast<std::size_t>(Index)];
    DC->Saved.resize(static_cast<std::size_t>(Index));
  }
  return 1;
}

namespace {
// The VCL's canvas hands its colours on as the VCL keeps them: a system
// colour is its index with the high byte set (0x80 or 0xFF by the host
// build). GDI takes only RGB values, so the system's colour is looked up
// here, as the VCL's ColorToRGB does before it draws.
COLORREF RgbOf(COLORREF Color) {
  return (Color & 0xFF000000u) != 0 ? native::SysColor(static_cast<int>(Color & 0xFF)) : Color;
}
}  // namespace

COLORREF SetTextColor(HDC DC, COLORREF Color) {
  return native::SetTextColor(DC->Native, RgbOf(Color));
}

COLORREF SetBkColor(HDC DC, COLORREF Color) {
  return native::SetBkColor(DC->Native, RgbOf(Color));
}

BOOL ExtTextOutA(HDC DC, int X, int Y, UINT Options, const TRect* R, const char* Text, int Count) {
  if (DC == nullptr)
    return 0;
  const int Rect[4] = {R != nullptr ? R->Left : 0, R != nullptr ? R->Top : 0,
                       R != nullptr ? R->Right : 0, R != nullptr ? R->Bottom : 0};
  return native::ExtTextOut(DC->Native, X, Y, Options, R != nullptr ? Rect : nullptr,
                            Text != nullptr ? Text : "", Text != nullptr ? std::max(Count, 0) : 0)
             ? 1
             : 0;
}

int SetBkMode(HDC DC, int Mode) {
  return native::SetBkMode(DC->Native, Mode);
}

int DrawTextA(HDC DC, const char* Text, int Count, TRect& R, UINT Format) {
  int Rect[4] = {R.Left, R.Top, R.Right, R.Bottom};
  const int Height = native::DrawText(DC->Native, Text, Count, Rect, Format);
  R = TRect{Rect[0], Rect[1], Rect[2], Rect[3]};
  return Height;
}

BOOL GetTextExtentPoint32A(HDC DC, const char* Text, int Count, TPoint& Size) {
  return native::GetTextExtent(DC->Native, Text, Count, Size.X, Size.Y) ? 1 : 0;
}

// Text metrics are the real fonts' own, measured on the screen.
int FontTextWidth(const TFontDesc& Font, const std::string& Text) {
  TFontRecord Record{Font};
  const HDC DC = GetDC(nullptr);
  SelectObject(DC, &Record);
  TPoint Size;
  GetTextExtentPoint32A(DC, Text.c_str(), static_cast<int>(Text.size()), Size);
  ReleaseDC(nullptr, DC);
  return Size.X;
}

TEXTMETRIC FontMetrics(const TFontDesc& Font) {
  TFontRecord Record{Font};
  const HDC DC = GetDC(nullptr);
  SelectObject(DC, &Record);
  TEXTMETRIC Metrics;
  GetTextMetricsA(DC, Metrics);
  ReleaseDC(nullptr, DC);
  return Metrics;
}

BOOL PrintWindow(HWND Wnd, HDC DC, UINT Flags) {
  if (!IsWindow(Wnd) || DC == nullptr)
    return 0;
  return native::PrintWindow(Wnd, DC->Native, Flags) ? 1 : 0;
}

// WM_DRAWITEM, reflected by the parent: the control paints the item on the
// DC that Windows gave, through the platform's own calls.
std::intptr_t native::DrawItem(std::uintptr_t WParam, const TDrawItem& Native) {
  const TWindowRecord* Control = WindowRecord(Native.hwndItem);
  if (Control == nullptr)
    return 0;
  TDeviceContext DC;
  DC.Native = Native.DC;
  DC.Wnd = Native.hwndItem;
  DC.Lent = true;
  DC.LentFont.Desc = Control->Font;
  DC.Font = &DC.LentFont;
  DRAWITEMSTRUCT Item;
  native::CopyDrawItemFields(Item, Native);
  Item.hDC = &DC;
  Item.rcItem = TRect{Native.Rect[0], Native.Rect[1], Native.Rect[2], Native.Rect[3]};
  // Straight to Windows: this runs inside a window procedure, where what the
  // control raises stays kept until the call into Windows returns.
  return native::SendMessage(Native.hwndItem, CN_DRAWITEM, WParam, reinterpret_cast<LPARAM>(&Item));
}
