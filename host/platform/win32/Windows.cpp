#include "Windows.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <utility>

#include "Backend.h"
#include "CommCtrl.h"
#include "NativeApi.h"

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
};

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
  // A child's notifications go back to the child, as every windowed control
  // of the VCL reflects its children's: only to the platform's own windows,
  // not to the parts a common control makes for itself (a tab control's
  // arrows), which answer to the control's class.
  if (HWND Child = native::NotifyingChild(Msg, WParam, LParam);
      Child != nullptr && FindReal(Child) != nullptr)
    return native::Reflect(Msg, WParam, LParam);
  TMessage Message{Msg, WParam, LParam, 0};
  // A copy: the window may be destroyed while the procedure runs.
  if (const TWindowProcedure Proc = Window->Record.Proc; Proc.Assigned())
    Proc(Message);
  else
    CallDefWindowProc(Wnd, Message);
  return Message.Result;
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

LRESULT CallClass(TRealWindow& Window, HWND Wnd, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
  return native::CallWindowProc(Window.ClassProc, Wnd, Msg, WParam, LParam);
}

// The host's whole-list messages (CommCtrl.h), which the common controls'
// tab control does not know: answered by its own per-tab messages, sent
// straight to the class so that the VCL's procedure sees only the one.
LRESULT GetItemTexts(TRealWindow& Window, HWND Wnd, std::string& Text) {
  Text.clear();
  const auto Count = static_cast<int>(CallClass(Window, Wnd, TCM_GETITEMCOUNT));
  for (int i = 0; i < Count; ++i) {
    TCItem Item;
    Item.Mask = TCIF_TEXT;
    TMessage Get{TCM_GETITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&Item), 0};
    CallTabItem(Window, Wnd, Get);
    Text += Item.Text;
    Text += "\r\n";
  }
  return Count;
}

LRESULT SetItems(TRealWindow& Window, HWND Wnd, std::vector<TCItem>& Items) {
  CallClass(Window, Wnd, TCM_DELETEALLITEMS);
  int Count = 0;
  for (TCItem& Item : Items) {
    TMessage Insert{TCM_INSERTITEM, static_cast<WPARAM>(Count), reinterpret_cast<LPARAM>(&Item), 0};
    if (CallTabItem(Window, Wnd, Insert) >= 0)
      ++Count;
  }
  // The items were taken from the list, as the headless control moves them.
  Items.clear();
  if (Count > 0)
    CallClass(Window, Wnd, TCM_SETCURSEL, 0);
  return Count;
}

}  // namespace

// The real window classes carry their own behaviour.
void RegisterNativeClass(const std::string& ClassName, TNativeFactory Factory) {
  (void)ClassName;
  (void)Factory;
}

HWND CreateWindowEx(const std::string& ClassName, DWORD Style, TWindowProcedure Proc, HWND Parent,
                    const TRect& Bounds) {
  if (FindReal(Parent) == nullptr)
    Parent = nullptr;
  const HWND Wnd = native::CreateWindow(ClassName, Style, Parent, Bounds.Left, Bounds.Top,
                                        Bounds.Width(), Bounds.Height());
  if (Wnd == nullptr)
    return nullptr;
  auto Window = std::make_unique<TRealWindow>();
  Window->Record.ClassName = ClassName;
  Window->Record.Style = Style;
  Window->Record.Proc = Proc;
  Window->Record.Parent = Parent;
  Window->Record.Left = Bounds.Left;
  Window->Record.Top = Bounds.Top;
  Window->Record.Width = Bounds.Width();
  Window->Record.Height = Bounds.Height();
  static std::uint64_t Created = 0;
  Window->Record.Order = ++Created;
  TRealWindow& W = *RealWindows().emplace(Wnd, std::move(Window)).first->second;
  W.ClassProc = native::Subclass(Wnd, &SubclassProc);
  return Wnd;
}

BOOL DestroyWindow(HWND Wnd) {
  if (FindReal(Wnd) == nullptr)
    return 0;
  const bool Destroyed = native::DestroyWindow(Wnd);
  RealWindows().erase(Wnd);
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
  if (FindReal(Wnd) == nullptr)
    return 0;
  return native::SendMessage(Wnd, Msg, WParam, LParam);
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
    case TCM_GETITEMTEXTS:
      Message.Result =
          Message.LParam == 0
              ? 0
              : GetItemTexts(*Window, Wnd, *reinterpret_cast<std::string*>(Message.LParam));
      return Message.Result;
    case TCM_SETITEMS:
      Message.Result =
          Message.LParam == 0
              ? 0
              : SetItems(*Window, Wnd, *reinterpret_cast<std::vector<TCItem>*>(Message.LParam));
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
      Message.Result = native::CallWindowProc(Window->ClassProc, Wnd, Message.Msg, Message.WParam,
                                              Message.LParam);
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
  return native::MoveWindow(Wnd, X, Y, Width, Height) ? 1 : 0;
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
  return native::SetWindowPos(Wnd, X, Y, Width, Height, Flags | SWP_NOZORDER) ? 1 : 0;
}

BOOL ShowWindow(HWND Wnd, int CmdShow) {
  TRealWindow* Window = FindReal(Wnd);
  if (Window == nullptr)
    return 0;
  if (CmdShow == SW_HIDE)
    Window->Record.Style &= ~WS_VISIBLE;
  else
    Window->Record.Style |= WS_VISIBLE;
  return native::ShowWindow(Wnd, CmdShow) ? 1 : 0;
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
  return FindReal(Wnd) != nullptr && native::SetWindowText(Wnd, Text.c_str()) ? 1 : 0;
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
