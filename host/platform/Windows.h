#pragma once

// The Win32 surface that the VCL and the add-in call: window handles and
// messages, the keyboard state, device contexts with deterministic text
// metrics, the beep and the shell. A window handle points to a window record
// that holds the native state of a control; SendMessage hands a message to the
// window's procedure, which the VCL subclasses with its control's WindowProc.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Events.h"
#include "System.h"

using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using BOOL = int;

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};
using RECT = TRect;
inline TRect Rect(int Left, int Top, int Right, int Bottom) {
  return {Left, Top, Right, Bottom};
}
BOOL InflateRect(TRect& R, int Dx, int Dy);

struct TPoint {
  int X = 0, Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// Window messages. The numbers are Win32's; CM_ messages are the VCL's own.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_DRAWITEM = 0x002B;
constexpr UINT WM_MEASUREITEM = 0x002C;
constexpr UINT WM_NOTIFY = 0x004E;
// The user asks for a window's context menu: WParam the window, LParam the
// point on the screen (-1, -1 from the keyboard). DefWindowProc sends it
// when the right button is let go, and passes it on to a child's parent.
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_NCPAINT = 0x0085;
// A framed window's caption is to show it active (WParam TRUE) or not.
constexpr UINT WM_NCACTIVATE = 0x0086;
constexpr UINT WM_KEYDOWN = 0x0100;
// A control asks its parent for the colours to draw itself in: WParam the
// DC it draws on, LParam its window. The answer is the brush for its
// background (an HBRUSH), the DC's text and background colours set. The
// VCL hands the question back to the control (CN_CTLCOLOR...), which
// answers with its font's colour and its own brush.
constexpr UINT WM_CTLCOLOREDIT = 0x0133;
constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
constexpr UINT WM_CTLCOLORBTN = 0x0135;
constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT WM_UNDO = 0x0304;
constexpr UINT WM_PRINTCLIENT = 0x0318;

// A mouse message's WParam: the buttons held.
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;

// A scroll bar's request, the low word of WM_HSCROLL's and WM_VSCROLL's
// WParam; the high word holds the position for SB_THUMBPOSITION.
constexpr UINT SB_LINEUP = 0;
constexpr UINT SB_LINEDOWN = 1;
constexpr UINT SB_THUMBPOSITION = 4;

constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_GETRECT = 0x00B2;
constexpr UINT EM_SETRECT = 0x00B3;
constexpr UINT EM_SETRECTNP = 0x00B4;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_LIMITTEXT = 0x00C5;

// Edit control notifications, the high word of a WM_COMMAND's WParam.
constexpr UINT EN_CHANGE = 0x0300;

// The point of a mouse message's LParam, each coordinate a signed 16-bit
// value.
inline TPoint PointOf(LPARAM LParam) {
  const auto Bits = static_cast<std::uintptr_t>(LParam);
  return {static_cast<std::int16_t>(Bits & 0xFFFF),
          static_cast<std::int16_t>((Bits >> 16) & 0xFFFF)};
}

inline WPARAM MAKEWPARAM(unsigned Low, unsigned High) {
  return static_cast<WPARAM>((Low & 0xFFFF) | ((High & 0xFFFF) << 16));
}
// A mouse message's LParam: the point in client coordinates, each word
// packed as for a WParam.
inline LPARAM MAKELPARAM(int Low, int High) {
  return static_cast<LPARAM>(MAKEWPARAM(static_cast<unsigned>(Low), static_cast<unsigned>(High)));
}
inline unsigned HIWORD(std::uintptr_t Value) {
  return static_cast<unsigned>((Value >> 16) & 0xFFFF);
}
inline unsigned LOWORD(std::uintptr_t Value) {
  return static_cast<unsigned>(Value & 0xFFFF);
}

// Tab control messages. Item texts travel in a TCItem, not in a char buffer.
constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
constexpr UINT TCM_GETITEM = TCM_FIRST + 5;
constexpr UINT TCM_SETITEM = TCM_FIRST + 6;
constexpr UINT TCM_INSERTITEM = TCM_FIRST + 7;
constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
constexpr UINT TCM_GETROWCOUNT = TCM_FIRST + 44;

constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;
struct TCItem {
  UINT Mask = 0;
  std::string Text;
  int Image = -1;
  LPARAM Param = 0;
};

// The VCL's component messages.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ENTER = CM_BASE + 10;
constexpr UINT CM_EXIT = CM_BASE + 11;
constexpr UINT CM_FONTCHANGED = CM_BASE + 8;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 9;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 6;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 14;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
// A control's own notifications (WM_COMMAND), reflected back to it by the VCL.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
// WM_NOTIFY's header and WM_DRAWITEM's item reach the control as CN_NOTIFY
// and CN_DRAWITEM with the parent's LParam. Both are laid out as Windows'
// own structures, so the real platform hands on what the control sent.
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
// The Application hands a key message to its control as CN_KEYDOWN (and
// CN_CHAR, CN_KEYUP) before the message itself is dispatched: a control, or
// its form, may take the key there (a non-zero result: a menu's shortcut),
// and then the key message is not dispatched at all.
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;

// Window styles used by the controls.
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_TABSTOP = 0x00010000;
// Extended styles: a sunken edge around the client area.
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD TCS_MULTILINE = 0x0200;
constexpr DWORD TCS_OWNERDRAWFIXED = 0x2000;

// A window's procedure: a bound method taking the message, as the VCL's
// object instances are.
using TWindowProcedure = TEvent<TMessage&>;

// A window handle names a window; it is not its address. It holds the
// window's slot in the window table and the slot's generation, so a handle
// kept after its window was destroyed never reaches the window that reuses
// the slot: it stays dead, as Windows keeps handles from being reused at once.
struct HWND__;
using HWND = HWND__*;
struct TWindowRecord;
struct TDeviceContext;
using HDC = TDeviceContext*;

// The native part of a window: what the window class itself does with the
// messages that the VCL passes on to DefWindowProc (a tab control keeps its
// items, an edit control its text). The base class is DefWindowProc: it
// keeps the window's title; a class hands it what it does not take itself.
class TNativeWindow {
 public:
  virtual ~TNativeWindow() = default;
  // The window has been made, with its title (CreateWindowEx's name); no
  // notification comes of it.
  virtual void Created(HWND Wnd, const std::string& WindowName);
  virtual LRESULT Handle(HWND Wnd, TMessage& Message);
  // What the class draws of the window into DC on WM_PAINT (or
  // WM_PRINTCLIENT), in client coordinates, and what it adds to the frame
  // on WM_NCPAINT (a scroll bar), in window coordinates. A class that draws
  // nothing leaves the window as its owner painted it.
  virtual void Paint(HWND Wnd, HDC DC) {
    (void)Wnd;
    (void)DC;
  }
  virtual void PaintFrame(HWND Wnd, HDC DC) {
    (void)Wnd;
    (void)DC;
  }
  // Whether the class repaints in parts (the headless platform's): a paint
  // then draws only the invalidated parts, one at a time, on the picture
  // the window has (see PaintParts). Otherwise it draws all of itself.
  virtual bool PaintsInParts() const { return false; }
};

struct TFontDesc {
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points
  bool Bold = false;
  friend bool operator==(const TFontDesc&, const TFontDesc&) = default;
};

// What Windows keeps of a window: its class, style and procedure, its
// parent, the place and size the control last gave it, its font, its text
// (the title a window class without text of its own keeps), and the native
// state of its class. Style holds WS_VISIBLE as ShowWindow left it, and
// WS_DISABLED as EnableWindow did.
struct TWindowRecord {
  std::string ClassName;
  // Whether the window waits for WM_PAINT, and for its background to be
  // erased first (InvalidateRect's Erase), until BeginPaint takes both.
  bool UpdatePending = false;
  bool ErasePending = false;
  // The headless platform's: the parts of the client area invalidated
  // while UpdatePending, unless the whole of it was (UpdateWhole).
  bool UpdateWhole = false;
  std::vector<TRect> UpdateParts;
  // The headless platform's: whether the window is in the list of windows
  // the loop looks at for WM_PAINT.
  bool PaintQueued = false;
  // The headless platform's: whether a framed window's caption shows it
  // active, as WM_NCACTIVATE last said.
  bool Active = false;
  std::string Text;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  TWindowProcedure Proc;
  HWND Parent = nullptr;
  int Left = 0, Top = 0;
  int Width = 0, Height = 0;
  TFontDesc Font;
  std::unique_ptr<TNativeWindow> Native;
  // Windows created later have higher numbers: the order of timers due at
  // the same moment.
  std::uint64_t Order = 0;
};

// Creates a window of a registered class ("SysTabControl32", "EDIT", or any
// other name for a window with no native behaviour of its own) at Bounds in
// its parent's client area (on the screen for a window without WS_CHILD),
// titled WindowName (an edit's text, a button's caption). A child window
// created without a parent waits, hidden from the user, until SetParent
// gives it one, as the VCL parks the windows of controls whose parent has
// no window yet.
HWND CreateWindowEx(const std::string& ClassName, DWORD Style, TWindowProcedure Proc,
                    HWND Parent = nullptr, const TRect& Bounds = {},
                    const std::string& WindowName = {}, DWORD ExStyle = 0);
// Gives the window a new parent (nullptr: parked again) and returns the old.
HWND SetParent(HWND Child, HWND NewParent);
HWND GetParent(HWND Wnd);
// Sends the window WM_DESTROY, then frees its record; its handle is dead
// from then on.
BOOL DestroyWindow(HWND Wnd);
BOOL IsWindow(HWND Wnd);
// The record of a live window; nullptr for a handle that is not, or no
// longer, a window.
TWindowRecord* WindowRecord(HWND Wnd);
// Sends to the window's procedure; a handle that is not a live window gets 0.
LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// What the window class does with a message (the VCL's DefaultHandler).
LRESULT CallDefWindowProc(HWND Wnd, TMessage& Message);
DWORD GetWindowStyle(HWND Wnd);
// Gives the window its place and size. WM_SETFONT (WParam an HFONT) gives it
// its font; a tab control lays its tabs out by both.
BOOL MoveWindow(HWND Wnd, int X, int Y, int Width, int Height);
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
// Places, sizes, shows or hides the window as Flags say; the z-order is
// left alone here (InsertAfter is for Windows' signature).
BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int Width, int Height, UINT Flags);
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
// Shows or hides the window; returns whether it was visible before.
BOOL ShowWindow(HWND Wnd, int CmdShow);
// Whether the window and every parent above it are visible.
BOOL IsWindowVisible(HWND Wnd);
// The window's client area, its top left corner at (0, 0): inside its frame
// or edge, and left of a vertical scroll bar.
BOOL GetClientRect(HWND Wnd, TRect& R);
// Grows R, a client area, to the window rectangle a window of this style
// needs around it: the frame and caption of a top-level window. The
// headless platform draws no frames and leaves R as it is.
BOOL AdjustWindowRectEx(TRect& R, DWORD Style, BOOL Menu, DWORD ExStyle);
// A point in the window's client area to the same point on the screen, and
// back.
BOOL ClientToScreen(HWND Wnd, TPoint& Point);
BOOL ScreenToClient(HWND Wnd, TPoint& Point);
// The window's title, as WM_SETTEXT sets it and WM_GETTEXT reads it.
BOOL SetWindowText(HWND Wnd, const std::string& Text);
std::string GetWindowText(HWND Wnd);
// The name of the window's class; empty for a handle that is no window.
std::string GetClassName(HWND Wnd);
// Enables or disables the window's mouse and keyboard input; returns
// whether it was disabled before.
BOOL EnableWindow(HWND Wnd, BOOL Enable);
BOOL IsWindowEnabled(HWND Wnd);
// Calls Proc for every window below Parent, children before their own
// children, until Proc answers FALSE.
using WNDENUMPROC = BOOL (*)(HWND Wnd, LPARAM Param);
BOOL EnumChildWindows(HWND Parent, WNDENUMPROC Proc, LPARAM Param);

