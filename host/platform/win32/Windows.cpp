#include "Windows.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <utility>

#include "Backend.h"
#include "Callbacks.h"
#include "CommCtrl.h"
#include "DeviceContexts.h"
#include "NativeApi.h"
#include "NativeLists.h"
#include "ScopeExit.h"

// The platform over the real API. Every window the platform creates is a
// real window of its class, subclassed so that its messages reach the
// window procedure that the VCL gave (as the VCL's MakeObjectInstance
// does); what that procedure passes on goes to the class's own procedure.

// The parent's WM_NOTIFY reaches the control as the header Windows sent.
static_assert(sizeof(NMHDR) == 3 * sizeof(void*) && offsetof(NMHDR, code) == 2 * sizeof(void*));

namespace {

struct TRealWindow {
  TWindowRecord Record;
  void* ClassProc = nullptr;
  // The child's identifier (0 for a window of its own).
  UINT Id = 0;
};

// The procedure of the window being made, under its identifier: an
// owner-drawn list asks its owner for its items' height while it is made,
// before it is a window of the platform's.
struct TMaking {
  UINT Id = 0;
  TWindowProcedure Proc;
};
TMaking& Making() {
  static TMaking Value;
  return Value;
}

std::map<HWND, std::unique_ptr<TRealWindow>>& RealWindows() {
  static std::map<HWND, std::unique_ptr<TRealWindow>> Windows;
  return Windows;
}

TRealWindow* FindReal(HWND Wnd) {
  auto It = RealWindows().find(Wnd);
  return It != RealWindows().end() ? It->second.get() : nullptr;
}

std::intptr_t SubclassProc(HWND Wnd, unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam) {
  TRealWindow* Window = FindReal(Wnd);
  if (Window == nullptr)
    return 0;
  try {
    // A child's notifications go back to the child, as every windowed
    // control of the VCL reflects its children's: only to the platform's
    // own windows, not to the parts a common control makes for itself (a
    // tab control's arrows), which answer to the control's class.
    if (HWND Child = native::NotifyingChild(Msg, WParam, LParam);
        Child != nullptr && FindReal(Child) != nullptr)
      return native::Reflect(Msg, WParam, LParam);
    if (Msg == WM_MEASUREITEM && LParam != 0 && native::MeasureItem(LParam))
      return 1;
    TMessage Message{Msg, WParam, LParam, 0};
    // A DC that comes with the message reaches the procedure as one of the
    // platform's, over the real one, for the span of the message.
    HDC Lent = nullptr;
    if ((Msg == WM_ERASEBKGND || Msg == WM_PRINTCLIENT || Msg == WM_PAINT) && WParam != 0)
      Lent = LendDC(reinterpret_cast<void*>(WParam), Wnd);
    const ScopeExit GiveBack([Lent] {
      if (Lent != nullptr)
        TakeBackDC(Lent);
    });
    if (Lent != nullptr)
      Message.WParam = reinterpret_cast<WPARAM>(Lent);
    // A copy: the window may be destroyed while the procedure runs.
    if (const TWindowProcedure Proc = Window->Record.Proc; Proc.Assigned())
      Proc(Message);
    else
      CallDefWindowProc(Wnd, Message);
    return Message.Result;
  } catch (...) {
    KeepException(std::current_exception());
    return 0;
  }
}

std::exception_ptr& Kept() {
  static std::exception_ptr E;
  return E;
}

// 0 until a test sets a version: then the real one is reported.
DWORD& VersionOverride() {
  static DWORD Value = 0;
  return Value;
}

// A tab item's text comes back through a buffer of this size, as the VCL's
// own tab list reads it.
constexpr int kTabTextMax = 4096;

LRESULT CallTabItem(TRealWindow& Window, HWND Wnd, TMessage& Message) {
  auto* Item = reinterpret_cast<TCItem*>(Message.LParam);
  if (Item == nullptr)
    return 0;
  native::TTabItem Native;
  Native.Mask = Item->Mask;
  Native.Image = Item->Image;
  Native.Param = Item->Param;
  std::string Buffer;
  if (Message.Msg == TCM_GETITEM) {
    Buffer.assign(kTabTextMax, '\0');
    Native.Text = Buffer.data();
    Native.TextMax = kTabTextMax;
  } else {
    Buffer = Item->Text;
    Native.Text = Buffer.data();
    Native.TextMax = static_cast<int>(Buffer.size()) + 1;
  }
  const LRESULT Result =
      native::CallTabItemProc(Window.ClassProc, Wnd, Message.Msg, Message.WParam, Native);
  if (Message.Msg == TCM_GETITEM && Result != 0) {
    if (Item->Mask & TCIF_TEXT)
      Item->Text = Buffer.c_str();
    if (Item->Mask & TCIF_IMAGE)
      Item->Image = Native.Image;
    if (Item->Mask & TCIF_PARAM)
      Item->Param = Native.Param;
  }
  return Result;
}

}  // namespace

