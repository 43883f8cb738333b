#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "Terminal.h"

bool IsTerminal(int Fd) {
  return ::isatty(Fd) != 0;
}

std::size_t TerminalWidth(int Fd) {
  // The terminal's own width where there is one, else COLUMNS, else 80;
  // text is never wrapped narrower than 40 columns.
  winsize Size{};
  std::size_t Width = 0;
  if (::ioctl(Fd, TIOCGWINSZ, &Size) == 0 && Size.ws_col > 0)
    Width = Size.ws_col;
  else if (const char* Columns = std::getenv("COLUMNS"); Columns != nullptr)
    Width = static_cast<std::size_t>(std::strtoul(Columns, nullptr, 10));
  if (Width == 0)
    Width = 80;
  return std::max<std::size_t>(Width, 40);
}
