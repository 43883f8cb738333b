#pragma once

// An index of the master list: the first entry of every name, letter case
// ignored, as the host's string lists find names. The expert keeps one and
// builds it again only when the master list's names change, so that a filter
// or a page choice looks each name up instead of scanning the list. It also
// keeps the names themselves, so that whatever needs the master list's text
// or its names reads them here instead of asking the tab control for each.
//
// The names live in one text, each followed by CR LF, exactly the master
// list's Text; the table holds entry numbers, open addressing, so building
// it allocates no memory per name, and a lookup none at all.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TMasterIndex {
 public:
  // Indexes the names of a list text (the one the master list was just set
  // to, split as the list splits it), forgetting those indexed before.
  void Rebuild(const std::string& Text);
  // The entry's index, or -1 when the name is not in the list.
  int Find(std::string_view Name) const;

  int Count() const { return static_cast<int>(FEntries.size()); }
  std::string_view Name(int Index) const {
    const TEntry& E = FEntries[static_cast<std::size_t>(Index)];
    return std::string_view(FText).substr(E.Offset, E.Length);
  }
  // The list's text: every name followed by CR LF.
  const std::string& Text() const { return FText; }
  // Whether a list holds exactly these names, in this order, letter case
  // counting (as TStrings::Equals compares).
  template <typename TList>
  bool SameNames(const TList& List) const {
    const int n = List.Count();
    if (n != Count())
      return false;
    for (int i = 0; i < n; ++i)
      if (List.Get(i) != Name(i))
        return false;
    return true;
  }

 private:
  struct TEntry {
    std::uint32_t Offset = 0;
    std::uint32_t Length = 0;
    std::uint32_t Hash = 0;
  };
  bool SameFolded(std::string_view Name, const TEntry& E) const;

  std::string FText;
  std::vector<TEntry> FEntries;
  // Entry numbers by hash, -1 for a free slot; a power of two long.
  std::vector<std::int32_t> FSlots;
};