// The owner-drawn control the identifier names answers, as the VCL's
// controls answer the WM_MEASUREITEM their parent reflects.
bool native::MeasureItem(std::intptr_t LParam) {
  auto* Item = reinterpret_cast<MEASUREITEMSTRUCT*>(LParam);
  if (Item->CtlID == 0)
    return false;
  TWindowProcedure Proc;
  if (Item->CtlID == Making().Id)
    Proc = Making().Proc;
  for (const auto& [Wnd, Window] : RealWindows())
    if (Window->Id == Item->CtlID)
      Proc = Window->Record.Proc;
  if (!Proc.Assigned())
    return false;
  TMessage Message{CN_MEASUREITEM, 0, LParam, 0};
  try {
    Proc(Message);
  } catch (...) {
    KeepException(std::current_exception());
  }
  return true;
}

void KeepException(std::exception_ptr E) {
  if (!Kept())
    Kept() = std::move(E);
}

void RaiseKeptException() {
  if (Kept())
    std::rethrow_exception(std::exchange(Kept(), nullptr));
}

// The real window classes carry their own behaviour.
void RegisterNativeClass(const std::string& ClassName, TNativeFactory Factory) {
  (void)ClassName;
  (void)Factory;
}

HWND CreateWindowEx(const std::string& ClassName, DWORD Style, TWindowProcedure Proc, HWND Parent,
                    const TRect& Bounds, const std::string& WindowName, DWORD ExStyle) {
  if (FindReal(Parent) == nullptr)
    Parent = nullptr;
  static UINT LastId = 0;
  const UINT Id = (Style & WS_CHILD) != 0 ? ++LastId : 0;
  Making() = TMaking{Id, Proc};
  const HWND Wnd = native::CreateWindow(ClassName, WindowName, Style, Parent, Bounds.Left,
                                        Bounds.Top, Bounds.Width(), Bounds.Height(), Id, ExStyle);
  Making() = TMaking{};
  RaiseKeptException();
  if (Wnd == nullptr)
    return nullptr;
  auto Window = std::make_unique<TRealWindow>();
  Window->Record.ClassName = ClassName;
  Window->Record.Style = Style;
  Window->Record.ExStyle = ExStyle;
  Window->Record.Proc = Proc;
  Window->Record.Parent = Parent;
  Window->Record.Left = Bounds.Left;
  Window->Record.Top = Bounds.Top;
  Window->Record.Width = Bounds.Width();
  Window->Record.Height = Bounds.Height();
  static std::uint64_t Created = 0;
  Window->Record.Order = ++Created;
  Window->Id = Id;
  TRealWindow& W = *RealWindows().emplace(Wnd, std::move(Window)).first->second;
  W.ClassProc = native::Subclass(Wnd, &SubclassProc);
  return Wnd;
}

BOOL DestroyWindow(HWND Wnd) {
  if (FindReal(Wnd) == nullptr)
    return 0;
  const bool Destroyed = native::DestroyWindow(Wnd);
  RealWindows().erase(Wnd);
  RaiseKeptException();
  return Destroyed ? 1 : 0;
}

BOOL IsWindow(HWND Wnd) {
  return FindReal(Wnd) != nullptr && native::IsWindow(Wnd);
}

TWindowRecord* WindowRecord(HWND Wnd) {
  TRealWindow* Window = FindReal(Wnd);
  return Window != nullptr ? &Window->Record : nullptr;
}

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  // Windows' own windows answer too: the list a combo box drops down.
  if (FindReal(Wnd) == nullptr && !native::IsWindow(Wnd))
    return 0;
  const LRESULT Result = native::SendMessage(Wnd, Msg, WParam, LParam);
  RaiseKeptException();
  return Result;
}

