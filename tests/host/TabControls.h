#pragma once

// The tab controls' tests, on every platform and on the headless one alone,
// put their controls on a shown form.

#include <string>
#include <vector>

#include "ApplicationTest.h"
#include "ComCtrls.h"

class TabControls : public ApplicationTest {
 protected:
  void SetUp() override {
    ApplicationTest::SetUp();
    Form = ShownForm();
  }
  TPageControl* NewPages(const std::vector<std::string>& Captions) {
    auto* Pages = new TPageControl(Form);
    Pages->SetParent(Form);
    for (const std::string& C : Captions) {
      auto* Sheet = new TTabSheet(Pages);
      Sheet->SetCaption(C);
      Sheet->SetPageControl(Pages);
    }
    return Pages;
  }
  TForm* Form = nullptr;
};