using TNativeFactory = std::unique_ptr<TNativeWindow> (*)();
// Window classes register their native behaviour once, by name.
void RegisterNativeClass(const std::string& ClassName, TNativeFactory Factory);

// Keyboard. Bit 7 of a key's byte is set while the key is held.
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F4 = 0x73;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_RSHIFT = 0xA1;
constexpr int VK_LCONTROL = 0xA2;
constexpr int VK_RCONTROL = 0xA3;
constexpr int VK_OEM_MINUS = 0xBD;
BOOL GetKeyboardState(std::uint8_t* KeyState);

// The keyboard state that GetKeyboardState reports; the simulator and tests
// press and release keys here. It belongs to the running Application.
class TKeyboardState {
 public:
  void Press(int VirtualKey);
  void Release(int VirtualKey);
  bool IsDown(int VirtualKey) const { return (FKeys[VirtualKey & 0xFF] & 0x80) != 0; }
  void ReleaseAll() { FKeys.fill(0); }
  const std::array<std::uint8_t, 256>& Keys() const { return FKeys; }

 private:
  void Update(int VirtualKey);
  std::array<std::uint8_t, 256> FKeys{};
};
TKeyboardState& KeyboardState();

// The default beep; the substitute counts beeps instead of sounding them.
BOOL MessageBeep(UINT Type);
int MessageBeepCount();
void ResetMessageBeepCount();

