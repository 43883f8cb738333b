#pragma once

// Runs a function when the scope it was made in ends, on every path out of
// it: a normal return, an early return or an exception. The host and the
// add-in put back what they changed for the length of a call this way (a
// flag set while a rebuild runs, a control's alignment switched off, a
// borrowed window handle, a file descriptor), where Delphi writes
// try ... finally.
//
//   Changing = true;
//   ScopeExit Done([&] { Changing = false; });
//
// The guard cannot be copied or moved, so the function runs exactly once;
// Release() lets a path that keeps the change skip it.

#include <utility>

template <class F>
class [[nodiscard]] ScopeExit {
 public:
  explicit ScopeExit(F Fn) : FFn(std::move(Fn)) {}
  ~ScopeExit() {
    if (FActive)
      FFn();
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

  void Release() { FActive = false; }

 private:
  F FFn;
  bool FActive = true;
};
