#pragma once

// A read-only view of the expert's private state for the simulator's dump
// and for tests: what a developer would watch in the debugger. Nothing in
// the add-in itself uses it.

#include <stdexcept>
#include <string>
#include <vector>

#include "ExpertOptions.h"
#include "uORVExpertPageGroup.h"

class TORVExpertProbe {
 public:
  explicit TORVExpertProbe(TORVExpert* Expert) : E(Expert) {}

  TTabControl* Palette() const { return E->FTabPalette; }
  TTabControl* Master() const { return E->FTabPaletteAll; }
  TPageControl* GroupBar() const { return E->FPageGroup; }
  TTimer* PaletteChangeTimer() const { return E->FTimerPagePaletteChange; }
  TTimer* GroupSortTimer() const { return E->FTimerPageGroupSort; }
  TMenuItem* PaletteMenuItem() const { return E->FMenuItemPalette; }
  TMenuItem* ComponentMenuItem() const { return E->FMenuItemComponent; }
  const std::vector<std::string>& PageGroupPages() const { return E->FPageGroupPages; }
  int PageGroupHeight() const { return E->FPageGroupHeight; }
  bool GroupsActive() const { return E->FGroupsActive; }
  const std::string& LastPageGroup() const { return E->FLastPageGroup; }

  // An option's live value, by its name in the store (a flag as 0 or 1).
  Integer Option(const char* Name) const {
    const TExpertOption* Row = FindExpertOption(Name);
    if (Row == nullptr)
      throw std::invalid_argument(std::string("no option named ") + Name);
    return Row->Get(*E);
  }
  bool Flag(const char* Name) const { return Option(Name) != 0; }

  // The store's export of a group list (names with attached page lists), as
  // the settings dialog hands it over.
  bool Export(TStrings* Groups) const { return E->prvExportToReestrPageGroup(Groups); }

  // Whether a handler is one of the expert's.
  template <class Event>
  bool IsExpertHandler(const Event& Handler) const {
    return Handler.Assigned() && Handler.Data == E;
  }

 private:
  TORVExpert* E;
};
