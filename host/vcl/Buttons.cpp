#include "Buttons.h"

#include "NativeButton.h"
#include "ScopeExit.h"

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

void TBitBtn::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  Params.Style = (Params.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& Message) {
  if (Message.Msg == CN_DRAWITEM) {
    CNDrawItem(Message);
    return;
  }
  TButton::WndProc(Message);
}

namespace {
// A line of the button's frame, a pixel wide, in the canvas's brush.
void Edge(TCanvas* C, TColor Color, const TRect& R) {
  C->Brush()->SetColor(Color);
  C->FillRect(R);
}

// The caption as it reads: "&Close" is "Close", "&&" one ampersand.
std::string Shown(const std::string& Caption) {
  std::string Out;
  for (std::size_t i = 0; i < Caption.size(); ++i) {
    if (Caption[i] == '&' && ++i == Caption.size())
      break;
    Out += Caption[i];
  }
  return Out;
}
}  // namespace

// The face, a raised frame (sunken while pushed), the kind's glyph and the
// caption, drawn on the DC Windows lent for the button; the DC is given back
// as it came.
void TBitBtn::CNDrawItem(TMessage& Message) {
  const auto* Item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
  if (Item == nullptr || Item->hDC == nullptr)
    return;
  TCanvas Canvas;
  const int Saved = SaveDC(Item->hDC);
  ScopeExit GiveBack([&] {
    Canvas.SetHandle(nullptr);
    RestoreDC(Item->hDC, Saved);
  });
  Canvas.SetHandle(Item->hDC);
  Canvas.Font()->Assign(Font());
  const TRect R = Item->rcItem;
  const bool Pushed = (Item->itemState & ODS_SELECTED) != 0;
  const bool Disabled = (Item->itemState & ODS_DISABLED) != 0;
  Canvas.Brush()->SetColor(clBtnFace);
  Canvas.FillRect(R);
  const TColor Lit = Pushed ? clBtnShadow : clBtnHighlight;
  const TColor Shade = Pushed ? clBtnHighlight : cl3DDkShadow;
  Edge(&Canvas, Lit, {R.Left, R.Top, R.Right - 1, R.Top + 1});
  Edge(&Canvas, Lit, {R.Left, R.Top, R.Left + 1, R.Bottom - 1});
  Edge(&Canvas, Shade, {R.Left, R.Bottom - 1, R.Right, R.Bottom});
  Edge(&Canvas, Shade, {R.Right - 1, R.Top, R.Right, R.Bottom});
  // A glyph of 16 pixels and a gap of 4 go before the caption, the two
  // centred together; a push moves both a pixel down and right.
  const std::string Text = Shown(Caption());
  const bool Glyph = FKind == bkOK || FKind == bkClose;
  const int TW = Canvas.TextWidth(Text);
  const int Shift = Pushed ? 1 : 0;
  int X = R.Left + (R.Width() - TW - (Glyph ? 20 : 0)) / 2 + Shift;
  const int GY = R.Top + (R.Height() - 16) / 2 + Shift;
  if (FKind == bkOK) {
    // A tick, as steps of small squares.
    for (int i = 0; i < 4; ++i)
      Edge(&Canvas, Disabled ? clGray : clGreen, {X + 2 + i, GY + 8 + i, X + 4 + i, GY + 10 + i});
    for (int i = 0; i < 8; ++i)
      Edge(&Canvas, Disabled ? clGray : clGreen, {X + 6 + i, GY + 11 - i, X + 8 + i, GY + 13 - i});
  } else if (FKind == bkClose) {
    // A door standing open.
    Edge(&Canvas, Disabled ? clSilver : clTeal, {X + 3, GY + 1, X + 13, GY + 15});
    Edge(&Canvas, Disabled ? clGray : clYellow, {X + 10, GY + 7, X + 12, GY + 9});
  }
  if (Glyph)
    X += 20;
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.Font()->SetColor(Disabled ? clGrayText : Font()->Color());
  Canvas.TextOut(X, R.Top + (R.Height() - Canvas.TextHeight(Text)) / 2 + Shift, Text);
  Message.Result = 1;
}
