#include "Windows.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Backend.h"
#include "Natives.h"
#include "Painting.h"
#include "WindowDrawing.h"

namespace {

// The window table. A destroyed window's record is freed at once and its
// slot reused by a later window under the next generation, so the table
// grows only with the number of windows alive at one time, however many
// dialogs a session opens and closes. A slot whose generation has run out
// is not reused, so no handle ever names two windows.
class TWindowTable {
 public:
  HWND Add(std::unique_ptr<TWindowRecord> Record) {
    std::uint32_t Slot;
    if (FFree.empty()) {
      Slot = static_cast<std::uint32_t>(FSlots.size());
      FSlots.emplace_back();
    } else {
      Slot = FFree.back();
      FFree.pop_back();
    }
    FSlots[Slot].Record = std::move(Record);
    return Encode(Slot, FSlots[Slot].Generation);
  }

  // Calls Visit for every live window, in the order of the table's slots.
  template <class F>
  void ForEach(F&& Visit) const {
    for (std::uint32_t Slot = 0; Slot < FSlots.size(); ++Slot)
      if (FSlots[Slot].Record)
        Visit(Encode(Slot, FSlots[Slot].Generation), *FSlots[Slot].Record);
  }

  // A message passes the table several times on its way (SendMessage, the
  // window class's default handling, the class's own look at its record):
  // the last window found is remembered, so that only the first pass looks
  // the handle up.
  TWindowRecord* Find(HWND Wnd) const {
    if (Wnd == FLastWnd && Wnd != nullptr)
      return FLastRecord;
    TWindowRecord* Record = Lookup(Wnd);
    if (Record != nullptr) {
      FLastWnd = Wnd;
      FLastRecord = Record;
    }
    return Record;
  }

  // The handle is dead before the record goes, so that nothing the record's
  // native part does while it is destroyed reaches it through the handle.
  bool Remove(HWND Wnd) {
    if (Find(Wnd) == nullptr)
      return false;
    FLastWnd = nullptr;
    FLastRecord = nullptr;
    TSlot& S = FSlots[SlotOf(Wnd)];
    const std::unique_ptr<TWindowRecord> Record = std::move(S.Record);
    if (S.Generation < std::numeric_limits<std::uint32_t>::max()) {
      ++S.Generation;
      FFree.push_back(SlotOf(Wnd));
    }
    return true;
  }

 private:
  TWindowRecord* Lookup(HWND Wnd) const {
    const std::uint32_t Slot = SlotOf(Wnd);
    const auto Generation =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Wnd) >> kSlotBits);
    if (Wnd == nullptr || Slot >= FSlots.size() || FSlots[Slot].Generation != Generation)
      return nullptr;
    return FSlots[Slot].Record.get();
  }

  // The low half of a handle is the slot plus one (so no handle is null),
  // the high half the generation.
  static constexpr int kSlotBits = 32;
  static constexpr std::uintptr_t kSlotMask = (std::uintptr_t{1} << kSlotBits) - 1;
  static_assert(sizeof(std::uintptr_t) * 8 >= 2 * kSlotBits, "a handle holds slot and generation");
  static std::uint32_t SlotOf(HWND Wnd) {
    return static_cast<std::uint32_t>((reinterpret_cast<std::uintptr_t>(Wnd) & kSlotMask) - 1);
  }
  static HWND Encode(std::uint32_t Slot, std::uint32_t Generation) {
    return reinterpret_cast<HWND>((std::uintptr_t{Generation} << kSlotBits) |
                                  (std::uintptr_t{Slot} + 1));
  }

  struct TSlot {
    std::uint32_t Generation = 1;
    std::unique_ptr<TWindowRecord> Record;
  };
  std::vector<TSlot> FSlots;
  std::vector<std::uint32_t> FFree;
  mutable HWND FLastWnd = nullptr;
  mutable TWindowRecord* FLastRecord = nullptr;
};

TWindowTable& Windows() {
  static TWindowTable Table;
  return Table;
}

std::map<std::string, TNativeFactory>& NativeClasses() {
  static std::map<std::string, TNativeFactory> Classes;
  return Classes;
}

