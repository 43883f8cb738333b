#pragma once

// Delphi's Buttons unit, as far as the add-in uses it: TBitBtn, a push
// button with a glyph whose Kind gives it the standard caption, glyph and
// behaviour of a dialog button. As the VCL makes it, its window is an
// owner-drawn button (BS_OWNERDRAW): Windows asks the button to draw its
// face, glyph and caption (CN_DRAWITEM).

#include "Button.h"

enum TBitBtnKind {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;

  // Choosing a kind sets the kind's caption and modal result; bkOK also makes
  // the button the form's default button, as the VCL's does.
  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind Value);

  // bkClose closes its form instead of running OnClick (a modal form ends its
  // loop with Cancel); every other kind acts as a push button.
  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

 private:
  void CNDrawItem(TMessage& Message);
  TBitBtnKind FKind = bkCustom;
};
