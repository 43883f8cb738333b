#pragma once

// An index of the master tab list: the first entry of every name, letter case
// ignored, as the host's string lists find names, built in one pass so that
// looking up many names stays linear.

#include <string>
#include <unordered_map>

#include "Classes.h"

class TMasterIndex {
 public:
  explicit TMasterIndex(TStrings* Tabs) {
    for (int i = 0, n = Tabs->Count(); i < n; ++i)
      FIndex.try_emplace(AnsiUpperCase(Tabs->Get(i)), i);
  }
  // The entry's index, or -1 when the name is not in the list.
  int Find(const std::string& Name) const {
    auto It = FIndex.find(AnsiUpperCase(Name));
    return It == FIndex.end() ? -1 : It->second;
  }

 private:
  std::unordered_map<std::string, int> FIndex;
};
