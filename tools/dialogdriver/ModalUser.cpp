#include "ModalUser.h"

#include "StdCtrls.h"
#include "UserInput.h"

TModalUser::TModalUser(TAction Action, TAnswer Answer)
    : FAction(std::move(Action)), FAnswer(std::move(Answer)) {
  FPrevious = SetInputSource(TInputSource::Of<&TModalUser::NextInput>(this));
}

TModalUser::~TModalUser() {
  SetInputSource(FPrevious);
}

namespace {
// A form's turn is over once the user closed it; until its loop notices, it
// is still modal, and another form may come to the same address later.
bool Closing(const TCustomForm* Form) {
  return Form->ModalResult() != mrNone || !Form->Modal();
}
}  // namespace

void TModalUser::NextInput(bool& Given) {
  TCustomForm* Form = Application != nullptr ? Application->ActiveForm() : nullptr;
  if (Form == nullptr || !Form->Modal())
    return;
  // A form whose turn is over waits in vain: nothing more comes, and its
  // loop closes it now, so that a form made later in its place gets a turn.
  if (Form == FActedOn) {
    FActedOn = nullptr;
    return;
  }
  if (Form == FAnswered) {
    FAnswered = nullptr;
    return;
  }
  if (FActedOn == nullptr) {
    FActedOn = Form;
    Given = true;
    if (FAction)
      FAction(Form);
    if (Closing(Form))
      FActedOn = nullptr;
    return;
  }
  // A form that opens while the action runs: an input box.
  FAnswered = Form;
  Given = true;
  std::string Value;
  const TLabel* Prompt = nullptr;
  for (int i = 0; i < Form->ControlCount(); ++i) {
    if (const auto* Edit = dynamic_cast<const TCustomEdit*>(Form->Controls(i)))
      Value = Edit->Text();
    if (const auto* Label = dynamic_cast<const TLabel*>(Form->Controls(i)))
      Prompt = Label;
  }
  const bool Ok =
      FAnswer && FAnswer(Form->Caption(), Prompt != nullptr ? Prompt->Caption() : "", Value);
  AnswerInputBox(Form, Ok ? &Value : nullptr);
  if (Closing(Form))
    FAnswered = nullptr;
}

void AnswerInputBox(TCustomForm* Form, const std::string* Value) {
  TCustomEdit* Edit = nullptr;
  TButton* Press = nullptr;
  for (int i = 0; i < Form->ControlCount(); ++i) {
    if (auto* E = dynamic_cast<TCustomEdit*>(Form->Controls(i)))
      Edit = E;
    if (auto* B = dynamic_cast<TButton*>(Form->Controls(i));
        B != nullptr && B->ModalResult() == (Value != nullptr ? mrOk : mrCancel))
      Press = B;
  }
  if (Value != nullptr && Edit != nullptr)
    TypeText(Edit->Handle(), *Value);
  if (Press != nullptr)
    ClickControl(Press);
}
