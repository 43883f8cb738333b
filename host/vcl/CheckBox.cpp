#include "CheckBox.h"

#include "NativeButton.h"

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  // Clicks come from the window (BN_CLICKED), not from the mouse messages.
  SetControlStyle({csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

TCheckBox::~TCheckBox() {
  Destroying();
  DestroyHandle();
}

bool TCheckBox::Checked() const {
  if (!HandleAllocated())
    return FChecked;
  return WSCustomCheckBox().RetrieveState(FHandle) != BST_UNCHECKED;
}

void TCheckBox::SetChecked(bool Value) {
  if (Value == Checked())
    return;
  if (HandleAllocated())
    WSCustomCheckBox().SetState(FHandle, Value ? BST_CHECKED : BST_UNCHECKED);
  else
    FChecked = Value;
  Invalidate();
  Click();
}

void TCheckBox::SetAlignment(TAlignment Value) {
  if (Value == FAlignment)
    return;
  FAlignment = Value;
  RecreateWnd();
}

void TCheckBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = "BUTTON";
  Params.Style |= BS_AUTOCHECKBOX | (FAlignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCheckBox::CreateWnd() {
  TWinControl::CreateWnd();
  WSCustomCheckBox().SetState(FHandle, FChecked ? BST_CHECKED : BST_UNCHECKED);
}

void TCheckBox::DestroyWnd() {
  if (HandleAllocated() && !IsDestroying())
    FChecked = Checked();
  TWinControl::DestroyWnd();
}

void TCheckBox::WndProc(TMessage& Message) {
  // The window has changed its state already: the box tells of the change.
  if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == BN_CLICKED) {
    Invalidate();
    Click();
    return;
  }
  TWinControl::WndProc(Message);
}
