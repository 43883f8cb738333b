#include "Buttons.h"

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {}

TBitBtn::~TBitBtn() {
  Destroying();
}

void TBitBtn::SetKind(TBitBtnKind Value) {
  FKind = Value;
  struct TKindInfo {
    const char* Caption;
    TModalResult Result;
  };
  // The captions and results of the VCL's BitBtnCaptions and BitBtnModalResults.
  static const TKindInfo Kinds[] = {
      {"", mrNone},        {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
      {"&Yes", mrYes},     {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
      {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", 8},
  };
  if (Value == bkCustom)
    return;
  SetCaption(Kinds[Value].Caption);
  SetModalResult(Kinds[Value].Result);
  if (Value == bkOK || Value == bkYes)
    SetDefault(true);
  if (Value == bkCancel || Value == bkNo)
    SetCancel(true);
}

void TBitBtn::Click() {
  if (FKind == bkClose) {
    if (TCustomForm* Form = GetParentForm()) {
      Form->Close();
      return;
    }
  }
  TButton::Click();
}
