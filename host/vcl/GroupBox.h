#pragma once

// TGroupBox of Delphi's StdCtrls unit: a captioned frame that holds other
// controls, a "BUTTON" window of the group box kind (BS_GROUPBOX), which
// Windows draws with its caption; the control erases the inside in its
// colour, which the window of that kind leaves as it was.

#include "Controls.h"

class TGroupBox : public TCustomControl {
 public:
  explicit TGroupBox(TComponent* AOwner);
  ~TGroupBox() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  bool PaintsItself() const override { return false; }
  void PaintWindow(HDC DC) override { TWinControl::PaintWindow(DC); }
};