constexpr DWORD kDefaultVersion = 5 | (1 << 8);
DWORD& Version() {
  static DWORD Value = kDefaultVersion;
  return Value;
}

}  // namespace

void RegisterNativeClass(const std::string& ClassName, TNativeFactory Factory) {
  NativeClasses()[ClassName] = Factory;
}

HWND CreateWindowEx(const std::string& ClassName, DWORD Style, TWindowProcedure Proc, HWND Parent,
                    const TRect& Bounds, const std::string& WindowName, DWORD ExStyle) {
  auto Record = std::make_unique<TWindowRecord>();
  Record->ClassName = ClassName;
  Record->Style = Style;
  Record->ExStyle = ExStyle;
  Record->Proc = Proc;
  Record->Parent = IsWindow(Parent) ? Parent : nullptr;
  Record->Left = Bounds.Left;
  Record->Top = Bounds.Top;
  Record->Width = Bounds.Width();
  Record->Height = Bounds.Height();
  static std::uint64_t Created = 0;
  Record->Order = ++Created;
  auto It = NativeClasses().find(ClassName);
  Record->Native = It != NativeClasses().end() ? It->second() : std::make_unique<TNativeWindow>();
  TNativeWindow* Native = Record->Native.get();
  const HWND Wnd = Windows().Add(std::move(Record));
  Native->Created(Wnd, WindowName);
  return Wnd;
}

BOOL DestroyWindow(HWND Wnd) {
  if (Windows().Find(Wnd) == nullptr)
    return 0;
  // As on Windows, the going window's procedure hears WM_DESTROY first.
  SendMessage(Wnd, WM_DESTROY, 0, 0);
  ForgetDrawing(Wnd);
  return Windows().Remove(Wnd) ? 1 : 0;
}

BOOL IsWindow(HWND Wnd) {
  return Windows().Find(Wnd) != nullptr;
}

TWindowRecord* WindowRecord(HWND Wnd) {
  return Windows().Find(Wnd);
}

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWindowRecord* Record = Windows().Find(Wnd);
  if (Record == nullptr)
    return 0;
  TMessage Message{Msg, WParam, LParam, 0};
  // A copy: the window may be destroyed, and its record freed, while the
  // procedure runs.
  if (const TWindowProcedure Proc = Record->Proc; Proc.Assigned())
    Proc(Message);
  else
    CallDefWindowProc(Wnd, Message);
  return Message.Result;
}

LRESULT CallDefWindowProc(HWND Wnd, TMessage& Message) {
  TWindowRecord* Record = Windows().Find(Wnd);
  if (Record == nullptr)
    return 0;
  if (Message.Msg == WM_SETFONT && Message.WParam != 0)
    Record->Font = reinterpret_cast<HFONT>(Message.WParam)->Desc;
  // The class frees its state at WM_DESTROY, as Windows' controls do: a
  // procedure that hands a window's WM_DESTROY to another window's default
  // handling empties that other window.
  if (Message.Msg == WM_DESTROY) {
    Record->Native = std::make_unique<TNativeWindow>();
    Message.Result = 0;
    return 0;
  }
  switch (Message.Msg) {
    case WM_PAINT: {
      // A DC in WParam is the one to paint on, as the common controls take it.
      auto DC = reinterpret_cast<HDC>(Message.WParam);
      PAINTSTRUCT Paint;
      if (DC == nullptr)
        DC = BeginPaint(Wnd, Paint);
      if (DC != nullptr && IsWindow(Wnd))
        Record->Native->Paint(Wnd, DC);
      if (Message.WParam == 0)
        EndPaint(Wnd, Paint);
      Message.Result = 0;
      return 0;
    }
    case WM_PRINTCLIENT:
      if (Message.WParam != 0)
        Record->Native->Paint(Wnd, reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 0;
      return 0;
    case WM_NCPAINT:
      PaintWindowFrame(Wnd);
      Message.Result = 0;
      return 0;
    case WM_NCACTIVATE:
      // The caption changes colour.
      if (Record->Active != (Message.WParam != 0)) {
        Record->Active = Message.WParam != 0;
        PaintWindowFrame(Wnd);
      }
      Message.Result = 1;
      return 1;
    case WM_ERASEBKGND:
      // No class brush: the background is left as it was.
      Message.Result = 0;
      return 0;
    default:
      break;
  }
  Message.Result = Record->Native->Handle(Wnd, Message);
  // What DefWindowProc adds for every class: the right button let go asks
  // for the window's context menu, and a child that shows none asks its
  // parent.
  if (Message.Msg == WM_RBUTTONUP) {
    TPoint At{static_cast<short>(LOWORD(static_cast<std::uintptr_t>(Message.LParam))),
              static_cast<short>(HIWORD(static_cast<std::uintptr_t>(Message.LParam)))};
    ClientToScreen(Wnd, At);
    SendMessage(Wnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Wnd), MAKELPARAM(At.X, At.Y));
  } else if (Message.Msg == WM_CONTEXTMENU && (Record->Style & WS_CHILD) != 0 &&
             Record->Parent != nullptr) {
    Message.Result = SendMessage(Record->Parent, WM_CONTEXTMENU, Message.WParam, Message.LParam);
  }
  return Message.Result;
}

