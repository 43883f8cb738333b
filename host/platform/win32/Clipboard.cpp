// Windows' clipboard. Only <windows.h> is included here, not the platform's
// own headers, whose declarations it would clash with (see NativeApi.h).
#include <windows.h>

#include <cstring>
#include <string>

#include "ClipboardBackend.h"

namespace {

// Another program may hold the clipboard open for a moment; wait a little
// for it, as the VCL's TClipboard callers would retry, before giving up.
constexpr int OpenAttempts = 20;
constexpr DWORD OpenRetryMs = 5;

// EmptyClipboard makes the window that opened the clipboard its owner, and
// SetClipboardData needs an owner: a message-only window of the process.
HWND Owner() {
  static HWND Wnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
  return Wnd;
}

// Opens the clipboard for the scope; Opened says whether that worked.
class TOpenClipboard {
 public:
  TOpenClipboard() {
    for (int I = 0; I < OpenAttempts && !Opened; ++I) {
      Opened = OpenClipboard(Owner()) != 0;
      if (!Opened)
        Sleep(OpenRetryMs);
    }
  }
  ~TOpenClipboard() {
    if (Opened)
      CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  bool Opened = false;
};

}  // namespace

namespace backend {

bool ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_TEXT) != 0;
}

std::string ClipboardText() {
  TOpenClipboard Board;
  if (!Board.Opened)
    return {};
  HANDLE Data = GetClipboardData(CF_TEXT);
  if (Data == nullptr)
    return {};
  const auto* Text = static_cast<const char*>(GlobalLock(Data));
  if (Text == nullptr)
    return {};
  // The data ends at its terminating zero, or at the block's end if a
  // careless program left that out.
  const std::size_t Size = GlobalSize(Data);
  std::string Result(Text, strnlen(Text, Size));
  GlobalUnlock(Data);
  return Result;
}

void SetClipboardText(const std::string& Text) {
  TOpenClipboard Board;
  if (!Board.Opened)
    return;
  EmptyClipboard();
  HGLOBAL Data = GlobalAlloc(GMEM_MOVEABLE, Text.size() + 1);
  if (Data == nullptr)
    return;
  auto* Dest = static_cast<char*>(GlobalLock(Data));
  if (Dest == nullptr) {
    GlobalFree(Data);
    return;
  }
  std::memcpy(Dest, Text.c_str(), Text.size() + 1);
  GlobalUnlock(Data);
  // The clipboard owns the block once it is set; free it only if it was not.
  if (SetClipboardData(CF_TEXT, Data) == nullptr)
    GlobalFree(Data);
}

void ClearClipboard() {
  TOpenClipboard Board;
  if (Board.Opened)
    EmptyClipboard();
}

void ResetClipboard() {}

}  // namespace backend
