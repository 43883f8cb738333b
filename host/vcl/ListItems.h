#pragma once

// The item store that the lists of the list box and the combo box share:
// each item a text with its object, reached through a bounds check that
// raises as the VCL's lists do, and the rule by which the selection follows
// its item. The two lists differ in what they tell their control about a
// change; they keep their items alike.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "Classes.h"

class TListItems : public TStrings {
 public:
  // The selection as the native lists keep it: an index outside the list
  // selects nothing, and the selected item keeps its selection while items
  // come and go before it, losing it only when it goes itself.
  static int ValidItemIndex(int Value, int Count) {
    return Value < -1 || Value >= Count ? -1 : Value;
  }
  static int ItemIndexAfterInsert(int ItemIndex, int Inserted) {
    return ItemIndex >= 0 && Inserted <= ItemIndex ? ItemIndex + 1 : ItemIndex;
  }
  static int ItemIndexAfterDelete(int ItemIndex, int Deleted) {
    if (Deleted == ItemIndex)
      return -1;
    return Deleted < ItemIndex ? ItemIndex - 1 : ItemIndex;
  }

  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int Index) const override { return At(Index).S; }
  TItemObject GetObject(int Index) const override { return At(Index).Obj; }

 protected:
  struct Item {
    std::string S;
    TItemObject Obj;
  };
  const Item& At(int Index) const {
    if (Index < 0 || Index >= Count())
      Error("List index out of bounds", Index);
    return FItems[static_cast<std::size_t>(Index)];
  }
  Item& At(int Index) { return const_cast<Item&>(std::as_const(*this).At(Index)); }

  std::vector<Item> FItems;
};
