#pragma once

// tabulon-ide's exit statuses, and the one rule that makes a run's status
// from what its scripts and its prompt saw.

#include <optional>

constexpr int kExitOk = 0;
constexpr int kExitExpectFailed = 1;
constexpr int kExitError = 2;
constexpr int kExitNotSaved = 3;  // settings could not be written to the hive

// What the scripts, or the prompt, of a run saw.
struct TRunOutcome {
  // A script stopped at an error, or a dialog block was left unfinished or
  // unused at the end.
  bool Error = false;
  bool NotSaved = false;  // settings could not be saved at some line
  bool ExpectFailed = false;
};

// The status of a run whose scripts (when any ran) and prompt (when it was
// given) ended so. A script's status is the first of 2, 3, 1 that applies:
// it stopped at its error, so what it left undone counts first. The
// prompt's is the first of 3, 1, 2: a mistake there was told as it was
// typed and the session went on, so lost settings count first, and a block
// left over only when nothing else went wrong. With both, the greater.
int ExitStatus(const std::optional<TRunOutcome>& Scripts, const std::optional<TRunOutcome>& Prompt);
