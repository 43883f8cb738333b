#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "HiveText.h"
#include "Registry.h"
#include "RegistryHive.h"
#include "Seed.h"
#include "TempDir.h"

namespace {

// Committed state N of the hive: its number and a payload big enough that
// a write takes a while, both derived from N alone.
std::string Payload(int N) {
  return std::string(20000 + N % 97, static_cast<char>('a' + N % 26));
}

void CommitState(int N) {
  TRegIniFile Reg;
  if (!Reg.OpenKey("Software\\Kill", true))
    throw std::runtime_error("cannot open the key");
  Reg.WriteString("", "n", std::to_string(N));
  Reg.WriteString("", "payload", Payload(N));
  Reg.CloseKey();
}

std::string StateText(int N) {
  HiveKey Root;
  HiveKey& Key = EnsureHiveKey(Root, {"Software", "Kill"});
  Key.SetValue("n", REG_SZ, std::to_string(N) + '\0');
  Key.SetValue("payload", REG_SZ, Payload(N) + '\0');
  return FormatHiveText(Root);
}

// The committed state the file holds; fails the test unless it is one.
int CommittedState(const std::string& Path) {
  const std::string Bytes = ReadBytes(Path);
  HiveKey Root;
  ParseHiveText(Bytes, Path, Root);
  const HiveKey* Key = FindHiveKey(Root, {"Software", "Kill"});
  if (Key == nullptr || Key->FindValue("n") == nullptr)
    return -1;
  const int N = std::atoi(Key->FindValue("n")->Data.c_str());
  EXPECT_EQ(Bytes, StateText(N));
  return N;
}

}  // namespace

// A writer is killed at random moments, many times over. After every kill
// the file is a committed state, and after the next writer's save nothing
// of the killed one is left in the folder. Its seed is random unless TABULON_SEED gives one.
TEST(HiveKill, AKilledWriterLeavesACommittedStateAndTheNextWriterClearsItsLitter) {
  const std::uint64_t Seed = TestSeed(std::random_device()());
  SCOPED_TRACE(SeedNote(Seed));
  std::mt19937 Random(static_cast<std::uint32_t>(Seed));
  std::uniform_int_distribution<int> KillAfterMicroseconds(0, 6000);
  TTempDir Dir;
  const std::string Path = Dir / "hive.reg";
  const std::set<std::string> Clean = {"hive.reg", "hive.reg.lock"};
  int State = 0, Littered = 0;
  {
    RegistryHive Hive(Path);
    CommitState(State);
  }
  const int Rounds = 50;
  for (int Round = 0; Round < Rounds; ++Round) {
    SCOPED_TRACE("round " + std::to_string(Round));
    std::fflush(nullptr);
    const pid_t Writer = ::fork();
    if (Writer == 0) {
      try {
        RegistryHive Hive(Path);
        for (int N = State + 1;; ++N)
          CommitState(N);
      } catch (...) {
      }
      ::_exit(1);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(KillAfterMicroseconds(Random)));
    ::kill(Writer, SIGKILL);
    int Status = 0;
    ::waitpid(Writer, &Status, 0);
    ASSERT_TRUE(WIFSIGNALED(Status)) << "the writer stopped by itself";

    const int Found = CommittedState(Path);
    ASSERT_GE(Found, State);
    Littered += Dir.Entries() != Clean;
    State = Found + 1;
    RegistryHive Hive(Path);
    CommitState(State);
    ASSERT_EQ(Dir.Entries(), Clean);
  }
  // Not a condition of the test (it depends on timing), but a run that never
  // left litter did not try the clearing.
  RecordProperty("RoundsWithLitter", Littered);
  std::printf("%d of %d kills left temporary files behind\n", Littered, Rounds);
}
