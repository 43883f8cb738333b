#pragma once

// TCustomLabel and TLabel of Delphi's StdCtrls unit: a caption drawn on the
// parent, with no window of its own. With AutoSize the label is as wide and
// as high as its caption in its font, as the VCL's AdjustBounds makes it.

#include <string>

#include "Controls.h"

// The mouse pointer shown over a control; the values are the VCL's.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crHandPoint = -21;

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);
  ~TCustomLabel() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  // The extent of the caption in the label's font.
  int TextWidth() const;
  int TextHeight() const;

 protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void AdjustBounds();

 private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  TCursor FCursor = crDefault;
};

class TLabel : public TCustomLabel {
 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
  ~TLabel() override;
};
