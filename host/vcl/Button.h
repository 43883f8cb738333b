#pragma once

// TButton of Delphi's StdCtrls unit: a push button. A click on a button with
// a ModalResult sets its form's ModalResult, which ends the form's modal
// loop, as the VCL's TButton.Click does before it calls OnClick.

#include "Controls.h"
#include "Forms.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* AOwner);
  ~TButton() override;

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // The button that Enter presses anywhere on the form.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  // The button that Esc presses anywhere on the form.
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }

  // Pushes the button from code, as the VCL's Click does.
  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
};
