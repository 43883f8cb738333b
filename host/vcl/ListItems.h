#pragma once

// The item store that the lists of the list box and the combo box share:
// each item a text with its object, reached through a bounds check that
// raises as the VCL's lists do. The two lists differ in what they tell their
// control about a change; they keep their items alike.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "Classes.h"

class TListItems : public TStrings {
 public:
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
