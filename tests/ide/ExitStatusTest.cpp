#include <gtest/gtest.h>

#include <iterator>
#include <optional>

#include "ExitStatus.h"

// A script's status is the first of 2, 3, 1 that applies, the prompt's the
// first of 3, 1, 2, and with -i the greater of the two. The runs of the
// other tests pin one failure at a time; these are the mixes where the two
// orders part.
TEST(ExitStatus, ScriptsAndPromptRankTheirFailuresApart) {
  const TRunOutcome Error{.Error = true};
  const TRunOutcome All{.Error = true, .NotSaved = true, .ExpectFailed = true};
  const TRunOutcome ErrorExpect{.Error = true, .ExpectFailed = true};
  const TRunOutcome NotSaved{.NotSaved = true};
  const TRunOutcome Expect{.ExpectFailed = true};
  const struct {
    std::optional<TRunOutcome> Scripts, Prompt;
    int Status;
  } kCases[] = {
      {All, std::nullopt, kExitError},
      {std::nullopt, All, kExitNotSaved},
      {std::nullopt, ErrorExpect, kExitExpectFailed},
      {Expect, Error, kExitError},
      {Error, NotSaved, kExitNotSaved},
      {TRunOutcome{}, TRunOutcome{}, kExitOk},
  };
  for (std::size_t i = 0; i < std::size(kCases); ++i)
    EXPECT_EQ(ExitStatus(kCases[i].Scripts, kCases[i].Prompt), kCases[i].Status) << "case " << i;
}
