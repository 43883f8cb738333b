#include "Spin.h"

#include <utility>

#include "ScopeExit.h"

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

void TSpinButton::PaintWindow(HDC DC) {
  TCanvas Canvas;
  const int Saved = SaveDC(DC);
  ScopeExit GiveBack([&] {
    Canvas.SetHandle(nullptr);
    RestoreDC(DC, Saved);
  });
  Canvas.SetHandle(DC);
  const TRect Up = UpButtonRect(), Down = DownButtonRect();
  for (const TRect& Half : {Up, Down}) {
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(Half);
    Canvas.DrawEdge(Half, EDGE_RAISED, BF_RECT | BF_SOFT);
  }
  // Each arrow three rows of pixels, pointing up in the upper half and
  // down in the lower.
  Canvas.Brush()->SetColor(Enabled() ? clBtnText : clGrayText);
  const int CX = Width() / 2;
  const int UY = (Up.Top + Up.Bottom) / 2 - 1, DY = (Down.Top + Down.Bottom) / 2 - 1;
  for (int i = 0; i < 3; ++i) {
    Canvas.FillRect({CX - i, UY + i, CX + i + 1, UY + i + 1});
    Canvas.FillRect({CX - 2 + i, DY + i, CX + 3 - i, DY + i + 1});
  }
}
