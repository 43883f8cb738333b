#pragma once

// The Samples unit Spin: TSpinButton, a pair of up and down arrow buttons,
// a window of its own. A click on a half (the left button pressed and
// released on it) moves the focus to FocusControl (or to the button pair
// itself when it takes the focus) as the button goes down, and raises
// OnUpClick or OnDownClick as it comes up. It paints its two raised halves
// with their arrows itself.

#include "Controls.h"

class TSpinButton : public TWinControl {
 public:
  explicit TSpinButton(TComponent* AOwner);
  ~TSpinButton() override;

  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value) { FFocusControl = Value; }

  // The two halves share the height; the upper one takes the smaller half.
  TRect UpButtonRect() const { return {0, 0, Width(), Height() / 2}; }
  TRect DownButtonRect() const { return {0, Height() / 2, Width(), Height()}; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TNotifyEvent OnUpClick() const { return FOnUpClick; }
  void SetOnUpClick(TNotifyEvent Value) { FOnUpClick = Value; }
  TNotifyEvent OnDownClick() const { return FOnDownClick; }
  void SetOnDownClick(TNotifyEvent Value) { FOnDownClick = Value; }

 protected:
  bool PaintsItself() const override { return true; }
  void PaintWindow(HDC DC) override;
  void WMLButtonDown(TMessage& Message) override;
  void WMLButtonUp(TMessage& Message) override;

 private:
  enum class THalf { None, Up, Down };
  THalf HalfAt(TPoint Point) const;
  void TakeFocus();
  TWinControl* FFocusControl = nullptr;
  // The half the button went down on, which a release there clicks.
  THalf FPressed = THalf::None;
  TNotifyEvent FOnUpClick, FOnDownClick;
};
