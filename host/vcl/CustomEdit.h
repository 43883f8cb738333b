#pragma once

// TCustomEdit and TEdit of Delphi's StdCtrls unit: an "EDIT" window. The
// text of an edit with a window lives in the window, as in the VCL; the
// control keeps it only while it has none, and across a new window. The
// window tells of every change of its text (EN_CHANGE, reflected as
// CN_COMMAND), which raises Change.

#include <string>

#include "Controls.h"
#include "WSStdCtrls.h"

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool AutoSelect() const { return FAutoSelect; }
  // With AutoSize the height follows the font: when the font changes and
  // when the window is made.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // 0: no limit of the control's own. Text set from code is never cut.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);

  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  std::string SelText();
  void SetSelText(const std::string& Value);
  void SelectAll();
  void ClearSelection();
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();

  TRect ClientRect() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

  // A different text (Text, SetText) raises Change once.
  void WndProc(TMessage& Message) override;

 protected:
  const TWSWinControl& WidgetSetClass() const override { return WSCustomEdit(); }
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void BoundsChanged() override;
  void FontChanged() override;
  // Raised for every change of the text, by the user or by code.
  virtual void Change();
  void CMEnter(TMessage& Message) override;
  void CMCtl3DChanged(TMessage& Message) override;
  void WMSize(TMessage& Message) override;
  void AdjustHeight();

 private:
  int BorderWidth() const;
  bool OwnsWindow() const {
    const TWindowRecord* Window = WindowRecord(FHandle);
    return Window != nullptr && Window->Proc.Data == this;
  }
  bool FReadOnly = false;
  bool FAutoSelect = true;
  bool FAutoSize = true;
  int FMaxLength = 0;
  TNotifyEvent FOnChange;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};
