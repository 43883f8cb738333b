#include "Spin.h"

TSpinButton::TSpinButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csSetCaption} +
                  TControlStyle{csFramed, csOpaque});
  SetBounds(0, 0, 20, 25);
}

TSpinButton::~TSpinButton() {
  Destroying();
}

void TSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TSpinButton::TakeFocus() {
  // The button pair serves its focus control: that control takes the focus
  // when it can; otherwise the pair takes it if it is a tab stop itself.
  if (FFocusControl != nullptr && FFocusControl->TabStop() && FFocusControl->CanFocus()) {
    if (!FFocusControl->Focused())
      FFocusControl->SetFocus();
  } else if (TabStop() && CanFocus() && !Focused()) {
    SetFocus();
  }
}

void TSpinButton::ClickUp() {
  if (!Enabled() || !IsShown())
    return;
  TakeFocus();
  if (FOnUpClick.Assigned())
    FOnUpClick(this);
}

void TSpinButton::ClickDown() {
  if (!Enabled() || !IsShown())
    return;
  TakeFocus();
  if (FOnDownClick.Assigned())
    FOnDownClick(this);
}
