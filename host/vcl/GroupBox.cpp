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

void TGroupBox::Paint() {
  // The frame runs through the middle of the caption's line; the caption
  // sits on it, eight pixels in.
  FCanvas->DisplayList().Clear();
  FCanvas->Font()->Assign(Font());
  const int H = FCanvas->TextHeight("0");
  FCanvas->FrameRect({0, H / 2, Width(), Height()});
  if (!Caption().empty())
    FCanvas->TextOut(8, 0, Caption());
}
