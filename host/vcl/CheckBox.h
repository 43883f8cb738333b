#pragma once

// TCheckBox of Delphi's StdCtrls unit: a "BUTTON" window of the automatic
// check box kind (BS_AUTOCHECKBOX), which changes its state itself when the
// user clicks it and then tells its owner BN_CLICKED. The window holds the
// state while the box has one; the box keeps it until then and gives it to
// the window it makes. OnClick runs whenever the checked state changes,
// whether the user clicked the box or code set Checked, and never when
// Checked is set to the state it already has: the VCL's
// TCustomCheckBox.SetState calls Click only on a change.

#include "Controls.h"
#include "WSStdCtrls.h"

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* AOwner);
  ~TCheckBox() override;

  bool Checked() const;
  void SetChecked(bool Value);
  // The caption's side of the box: right of it (taRightJustify) by default.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  const TWSWinControl& WidgetSetClass() const override { return WSCustomCheckBox(); }
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  // The state while the box has no window.
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};
