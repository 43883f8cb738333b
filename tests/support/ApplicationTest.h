#pragma once

// The one way a test gets the Application: created before each test and
// freed after it, so that no window, timer, modal driver or key state leaks
// into the next test. A fixture that owns more (a hive, the expert, a form
// of no owner) frees it in its own TearDown before calling this one.

#include <gtest/gtest.h>

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

  TApplication* App = nullptr;

 private:
  std::unique_ptr<TApplication> FApplication;
};
