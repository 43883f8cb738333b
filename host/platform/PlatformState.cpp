#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "Backend.h"
#include "MessageLoop.h"
#include "Windows.h"
#include "WindowsMenus.h"

// The state both platforms keep alike: the keyboard the VCL presses keys on,
// the beeps and shell requests counted for the tests, the clipboard, the
// application's look at queued messages. What
// differs, handing a change on to Windows or not (the clipboard's text is
// Windows' own there), is the backend's.

namespace {

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

std::vector<TShellRequest>& Shell() {
  static std::vector<TShellRequest> Requests;
  return Requests;
}

TMessageFilter& Filter() {
  static TMessageFilter Value;
  return Value;
}

}  // namespace

TMessageFilter SetMessageFilter(TMessageFilter Value) {
  return std::exchange(Filter(), Value);
}

bool FilterMessage(const MSG& Msg) {
  bool Handled = false;
  if (const TMessageFilter F = Filter(); F.Assigned())
    F(Msg, Handled);
  return Handled;
}

void TNativeWindow::Created(HWND Wnd, const std::string& WindowName) {
  if (TWindowRecord* Record = WindowRecord(Wnd))
    Record->Text = WindowName;
}

LRESULT TNativeWindow::Handle(HWND Wnd, TMessage& Message) {
  TWindowRecord* Record = WindowRecord(Wnd);
  if (Record == nullptr)
    return 0;
  switch (Message.Msg) {
    case WM_SETTEXT: {
      const char* S = reinterpret_cast<const char*>(Message.LParam);
      Record->Text = S != nullptr ? S : "";
      return 1;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(Record->Text.size());
    case WM_GETTEXT: {
      auto* Buffer = reinterpret_cast<char*>(Message.LParam);
      if (Buffer == nullptr || Message.WParam == 0)
        return 0;
      const std::size_t n = std::min<std::size_t>(Record->Text.size(), Message.WParam - 1);
      std::copy_n(Record->Text.data(), n, Buffer);
      Buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    default:
      return 0;
  }
}

BOOL InflateRect(TRect& R, int Dx, int Dy) {
  R.Left -= Dx;
  R.Right += Dx;
  R.Top -= Dy;
  R.Bottom += Dy;
  return 1;
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
  backend::PublishKeyboardState(FKeys);
}

TKeyboardState& KeyboardState() {
  return Keyboard();
}

BOOL MessageBeep(UINT Type) {
  ++BeepCount();
  return backend::Beep(Type);
}

int MessageBeepCount() {
  return BeepCount();
}

void ResetMessageBeepCount() {
  BeepCount() = 0;
}

bool TSystemClipboard::HasText() const {
  return backend::ClipboardHasText();
}

std::string TSystemClipboard::Text() const {
  return backend::ClipboardText();
}

void TSystemClipboard::SetText(const std::string& Value) {
  backend::SetClipboardText(Value);
}

void TSystemClipboard::Clear() {
  backend::ClearClipboard();
}

TSystemClipboard& SystemClipboard() {
  return Clipboard();
}

std::intptr_t ShellExecute(HWND Wnd, const char* Operation, const char* File,
                           const char* Parameters, const char* Directory, int ShowCmd) {
  auto Str = [](const char* S) { return S != nullptr ? std::string(S) : std::string(); };
  Shell().push_back({Str(Operation), Str(File), Str(Parameters), Str(Directory), ShowCmd});
  return backend::OpenWithShell(Wnd, Operation, File, Parameters, Directory, ShowCmd);
}

const std::vector<TShellRequest>& ShellRequests() {
  return Shell();
}

void ResetWindowsState() {
  Keyboard().ReleaseAll();
  backend::PublishKeyboardState(Keyboard().Keys());
  BeepCount() = 0;
  backend::ResetClipboard();
  backend::ResetWindowsVersion();
  Shell().clear();
  ResetMessageLoop();
  Filter() = {};
  ResetMenuState();
}
