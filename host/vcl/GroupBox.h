#pragma once

// TGroupBox of Delphi's StdCtrls unit: a captioned frame that holds other
// controls, a "BUTTON" window of the group box kind (BS_GROUPBOX), which
// Windows draws with its caption.

#include "Controls.h"

class TGroupBox : public TCustomControl {
 public:
  explicit TGroupBox(TComponent* AOwner);
  ~TGroupBox() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
};
