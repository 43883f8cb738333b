#include "Spin.h"

#include <utility>

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

TSpinButton::THalf TSpinButton::HalfAt(TPoint Point) const {
  const auto In = [Point](const TRect& R) {
    return Point.X >= R.Left && Point.X < R.Right && Point.Y >= R.Top && Point.Y < R.Bottom;
  };
  return In(UpButtonRect()) ? THalf::Up : In(DownButtonRect()) ? THalf::Down : THalf::None;
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

void TSpinButton::WMLButtonDown(TMessage& Message) {
  FPressed = Enabled() && IsShown() ? HalfAt(PointOf(Message.LParam)) : THalf::None;
  if (FPressed != THalf::None)
    TakeFocus();
  TWinControl::WMLButtonDown(Message);
}

void TSpinButton::WMLButtonUp(TMessage& Message) {
  const THalf Pressed = std::exchange(FPressed, THalf::None);
  TWinControl::WMLButtonUp(Message);
  if (Pressed == THalf::None || Pressed != HalfAt(PointOf(Message.LParam)))
    return;
  const TNotifyEvent Event = Pressed == THalf::Up ? FOnUpClick : FOnDownClick;
  if (Event.Assigned())
    Event(this);
}
