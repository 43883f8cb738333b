#include <unistd.h>

#include <iostream>

#include "Program.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> Args(argv + 1, argv + argc);
  return TabulonIdeMain(Args, std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) != 0);
}
