#include "Windows.h"

#include <map>
#include <unordered_set>

namespace {

std::unordered_set<HWND>& LiveWindows() {
  static std::unordered_set<HWND> Windows;
  return Windows;
}

// Destroyed window records are kept until the session ends, so that a new
// window never gets the address of a destroyed one: a stale handle stays
// dead, as Windows keeps handles from being reused at once.
std::vector<std::unique_ptr<TWindowRecord>>& DestroyedWindows() {
  static std::vector<std::unique_ptr<TWindowRecord>> Windows;
  return Windows;
}

std::map<std::string, TNativeFactory>& NativeClasses() {
  static std::map<std::string, TNativeFactory> Classes;
  return Classes;
}

TKeyboardState& Keyboard() {
  static TKeyboardState State;
  return State;
}

int& BeepCount() {
  static int Count = 0;
  return Count;
}

TSystemClipboard& Clipboard() {
  static TSystemClipboard Board;
  return Board;
}

constexpr DWORD kDefaultVersion = 5 | (1 << 8);
DWORD& Version() {
  static DWORD Value = kDefaultVersion;
  return Value;
}

std::vector<TShellRequest>& Shell() {
  static std::vector<TShellRequest> Requests;
  return Requests;
}

}  // namespace

BOOL InflateRect(TRect& R, int Dx, int Dy) {
  R.Left -= Dx;
  R.Right += Dx;
  R.Top -= Dy;
  R.Bottom += Dy;
  return 1;
}

LRESULT TNativeWindow::Handle(HWND Wnd, TMessage& Message) {
  (void)Wnd;
  (void)Message;
  return 0;
}

void RegisterNativeClass(const std::string& ClassName, TNativeFactory Factory) {
  NativeClasses()[ClassName] = Factory;
}

HWND CreateWindowEx(const std::string& ClassName, DWORD Style, TWindowProcedure Proc) {
  auto* Wnd = new TWindowRecord;
  Wnd->ClassName = ClassName;
  Wnd->Style = Style;
  Wnd->Proc = Proc;
  auto It = NativeClasses().find(ClassName);
  Wnd->Native = It != NativeClasses().end() ? It->second() : std::make_unique<TNativeWindow>();
  LiveWindows().insert(Wnd);
  return Wnd;
}

BOOL DestroyWindow(HWND Wnd) {
  if (LiveWindows().erase(Wnd) == 0)
    return 0;
  Wnd->Proc = {};
  Wnd->Native.reset();
  DestroyedWindows().emplace_back(Wnd);
  return 1;
}

BOOL IsWindow(HWND Wnd) {
  return Wnd != nullptr && LiveWindows().count(Wnd) != 0;
}

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!IsWindow(Wnd))
    return 0;
  TMessage Message{Msg, WParam, LParam, 0};
  if (Wnd->Proc.Assigned())
    Wnd->Proc(Message);
  else
    CallDefWindowProc(Wnd, Message);
  return Message.Result;
}

LRESULT CallDefWindowProc(HWND Wnd, TMessage& Message) {
  if (!IsWindow(Wnd))
    return 0;
  Message.Result = Wnd->Native->Handle(Wnd, Message);
  return Message.Result;
}

DWORD GetWindowStyle(HWND Wnd) {
  return IsWindow(Wnd) ? Wnd->Style : 0;
}

void TKeyboardState::Press(int VirtualKey) {
  FKeys[VirtualKey & 0xFF] |= 0x80;
  Update(VirtualKey);
}

void TKeyboardState::Release(int VirtualKey) {
  FKeys[VirtualKey & 0xFF] &= 0x7F;
  Update(VirtualKey);
}

void TKeyboardState::Update(int VirtualKey) {
  // The generic Shift and Ctrl keys are down while either hand's key is.
  auto Either = [this](int Generic, int Left, int Right) {
    const bool Down = IsDown(Left) || IsDown(Right);
    FKeys[Generic] =
        static_cast<std::uint8_t>(Down ? (FKeys[Generic] | 0x80) : (FKeys[Generic] & 0x7F));
  };
  if (VirtualKey == VK_LSHIFT || VirtualKey == VK_RSHIFT)
    Either(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
  if (VirtualKey == VK_LCONTROL || VirtualKey == VK_RCONTROL)
    Either(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
}

TKeyboardState& KeyboardState() {
  return Keyboard();
}

BOOL GetKeyboardState(std::uint8_t* KeyState) {
  const auto& Keys = Keyboard().Keys();
  std::copy(Keys.begin(), Keys.end(), KeyState);
  return 1;
}

BOOL MessageBeep(UINT Type) {
  (void)Type;
  ++BeepCount();
  return 1;
}

int MessageBeepCount() {
  return BeepCount();
}
void ResetMessageBeepCount() {
  BeepCount() = 0;
}

TSystemClipboard& SystemClipboard() {
  return Clipboard();
}

DWORD GetVersion() {
  return Version();
}

void SetWindowsVersion(int Major, int Minor) {
  Version() = static_cast<DWORD>((Major & 0xFF) | ((Minor & 0xFF) << 8));
}

std::intptr_t ShellExecute(HWND Wnd, const char* Operation, const char* File,
                           const char* Parameters, const char* Directory, int ShowCmd) {
  (void)Wnd;
  auto Str = [](const char* S) { return S != nullptr ? std::string(S) : std::string(); };
  Shell().push_back({Str(Operation), Str(File), Str(Parameters), Str(Directory), ShowCmd});
  // Above 32 is success for ShellExecute.
  return 42;
}

const std::vector<TShellRequest>& ShellRequests() {
  return Shell();
}

void ResetWindowsState() {
  Keyboard().ReleaseAll();
  BeepCount() = 0;
  Clipboard().Clear();
  Version() = kDefaultVersion;
  Shell().clear();
  DestroyedWindows().clear();
}
