#pragma once

// An index of the master tab list: the first entry of every name, letter case
// ignored, as the host's string lists find names. The expert keeps one and
// builds it again only when the master list's names change, so that a filter
// or a page choice looks each name up instead of scanning the list.

#include <string>
#include <unordered_map>

#include "Classes.h"

class TMasterIndex {
 public:
  // Indexes the names of a list text (the one the master list was just set
  // to), forgetting those indexed before. The text is split as the list
  // splits it, without asking the tab control for each name.
  void Rebuild(const std::string& Text) {
    TStringList Names;
    Names.SetText(Text);
    FIndex.clear();
    const int Count = Names.Count();
    FIndex.reserve(static_cast<std::size_t>(Count));
    for (int i = 0; i < Count; ++i)
      FIndex.try_emplace(AnsiUpperCase(Names.Get(i)), i);
  }
  // The entry's index, or -1 when the name is not in the list.
  int Find(const std::string& Name) const {
    auto It = FIndex.find(AnsiUpperCase(Name));
    return It == FIndex.end() ? -1 : It->second;
  }

 private:
  std::unordered_map<std::string, int> FIndex;
};
