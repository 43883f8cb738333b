#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "DeviceContexts.h"
#include "DrawRecorder.h"
#include "NativeApi.h"
#include "TextMetrics.h"
#include "Windows.h"

// Device contexts over gdi32. A platform DC wraps the real one and keeps the
// platform's font selected into it, so that SelectObject answers with the
// platform's own font records; the real font behind each is made once per
// description. Its recorder keeps the state (objects, colours, origin,
// clip) and, for a DC made to record, writes what is drawn into a display
// list besides: a recording DC over no device records only, and a window
// printed into one draws on a bitmap while its owner-drawn parts record.

struct TDeviceContext {
  TDeviceContext() { Live().insert(this); }
  ~TDeviceContext() { Live().erase(this); }
  TDeviceContext(const TDeviceContext&) = delete;
  TDeviceContext& operator=(const TDeviceContext&) = delete;
  // Every platform DC there is, so that a message's WParam is known as one.
  static std::set<const TDeviceContext*>& Live() {
    static std::set<const TDeviceContext*> Value;
    return Value;
  }

  void* Native = nullptr;
  HWND Wnd = nullptr;
  TDrawRecorder Recorder;
  // The real DC's save levels beside the recorder's, as SaveDC numbered them.
  std::vector<int> NativeLevels;
  // A DC that Windows lent for one message (an owner-drawn item's) is not
  // released here, and names the font the control selected into it.
  bool Lent = false;
  TFontRecord LentFont;
  // A paint's DC goes back through EndPaint.
  bool Painting = false;
};

namespace {
void* NativeFont(HFONT Font) {
  return native::Font(Font->Desc.Name, Font->Desc.Size, Font->Desc.Bold);
}

// The display lists that a real DC's drawing is recorded into, while a
// window prints itself into it for a recording DC (PrintWindow).
std::map<void*, TDisplayList*>& Recordings() {
  static std::map<void*, TDisplayList*> Value;
  return Value;
}

TDisplayList* RecordingOf(void* Native) {
  const auto It = Recordings().find(Native);
  return It != Recordings().end() ? It->second : nullptr;
}

// The VCL's canvas hands its colours on as the VCL keeps them: a system
// colour is its index with the high byte set (0x80 or 0xFF by the host
// build). GDI takes only RGB values, so the system's colour is looked up
// here, as the VCL's ColorToRGB does before it draws.
COLORREF RgbOf(COLORREF Color) {
  return (Color & 0xFF000000u) != 0 ? native::SysColor(static_cast<int>(Color & 0xFF)) : Color;
}

// A rectangle in the form the native calls take.
struct TNativeRect {
  int R[4];
  explicit TNativeRect(const TRect& From) : R{From.Left, From.Top, From.Right, From.Bottom} {}
};
}  // namespace

HDC LendDC(void* Native, HWND Wnd) {
  auto* DC = new TDeviceContext;
  DC->Native = Native;
  DC->Wnd = Wnd;
  DC->Lent = true;
  if (const TWindowRecord* Record = WindowRecord(Wnd))
    DC->LentFont.Desc = Record->Font;
  DC->Recorder.State.Font = &DC->LentFont;
  DC->Recorder.List = RecordingOf(Native);
  return DC;
}

void TakeBackDC(HDC DC) {
  delete DC;
}

std::uintptr_t NativeDCParam(std::uintptr_t WParam) {
  const auto* DC = reinterpret_cast<const TDeviceContext*>(WParam);
  if (WParam == 0 || TDeviceContext::Live().count(DC) == 0)
    return WParam;
  return reinterpret_cast<std::uintptr_t>(DC->Native);
}

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
  DC->Recorder.State.Font = SystemFont();
  return DC;
}

// A canvas that paints outside a window's paint has nothing of the real
// screen to draw on: its DC is over no device and only records (into List,
// when given); measuring needs no DC (FontTextWidth, FontMetrics).
HDC CreateRecordingDC(TDisplayList* List, HFONT Font) {
  auto* DC = new TDeviceContext;
  DC->Recorder.List = List;
  DC->Recorder.State.Font = Font != nullptr ? Font : SystemFont();
  return DC;
}

int ReleaseDC(HWND Wnd, HDC DC) {
  if (DC == nullptr || DC->Lent || DC->Painting)
    return 0;
  const int Released = DC->Native != nullptr ? native::ReleaseDC(Wnd, DC->Native) : 1;
  delete DC;
  return Released;
}

