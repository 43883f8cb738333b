#pragma once

// The one seed convention of the randomized tests: a test draws from a seed
// it prints, and TABULON_SEED=S in the environment makes it draw from S
// instead, which replays a run that failed.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

// The seed TABULON_SEED gives; none when it is unset or empty.
inline std::optional<std::uint64_t> GivenSeed() {
  const char* Given = std::getenv("TABULON_SEED");
  if (Given == nullptr || *Given == '\0')
    return std::nullopt;
  return std::strtoull(Given, nullptr, 10);
}

// How to replay a run of Seed, for the output and the failure messages.
inline std::string SeedNote(std::uint64_t Seed) {
  return "seed " + std::to_string(Seed) + " (TABULON_SEED=" + std::to_string(Seed) + " replays it)";
}

// The seed this run of a randomized test draws from: TABULON_SEED, else
// Default. It is printed and kept in the test's XML report.
inline std::uint64_t TestSeed(std::uint64_t Default) {
  const std::uint64_t Seed = GivenSeed().value_or(Default);
  std::cout << SeedNote(Seed) << "\n";
  ::testing::Test::RecordProperty("seed", std::to_string(Seed));
  return Seed;
}
