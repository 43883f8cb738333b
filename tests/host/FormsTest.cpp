#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ApplicationTest.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "EventSpy.h"
#include "ExtCtrls.h"
#include "ModalUser.h"
#include "StdCtrls.h"
#include "UserInput.h"

namespace {

class Forms : public ApplicationTest {};

TEST_F(Forms, ShowSetsShowingAndRunsOnShowOnce) {
  auto* Form = new TForm(App);
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  TEventSpy Shown;
  Form->SetOnShow(Shown.Event());
  EXPECT_FALSE(Form->Showing());
  EXPECT_FALSE(Panel->Showing());
  Form->Show();
  Form->Show();
  EXPECT_TRUE(Form->Showing());
  EXPECT_TRUE(Panel->Showing());
  EXPECT_EQ(Shown.Count(), 1);
  EXPECT_EQ(Shown.Sender(), Form);
  EXPECT_EQ(App->MainForm(), Form);
  Form->Hide();
  EXPECT_FALSE(Panel->Showing());
}

TEST_F(Forms, ActivationRunsTheHandlersOnChangeOnly) {
  auto* Form = new TForm(App);
  TEventSpy Activated, Deactivated;
  Form->SetOnActivate(Activated.Event());
  Form->SetOnDeactivate(Deactivated.Event());
  Form->Show();
  Form->SetActive(true);
  Form->SetActive(true);
  Form->SetActive(false);
  EXPECT_EQ(Activated.Count(), 1);
  EXPECT_EQ(Deactivated.Count(), 1);
  EXPECT_EQ(Deactivated.Sender(), Form);
  Form->SetActive(true);
  EXPECT_EQ(App->ActiveForm(), Form);
}

// Acts as the user of a modal form.
struct TUser : TObject {
  TModalResult Answer = mrNone;
  bool WasShowing = false;
  int Calls = 0;
};

TEST_F(Forms, ShowModalEndsWithTheUsersResultOrCancel) {
  TForm* Main = new TForm(App);
  Main->Show();
  auto* Dialog = new TForm(App);
  TUser User;
  {
    TModalUser Idle(nullptr);
    EXPECT_EQ(Dialog->ShowModal(), mrCancel) << "a user who does nothing";
  }
  {
    TModalUser Acting([&User](TCustomForm* F) {
      ++User.Calls;
      User.WasShowing = F->Showing() && F->Modal() && Application->ModalLevel() == 1;
      F->SetModalResult(User.Answer);
    });
    User.Answer = mrOk;
    EXPECT_EQ(Dialog->ShowModal(), mrOk);
    EXPECT_TRUE(User.WasShowing);
    EXPECT_FALSE(Dialog->Showing());
    EXPECT_EQ(App->ModalLevel(), 0);
    User.Answer = mrNone;
    EXPECT_EQ(Dialog->ShowModal(), mrCancel) << "a user who leaves no result";
    EXPECT_EQ(User.Calls, 2);
  }
  TModalUser GivingUp([](TCustomForm*) { throw EInvalidOperation("user gave up"); });
  EXPECT_THROW(Dialog->ShowModal(), EInvalidOperation);
  EXPECT_FALSE(Dialog->Showing());
  EXPECT_FALSE(Dialog->Modal());
  EXPECT_EQ(App->ModalLevel(), 0);
  EXPECT_EQ(App->MainForm(), Main);
}

// The modal loop takes the user's input from the queue as it comes: a click
// on a button with a result ends it, an input box opened meanwhile runs a
// loop of its own (answered through its edit and its OK button), and the
// close box closes the form with Cancel.
TEST_F(Forms, ModalLoopDispatchesTheInputThatArrives) {
  auto* Dialog = new TForm(App);
  Dialog->SetBounds(0, 0, 300, 200);
  auto* Ok = new TButton(Dialog);
  Ok->SetParent(Dialog);
  Ok->SetModalResult(mrOk);
  std::vector<std::string> Asked;
  std::string Typed;
  TModalUser User(
      [&](TCustomForm* F) {
        EXPECT_EQ(F, Dialog);
        Typed = InputBox("Caption", "Prompt", "default");
        ClickControl(Ok);
      },
      [&](const std::string& Caption, const std::string& Prompt, std::string& Value) {
        Asked = {Caption, Prompt, Value};
        Value = "typed";
        return true;
      });
  EXPECT_EQ(Dialog->ShowModal(), mrOk);
  EXPECT_EQ(Asked, (std::vector<std::string>{"Caption", "Prompt", "default"}));
  EXPECT_EQ(Typed, "typed");

  TModalUser Closing([&](TCustomForm* F) {
    PostMessage(F->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(F->ModalResult(), mrNone) << "posted, not yet taken";
  });
  EXPECT_EQ(Dialog->ShowModal(), mrCancel);
}

struct TFocusLog : TObject {
  std::vector<std::string> Events;
  void Enter(TObject* S) { Events.push_back("enter " + static_cast<TComponent*>(S)->Name()); }
  void Exit(TObject* S) { Events.push_back("exit " + static_cast<TComponent*>(S)->Name()); }
};

TEST_F(Forms, FocusMovesWithExitThenEnter) {
  TForm* Form = ShownForm();
  TFocusLog Log;
  auto Make = [&](const std::string& Name) {
    auto* T = new TTabControl(Form);
    T->SetName(Name);
    T->SetParent(Form);
    T->SetOnEnter(TNotifyEvent::Of<&TFocusLog::Enter>(&Log));
    T->SetOnExit(TNotifyEvent::Of<&TFocusLog::Exit>(&Log));
    return T;
  };
  TTabControl* A = Make("A");
  TTabControl* B = Make("B");
  Form->FocusControl(A);
  Form->FocusControl(B);
  Form->FocusControl(B);
  EXPECT_EQ(Log.Events, (std::vector<std::string>{"enter A", "exit A", "enter B"}));
  EXPECT_TRUE(B->Focused());
  EXPECT_FALSE(A->Focused());
  A->SetEnabled(false);
  EXPECT_THROW(Form->FocusControl(A), EInvalidOperation);
  EXPECT_EQ(Form->ActiveControl(), B);
  // A click on a tab of a focusable tab control gives it the focus.
  A->SetEnabled(true);
  A->Tabs()->SetText("x\r\ny");
  ClickTab(A, 1);
  EXPECT_EQ(Form->ActiveControl(), A);
}

}  // namespace
