#pragma once

// TCheckBox of Delphi's StdCtrls unit. OnClick runs whenever the checked
// state changes, whether the user clicked the box or code set Checked, and
// never when Checked is set to the state it already has: the VCL's
// TCustomCheckBox.SetState calls Click only on a change.

#include "Controls.h"

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* AOwner);
  ~TCheckBox() override;

  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  // A user's click reaches the box as BN_CLICKED: the box toggles, and the
  // change runs OnClick.
  void Click() override;
  virtual void Toggle() { SetChecked(!FChecked); }

 private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};
