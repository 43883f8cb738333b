#pragma once

// The Samples unit Spin: TSpinButton, a pair of up and down arrow buttons.
// A click on a half moves the focus to FocusControl (or to the button pair
// itself when it takes the focus) and raises OnUpClick or OnDownClick.

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

  // A user's click on the upper or the lower half.
  void ClickUp();
  void ClickDown();

  TNotifyEvent OnUpClick() const { return FOnUpClick; }
  void SetOnUpClick(TNotifyEvent Value) { FOnUpClick = Value; }
  TNotifyEvent OnDownClick() const { return FOnDownClick; }
  void SetOnDownClick(TNotifyEvent Value) { FOnDownClick = Value; }

 private:
  void TakeFocus();
  TWinControl* FFocusControl = nullptr;
  TNotifyEvent FOnUpClick, FOnDownClick;
};