// The system clipboard, text only (CF_TEXT: the 8-bit text the VCL keeps).
// The headless platform keeps its own, which belongs to the running session
// and is emptied with the rest of the Windows state. On Windows it is
// Windows' clipboard, shared with the EDIT class's copy and paste and with
// every other program; a session's start or end leaves the user's text in it.
class TSystemClipboard {
 public:
  bool HasText() const;
  std::string Text() const;
  void SetText(const std::string& Value);
  void Clear();
};
TSystemClipboard& SystemClipboard();

// The Windows version: the major number in the low byte, the minor in the
// next, as GetVersion packs them. The substitute is Windows XP (5.1) unless a
// test makes it another; the session's end puts that back.
DWORD GetVersion();
void SetWindowsVersion(int Major, int Minor);

// The shell: requests are recorded, never executed.
constexpr int SW_SHOWNORMAL = 1;
struct TShellRequest {
  std::string Operation, File, Parameters, Directory;
  int ShowCmd = 0;
};
std::intptr_t ShellExecute(HWND Wnd, const char* Operation, const char* File,
                           const char* Parameters, const char* Directory, int ShowCmd);
const std::vector<TShellRequest>& ShellRequests();

// Forgets the keys, beeps, clipboard (the headless one), Windows version and
// shell requests of a finished session; the Application calls it when it
// starts and when it goes. Windows free their records when they are destroyed; the window
// table keeps its slots' generations, so a handle from a finished session
// stays dead in the next one.
void ResetWindowsState();

