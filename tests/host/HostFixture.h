#pragma once

// A test that needs the Application creates it here and tears it down at the
// end, so that no window, timer or key state leaks into the next test.

#include <gtest/gtest.h>

#include <memory>

#include "Forms.h"

class HostTest : public testing::Test {
 protected:
  void SetUp() override { App = std::make_unique<TApplication>(); }
  void TearDown() override { App.reset(); }

  // A shown main form of the Application.
  TForm* ShownForm() {
    auto* Form = new TForm(App.get());
    Form->SetBounds(0, 0, 600, 400);
    Form->Show();
    return Form;
  }

  std::unique_ptr<TApplication> App;
};

// Counts the calls of a notification and remembers the last sender.
struct TCalls : TObject {
  int Count = 0;
  TObject* Sender = nullptr;
  void Call(TObject* S) {
    ++Count;
    Sender = S;
  }
  TNotifyEvent Event() { return TNotifyEvent::Of<&TCalls::Call>(this); }
};
