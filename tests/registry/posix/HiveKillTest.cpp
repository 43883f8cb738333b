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

// Three processes export to one file while a fourth saves it as its hive,
// each many times over: every export and every save succeeds, every state
// the file is seen in is a whole hive, and no temporary file is left.
// Removing leftovers takes no living writer's file, whatever lock the
// remover holds.
TEST(HiveKill, ExportsAndSavesOfOneFileAtOnceNeverBreakEachOther) {
  TTempDir Dir;
  const std::string Path = Dir / "out.reg";
  constexpr int Rounds = 150;
  std::vector<pid_t> Writers;
  for (int Writer = 0; Writer < 4; ++Writer) {
    std::fflush(nullptr);
    const pid_t Pid = ::fork();
    if (Pid == 0) {
      int Failed = 0;
      try {
        RegistryHive Hive(Writer == 3 ? Path : std::string(RegistryHive::Memory));
        for (int Round = 0; Round < Rounds; ++Round) {
          try {
            if (Writer == 3)
              CommitState(Round);
            else
              Hive.Export(Path, Round % 2 ? HiveFormat::Regedit5 : HiveFormat::Regedit4);
          } catch (const std::exception& E) {
            if (Failed++ == 0)
              std::fprintf(stderr, "writer %d: %s\n", Writer, E.what());
          }
        }
      } catch (const std::exception& E) {
        std::fprintf(stderr, "writer %d: %s\n", Writer, E.what());
        ++Failed;
      }
      ::_exit(Failed > 250 ? 250 : Failed);
    }
    Writers.push_back(Pid);
  }
  int Reads = 0, Failed = 0;
  for (std::size_t Left = Writers.size(); Left > 0; ++Reads) {
    const std::string Bytes = ReadBytes(Path);
    HiveKey Root;
    if (!Bytes.empty()) {
      EXPECT_NO_THROW(ParseHiveText(Bytes, Path, Root)) << "a partial file was seen";
    }
    for (pid_t& Pid : Writers) {
      int Status = 0;
      if (Pid != 0 && ::waitpid(Pid, &Status, WNOHANG) == Pid) {
        Failed += WIFEXITED(Status) ? WEXITSTATUS(Status) : 1000;
        Pid = 0;
        --Left;
      }
    }
  }
  EXPECT_EQ(Failed, 0) << "writes that failed";
  EXPECT_EQ(Dir.Entries(), (std::set<std::string>{"out.reg", "out.reg.lock"}));
  std::printf("%d reads while 3 exporters and a saver wrote %d times each\n", Reads, Rounds);
}