void DeleteDC(HDC DC) {
  ReleaseDC(DC != nullptr ? DC->Wnd : nullptr, DC);
}

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Obj) {
  HFONT Old = DC->Recorder.State.Font;
  if (Obj != nullptr) {
    DC->Recorder.State.Font = static_cast<HFONT>(Obj);
    if (DC->Native != nullptr)
      native::SelectObject(DC->Native, NativeFont(DC->Recorder.State.Font));
  }
  return Old;
}

// Brushes and pens are descriptions here too: each drawing makes the real
// one it needs.
HBRUSH SelectObject(HDC DC, HBRUSH Brush) {
  return std::exchange(DC->Recorder.State.Brush, Brush);
}

HPEN SelectObject(HDC DC, HPEN Pen) {
  return std::exchange(DC->Recorder.State.Pen, Pen);
}

HBRUSH CreateSolidBrush(COLORREF Color) {
  return new TBrushRecord{Color, nullptr};
}

HPEN CreatePen(int Style, int Width, COLORREF Color) {
  (void)Style;
  return new TPenRecord{Color, std::max(1, Width), nullptr};
}

BOOL DeleteObject(HBRUSH Brush) {
  delete Brush;
  return 1;
}

BOOL DeleteObject(HPEN Pen) {
  delete Pen;
  return 1;
}

COLORREF GetSysColor(int Index) {
  return native::SysColor(Index);
}

int FillRect(HDC DC, const TRect& R, HBRUSH Brush) {
  if (DC == nullptr || Brush == nullptr)
    return 0;
  if (DC->Native != nullptr)
    native::FillSolid(DC->Native, TNativeRect(R).R, RgbOf(Brush->Color));
  DC->Recorder.Fill(R, Brush->Color);
  return 1;
}

int FrameRect(HDC DC, const TRect& R, HBRUSH Brush) {
  if (DC == nullptr || Brush == nullptr)
    return 0;
  if (DC->Native != nullptr)
    native::FrameSolid(DC->Native, TNativeRect(R).R, RgbOf(Brush->Color));
  DC->Recorder.Frame(R, Brush->Color);
  return 1;
}

BOOL Polyline(HDC DC, const TPoint* Points, int Count) {
  if (DC == nullptr || Points == nullptr || Count < 2)
    return 0;
  const HPEN Pen = DC->Recorder.State.Pen;
  if (DC->Native != nullptr && Pen != nullptr) {
    std::vector<int> XY;
    for (int i = 0; i < Count; ++i) {
      XY.push_back(Points[i].X);
      XY.push_back(Points[i].Y);
    }
    native::Polyline(DC->Native, XY, RgbOf(Pen->Color), Pen->Width);
  }
  DC->Recorder.Polyline(Points, Count);
  return 1;
}

BOOL Ellipse(HDC DC, int Left, int Top, int Right, int Bottom) {
  if (DC == nullptr)
    return 0;
  if (DC->Native != nullptr) {
    const HBRUSH Brush = DC->Recorder.State.Brush;
    const HPEN Pen = DC->Recorder.State.Pen;
    const COLORREF Fill = Brush != nullptr ? RgbOf(Brush->Color) : 0;
    const COLORREF Outline = Pen != nullptr ? RgbOf(Pen->Color) : 0;
    native::Ellipse(DC->Native, TNativeRect({Left, Top, Right, Bottom}).R,
                    Brush != nullptr ? &Fill : nullptr, Pen != nullptr ? &Outline : nullptr,
                    Pen != nullptr ? Pen->Width : 1);
  }
  DC->Recorder.Ellipse({Left, Top, Right, Bottom});
  return 1;
}

int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom) {
  if (DC == nullptr)
    return 0;
  const int Recorded = DC->Recorder.IntersectClip({Left, Top, Right, Bottom});
  return DC->Native != nullptr ? native::IntersectClipRect(DC->Native, Left, Top, Right, Bottom)
                               : Recorded;
}

BOOL OffsetViewportOrgEx(HDC DC, int DX, int DY, TPoint* Old) {
  if (DC == nullptr)
    return 0;
  TPoint& Origin = DC->Recorder.State.Origin;
  if (Old != nullptr)
    *Old = Origin;
  Origin.X += DX;
  Origin.Y += DY;
  if (DC->Native != nullptr)
    native::OffsetViewportOrg(DC->Native, DX, DY);
  return 1;
}

BOOL GetViewportOrgEx(HDC DC, TPoint& Origin) {
  if (DC == nullptr)
    return 0;
  Origin = DC->Recorder.State.Origin;
  return 1;
}

