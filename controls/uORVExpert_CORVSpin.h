#pragma once

// A one-line edit for a whole number with up and down arrow buttons at its
// right edge. The value is the text read as a signed 64-bit number, held
// between MinValue and MaxValue whenever either bound is not zero, and never
// negative under PlasOnly. A wrong text is corrected while the user types and
// again when the focus leaves; no parsing error ever leaves the control.

#include "Spin.h"
#include "StdCtrls.h"
#include "TypInfo.h"

class TORVExpert_CORVSpin : public TCustomEdit {
 public:
  explicit TORVExpert_CORVSpin(TComponent* AOwner);
  ~TORVExpert_CORVSpin() override;

  bool PlasOnly() const { return FPlasOnly; }
  void SetPlasOnly(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  Integer Increment() const { return FIncrement; }
  void SetIncrement(Integer Value) { FIncrement = Value; }
  Int64 MaxValue() const { return FMaxValue; }
  void SetMaxValue(Int64 NewValue);
  Int64 MinValue() const { return FMinValue; }
  void SetMinValue(Int64 NewValue);
  bool ShowButton() const { return FShowButton; }
  void SetShowButton(bool Value);
  Int64 Value() const { return GetValue(); }
  void SetValue(Int64 NewValue);

  TSpinButton* Button() const { return FButton; }

  // The class's published properties in streaming order, with their
  // defaults; an object inspector reads and writes Value through them.
  const TTypeInfo* ClassInfo() const override;

  virtual bool IsValidChar(char Key);
  virtual void UpClick(TObject* Sender);
  virtual void DownClick(TObject* Sender);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void Change() override;
  void DoExit() override;
  void Click() override;
  void DblClick() override;
  void WMSize(TMessage& Message) override;
  void WMPaste(TMessage& Message) override;
  void WMCut(TMessage& Message) override;
  void CMEnter(TMessage& Message) override;
  void CMExit(TMessage& Message) override;

 private:
  Int64 CheckValue(Int64 NewValue) const;
  Int64 GetValue() const;
  void SetEditRect();
  int GetMinHeight();
  // The button events reach the virtual steps through these, so that a
  // subclass's UpClick and DownClick are the ones called.
  void ButtonUpClick(TObject* Sender) { UpClick(Sender); }
  void ButtonDownClick(TObject* Sender) { DownClick(Sender); }

  TAlignment FAlignment = taLeftJustify;
  bool FPlasOnly = false;
  Int64 FMinValue = 0;
  Int64 FMaxValue = 0;
  Integer FIncrement = 1;
  TSpinButton* FButton = nullptr;
  bool FShowButton = true;
};
