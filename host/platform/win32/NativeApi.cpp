#include "NativeApi.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstddef>
#include <map>
#include <tuple>

// The functions below carry the API's own names inside namespace native.
#undef CallWindowProc
#undef CreateWindow
#undef DrawText
#undef GetTextMetrics
#undef SendMessage
#undef ShellExecute

namespace native {

namespace {

HINSTANCE Instance() {
  return GetModuleHandleA(nullptr);
}

// The common controls register their classes once per process.
void InitControls() {
  static const bool Done = [] {
    INITCOMMONCONTROLSEX Init{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&Init) != FALSE;
  }();
  (void)Done;
}

// A class that Windows does not know is registered on first use with the
// default procedure: the VCL's own window classes (forms, panels, the timer's
// utility window) behave as plain windows until their procedure is set.
void EnsureClass(const std::string& ClassName) {
  WNDCLASSEXA Existing{};
  Existing.cbSize = sizeof(Existing);
  if (GetClassInfoExA(nullptr, ClassName.c_str(), &Existing) ||
      GetClassInfoExA(Instance(), ClassName.c_str(), &Existing))
    return;
  WNDCLASSEXA Class{};
  Class.cbSize = sizeof(Class);
  Class.lpfnWndProc = DefWindowProcA;
  Class.hInstance = Instance();
  Class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  Class.lpszClassName = ClassName.c_str();
  RegisterClassExA(&Class);
}

// The VCL hands a child's notifications (WM_COMMAND from an edit, a list or
// a button) back to the child as CN_COMMAND, its CN_BASE plus the message,
// so that the control handles its own; the parking window, every child's
// parent here, does the same.
constexpr UINT kReflectBase = 0xBC00;

// WM_NOTIFY goes back to the control named in its header, unchanged: the
// platform's NMHDR is laid out as Windows' own.
static_assert(sizeof(NMHDR) == 3 * sizeof(void*) && offsetof(NMHDR, code) == 2 * sizeof(void*));

LRESULT CALLBACK ParkingProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_COMMAND && LParam != 0)
    return SendMessageA(reinterpret_cast<HWND>(LParam), kReflectBase + Msg, WParam, LParam);
  if (Msg == WM_NOTIFY && LParam != 0)
    return SendMessageA(reinterpret_cast<NMHDR*>(LParam)->hwndFrom, kReflectBase + Msg, WParam,
                        LParam);
  if (Msg == WM_DRAWITEM && LParam != 0) {
    const auto& Native = *reinterpret_cast<const DRAWITEMSTRUCT*>(LParam);
    TDrawItem Item;
    Item.CtlType = Native.CtlType;
    Item.CtlID = Native.CtlID;
    Item.ItemID = Native.itemID;
    Item.ItemAction = Native.itemAction;
    Item.ItemState = Native.itemState;
    Item.Item = Native.hwndItem;
    Item.DC = Native.hDC;
    Item.Rect[0] = Native.rcItem.left;
    Item.Rect[1] = Native.rcItem.top;
    Item.Rect[2] = Native.rcItem.right;
    Item.Rect[3] = Native.rcItem.bottom;
    Item.Data = Native.itemData;
    DrawItem(WParam, Item);
    return TRUE;
  }
  return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

HWND ParkingWindow() {
  static HWND Wnd = [] {
    WNDCLASSEXA Class{};
    Class.cbSize = sizeof(Class);
    Class.lpfnWndProc = ParkingProc;
    Class.hInstance = Instance();
    Class.lpszClassName = "TParkingWindow";
    RegisterClassExA(&Class);
    return CreateWindowExA(0, "TParkingWindow", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                           Instance(), nullptr);
  }();
  return Wnd;
}

}  // namespace

HWND__* CreateWindow(const std::string& ClassName, std::uint32_t Style) {
  InitControls();
  EnsureClass(ClassName);
  const HWND Parent = (Style & WS_CHILD) != 0 ? ParkingWindow() : nullptr;
  return CreateWindowExA(0, ClassName.c_str(), "", Style, 0, 0, 0, 0, Parent, nullptr, Instance(),
                         nullptr);
}

bool DestroyWindow(HWND__* Wnd) {
  return ::DestroyWindow(Wnd) != FALSE;
}

bool IsWindow(HWND__* Wnd) {
  return Wnd != nullptr && ::IsWindow(Wnd) != FALSE;
}

