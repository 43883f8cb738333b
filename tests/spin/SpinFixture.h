#pragma once

// A shown form with a spin edit and a plain edit to move the focus to, and a
// recorder of the events a user's actions raise.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ApplicationTest.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "UserInput.h"
#include "uORVExpert_CORVSpin.h"

class TEventLog : public TObject {
 public:
  void Changed(TObject* Sender) { Changes.push_back(As<TCustomEdit>(Sender)->Text()); }
  void KeyPressed(TObject* Sender, char& Key) {
    (void)Sender;
    Keys.push_back(Key);
  }
  void Entered(TObject* Sender) {
    (void)Sender;
    ++Enters;
  }
  void Exited(TObject* Sender) {
    (void)Sender;
    ++Exits;
  }
  std::vector<std::string> Changes;
  std::string Keys;
  int Enters = 0, Exits = 0;
};

class SpinTest : public ApplicationTest {
 protected:
  void SetUp() override {
    ApplicationTest::SetUp();
    Form = new TForm(nullptr);
    Form->SetWidth(400);
    Form->SetHeight(300);
    Form->Show();
    Other = new TEdit(Form);
    Other->SetParent(Form);
    Spin = new TORVExpert_CORVSpin(Form);
    Spin->SetParent(Form);
    Spin->SetBounds(8, 40, 109, Spin->Height());
    Spin->SetOnChange(TNotifyEvent::Of<&TEventLog::Changed>(&Log));
    Spin->SetOnKeyPress(TKeyPressEvent::Of<&TEventLog::KeyPressed>(&Log));
    Spin->SetOnEnter(TNotifyEvent::Of<&TEventLog::Entered>(&Log));
    Spin->SetOnExit(TNotifyEvent::Of<&TEventLog::Exited>(&Log));
  }

  // The user tabs into the spin edit (which selects its text) or out of it.
  void Enter() { Form->FocusControl(Spin); }
  void Leave() { Form->FocusControl(Other); }
  void Type(TWinControl* Control, const std::string& Keys) { TypeText(Control->Handle(), Keys); }
  // The user presses a key in the spin edit.
  void Press(Word Key) { PressKey(Spin->Handle(), Key); }
  // The user clicks the upper or the lower arrow.
  void ClickUp() { ::ClickAt(Spin->Button()->Handle(), Middle(Spin->Button()->UpButtonRect())); }
  void ClickDown() {
    ::ClickAt(Spin->Button()->Handle(), Middle(Spin->Button()->DownButtonRect()));
  }
  static TPoint Middle(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
  void Type(const std::string& Keys) { Type(Spin, Keys); }
  // The user replaces the whole text with Keys: tab in, then type.
  void Retype(const std::string& Keys) {
    Leave();
    Enter();
    Type(Keys);
  }

  TForm* Form = nullptr;
  TEdit* Other = nullptr;
  TORVExpert_CORVSpin* Spin = nullptr;
  TEventLog Log;
};

// The plain edit of the host, as the spin edit builds on it.
class EditTest : public SpinTest {
 protected:
  void SetUp() override {
    SpinTest::SetUp();
    Box = new TEdit(Form);
    Box->SetParent(Form);
    Box->SetOnChange(TNotifyEvent::Of<&TEventLog::Changed>(&Log));
  }
  TEdit* Box = nullptr;
};
