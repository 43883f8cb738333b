#pragma once

// Hides a control for the life of the guard and shows it again on every
// path. The expert hides the group bar while it walks or refills its tabs,
// so that none of the steps in between is laid out or painted.

#include "Controls.h"

class THiddenControl {
 public:
  explicit THiddenControl(TControl* Control) : FControl(Control) { FControl->SetVisible(false); }
  ~THiddenControl() { FControl->SetVisible(true); }
  THiddenControl(const THiddenControl&) = delete;
  THiddenControl& operator=(const THiddenControl&) = delete;

 private:
  TControl* FControl;
};
