#include "Button.h"

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

TButton::~TButton() {
  Destroying();
}

void TButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = "BUTTON";
}

void TButton::Click() {
  if (TCustomForm* Form = GetParentForm())
    Form->SetModalResult(FModalResult);
  TWinControl::Click();
}
