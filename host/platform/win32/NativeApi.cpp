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
#undef DispatchMessage
#undef PeekMessage
#undef PostMessage
#undef DrawText
#undef GetTextMetrics
#undef SendMessage
#undef SetWindowText
#undef ExtTextOut
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
// so that the control handles its own; the parking window does the same for
// the children it holds.
constexpr UINT kReflectBase = 0xBC00;

// WM_NOTIFY goes back to the control named in its header, unchanged: the
// platform's NMHDR is laid out as Windows' own.
static_assert(sizeof(NMHDR) == 3 * sizeof(void*) && offsetof(NMHDR, code) == 2 * sizeof(void*));

// The platform's MEASUREITEMSTRUCT (five UINTs and a pointer-sized value)
// is laid out as Windows' own, so that a pointer to one serves as the other.
struct TMeasureItemLayout {
  unsigned CtlType, CtlID, itemID, itemWidth, itemHeight;
  std::uintptr_t itemData;
};
static_assert(sizeof(MEASUREITEMSTRUCT) == sizeof(TMeasureItemLayout) &&
              offsetof(MEASUREITEMSTRUCT, itemHeight) == offsetof(TMeasureItemLayout, itemHeight) &&
              offsetof(MEASUREITEMSTRUCT, itemData) == offsetof(TMeasureItemLayout, itemData));

LRESULT CALLBACK ParkingProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_MEASUREITEM && LParam != 0 && MeasureItem(LParam))
    return TRUE;
  if (NotifyingChild(Msg, WParam, LParam) != nullptr)
    return Reflect(Msg, WParam, LParam);
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

HWND__* NotifyingChild(unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam) {
  (void)WParam;
  if (LParam == 0)
    return nullptr;
  switch (Msg) {
    case WM_COMMAND:
      return reinterpret_cast<HWND>(LParam);
    case WM_NOTIFY:
      return reinterpret_cast<const NMHDR*>(LParam)->hwndFrom;
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(LParam)->hwndItem;
    default:
      return nullptr;
  }
}

std::intptr_t Reflect(unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam) {
  HWND Child = NotifyingChild(Msg, WParam, LParam);
  if (Child == nullptr)
    return 0;
  if (Msg != WM_DRAWITEM)
    return SendMessageA(Child, kReflectBase + Msg, WParam, LParam);
  const auto& Native = *reinterpret_cast<const DRAWITEMSTRUCT*>(LParam);
  TDrawItem Item;
  CopyDrawItemFields(Item, Native);
  Item.DC = Native.hDC;
  Item.Rect[0] = Native.rcItem.left;
  Item.Rect[1] = Native.rcItem.top;
  Item.Rect[2] = Native.rcItem.right;
  Item.Rect[3] = Native.rcItem.bottom;
  DrawItem(WParam, Item);
  return TRUE;
}

HWND__* CreateWindow(const std::string& ClassName, const std::string& WindowName,
                     std::uint32_t Style, HWND__* Parent, int Left, int Top, int Width, int Height,
                     unsigned Id, std::uint32_t ExStyle) {
  InitControls();
  EnsureClass(ClassName);
  if ((Style & WS_CHILD) == 0)
    return CreateWindowExA(ExStyle, ClassName.c_str(), WindowName.c_str(), Style, Left, Top, Width,
                           Height, Parent, nullptr, Instance(), nullptr);
  // A child is made on the parking window and then moved to its parent: the
  // common controls send their notifications and owner-draw requests to the
  // window they were made under, for good, and the parking window outlives
  // any parent whose window is made again; it reflects them to the child as
  // the parent would.
  const HWND Wnd = CreateWindowExA(ExStyle, ClassName.c_str(), WindowName.c_str(), Style, Left, Top,
                                   Width, Height, ParkingWindow(),
                                   reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(Id)),
                                   Instance(), nullptr);
  if (Wnd != nullptr && Parent != nullptr)
    ::SetParent(Wnd, Parent);
  return Wnd;
}

HWND__* SetParent(HWND__* Child, HWND__* Parent) {
  if (Parent == nullptr && (GetWindowLongPtrA(Child, GWL_STYLE) & WS_CHILD) != 0)
    Parent = ParkingWindow();
  const HWND Old = ::SetParent(Child, Parent);
  return Old == ParkingWindow() ? nullptr : Old;
}

HWND__* GetParent(HWND__* Wnd) {
  const HWND Parent = ::GetParent(Wnd);
  return Parent == ParkingWindow() ? nullptr : Parent;
}

