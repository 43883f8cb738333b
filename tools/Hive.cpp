#include "Hive.h"

#include <cstdlib>

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
