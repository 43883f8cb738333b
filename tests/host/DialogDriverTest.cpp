#include <gtest/gtest.h>

#include "ApplicationTest.h"
#include "Buttons.h"
#include "ComCtrls.h"
#include "DialogDriver.h"
#include "ModalUser.h"

namespace {

class DialogDriver : public ApplicationTest {};

template <class T>
T* Child(TForm* Form, TWinControl* Parent, const char* Name, int Top) {
  auto* C = new T(Form);
  C->SetName(Name);
  C->SetParent(Parent);
  C->SetBounds(8, Top, 120, 24);
  return C;
}

// The driver knows a dialog as its user does, whatever the form calls its
// parts: OK is the button that ends the dialog with mrOk, Cancel a Close
// button, the shown sheet is its page control's; a control's Tag is in the
// dump where it is not 0, as a form file stores it.
TEST_F(DialogDriver, FindsTheDialogsPartsByWhatTheyAre) {
  auto* Dialog = new TForm(App);
  Dialog->SetBounds(0, 0, 400, 300);
  auto* Book = Child<TPageControl>(Dialog, Dialog, "Book", 0);
  Book->SetBounds(0, 0, 400, 200);
  auto* First = new TTabSheet(Dialog);
  First->SetName("First");
  First->SetPageControl(Book);
  auto* Second = new TTabSheet(Dialog);
  Second->SetName("Second");
  Second->SetPageControl(Book);
  Book->SetActivePage(Second);
  Child<TButton>(Dialog, Dialog, "Accept", 210)->SetModalResult(mrOk);
  Child<TBitBtn>(Dialog, Dialog, "Leave", 240)->SetKind(bkClose);
  Child<TButton>(Dialog, Second, "Up", 8)->SetTag(1);

  TJson Dump;
  {
    TModalUser User([&Dump](TCustomForm* F) {
      TDialogDriver D(F);
      Dump = D.Dump();
      D.Ok();
    });
    EXPECT_EQ(Dialog->ShowModal(), mrOk);
  }
  EXPECT_EQ(Dump["activeSheet"], "Second");
  EXPECT_EQ(Dump["controls"]["Up"]["tag"], 1);
  EXPECT_FALSE(Dump["controls"]["Accept"].contains("tag"));
  {
    TModalUser User([](TCustomForm* F) { TDialogDriver(F).Cancel(); });
    EXPECT_EQ(Dialog->ShowModal(), mrCancel);
  }
}

}  // namespace