LRESULT CallDefWindowProc(HWND Wnd, TMessage& Message) {
  TRealWindow* Window = FindReal(Wnd);
  if (Window == nullptr)
    return 0;
  switch (Message.Msg) {
    case TCM_GETITEM:
    case TCM_SETITEM:
    case TCM_INSERTITEM:
      Message.Result = CallTabItem(*Window, Wnd, Message);
      return Message.Result;
    case WM_SETFONT: {
      // The platform's font is a description; the window gets the real font.
      LPARAM Redraw = Message.LParam;
      WPARAM Font = 0;
      if (Message.WParam != 0) {
        const TFontDesc& Desc = reinterpret_cast<HFONT>(Message.WParam)->Desc;
        Window->Record.Font = Desc;
        Font = reinterpret_cast<WPARAM>(native::Font(Desc.Name, Desc.Size, Desc.Bold));
      }
      Message.Result = native::CallWindowProc(Window->ClassProc, Wnd, WM_SETFONT, Font, Redraw);
      return Message.Result;
    }
    default:
      // A platform DC goes on as the real one behind it.
      Message.Result = native::CallWindowProc(Window->ClassProc, Wnd, Message.Msg,
                                              NativeDCParam(Message.WParam), Message.LParam);
      RaiseKeptException();
      return Message.Result;
  }
}

DWORD GetWindowStyle(HWND Wnd) {
  return FindReal(Wnd) != nullptr ? native::WindowStyle(Wnd) : 0;
}

BOOL MoveWindow(HWND Wnd, int X, int Y, int Width, int Height) {
  TRealWindow* Window = FindReal(Wnd);
  if (Window == nullptr)
    return 0;
  Window->Record.Left = X;
  Window->Record.Top = Y;
  Window->Record.Width = Width;
  Window->Record.Height = Height;
  const bool Moved = native::MoveWindow(Wnd, X, Y, Width, Height);
  RaiseKeptException();
  return Moved ? 1 : 0;
}

HWND SetParent(HWND Child, HWND NewParent) {
  TRealWindow* Window = FindReal(Child);
  if (Window == nullptr)
    return nullptr;
  if (FindReal(NewParent) == nullptr)
    NewParent = nullptr;
  // Windows refuses a parent below the window itself.
  for (HWND Above = NewParent; Above != nullptr; Above = GetParent(Above))
    if (Above == Child)
      return nullptr;
  native::SetParent(Child, NewParent);
  RaiseKeptException();
  return std::exchange(Window->Record.Parent, NewParent);
}

HWND GetParent(HWND Wnd) {
  TRealWindow* Window = FindReal(Wnd);
  return Window != nullptr ? Window->Record.Parent : nullptr;
}

BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int Width, int Height, UINT Flags) {
  (void)InsertAfter;
  TRealWindow* Window = FindReal(Wnd);
  if (Window == nullptr)
    return 0;
  TWindowRecord& R = Window->Record;
  if ((Flags & SWP_NOMOVE) == 0) {
    R.Left = X;
    R.Top = Y;
  }
  if ((Flags & SWP_NOSIZE) == 0) {
    R.Width = Width;
    R.Height = Height;
  }
  if ((Flags & SWP_SHOWWINDOW) != 0)
    R.Style |= WS_VISIBLE;
  if ((Flags & SWP_HIDEWINDOW) != 0)
    R.Style &= ~WS_VISIBLE;
  const bool Placed = native::SetWindowPos(Wnd, X, Y, Width, Height, Flags | SWP_NOZORDER);
  RaiseKeptException();
  return Placed ? 1 : 0;
}

BOOL ShowWindow(HWND Wnd, int CmdShow) {
  TRealWindow* Window = FindReal(Wnd);
  if (Window == nullptr)
    return 0;
  if (CmdShow == SW_HIDE)
    Window->Record.Style &= ~WS_VISIBLE;
  else
    Window->Record.Style |= WS_VISIBLE;
  const bool Was = native::ShowWindow(Wnd, CmdShow);
  RaiseKeptException();
  return Was ? 1 : 0;
}

BOOL IsWindowVisible(HWND Wnd) {
  return FindReal(Wnd) != nullptr && native::IsWindowVisible(Wnd) ? 1 : 0;
}

