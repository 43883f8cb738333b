#include "OptionTable.h"

TOption HiveOption() {
  return {nullptr, "--hive", "FILE",
          "the registry hive file (default\n"
          "$XDG_CONFIG_HOME/tabulon/HKEY_CURRENT_USER.reg, in\n"
          "~/.config when XDG_CONFIG_HOME is not set);\n"
          ":memory: for a hive that is gone when the run ends;\n"
          "a REGEDIT4 or a regedit 5.00 (UTF-16LE) file, written\n"
          "back in its own format"};
}
