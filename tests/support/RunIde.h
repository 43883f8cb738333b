#pragma once

// tabulon-ide run in-process on string streams, as a test drives it: its
// exit status and what it printed on each stream.

#include <sstream>
#include <string>
#include <vector>

#include "Program.h"
#include "Script.h"

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

// What the system says of a file that is not there, as tabulon-ide passes it
// on: POSIX's strerror, or Windows' own message for the error.
inline std::string NoSuchFileReason() {
#ifdef _WIN32
  try {
    ReadInputFile("tabulon-test-no-such-file");
  } catch (const std::exception& E) {
    return E.what();
  }
  return "the file was there";
#else
  return "No such file or directory";
#endif
}