BOOL MoveWindow(HWND Wnd, int X, int Y, int Width, int Height) {
  return SetWindowPos(Wnd, nullptr, X, Y, Width, Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The headless platform has no screen: a window's parent, place and
// visibility are kept for whoever asks, and nothing is sent for them.
HWND SetParent(HWND Child, HWND NewParent) {
  TWindowRecord* Record = Windows().Find(Child);
  if (Record == nullptr)
    return nullptr;
  // As Windows, a window cannot go under itself or one of its own children.
  for (HWND Above = NewParent; Above != nullptr; Above = GetParent(Above))
    if (Above == Child)
      return nullptr;
  return std::exchange(Record->Parent, IsWindow(NewParent) ? NewParent : nullptr);
}

HWND GetParent(HWND Wnd) {
  TWindowRecord* Record = Windows().Find(Wnd);
  return Record != nullptr ? Record->Parent : nullptr;
}

BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int Width, int Height, UINT Flags) {
  (void)InsertAfter;
  TWindowRecord* Record = Windows().Find(Wnd);
  if (Record == nullptr)
    return 0;
  if ((Flags & SWP_NOMOVE) == 0) {
    Record->Left = X;
    Record->Top = Y;
  }
  // A window whose size changes, or that comes on the screen, paints
  // itself anew.
  bool Repaint = false;
  if ((Flags & SWP_NOSIZE) == 0 && (Record->Width != Width || Record->Height != Height)) {
    Record->Width = Width;
    Record->Height = Height;
    Repaint = true;
  }
  if ((Flags & SWP_SHOWWINDOW) != 0 && (Record->Style & WS_VISIBLE) == 0) {
    Record->Style |= WS_VISIBLE;
    Repaint = true;
  }
  if ((Flags & SWP_HIDEWINDOW) != 0)
    Record->Style &= ~WS_VISIBLE;
  if (Repaint)
    InvalidateRect(Wnd, nullptr, 1);
  return 1;
}

BOOL ShowWindow(HWND Wnd, int CmdShow) {
  TWindowRecord* Record = Windows().Find(Wnd);
  if (Record == nullptr)
    return 0;
  const bool Was = (Record->Style & WS_VISIBLE) != 0;
  if (CmdShow == SW_HIDE)
    Record->Style &= ~WS_VISIBLE;
  else
    Record->Style |= WS_VISIBLE;
  // A window that comes on the screen paints itself.
  if (!Was && CmdShow != SW_HIDE)
    InvalidateRect(Wnd, nullptr, 1);
  return Was ? 1 : 0;
}

BOOL IsWindowVisible(HWND Wnd) {
  // SetParent keeps the parents free of cycles.
  for (const TWindowRecord* Record = Windows().Find(Wnd); Record != nullptr;
       Record = Windows().Find(Record->Parent)) {
    if ((Record->Style & WS_VISIBLE) == 0)
      return 0;
    if (Record->Parent == nullptr)
      return 1;
  }
  return 0;
}

BOOL AdjustWindowRectEx(TRect& R, DWORD Style, BOOL Menu, DWORD ExStyle) {
  (void)R, (void)Style, (void)Menu, (void)ExStyle;
  return 1;
}

// The headless platform frames no top-level window: its client area starts
// at its place on the screen. A child's lies inside its edge, if it has
// one, at its place in its parent's client area.
BOOL ClientToScreen(HWND Wnd, TPoint& Point) {
  const TWindowRecord* Record = Windows().Find(Wnd);
  if (Record == nullptr)
    return 0;
  for (HWND W = Wnd; Record != nullptr; W = Record->Parent, Record = Windows().Find(W)) {
    const TPoint Inside = WindowClientOffset(W);
    Point.X += Record->Left + Inside.X;
    Point.Y += Record->Top + Inside.Y;
  }
  return 1;
}

BOOL ScreenToClient(HWND Wnd, TPoint& Point) {
  TPoint Origin;
  if (!ClientToScreen(Wnd, Origin))
    return 0;
  Point.X -= Origin.X;
  Point.Y -= Origin.Y;
  return 1;
}

BOOL SetWindowText(HWND Wnd, const std::string& Text) {
  if (!IsWindow(Wnd))
    return 0;
  SendMessage(Wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Text.c_str()));
  return 1;
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
  const TWindowRecord* Record = Windows().Find(Wnd);
  return Record != nullptr ? Record->ClassName : std::string();
}

