#pragma once

// The pieces of the dialog driver's table, whose entries extend the host's
// class registrations: an entry matches a control by its class, and its
// functions then take the control as that class.

#include "Controls.h"

// Delphi's "is" (Classes.h) as a function of a control, which a table holds.
template <class T>
bool IsA(const TControl* C) {
  return Is<T>(C);
}

// Only called for a control its entry has matched.
template <class T>
T* Of(TControl* C) {
  return static_cast<T*>(C);
}
template <class T>
const T* Of(const TControl* C) {
  return static_cast<const T*>(C);
}

// The last entry of a table, which takes any control.
inline bool AnyControl(const TControl*) {
  return true;
}