BOOL DrawEdge(HDC DC, TRect& R, UINT Edge, UINT Flags) {
  if (DC == nullptr || DC->Native == nullptr)
    return 0;
  TNativeRect Native(R);
  const bool Done = native::DrawEdge(DC->Native, Native.R, Edge, Flags);
  R = TRect{Native.R[0], Native.R[1], Native.R[2], Native.R[3]};
  return Done ? 1 : 0;
}

// The screen shows nothing of a comment; a recording keeps it.
BOOL GdiComment(HDC DC, int X, int Y, const TImageNote& Note) {
  if (DC == nullptr)
    return 0;
  DC->Recorder.Image(X, Y, Note);
  return 1;
}

BOOL GetTextMetricsA(HDC DC, TEXTMETRIC& Metrics) {
  if (DC->Native == nullptr) {
    Metrics = FontMetrics(DC->Recorder.State.Font->Desc);
    return 1;
  }
  native::TTextMetrics Native;
  if (!native::GetTextMetrics(DC->Native, Native))
    return 0;
  Metrics = TEXTMETRIC{Native.Height, Native.Ascent, Native.Descent, Native.AveCharWidth,
                       Native.MaxCharWidth};
  return 1;
}

int SaveDC(HDC DC) {
  const int Level = DC->Recorder.Save();
  if (DC->Native == nullptr)
    return Level;
  const int NativeLevel = native::SaveDC(DC->Native);
  DC->NativeLevels.push_back(NativeLevel);
  return NativeLevel;
}

BOOL RestoreDC(HDC DC, int SavedDC) {
  if (DC->Native == nullptr)
    return DC->Recorder.Restore(SavedDC) ? 1 : 0;
  if (!native::RestoreDC(DC->Native, SavedDC))
    return 0;
  // The real DC numbers its levels from those it had when it was lent; the
  // recorder counts its own.
  const int Depth = static_cast<int>(DC->NativeLevels.size());
  int Target = SavedDC < 0 ? Depth + SavedDC + 1 : 0;
  if (SavedDC > 0) {
    const auto It = std::find(DC->NativeLevels.begin(), DC->NativeLevels.end(), SavedDC);
    Target = It != DC->NativeLevels.end() ? static_cast<int>(It - DC->NativeLevels.begin()) + 1 : 0;
  }
  if (Target >= 1 && Target <= Depth) {
    DC->Recorder.Restore(Target);
    DC->NativeLevels.resize(static_cast<std::size_t>(Target - 1));
  }
  // The real DC has its font back; the recorder's names it again.
  native::SelectObject(DC->Native, NativeFont(DC->Recorder.State.Font));
  return 1;
}

COLORREF SetTextColor(HDC DC, COLORREF Color) {
  if (DC->Native != nullptr)
    native::SetTextColor(DC->Native, RgbOf(Color));
  return std::exchange(DC->Recorder.State.TextColor, Color);
}

COLORREF SetBkColor(HDC DC, COLORREF Color) {
  if (DC->Native != nullptr)
    native::SetBkColor(DC->Native, RgbOf(Color));
  return std::exchange(DC->Recorder.State.BkColor, Color);
}

BOOL ExtTextOutA(HDC DC, int X, int Y, UINT Options, const TRect* R, const char* Text, int Count) {
  if (DC == nullptr)
    return 0;
  const std::string S = Text != nullptr
                            ? std::string(Text, static_cast<std::size_t>(std::max(Count, 0)))
                            : std::string();
  // What a recording keeps: a fill without text, or the text.
  const bool Fill = (Options & ETO_OPAQUE) != 0 && R != nullptr;
  if (S.empty() && Fill)
    DC->Recorder.Fill(*R, DC->Recorder.State.BkColor);
  else if (!S.empty())
    DC->Recorder.Text(X, Y, (Options & ETO_CLIPPED) != 0 ? R : nullptr, S,
                      Fill || DC->Recorder.State.BkMode == OPAQUE, 0);
  if (DC->Native == nullptr)
    return 1;
  const int Rect[4] = {R != nullptr ? R->Left : 0, R != nullptr ? R->Top : 0,
                       R != nullptr ? R->Right : 0, R != nullptr ? R->Bottom : 0};
  return native::ExtTextOut(DC->Native, X, Y, Options, R != nullptr ? Rect : nullptr, S.c_str(),
                            static_cast<int>(S.size()))
             ? 1
             : 0;
}

int SetBkMode(HDC DC, int Mode) {
  if (DC->Native != nullptr)
    native::SetBkMode(DC->Native, Mode);
  return std::exchange(DC->Recorder.State.BkMode, Mode);
}