BOOL EnableWindow(HWND Wnd, BOOL Enable) {
  TWindowRecord* Record = Windows().Find(Wnd);
  if (Record == nullptr)
    return 0;
  const bool WasDisabled = (Record->Style & WS_DISABLED) != 0;
  if (Enable != 0)
    Record->Style &= ~WS_DISABLED;
  else
    Record->Style |= WS_DISABLED;
  return WasDisabled ? 1 : 0;
}

BOOL IsWindowEnabled(HWND Wnd) {
  const TWindowRecord* Record = Windows().Find(Wnd);
  return Record != nullptr && (Record->Style & WS_DISABLED) == 0 ? 1 : 0;
}

namespace {
// The children of Parent and theirs, depth first; false once Proc stopped.
bool EnumBelow(HWND Parent, WNDENUMPROC Proc, LPARAM Param) {
  std::vector<HWND> Children;
  Windows().ForEach([&](HWND Wnd, const TWindowRecord& Record) {
    if (Record.Parent == Parent)
      Children.push_back(Wnd);
  });
  for (HWND Child : Children) {
    if (!IsWindow(Child))
      continue;
    if (Proc(Child, Param) == 0 || !EnumBelow(Child, Proc, Param))
      return false;
  }
  return true;
}
}  // namespace

BOOL EnumChildWindows(HWND Parent, WNDENUMPROC Proc, LPARAM Param) {
  if (!IsWindow(Parent) || Proc == nullptr)
    return 0;
  EnumBelow(Parent, Proc, Param);
  return 1;
}

DWORD GetWindowStyle(HWND Wnd) {
  TWindowRecord* Record = Windows().Find(Wnd);
  return Record != nullptr ? Record->Style : 0;
}

BOOL GetKeyboardState(std::uint8_t* KeyState) {
  const auto& Keys = KeyboardState().Keys();
  std::copy(Keys.begin(), Keys.end(), KeyState);
  return 1;
}

DWORD GetVersion() {
  return Version();
}

void SetWindowsVersion(int Major, int Minor) {
  Version() = static_cast<DWORD>((Major & 0xFF) | ((Minor & 0xFF) << 8));
}

// The headless platform keeps the keyboard, the beep and the shell to
// itself: the tests read them back from the shared state.
namespace backend {

void PublishKeyboardState(const std::array<std::uint8_t, 256>& Keys) {
  (void)Keys;
}

BOOL Beep(UINT Type) {
  (void)Type;
  return 1;
}

std::intptr_t OpenWithShell(HWND Wnd, const char* Operation, const char* File,
                            const char* Parameters, const char* Directory, int ShowCmd) {
  (void)Wnd, (void)Operation, (void)File, (void)Parameters, (void)Directory, (void)ShowCmd;
  return 42;  // above 32 is success for ShellExecute
}

void ResetWindowsVersion() {
  Version() = kDefaultVersion;
}

}  // namespace backend
