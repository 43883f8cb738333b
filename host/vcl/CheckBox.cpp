#include "CheckBox.h"

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

TCheckBox::~TCheckBox() {
  Destroying();
}

void TCheckBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = "BUTTON";
}

void TCheckBox::SetChecked(bool Value) {
  if (Value == FChecked)
    return;
  FChecked = Value;
  Invalidate();
  TWinControl::Click();
}

void TCheckBox::Click() {
  Toggle();
}
