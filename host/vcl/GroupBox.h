#pragma once

// TGroupBox of Delphi's StdCtrls unit: a captioned frame that holds other
// controls.

#include "Controls.h"

class TGroupBox : public TCustomControl {
 public:
  explicit TGroupBox(TComponent* AOwner);
  ~TGroupBox() override;

 protected:
  void Paint() override;
};
