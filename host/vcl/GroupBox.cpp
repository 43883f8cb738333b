#include "GroupBox.h"

#include "NativeButton.h"

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
  SetBounds(0, 0, 185, 105);
}

TGroupBox::~TGroupBox() {
  Destroying();
}

void TGroupBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.WinClassName = "BUTTON";
  Params.Style |= BS_GROUPBOX;
}
