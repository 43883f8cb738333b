#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "Forms.h"

// Logs "name@time" for every tick of the timers it serves, and can disable
// or free a timer from its own tick, as a handler of the add-in does.
struct TTickLog : TObject {
  std::vector<std::string> Ticks;
  TTimer* DisableOnTick = nullptr;
  TTimer* FreeOnTick = nullptr;
  void Tick(TObject* Sender) {
    auto* T = static_cast<TTimer*>(Sender);
    Ticks.push_back(T->Name() + "@" + IntToStr(Application->Now()));
    if (T == DisableOnTick)
      T->SetEnabled(false);
    if (T == FreeOnTick) {
      FreeOnTick = nullptr;
      delete T;
    }
  }
  TTimer* NewTimer(TComponent* Owner, const std::string& Name, int Interval) {
    auto* T = new TTimer(Owner);
    T->SetName(Name);
    T->SetInterval(Interval);
    T->SetOnTimer(TNotifyEvent::Of<&TTickLog::Tick>(this));
    return T;
  }
  // How often the timer of that name has ticked.
  int Count(const std::string& Name) const {
    return static_cast<int>(std::count_if(Ticks.begin(), Ticks.end(), [&](const std::string& T) {
      return T.compare(0, Name.size() + 1, Name + "@") == 0;
    }));
  }
};
