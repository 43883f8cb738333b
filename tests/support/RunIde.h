#pragma once

// tabulon-ide run in-process on string streams, as a test drives it: its
// exit status and what it printed on each stream.

#include <sstream>
#include <string>
#include <vector>

#include "Program.h"

struct TRun {
  int Status;
  std::string Out, Err;
};

// Terminal: standard input is taken for a terminal, so that without
// commands a prompt reads Stdin (plainly: line editing needs a real one).
inline TRun RunIde(const std::vector<std::string>& Args, const std::string& Stdin = "",
                   bool Terminal = false) {
  std::istringstream In(Stdin);
  std::ostringstream Out, Err;
  const int Status = TabulonIdeMain(Args, In, Out, Err, Terminal);
  return {Status, Out.str(), Err.str()};
}
