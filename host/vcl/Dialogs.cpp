#include "Dialogs.h"

#include "Forms.h"

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
  struct Guard {
    TColorDialog* Previous;
    ~Guard() { ExecutingDialog = Previous; }
  } G{ExecutingDialog};
  ExecutingDialog = this;
  // A copy, so that a driver may replace itself while it answers.
  const TApplication::TColorDriver Driver = Application->ColorDriver();
  Integer Chosen = FColor;
  if (!Driver(Chosen))
    return false;
  FColor = Chosen;
  return true;
}

std::string InputBox(const std::string& ACaption, const std::string& APrompt,
                     const std::string& ADefault) {
  if (Application == nullptr || !Application->InputDriver())
    return ADefault;
  const TApplication::TInputDriver Driver = Application->InputDriver();
  std::string Value = ADefault;
  if (!Driver(ACaption, APrompt, Value))
    return ADefault;
  return Value;
}