// Device contexts. A DC draws into a display list when one is attached (a
// control's canvas), otherwise it only measures (the screen DC).
struct TFontRecord {
  TFontDesc Desc;
};
using HFONT = TFontRecord*;
using HGDIOBJ = void*;
class TDisplayList;

struct TEXTMETRIC {
  int tmHeight = 0, tmAscent = 0, tmDescent = 0, tmAveCharWidth = 0, tmMaxCharWidth = 0;
};
using TTextMetric = TEXTMETRIC;

constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
int GetSystemMetrics(int Index);

// The system font of a screen DC before any font is selected.
HFONT SystemFont();
HDC GetDC(HWND Wnd);
int ReleaseDC(HWND Wnd, HDC DC);
HDC CreateRecordingDC(TDisplayList* List, HFONT Font);
void DeleteDC(HDC DC);
HGDIOBJ SelectObject(HDC DC, HGDIOBJ Obj);
BOOL GetTextMetricsA(HDC DC, TEXTMETRIC& Metrics);
int SaveDC(HDC DC);
BOOL RestoreDC(HDC DC, int SavedDC);
using COLORREF = std::uint32_t;
COLORREF SetTextColor(HDC DC, COLORREF Color);
COLORREF SetBkColor(HDC DC, COLORREF Color);
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
int SetBkMode(HDC DC, int Mode);
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
// Draws Count bytes of Text (-1: up to the NUL) into R; returns the height.
int DrawTextA(HDC DC, const char* Text, int Count, TRect& R, UINT Format);
BOOL GetTextExtentPoint32A(HDC DC, const char* Text, int Count, TPoint& Size);
// Writes Count bytes of Text with its reference point at X, Y: clipped to
// R with ETO_CLIPPED, and R filled in the background colour first with
// ETO_OPAQUE (no text at all: only the fill, as a canvas fills a rectangle).
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;
BOOL ExtTextOutA(HDC DC, int X, int Y, UINT Options, const TRect* R, const char* Text, int Count);
// Asks the window to draw itself into DC, as WM_PRINTCLIENT does: an
// owner-drawn tab control has its procedure paint each tab in view, sent
// CN_DRAWITEM with the DC. Flags as Windows' (0: frame and client area).
BOOL PrintWindow(HWND Wnd, HDC DC, UINT Flags);

