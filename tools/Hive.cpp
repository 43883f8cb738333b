#include "Hive.h"

#include <cstdlib>

#include "HiveError.h"

std::string DefaultHivePath() {
  const char* Config = std::getenv("XDG_CONFIG_HOME");
  std::string Base;
  if (Config != nullptr && *Config == '/') {
    Base = Config;
  } else {
    const char* Home = std::getenv("HOME");
    Base = std::string(Home != nullptr ? Home : "") + "/.config";
  }
  return Base + "/tabulon/HKEY_CURRENT_USER.reg";
}

std::unique_ptr<RegistryHive> OpenHive(const std::string& Path) {
  // The default file's folder is made on first use.
  if (Path == DefaultHivePath())
    return std::make_unique<RegistryHive>(RegistryHive::DefaultPath());
  return std::make_unique<RegistryHive>(Path);
}

std::vector<std::string> TakeSaveFailures() {
  RegistryHive* Hive = RegistryHive::Current();
  return Hive != nullptr ? Hive->TakeSaveFailures() : std::vector<std::string>();
}

void ExportCommand(TSimulator& Sim, const TArgs& A) {
  (void)Sim;
  const bool Unicode = !A.Words.empty() && !A.Words[0].Quoted && A.Words[0].Text == "--unicode";
  if (A.Words.size() != (Unicode ? 2u : 1u) || !A.Tail.empty() || A.Words.back().Text.empty())
    throw ECommandError("usage: export [--unicode] FILE");
  RegistryHive* Hive = RegistryHive::Current();
  if (Hive == nullptr)
    throw ECommandError("export: there is no hive");
  try {
    Hive->Export(A.Words.back().Text, Unicode ? HiveFormat::Regedit5 : HiveFormat::Regedit4);
  } catch (const ERegistryException& E) {
    throw ECommandError("export: " + E.Message());
  }
}
