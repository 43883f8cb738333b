#pragma once

// A handler for any notification (TNotifyEvent) that records each call:
// how many and from which sender, in order.

#include <cstddef>
#include <vector>

#include "Classes.h"

class TEventSpy : public TObject {
 public:
  TNotifyEvent Event() { return TNotifyEvent::Of<&TEventSpy::Call>(this); }
  void Call(TObject* Sender) { Senders.push_back(Sender); }
  int Count() const { return static_cast<int>(Senders.size()); }
  // The sender of the last call; nullptr before the first.
  TObject* Sender() const { return Senders.empty() ? nullptr : Senders.back(); }

  std::vector<TObject*> Senders;
};
