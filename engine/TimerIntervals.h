#pragma once

// The two timers' intervals as the expert applies them, from the settings
// dialog's OK and from the store.

#include <algorithm>

#include "System.h"

// The palette watch must always tick: at 0 its timer would never run again,
// so a package installed later would never reach the groups.
inline Integer PaletteWatchInterval(Integer MSec) {
  return std::max<Integer>(1, MSec);
}

// 0 keeps its meaning, no return to the start position; a negative value
// (a store edited by hand, or written by a version whose delays could wrap)
// is taken as 0, as the dialog shows it.
inline Integer GroupSortInterval(Integer MSec) {
  return std::max<Integer>(0, MSec);
}
