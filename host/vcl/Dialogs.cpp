#include "Dialogs.h"

#include <memory>

#include "Forms.h"
#include "ScopeExit.h"
#include "StdCtrls.h"
#include "TextMetrics.h"

namespace {
// Only set while a dialog's Execute runs; the guard in Execute puts the
// previous value back, so nothing outlives the call.
TColorDialog* ExecutingDialog = nullptr;
}  // namespace

TColorDialog::TColorDialog(TComponent* AOwner)
    : TComponent(AOwner), FCustomColors(std::make_unique<TStringList>()) {}

TColorDialog::~TColorDialog() {
  Destroying();
}

TColorDialog* TColorDialog::Executing() {
  return ExecutingDialog;
}

bool TColorDialog::Execute() {
  if (Application == nullptr || !Application->ColorDriver())
    return false;
  ScopeExit GiveBack([Previous = ExecutingDialog] { ExecutingDialog = Previous; });
  ExecutingDialog = this;
  // A copy, so that a driver may replace itself while it answers.
  const TApplication::TColorDriver Driver = Application->ColorDriver();
  Integer Chosen = FColor;
  if (!Driver(Chosen))
    return false;
  FColor = Chosen;
  return true;
}

namespace {
// The average character of the font, as the VCL measures dialog units: the
// width of the 52 letters divided by 52, and the line's height.
TPoint AveCharSize(const TFontDesc& Font) {
  std::string Letters;
  for (char C = 'A'; C <= 'Z'; ++C)
    Letters += C;
  for (char C = 'a'; C <= 'z'; ++C)
    Letters += C;
  return {FontTextWidth(Font, Letters) / 52, FontMetrics(Font).tmHeight};
}

int MulDiv(int Number, int Numerator, int Denominator) {
  return (Number * Numerator + Denominator / 2) / Denominator;
}
}  // namespace

// Laid out in dialog units of the form's font, as the VCL lays it out.
bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value) {
  if (Application == nullptr)
    return false;
  const std::unique_ptr<TForm> Form = std::make_unique<TForm>(Application);
  const TPoint Units = AveCharSize(Form->Font()->Desc());
  Form->SetBorderStyle(bsDialog);
  Form->SetCaption(ACaption);
  Form->SetClientWidth(MulDiv(180, Units.X, 4));
  Form->SetPosition(poScreenCenter);
  auto* Prompt = new TLabel(Form.get());
  Prompt->SetParent(Form.get());
  Prompt->SetCaption(APrompt);
  Prompt->SetLeft(MulDiv(8, Units.X, 4));
  Prompt->SetTop(MulDiv(8, Units.Y, 8));
  auto* Edit = new TEdit(Form.get());
  Edit->SetParent(Form.get());
  Edit->SetBounds(Prompt->Left(), Prompt->Top() + Prompt->Height() + 5, MulDiv(164, Units.X, 4),
                  Edit->Height());
  Edit->SetMaxLength(255);
  Edit->SetText(Value);
  Edit->SelectAll();
  const int ButtonTop = Edit->Top() + Edit->Height() + 15;
  const int ButtonWidth = MulDiv(50, Units.X, 4);
  const int ButtonHeight = MulDiv(14, Units.Y, 8);
  auto* Ok = new TButton(Form.get());
  Ok->SetParent(Form.get());
  Ok->SetCaption("OK");
  Ok->SetModalResult(mrOk);
  Ok->SetDefault(true);
  Ok->SetBounds(MulDiv(38, Units.X, 4), ButtonTop, ButtonWidth, ButtonHeight);
  auto* Cancel = new TButton(Form.get());
  Cancel->SetParent(Form.get());
  Cancel->SetCaption("Cancel");
  Cancel->SetModalResult(mrCancel);
  Cancel->SetCancel(true);
  Cancel->SetBounds(MulDiv(92, Units.X, 4), ButtonTop, ButtonWidth, ButtonHeight);
  Form->SetClientHeight(Cancel->Top() + Cancel->Height() + 13);
  if (Form->ShowModal() != mrOk)
    return false;
  Value = Edit->Text();
  return true;
}

std::string InputBox(const std::string& ACaption, const std::string& APrompt,
                     const std::string& ADefault) {
  std::string Result = ADefault;
  InputQuery(ACaption, APrompt, Result);
  return Result;
}
