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
  Canvas.Font()->Assign(*Font());
  const TRect R = Item->rcItem;
  const bool Pushed = (Item->itemState & ODS_SELECTED) != 0;
  const bool Disabled = (Item->itemState & ODS_DISABLED) != 0;
  Canvas.Brush()->SetColor(clBtnFace);
  Canvas.FillRect(R);
  Canvas.DrawEdge(R, Pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
  // A glyph of 16 pixels and a gap of 4 go before the caption, the two
  // centred together; a push moves both a pixel down and right.
  const std::string Text = Shown(Caption());
  const bool Glyph = FKind == bkOK || FKind == bkClose;
  const int TW = Canvas.TextWidth(Text);
  const int Shift = Pushed ? 1 : 0;
  const int X = R.Left + (R.Width() - TW - (Glyph ? 20 : 0)) / 2 + Shift;
  const TRect G{X, R.Top + (R.Height() - 16) / 2 + Shift, X + 16,
                R.Top + (R.Height() - 16) / 2 + Shift + 16};
  if (FKind == bkOK) {
    Canvas.Pen()->SetColor(Disabled ? clGray : clGreen);
    Canvas.Pen()->SetWidth(3);
    Canvas.Polyline({{G.Left + 2, G.Top + 8}, {G.Left + 6, G.Top + 12}, {G.Left + 14, G.Top + 3}});
  } else if (FKind == bkClose) {
    // A door standing open.
    const TRect Door{G.Left + 3, G.Top + 1, G.Left + 13, G.Bottom - 1};
    Canvas.Brush()->SetColor(Disabled ? clSilver : clTeal);
    Canvas.FillRect(Door);
    Canvas.Brush()->SetColor(Disabled ? clGray : clBlack);
    Canvas.FrameRect(Door);
    Canvas.Brush()->SetColor(Disabled ? clGray : clYellow);
    Canvas.FillRect({G.Left + 10, G.Top + 7, G.Left + 12, G.Top + 9});
  }
  const int TX = X + (Glyph ? 20 : 0);
  const int TY = R.Top + (R.Height() - Canvas.TextHeight(Text)) / 2 + Shift;
  Canvas.Brush()->SetStyle(bsClear);
  if (Disabled) {
    // Windows etches a disabled caption: a white copy under a grey one.
    Canvas.Font()->SetColor(clBtnHighlight);
    Canvas.TextOut(TX + 1, TY + 1, Text);
    Canvas.Font()->SetColor(clGrayText);
  }
  Canvas.TextOut(TX, TY, Text);
  Message.Result = 1;
}
