#include "Label.h"

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 17);
}

TCustomLabel::~TCustomLabel() {
  Destroying();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment)
    return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize)
    return;
  FAutoSize = Value;
  AdjustBounds();
}

int TCustomLabel::TextWidth() const {
  FCanvas->Font()->Assign(*Font());
  return FCanvas->TextWidth(Caption());
}

int TCustomLabel::TextHeight() const {
  FCanvas->Font()->Assign(*Font());
  // An empty caption still takes one line, as DrawText measures it.
  return FCanvas->TextHeight(Caption().empty() ? std::string("W") : Caption());
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize)
    return;
  SetBounds(Left(), Top(), TextWidth(), TextHeight());
}

void TCustomLabel::TextChanged() {
  TGraphicControl::TextChanged();
  AdjustBounds();
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TCustomLabel::Paint() {
  FCanvas->Font()->Assign(*Font());
  int X = 0;
  if (FAlignment == taCenter)
    X = (Width() - TextWidth()) / 2;
  else if (FAlignment == taRightJustify)
    X = Width() - TextWidth();
  // A disabled label draws its caption greyed, as DrawText with DSS_DISABLED.
  if (!Enabled())
    FCanvas->Font()->SetColor(clGrayText);
  // The caption is written over the parent's surface, as a transparent
  // label's.
  FCanvas->Brush()->SetStyle(bsClear);
  FCanvas->TextOut(X, 0, Caption());
}

// Defined here, so that the class's table of virtual functions is made
// once, in the host library, not again in every module that uses the class.
TLabel::~TLabel() = default;
