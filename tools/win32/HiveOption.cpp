#include "OptionTable.h"

TOption HiveOption() {
  return {nullptr, "--hive", "registry|:memory:",
          "where the settings live: registry (default), Windows'\n"
          "own HKEY_CURRENT_USER; :memory: for a registry that is\n"
          "gone when the run ends. A hive file is refused: import\n"
          "it with regedit"};
}
