#include "ExitStatus.h"

#include <algorithm>

int ExitStatus(const std::optional<TRunOutcome>& Scripts,
               const std::optional<TRunOutcome>& Prompt) {
  int Status = kExitOk;
  if (Scripts)
    Status = Scripts->Error          ? kExitError
             : Scripts->NotSaved     ? kExitNotSaved
             : Scripts->ExpectFailed ? kExitExpectFailed
                                     : kExitOk;
  if (Prompt)
    Status = std::max(Status, Prompt->NotSaved       ? kExitNotSaved
                              : Prompt->ExpectFailed ? kExitExpectFailed
                              : Prompt->Error        ? kExitError
                                                     : kExitOk);
  return Status;
}