bool SetWindowPos(HWND__* Wnd, int Left, int Top, int Width, int Height, unsigned Flags) {
  return ::SetWindowPos(Wnd, nullptr, Left, Top, Width, Height, Flags) != FALSE;
}

bool ShowWindow(HWND__* Wnd, int CmdShow) {
  return ::ShowWindow(Wnd, CmdShow) != FALSE;
}

bool IsWindowVisible(HWND__* Wnd) {
  return ::IsWindowVisible(Wnd) != FALSE;
}

bool AdjustWindowRectEx(int (&Rect)[4], std::uint32_t Style, bool Menu, std::uint32_t ExStyle) {
  RECT R{Rect[0], Rect[1], Rect[2], Rect[3]};
  if (!::AdjustWindowRectEx(&R, Style, Menu ? TRUE : FALSE, ExStyle))
    return false;
  Rect[0] = R.left;
  Rect[1] = R.top;
  Rect[2] = R.right;
  Rect[3] = R.bottom;
  return true;
}

bool SetWindowText(HWND__* Wnd, const char* Text) {
  return SetWindowTextA(Wnd, Text) != FALSE;
}

std::string ClassName(HWND__* Wnd) {
  char Name[256] = {};
  const int Length = GetClassNameA(Wnd, Name, sizeof Name);
  return std::string(Name, Length > 0 ? static_cast<std::size_t>(Length) : 0);
}

bool EnableWindow(HWND__* Wnd, bool Enable) {
  return ::EnableWindow(Wnd, Enable ? TRUE : FALSE) != FALSE;
}

bool IsWindowEnabled(HWND__* Wnd) {
  return ::IsWindowEnabled(Wnd) != FALSE;
}

namespace {
BOOL CALLBACK CollectChild(HWND Wnd, LPARAM Param) {
  reinterpret_cast<std::vector<HWND__*>*>(Param)->push_back(Wnd);
  return TRUE;
}
}  // namespace

std::vector<HWND__*> Descendants(HWND__* Parent) {
  std::vector<HWND__*> Windows;
  EnumChildWindows(Parent, &CollectChild, reinterpret_cast<LPARAM>(&Windows));
  return Windows;
}

bool ComboBoxInfo(HWND__* Combo, HWND__*& List, int (&Button)[4], int (&Item)[4]) {
  COMBOBOXINFO Info{};
  Info.cbSize = sizeof(Info);
  if (!GetComboBoxInfo(Combo, &Info))
    return false;
  List = Info.hwndList;
  const RECT& B = Info.rcButton;
  const RECT& I = Info.rcItem;
  Button[0] = B.left, Button[1] = B.top, Button[2] = B.right, Button[3] = B.bottom;
  Item[0] = I.left, Item[1] = I.top, Item[2] = I.right, Item[3] = I.bottom;
  return true;
}

bool ClientToScreen(HWND__* Wnd, int& X, int& Y) {
  POINT P{X, Y};
  if (!::ClientToScreen(Wnd, &P))
    return false;
  X = P.x;
  Y = P.y;
  return true;
}

