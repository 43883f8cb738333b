#include <unistd.h>

#include <iostream>

#include "Program.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> Args(argv + 1, argv + argc);
  const bool Terminal = isatty(STDIN_FILENO) != 0;
  // Line editing needs the terminal on both sides: it draws what it edits.
  return TabulonIdeMain(Args, std::cin, std::cout, std::cerr, Terminal,
                        Terminal && isatty(STDOUT_FILENO) != 0);
}