BOOL AdjustWindowRectEx(TRect& R, DWORD Style, BOOL Menu, DWORD ExStyle) {
  int Rect[4] = {R.Left, R.Top, R.Right, R.Bottom};
  if (!native::AdjustWindowRectEx(Rect, Style, Menu != 0, ExStyle))
    return 0;
  R = TRect{Rect[0], Rect[1], Rect[2], Rect[3]};
  return 1;
}

BOOL ClientToScreen(HWND Wnd, TPoint& Point) {
  return FindReal(Wnd) != nullptr && native::ClientToScreen(Wnd, Point.X, Point.Y) ? 1 : 0;
}

BOOL ScreenToClient(HWND Wnd, TPoint& Point) {
  return FindReal(Wnd) != nullptr && native::ScreenToClient(Wnd, Point.X, Point.Y) ? 1 : 0;
}

BOOL SetWindowText(HWND Wnd, const std::string& Text) {
  const bool Set = FindReal(Wnd) != nullptr && native::SetWindowText(Wnd, Text.c_str());
  RaiseKeptException();
  return Set ? 1 : 0;
}

std::string GetWindowText(HWND Wnd) {
  const auto Length = static_cast<std::size_t>(SendMessage(Wnd, WM_GETTEXTLENGTH, 0, 0));
  std::string Buffer(Length + 1, '\0');
  const auto Copied = static_cast<std::size_t>(
      SendMessage(Wnd, WM_GETTEXT, Buffer.size(), reinterpret_cast<LPARAM>(Buffer.data())));
  Buffer.resize(std::min(Copied, Length));
  return Buffer;
}

std::string GetClassName(HWND Wnd) {
  return FindReal(Wnd) != nullptr ? native::ClassName(Wnd) : std::string();
}

BOOL EnableWindow(HWND Wnd, BOOL Enable) {
  if (FindReal(Wnd) == nullptr)
    return 0;
  const bool WasDisabled = native::EnableWindow(Wnd, Enable != 0);
  RaiseKeptException();
  return WasDisabled ? 1 : 0;
}

BOOL IsWindowEnabled(HWND Wnd) {
  return FindReal(Wnd) != nullptr && native::IsWindowEnabled(Wnd) ? 1 : 0;
}

// Windows' own enumeration, which also names the parts a control makes for
// itself (a tab control's arrows).
BOOL EnumChildWindows(HWND Parent, WNDENUMPROC Proc, LPARAM Param) {
  if (FindReal(Parent) == nullptr || Proc == nullptr)
    return 0;
  for (HWND Child : native::Descendants(Parent))
    if (Proc(Child, Param) == 0)
      break;
  return 1;
}

BOOL GetComboBoxInfo(HWND Combo, COMBOBOXINFO& Info) {
  int Button[4], Item[4];
  HWND List = nullptr;
  if (FindReal(Combo) == nullptr || !native::ComboBoxInfo(Combo, List, Button, Item))
    return 0;
  Info.hwndCombo = Combo;
  Info.hwndItem = nullptr;
  Info.hwndList = List;
  Info.rcButton = TRect{Button[0], Button[1], Button[2], Button[3]};
  Info.rcItem = TRect{Item[0], Item[1], Item[2], Item[3]};
  return 1;
}

BOOL GetKeyboardState(std::uint8_t* KeyState) {
  return native::GetKeyboardState(KeyState) ? 1 : 0;
}

DWORD GetVersion() {
  return VersionOverride() != 0 ? VersionOverride() : native::GetVersion();
}

void SetWindowsVersion(int Major, int Minor) {
  VersionOverride() = static_cast<DWORD>((Major & 0xFF) | ((Minor & 0xFF) << 8));
}

namespace backend {

// The keys pressed here become the thread's keyboard state, which
// GetKeyboardState and the controls read.
void PublishKeyboardState(const std::array<std::uint8_t, 256>& Keys) {
  std::array<std::uint8_t, 256> Copy = Keys;
  native::SetKeyboardState(Copy.data());
}

BOOL Beep(UINT Type) {
  return native::MessageBeep(Type) ? 1 : 0;
}

std::intptr_t OpenWithShell(HWND Wnd, const char* Operation, const char* File,
                            const char* Parameters, const char* Directory, int ShowCmd) {
  return native::ShellExecute(Wnd, Operation, File, Parameters, Directory, ShowCmd);
}

void ResetWindowsVersion() {
  VersionOverride() = 0;
}

}  // namespace backend
