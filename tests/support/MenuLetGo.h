#pragma once

// While it lives, a menu that opens is let go again, as the user's Escape
// does: on Windows a popup menu waits for the user inside TrackPopupMenu,
// whose menu loop dispatches the timer that ends it. The headless
// platform's tracking returns before the timer could fire.

#include <memory>

#include "ExtCtrls.h"
#include "WindowsMenus.h"

class TMenuLetGo : public TObject {
 public:
  TMenuLetGo() : FTimer(std::make_unique<TTimer>(nullptr)) {
    FTimer->SetInterval(10);
    FTimer->SetOnTimer(TNotifyEvent::Of<&TMenuLetGo::LetGo>(this));
  }

 private:
  void LetGo(TObject*) { EndMenu(); }
  std::unique_ptr<TTimer> FTimer;
};
