#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "Terminal.h"

bool IsTerminal(int Fd) {
  const HANDLE H = GetStdHandle(Fd == 0   ? STD_INPUT_HANDLE
                                : Fd == 2 ? STD_ERROR_HANDLE
                                          : STD_OUTPUT_HANDLE);
  DWORD Mode = 0;
  return H != nullptr && H != INVALID_HANDLE_VALUE && GetConsoleMode(H, &Mode) != 0;
}

std::size_t TerminalWidth(int Fd) {
  // The console window's width where the stream is a console, else
  // COLUMNS, else 80; text is never wrapped narrower than 40 columns.
  CONSOLE_SCREEN_BUFFER_INFO Info{};
  std::size_t Width = 0;
  const HANDLE Console = GetStdHandle(Fd == 2 ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (Console != nullptr && Console != INVALID_HANDLE_VALUE &&
      GetConsoleScreenBufferInfo(Console, &Info) != 0)
    Width = static_cast<std::size_t>(Info.srWindow.Right - Info.srWindow.Left + 1);
  else if (const char* Columns = std::getenv("COLUMNS"); Columns != nullptr)
    Width = static_cast<std::size_t>(std::strtoul(Columns, nullptr, 10));
  if (Width == 0)
    Width = 80;
  return std::max<std::size_t>(Width, 40);
}