void* Subclass(HWND__* Wnd, TProc Proc) {
  return reinterpret_cast<void*>(
      SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
}

std::intptr_t CallWindowProc(void* Proc, HWND__* Wnd, unsigned Msg, std::uintptr_t WParam,
                             std::intptr_t LParam) {
  return CallWindowProcA(reinterpret_cast<WNDPROC>(Proc), Wnd, Msg, WParam, LParam);
}

std::intptr_t SendMessage(HWND__* Wnd, unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam) {
  return SendMessageA(Wnd, Msg, WParam, LParam);
}

std::uint32_t WindowStyle(HWND__* Wnd) {
  return static_cast<std::uint32_t>(GetWindowLongPtrA(Wnd, GWL_STYLE));
}

bool MoveWindow(HWND__* Wnd, int Left, int Top, int Width, int Height) {
  return ::MoveWindow(Wnd, Left, Top, Width, Height, TRUE) != FALSE;
}

std::intptr_t CallTabItemProc(void* Proc, HWND__* Wnd, unsigned Msg, std::uintptr_t WParam,
                              TTabItem& Item) {
  TCITEMA Native{};
  Native.mask = Item.Mask;
  Native.pszText = Item.Text;
  Native.cchTextMax = Item.TextMax;
  Native.iImage = Item.Image;
  Native.lParam = Item.Param;
  const LRESULT Result = CallWindowProcA(reinterpret_cast<WNDPROC>(Proc), Wnd, Msg, WParam,
                                         reinterpret_cast<LPARAM>(&Native));
  Item.Image = Native.iImage;
  Item.Param = Native.lParam;
  // The control may answer with a pointer to its own copy of the text.
  if (Native.pszText != Item.Text && Native.pszText != nullptr && Item.Text != nullptr) {
    lstrcpynA(Item.Text, Native.pszText, Item.TextMax);
  }
  return Result;
}

void* Font(const std::string& Face, int Points, bool Bold) {
  static std::map<std::tuple<std::string, int, bool>, HFONT> Fonts;
  auto& F = Fonts[{Face, Points, Bold}];
  if (F == nullptr) {
    const HDC Screen = ::GetDC(nullptr);
    const int Height = -MulDiv(Points, GetDeviceCaps(Screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, Screen);
    F = CreateFontA(Height, 0, 0, 0, Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, Face.c_str());
  }
  return F;
}

void* GetDC(HWND__* Wnd) {
  return ::GetDC(Wnd);
}

int ReleaseDC(HWND__* Wnd, void* DC) {
  return ::ReleaseDC(Wnd, static_cast<HDC>(DC));
}

void* SelectObject(void* DC, void* Object) {
  return ::SelectObject(static_cast<HDC>(DC), static_cast<HGDIOBJ>(Object));
}

bool GetTextMetrics(void* DC, TTextMetrics& Metrics) {
  TEXTMETRICA Native{};
  if (!GetTextMetricsA(static_cast<HDC>(DC), &Native))
    return false;
  Metrics = TTextMetrics{Native.tmHeight, Native.tmAscent, Native.tmDescent, Native.tmAveCharWidth,
                         Native.tmMaxCharWidth};
  return true;
}

bool GetTextExtent(void* DC, const char* Text, int Count, int& Width, int& Height) {
  SIZE Size{};
  if (!GetTextExtentPoint32A(static_cast<HDC>(DC), Text, Count, &Size))
    return false;
  Width = Size.cx;
  Height = Size.cy;
  return true;
}

int DrawText(void* DC, const char* Text, int Count, int (&Rect)[4], unsigned Format) {
  RECT R{Rect[0], Rect[1], Rect[2], Rect[3]};
  const int Height = DrawTextA(static_cast<HDC>(DC), Text, Count, &R, Format);
  Rect[0] = R.left;
  Rect[1] = R.top;
  Rect[2] = R.right;
  Rect[3] = R.bottom;
  return Height;
}

int SaveDC(void* DC) {
  return ::SaveDC(static_cast<HDC>(DC));
}

bool RestoreDC(void* DC, int Saved) {
  return ::RestoreDC(static_cast<HDC>(DC), Saved) != FALSE;
}

std::uint32_t SetTextColor(void* DC, std::uint32_t Color) {
  return ::SetTextColor(static_cast<HDC>(DC), Color);
}

std::uint32_t SetBkColor(void* DC, std::uint32_t Color) {
  return ::SetBkColor(static_cast<HDC>(DC), Color);
}

int SetBkMode(void* DC, int Mode) {
  return ::SetBkMode(static_cast<HDC>(DC), Mode);
}

int GetSystemMetrics(int Index) {
  return ::GetSystemMetrics(Index);
}

bool PrintWindow(HWND__* Wnd, void* DC, unsigned Flags) {
  return ::PrintWindow(Wnd, static_cast<HDC>(DC), Flags) != FALSE;
}

bool CaptureWindow(HWND__* Wnd, int& Width, int& Height, std::vector<std::uint32_t>& Pixels,
                   std::string& Error) {
  RECT R{};
  if (!GetWindowRect(Wnd, &R) || R.right <= R.left || R.bottom <= R.top) {
    Error = "the window has no area to capture";
    return false;
  }
  Width = R.right - R.left;
  Height = R.bottom - R.top;
  // A 32-bit bitmap from the top down, whose bits are read in place.
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = Width;
  Info.bmiHeader.biHeight = -Height;
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  const HDC Screen = ::GetDC(nullptr);
  const HDC Memory = CreateCompatibleDC(Screen);
  void* Bits = nullptr;
  const HBITMAP Bitmap = CreateDIBSection(Screen, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  ::ReleaseDC(nullptr, Screen);
  bool Done = false;
  if (Memory != nullptr && Bitmap != nullptr && Bits != nullptr) {
    const HGDIOBJ Old = ::SelectObject(Memory, Bitmap);
    // What is not painted stays the window colour, not black.
    RECT All{0, 0, Width, Height};
    FillRect(Memory, &All, GetSysColorBrush(COLOR_WINDOW));
    Done = ::PrintWindow(Wnd, Memory, 0) != FALSE;
    GdiFlush();
    if (Done) {
      const auto* Src = static_cast<const std::uint32_t*>(Bits);
      Pixels.resize(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height));
      // 0x00RRGGBB in the bitmap; a COLORREF is 0x00BBGGRR.
      for (std::size_t i = 0; i < Pixels.size(); ++i)
        Pixels[i] = ((Src[i] >> 16) & 0xFF) | (Src[i] & 0xFF00) | ((Src[i] & 0xFF) << 16);
    } else {
      Error = "the window did not print itself (PrintWindow failed)";
    }
    ::SelectObject(Memory, Old);
  } else {
    Error = "no bitmap of " + std::to_string(Width) + "x" + std::to_string(Height) +
            " pixels to capture the window into";
  }
  if (Bitmap != nullptr)
    DeleteObject(Bitmap);
  if (Memory != nullptr)
    DeleteDC(Memory);
  return Done;
}

bool GetKeyboardState(std::uint8_t* Keys) {
  return ::GetKeyboardState(Keys) != FALSE;
}

bool SetKeyboardState(std::uint8_t* Keys) {
  return ::SetKeyboardState(Keys) != FALSE;
}

bool MessageBeep(unsigned Type) {
  return ::MessageBeep(Type) != FALSE;
}

std::intptr_t ShellExecute(HWND__* Wnd, const char* Operation, const char* File,
                           const char* Parameters, const char* Directory, int ShowCmd) {
  return reinterpret_cast<std::intptr_t>(
      ShellExecuteA(Wnd, Operation, File, Parameters, Directory, ShowCmd));
}

std::uint32_t GetVersion() {
  return static_cast<std::uint32_t>(::GetVersion());
}

std::uintptr_t SetTimer(HWND__* Wnd, std::uintptr_t IDEvent, unsigned Elapse) {
  return ::SetTimer(Wnd, IDEvent, Elapse, nullptr);
}

bool KillTimer(HWND__* Wnd, std::uintptr_t IDEvent) {
  return ::KillTimer(Wnd, IDEvent) != FALSE;
}

std::uint64_t TickCount() {
  return ::GetTickCount64();
}

void RunLoopUntil(std::uint64_t Until, void (*Idle)(void* Data), void* Data) {
  for (;;) {
    MSG Msg;
    while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&Msg);
      DispatchMessageA(&Msg);
      if (Idle != nullptr)
        Idle(Data);
    }
    const std::uint64_t Now = ::GetTickCount64();
    if (Now >= Until)
      return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(Until - Now), QS_ALLINPUT);
  }
}

}  // namespace native