// A recording keeps the text with the rectangle it was laid out in (where
// in it the real font put it is the screen's business).
int DrawTextA(HDC DC, const char* Text, int Count, TRect& R, UINT Format) {
  const std::string S =
      Count < 0 ? std::string(Text) : std::string(Text, static_cast<std::size_t>(Count));
  if (!S.empty())
    DC->Recorder.Text(R.Left, R.Top, (Format & DT_NOCLIP) != 0 ? nullptr : &R, S,
                      DC->Recorder.State.BkMode == OPAQUE, Format);
  if (DC->Native == nullptr)
    return FontMetrics(DC->Recorder.State.Font->Desc).tmHeight;
  int Rect[4] = {R.Left, R.Top, R.Right, R.Bottom};
  const int Height = native::DrawText(DC->Native, Text, Count, Rect, Format);
  R = TRect{Rect[0], Rect[1], Rect[2], Rect[3]};
  return Height;
}

BOOL GetTextExtentPoint32A(HDC DC, const char* Text, int Count, TPoint& Size) {
  return native::GetTextExtent(DC->Native, Text, Count, Size.X, Size.Y) ? 1 : 0;
}

// Text metrics are the real fonts' own, measured on the screen.
int FontTextWidth(const TFontDesc& Font, std::string_view Text) {
  TFontRecord Record{Font};
  const HDC DC = GetDC(nullptr);
  SelectObject(DC, &Record);
  TPoint Size;
  GetTextExtentPoint32A(DC, Text.data(), static_cast<int>(Text.size()), Size);
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

// A recording DC over no device: the window prints itself on a bitmap, and
// what its owner draws of it on request (owner-drawn items) is recorded.
BOOL PrintWindow(HWND Wnd, HDC DC, UINT Flags) {
  if (!IsWindow(Wnd) || DC == nullptr)
    return 0;
  if (DC->Native != nullptr)
    return native::PrintWindow(Wnd, DC->Native, Flags) ? 1 : 0;
  const TWindowRecord* Record = WindowRecord(Wnd);
  void* Bitmap = nullptr;
  void* Memory = native::CreateMemoryDC(Record->Width, Record->Height, Bitmap);
  if (Memory == nullptr)
    return 0;
  Recordings()[Memory] = DC->Recorder.List;
  const bool Done = native::PrintWindow(Wnd, Memory, Flags);
  Recordings().erase(Memory);
  native::DeleteMemoryDC(Memory, Bitmap);
  return Done ? 1 : 0;
}

// WM_DRAWITEM, reflected by the parent: the control paints the item on the
// DC that Windows gave, through the platform's own calls.
std::intptr_t native::DrawItem(std::uintptr_t WParam, const TDrawItem& Native) {
  const TWindowRecord* Control = WindowRecord(Native.hwndItem);
  if (Control == nullptr)
    return 0;
  const HDC DC = LendDC(Native.DC, Native.hwndItem);
  const std::unique_ptr<TDeviceContext> Given(DC);
  DRAWITEMSTRUCT Item;
  native::CopyDrawItemFields(Item, Native);
  Item.hDC = DC;
  Item.rcItem = TRect{Native.Rect[0], Native.Rect[1], Native.Rect[2], Native.Rect[3]};
  // Straight to Windows: this runs inside a window procedure, where what the
  // control raises stays kept until the call into Windows returns.
  return native::SendMessage(Native.hwndItem, CN_DRAWITEM, WParam, reinterpret_cast<LPARAM>(&Item));
}

// A paint's DC is the real one BeginPaint gave, in the system font as
// Windows selects it; EndPaint gives it back.
HDC BeginPaint(HWND Wnd, PAINTSTRUCT& Paint) {
  Paint = PAINTSTRUCT{};
  int R[4] = {0, 0, 0, 0};
  bool Erase = false;
  void* Native = native::BeginPaint(Wnd, R, Erase);
  if (Native == nullptr)
    return nullptr;
  auto* DC = new TDeviceContext;
  DC->Native = Native;
  DC->Wnd = Wnd;
  DC->Painting = true;
  DC->Recorder.State.Font = SystemFont();
  Paint.hdc = DC;
  Paint.fErase = Erase ? 1 : 0;
  Paint.rcPaint = TRect{R[0], R[1], R[2], R[3]};
  return DC;
}

BOOL EndPaint(HWND Wnd, const PAINTSTRUCT& Paint) {
  if (Paint.hdc == nullptr)
    return 0;
  delete Paint.hdc;
  native::EndPaint(Wnd);
  return 1;
}
