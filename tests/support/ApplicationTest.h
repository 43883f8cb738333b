#pragma once

// The one way a test gets the Application: created before each test and
// freed after it, so that no window, timer, modal driver or key state leaks
// into the next test. A fixture that owns more (a hive, the expert, a form
// of no owner) frees it in its own TearDown before calling this one.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "Forms.h"

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FApplication = std::make_unique<TApplication>();
    App = FApplication.get();
  }
  void TearDown() override {
    App = nullptr;
    FApplication.reset();
  }

  // A shown form of the Application, 600 by 400, to put controls on.
  TForm* ShownForm() {
    auto* Form = new TForm(App);
    Form->SetBounds(0, 0, 600, 400);
    Form->Show();
    return Form;
  }

  // Lets time pass, Step milliseconds at a time, until Done holds or Bound
  // milliseconds have passed, and tells whether it holds. A test on the real
  // platform's clock waits so for what it needs, however late a loaded
  // machine lets a timer fire, rather than for a guessed time; on the
  // headless clock it stops at the first step where Done holds.
  template <class TDone>
  bool PassTimeUntil(TDone Done, std::int64_t Bound, std::int64_t Step = 10) {
    for (std::int64_t Passed = 0; !Done(); Passed += Step) {
      if (Passed >= Bound)
        return false;
      App->AdvanceTime(Step);
    }
    return true;
  }

  // Frees the Application before the test ends, for a test of what the
  // next one starts with.
  void EndApplication() {
    App = nullptr;
    FApplication.reset();
  }

  TApplication* App = nullptr;

 private:
  std::unique_ptr<TApplication> FApplication;
};
