#pragma once

// Hands the run over to the simulator build the launcher picked: on POSIX
// the build replaces the launcher (exec); on Windows, which has no exec,
// the launcher starts it with the same standard streams, waits, and ends
// with its exit status.

#include <optional>
#include <string>
#include <vector>

struct TRunFailure {
  bool Missing = false;  // the program does not exist
  std::string Reason;    // the system's words
};

// Runs Program with Args (Args[0] is the name it is given). Gives the
// program's exit status where the system comes back with one; nothing, with
// Failure filled, when the program could not be started.
std::optional<int> RunBuild(const std::string& Program, const std::vector<std::string>& Args,
                            TRunFailure& Failure);
