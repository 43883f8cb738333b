#include <windows.h>

#include <iostream>

#include "Prompt.h"

// Windows has no libedit: the console's own line input reads the lines (it
// edits a line and recalls the session's earlier ones with the arrow keys),
// so no history is kept across sessions and Tab does not complete. The
// line is read as UTF-16, so that typed Cyrillic arrives whole in any code
// page.

namespace {

// Set by Ctrl-C while a line is read; the console's control handler runs
// on a thread of its own.
volatile LONG GInterrupted = 0;

BOOL WINAPI CatchInterrupt(DWORD Event) {
  if (Event != CTRL_C_EVENT)
    return FALSE;
  InterlockedExchange(&GInterrupted, 1);
  // Windows' console ends the read at Ctrl-C; Wine's goes on reading. An
  // Enter given to the console ends it there too (and what is left of it
  // is dropped once the read is back).
  INPUT_RECORD Enter[2] = {};
  for (int i = 0; i < 2; ++i) {
    Enter[i].EventType = KEY_EVENT;
    Enter[i].Event.KeyEvent.bKeyDown = i == 0;
    Enter[i].Event.KeyEvent.wRepeatCount = 1;
    Enter[i].Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
    Enter[i].Event.KeyEvent.uChar.UnicodeChar = L'\r';
  }
  DWORD Written = 0;
  WriteConsoleInputW(GetStdHandle(STD_INPUT_HANDLE), Enter, 2, &Written);
  return TRUE;
}

std::string Utf8Of(const std::wstring& Wide) {
  if (Wide.empty())
    return "";
  const int N = WideCharToMultiByte(CP_UTF8, 0, Wide.data(), static_cast<int>(Wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string Text(static_cast<std::size_t>(N), '\0');
  WideCharToMultiByte(CP_UTF8, 0, Wide.data(), static_cast<int>(Wide.size()), Text.data(), N,
                      nullptr, nullptr);
  return Text;
}

class TConsolePromptInput : public TPromptInput {
 public:
  explicit TConsolePromptInput(HANDLE In) : FIn(In) {}

  TRead ReadLine(const std::string& Prompt, std::string& Line) override {
    std::cout << Prompt << std::flush;
    // Ctrl-C cancels the line, not the session, while the line is read.
    SetConsoleCtrlHandler(&CatchInterrupt, TRUE);
    InterlockedExchange(&GInterrupted, 0);
    std::wstring Wide;
    const TRead Read = ReadWide(Wide);
    SetConsoleCtrlHandler(&CatchInterrupt, FALSE);
    Line = Utf8Of(Wide);
    return Read;
  }

 private:
  TRead ReadWide(std::wstring& Wide) {
    // Ctrl-D, and Ctrl-Z, end the read at once where the console allows it
    // (the read's wake-up characters), as Ctrl-D does on a POSIX terminal.
    CONSOLE_READCONSOLE_CONTROL Control{};
    Control.nLength = sizeof Control;
    Control.dwCtrlWakeupMask = (1u << 4) | (1u << 26);
    for (;;) {
      wchar_t Buffer[512];
      DWORD N = 0;
      const BOOL Ok =
          ReadConsoleW(FIn, Buffer, static_cast<DWORD>(std::size(Buffer)), &N, &Control);
      if (GInterrupted != 0) {
        // What was typed is gone; whether there was anything is what matters.
        const bool Typed = !Wide.empty() || (N > 0 && Buffer[0] != L'\r');
        Wide = Typed ? L"^C" : L"";
        FlushConsoleInputBuffer(FIn);
        return TRead::Cancelled;
      }
      if (!Ok || N == 0)
        return TRead::End;
      Wide.append(Buffer, N);
      // Ctrl-Z, then Enter, at the start of a line ends the input, as it
      // ends it for every Windows program; Ctrl-D at the start as well.
      if (!Wide.empty() && (Wide[0] == 0x1A || Wide[0] == 0x04))
        return TRead::End;
      // A wake-up character later in the line stands for nothing.
      while (!Wide.empty() && (Wide.back() == 0x04 || Wide.back() == 0x1A))
        Wide.pop_back();
      if (!Wide.empty() && Wide.back() == L'\n') {
        while (!Wide.empty() && (Wide.back() == L'\n' || Wide.back() == L'\r'))
          Wide.pop_back();
        return TRead::Line;
      }
    }
  }

  HANDLE FIn;
};

}  // namespace

std::unique_ptr<TPromptInput> EditLinePromptInput(const std::string& /*HistoryFile*/,
                                                  std::ostream& /*Err*/, TCompleter /*Complete*/) {
  const HANDLE In = GetStdHandle(STD_INPUT_HANDLE);
  DWORD Mode = 0;
  if (In == nullptr || In == INVALID_HANDLE_VALUE || GetConsoleMode(In, &Mode) == 0)
    return StreamPromptInput(std::cin, std::cout);
  return std::make_unique<TConsolePromptInput>(In);
}

std::string LeaveKeys() {
  return "Ctrl-Z then Enter (or Ctrl-D)";
}

std::string PromptFeatures() {
  return "the console's own line editing (the arrow keys recall the session's earlier lines; "
         "no completion, and no history kept between sessions)";
}
