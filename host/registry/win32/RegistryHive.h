#pragma once

// The registry of a run on Windows: Windows' own. TRegistry works on the
// real HKEY_CURRENT_USER ("registry"), or, for tests and throw-away runs
// (":memory:"), on a volatile key that this process's HKEY_CURRENT_USER is
// pointed at while the object lives, so that nothing the run writes stays
// behind or reaches the user's settings. Every change is made in the
// registry at once: no save can fail later, and there is no file to lock.
// The text forms (Text, Export) are the hive file's, made from what the
// registry holds below HKEY_CURRENT_USER.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "HiveText.h"

// How a writer of the hive file waits for another process's lock; Windows'
// registry has no such wait, and the setting is taken and ignored.
struct HiveLockWait {
  std::chrono::milliseconds NoticeAfter{1000};
  std::chrono::milliseconds GiveUpAfter{10000};
  std::function<void(const std::string&)> Notice;
};

// What the registry has to tell of its own accord; Windows' own registry
// has nothing, and a report is taken and never called.
using THiveReport = std::function<void(const std::string& Message)>;

class RegistryHive {
 public:
  static constexpr const char* Memory = ":memory:";
  static constexpr const char* Native = "registry";

  // Location is "registry" or ":memory:"; anything else (a file path) is
  // refused with ERegistryException, as is a second hive while one is
  // current and a volatile key that cannot be made.
  explicit RegistryHive(const std::string& Location, THiveReport Report = {});
  ~RegistryHive();
  RegistryHive(const RegistryHive&) = delete;
  RegistryHive& operator=(const RegistryHive&) = delete;

  static RegistryHive* Current();
  // The store a run takes when none is named: the registry itself.
  static std::string DefaultPath() { return Native; }

  const std::string& Location() const { return FLocation; }
  bool InMemory() const { return !FVolatileName.empty(); }

  // What HKEY_CURRENT_USER holds, as REGEDIT4 text in Windows-1251.
  std::string Text();
  void Export(const std::string& Path, HiveFormat Format);
  std::string DisplayText();

  // Makes the change in the registry at once (Owner is for the hive file's
  // bookkeeping and has none here); raises ERegistryException when Windows
  // refuses it.
  void Apply(const void* Owner, const HiveOp& Op);

  void SetLockWait(HiveLockWait) {}
  // Windows' registry reports a failed write to the call that made it.
  std::vector<std::string> TakeSaveFailures() { return {}; }

 private:
  std::string FLocation;
  std::string FVolatileName;
};
