#include "HiveText.h"

#include <cstdio>

#include "CodePage.h"

const char* const HiveRootName = "HKEY_CURRENT_USER";
const char* const HiveHeader4 = "REGEDIT4";
const char* const HiveHeader5 = "Windows Registry Editor Version 5.00";

std::string HiveDisplayText(const std::string& Raw) {
  std::string Shown;
  for (std::size_t i = 0; i < Raw.size(); ++i) {
    const unsigned char C = static_cast<unsigned char>(Raw[i]);
    if (C == '\0' && i + 4 < Raw.size()) {
      // A character Windows-1251 has no byte for, shown as itself.
      Shown.append(Raw, i, 5);
      i += 4;
    } else if (C == '\r' && i + 1 < Raw.size() && Raw[i + 1] == '\n') {
      Shown += '\n';
      ++i;
    } else if (C < 0x20 || C == 0x7F || C == 0x98) {
      // 0x98 is unassigned in Windows-1251 and would reach the terminal as
      // a C1 control character.
      char Buf[8];
      std::snprintf(Buf, sizeof Buf, "\\x%02x", C);
      Shown += Buf;
    } else {
      Shown += static_cast<char>(C);
    }
  }
  return HiveTextToUtf8(Shown);
}
