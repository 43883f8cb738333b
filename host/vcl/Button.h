#pragma once

// TButton of Delphi's StdCtrls unit: a push button, a "BUTTON" window that
// tells its owner BN_CLICKED when the user clicks it (the mouse or the space
// bar); the VCL reflects that as CN_COMMAND and the button clicks. A click
// on a button with a ModalResult sets its form's ModalResult, which ends the
// form's modal loop, as the VCL's TButton.Click does before it calls
// OnClick.

#include "Controls.h"
#include "Forms.h"
#include "WSStdCtrls.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* AOwner);
  ~TButton() override;

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // The button that Enter presses anywhere on the form; its window has the
  // default button's look (BS_DEFPUSHBUTTON).
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  // The button that Esc presses anywhere on the form.
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }

  // Pushes the button from code, as the VCL's Click does.
  void Click() override;

 protected:
  const TWSWinControl& WidgetSetClass() const override { return WSButton(); }
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

 private:
  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
};
