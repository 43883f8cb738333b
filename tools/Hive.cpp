#include "Hive.h"

#include <cstdlib>
#include <stdexcept>

std::string DefaultHivePath() {
  const char* Config = std::getenv("XDG_CONFIG_HOME");
  std::string Base;
  if (Config != nullptr && *Config != '\0') {
    Base = Config;
  } else {
    const char* Home = std::getenv("HOME");
    Base = std::string(Home != nullptr ? Home : "") + "/.config";
  }
  return Base + "/tabulon/HKEY_CURRENT_USER.reg";
}

void OpenHive(const std::string& Path) {
  if (Path == ":memory:" || Path == DefaultHivePath())
    return;
  throw std::invalid_argument("--hive " + Path +
                              ": only :memory: and the default hive file are supported so far");
}
