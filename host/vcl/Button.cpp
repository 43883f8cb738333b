#include "Button.h"

#include "NativeButton.h"

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  // Clicks come from the window (BN_CLICKED), not from the mouse messages.
  SetControlStyle({csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

TButton::~TButton() {
  Destroying();
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  if (HandleAllocated())
    WSButton().SetDefault(FHandle, Value);
}

void TButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = "BUTTON";
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == BN_CLICKED) {
    Click();
    return;
  }
  TWinControl::WndProc(Message);
}

void TButton::Click() {
  if (TCustomForm* Form = GetParentForm())
    Form->SetModalResult(FModalResult);
  TWinControl::Click();
}