// The paint cycle. A window that InvalidateRect marks waits for WM_PAINT,
// which the loop sends when no other message waits; BeginPaint hands out a
// DC for the window's client area (after WM_ERASEBKGND with it when the
// background is to be erased) and takes the mark, EndPaint gives the DC
// back. The headless platform paints whole windows: a rectangle invalidates
// the window. Its DC records what the window draws as the window's picture,
// each paint a new one.
struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = 0;
  TRect rcPaint;
};
HDC BeginPaint(HWND Wnd, PAINTSTRUCT& Paint);
BOOL EndPaint(HWND Wnd, const PAINTSTRUCT& Paint);
BOOL InvalidateRect(HWND Wnd, const TRect* R, BOOL Erase);
BOOL ValidateRect(HWND Wnd, const TRect* R);
// Whether the window waits for a paint; R (when given) the area to paint.
BOOL GetUpdateRect(HWND Wnd, TRect* R, BOOL Erase);
// Sends WM_PAINT now to a window that waits for one.
BOOL UpdateWindow(HWND Wnd);

// What a control tells its parent: WM_NOTIFY's LParam. A notification may
// be answered (a tab control's TCN_SELCHANGING is refused with TRUE).
struct NMHDR {
  HWND hwndFrom = nullptr;
  std::uintptr_t idFrom = 0;
  UINT code = 0;
};
constexpr UINT NM_CLICK = 0u - 2u;

// An owner-drawn item to paint: WM_DRAWITEM's LParam. hDC is a platform DC
// over the control's (or the printed bitmap's) device context with the
// control's font selected; the item sets its own colours. rcItem is the
// item's area (on the real platform a little inside the tab's frame, and
// larger for the raised selected tab).
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODT_TAB = 101;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_FOCUS = 0x0010;
// The item is the one a combo box shows in its edit part.
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;
struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem = nullptr;
  HDC hDC = nullptr;
  RECT rcItem;
  std::uintptr_t itemData = 0;
};

// What an owner-drawn list asks its owner before it draws: WM_MEASUREITEM's
// LParam, which a list of fixed height sends once, when it is made. The
// control is named by its identifier (the VCL makes it the window's handle).
struct MEASUREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemWidth = 0;
  UINT itemHeight = 0;
  std::uintptr_t itemData = 0;
};