bool ScreenToClient(HWND__* Wnd, int& X, int& Y) {
  POINT P{X, Y};
  if (!::ScreenToClient(Wnd, &P))
    return false;
  X = P.x;
  Y = P.y;
  return true;
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

bool ExtTextOut(void* DC, int X, int Y, unsigned Options, const int* Rect, const char* Text,
                int Count) {
  RECT R{};
  if (Rect != nullptr)
    R = RECT{Rect[0], Rect[1], Rect[2], Rect[3]};
  return ExtTextOutA(static_cast<HDC>(DC), X, Y, Options, Rect != nullptr ? &R : nullptr, Text,
                     static_cast<UINT>(Count), nullptr) != FALSE;
}

std::uint32_t SysColor(int Index) {
  return GetSysColor(Index);
}

int GetSystemMetrics(int Index) {
  return ::GetSystemMetrics(Index);
}

bool PrintWindow(HWND__* Wnd, void* DC, unsigned Flags) {
  return ::PrintWindow(Wnd, static_cast<HDC>(DC), Flags) != FALSE;
}

namespace {

// What PRF_CHILDREN asks of WM_PRINT and Wine's default procedure leaves
// out: each visible child prints itself, frame and client area, at its
// place in the window (Origin: the printed window's top left on the
// screen), clipped to itself, its own children over it, the bottom of the
// z-order first.
void PrintChildren(HWND Wnd, HDC DC, POINT Origin) {
  for (HWND Child = GetWindow(GetWindow(Wnd, GW_CHILD), GW_HWNDLAST); Child != nullptr;
       Child = GetWindow(Child, GW_HWNDPREV)) {
    if ((GetWindowLongPtrA(Child, GWL_STYLE) & WS_VISIBLE) == 0)
      continue;
    RECT R{};
    GetWindowRect(Child, &R);
    const int Saved = ::SaveDC(DC);
    POINT Old{};
    GetViewportOrgEx(DC, &Old);
    SetViewportOrgEx(DC, Old.x + R.left - Origin.x, Old.y + R.top - Origin.y, nullptr);
    IntersectClipRect(DC, 0, 0, R.right - R.left, R.bottom - R.top);
    SendMessageA(Child, WM_PRINT, reinterpret_cast<WPARAM>(DC),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    ::RestoreDC(DC, Saved);
    // The grandchildren over the child, from the same origin: the child's
    // own offset is in their screen rectangles already.
    const int Inner = ::SaveDC(DC);
    IntersectClipRect(DC, R.left - Origin.x, R.top - Origin.y, R.right - Origin.x,
                      R.bottom - Origin.y);
    PrintChildren(Child, DC, Origin);
    ::RestoreDC(DC, Inner);
  }
}

}  // namespace

bool CaptureWindow(HWND__* Wnd, bool FromScreen, int& Width, int& Height,
                   std::vector<std::uint32_t>& Pixels, std::string& Error) {
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
    if (FromScreen) {
      // What the screen shows, as the user sees it: the window and its
      // children painted first (the VCL paints its labels, images and
      // panels only on WM_PAINT, which printing a window does not send),
      // then its rectangle copied from the screen.
      RedrawWindow(Wnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
      GdiFlush();
      // Wine hands a window's drawing to the X server when its thread
      // waits, not as it draws: a short wait puts all of it on the screen.
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      Sleep(50);
      const HDC Shown = ::GetDC(nullptr);
      Done = BitBlt(Memory, 0, 0, Width, Height, Shown, R.left, R.top, SRCCOPY) != FALSE;
      ::ReleaseDC(nullptr, Shown);
    } else {
      // What is not painted stays the window colour, not black.
      RECT All{0, 0, Width, Height};
      FillRect(Memory, &All, GetSysColorBrush(COLOR_WINDOW));
      // Printing the window may leave the DC clipped to what the window
      // itself drew; its children print on the DC as it was.
      const int Saved = ::SaveDC(Memory);
      Done = ::PrintWindow(Wnd, Memory, 0) != FALSE;
      ::RestoreDC(Memory, Saved);
      if (Done)
        PrintChildren(Wnd, Memory, POINT{R.left, R.top});
    }
    GdiFlush();
    if (Done) {
      const auto* Src = static_cast<const std::uint32_t*>(Bits);
      Pixels.resize(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height));
      // 0x00RRGGBB in the bitmap; a COLORREF is 0x00BBGGRR.
      for (std::size_t i = 0; i < Pixels.size(); ++i)
        Pixels[i] = ((Src[i] >> 16) & 0xFF) | (Src[i] & 0xFF00) | ((Src[i] & 0xFF) << 16);
    } else {
      Error = FromScreen ? "the screen could not be copied (BitBlt failed)"
                         : "the window did not print itself (PrintWindow failed)";
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

bool PostMessage(HWND__* Wnd, unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam) {
  return PostMessageA(Wnd, Msg, WParam, LParam) != FALSE;
}

bool PeekMessage(TQueuedMessage& Msg, HWND__* Wnd, unsigned First, unsigned Last, bool Remove) {
  MSG Native{};
  if (!PeekMessageA(&Native, Wnd, First, Last, Remove ? PM_REMOVE : PM_NOREMOVE))
    return false;
  Msg = TQueuedMessage{Native.hwnd, Native.message, Native.wParam, Native.lParam};
  return true;
}

namespace {
MSG NativeOf(const TQueuedMessage& Msg) {
  MSG Native{};
  Native.hwnd = Msg.Wnd;
  Native.message = Msg.Msg;
  Native.wParam = Msg.WParam;
  Native.lParam = Msg.LParam;
  Native.time = GetMessageTime();
  return Native;
}
}  // namespace

bool TranslateMessage(const TQueuedMessage& Msg) {
  const MSG Native = NativeOf(Msg);
  return ::TranslateMessage(&Native) != FALSE;
}

std::intptr_t DispatchMessage(const TQueuedMessage& Msg) {
  const MSG Native = NativeOf(Msg);
  return DispatchMessageA(&Native);
}

void WaitMessage() {
  ::WaitMessage();
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

void WaitInput(std::uint64_t Milliseconds) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(Milliseconds), QS_ALLINPUT);
}

}  // namespace native
