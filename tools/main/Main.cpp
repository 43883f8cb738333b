#include <unistd.h>

#include <iostream>

#include "Program.h"
#include "Terminal.h"
#include "WrappingStreamBuf.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> Args(argv + 1, argv + argc);
  const bool Terminal = isatty(STDIN_FILENO) != 0;
  // Messages on a terminal wrap to its width; in a log or a pipe each stays
  // on one line.
  if (isatty(STDERR_FILENO) == 0)
    return TabulonIdeMain(Args, std::cin, std::cout, std::cerr, Terminal,
                          Terminal && isatty(STDOUT_FILENO) != 0);
  TWrappingStreamBuf Wrapping(std::cerr, TerminalWidth(STDERR_FILENO));
  std::ostream Err(&Wrapping);
  // Line editing needs the terminal on both sides: it draws what it edits.
  return TabulonIdeMain(Args, std::cin, std::cout, Err, Terminal,
                        Terminal && isatty(STDOUT_FILENO) != 0);
}
