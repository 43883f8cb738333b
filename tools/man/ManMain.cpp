// Writes tabulon-ide(1) to the file given, or to standard output: the build
// makes the manual page from the option and command tables that --help reads.
#include <fstream>
#include <iostream>

#include "Help.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cout << ManPage();
    return 0;
  }
  std::ofstream Out(argv[1], std::ios::binary);
  Out << ManPage();
  Out.close();
  if (!Out) {
    std::cerr << "tabulon-ide-man: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
