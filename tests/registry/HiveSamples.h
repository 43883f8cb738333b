#pragma once

// Hive texts and key paths the hive text tests build their samples from.

#include <string>

#include "HiveText.h"

// Text read into a hive and written back.
inline std::string Reformat(const std::string& Text) {
  HiveKey Root;
  ParseHiveText(Text, "test.reg", Root);
  return FormatHiveText(Root);
}

inline const std::string Header = "REGEDIT4\r\n\r\n";
inline const std::u16string Header5 = u"Windows Registry Editor Version 5.00\r\n";

// "\a\a..." : a key path Levels names deep below the root.
inline std::string Deep(int Levels) {
  std::string Path;
  for (int i = 0; i < Levels; ++i)
    Path += "\\a";
  return Path;
}
