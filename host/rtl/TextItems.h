#pragma once

// The items of a list box or a combo box: texts, each with a pointer-sized
// value, and the selected item, kept as Windows' list controls keep them.
// The VCL's lists hold their items here while they have no window, and the
// headless platform's list windows hold theirs here, so both follow the same
// rules:
//  - the selection follows its item while items come and go before it, and
//    is lost only when its item goes;
//  - a sorted list (LBS_SORT) places a new text after the texts equal to it
//    under AnsiCompareText, and Sort orders a whole list so, equal texts
//    keeping their order;
//  - IndexOf finds the first item whose text equals a given one as a whole,
//    letter case ignored (LB_FINDSTRINGEXACT from the first item).

#include <cstdint>
#include <string>
#include <vector>

struct TTextItem {
  std::string Text;
  std::intptr_t Data = 0;
};

class TTextItems {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  bool Valid(int Index) const { return Index >= 0 && Index < Count(); }
  // Only for a valid index.
  const TTextItem& operator[](int Index) const { return FItems[static_cast<std::size_t>(Index)]; }
  const std::vector<TTextItem>& Items() const { return FItems; }

  // Inserts at Index (Count() or -1: at the end) and answers where it
  // went; -1 for an index outside the list. An insertion at an index is not
  // sorted, as LB_INSERTSTRING is not.
  int Insert(int Index, std::string Text, std::intptr_t Data = 0);
  // Adds at the end, or, Sorted, at the text's sorted place (LB_ADDSTRING).
  int Add(std::string Text, std::intptr_t Data, bool Sorted);
  // Only for a valid index.
  void Delete(int Index);
  void SetData(int Index, std::intptr_t Data) {
    FItems[static_cast<std::size_t>(Index)].Data = Data;
  }
  void Clear();
  // Replaces every item, in one go; a sorted list sorts them. The selection
  // goes.
  void Assign(std::vector<TTextItem> Items, bool Sorted);
  // Hands every item over and leaves the list empty.
  std::vector<TTextItem> Take();
  // Orders the items by AnsiCompareText, equal texts keeping their order;
  // the selection goes, as it does when a window is made anew sorted.
  void Sort();

  int IndexOf(const std::string& Text) const;

  // The selected item; -1 for none. Select takes an index outside the list
  // as none.
  int Selected() const { return FSelected; }
  void Select(int Index) { FSelected = Valid(Index) ? Index : -1; }

 private:
  // Where a new text goes in a sorted list: after the equal ones.
  std::size_t SortedPlace(const std::string& Text) const;
  // The index of the first item of every upper-cased text, built at the
  // first lookup after a change and kept while items come and go at the
  // end (how lists are filled and emptied) and their values change; any
  // other change drops it. A table of item numbers by the folded text's
  // hash, open addressing with linear probing, at most half full, so that
  // neither building it nor a lookup allocates or copies a text.
  void BuildIndex() const;
  void Place(int Index) const;
  void IndexLast();
  void UnindexLast();
  void DropIndex();

  std::vector<TTextItem> FItems;
  int FSelected = -1;
  mutable std::vector<int> FSlots;  // item numbers, -1 for a free slot
  mutable bool FIndexed = false;
};
