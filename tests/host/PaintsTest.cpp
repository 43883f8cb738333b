#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ApplicationTest.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"

namespace {

class Paints : public ApplicationTest {};

TEST_F(Paints, ShownInvalidatedControlsPaintOncePerLoop) {
  TForm* Form = ShownForm();
  auto* Shown = new TPanel(Form);
  Shown->SetParent(Form);
  auto* Hidden = new TPanel(Form);
  Hidden->SetParent(Form);
  Hidden->SetVisible(false);
  auto* Inner = new TPanel(Form);
  Inner->SetParent(Hidden);
  EXPECT_EQ(Shown->PaintCount(), 0) << "nothing paints before the loop runs";
  App->ProcessMessages();
  EXPECT_EQ(Shown->PaintCount(), 1);
  EXPECT_EQ(Hidden->PaintCount(), 0);
  EXPECT_EQ(Inner->PaintCount(), 0);
  Shown->Invalidate();
  Shown->Invalidate();
  App->ProcessMessages();
  App->ProcessMessages();
  EXPECT_EQ(Shown->PaintCount(), 2);
  Hidden->SetVisible(true);
  App->ProcessMessages();
  EXPECT_EQ(Hidden->PaintCount(), 1);
  EXPECT_EQ(Inner->PaintCount(), 1);
  // Time passing runs the loop too.
  Shown->Invalidate();
  App->AdvanceTime(1);
  EXPECT_EQ(Shown->PaintCount(), 3);
  // A form that is not shown paints nothing.
  auto* Other = new TForm(App);
  auto* OnOther = new TPanel(Other);
  OnOther->SetParent(Other);
  App->ProcessMessages();
  EXPECT_EQ(OnOther->PaintCount(), 0);
}

TEST_F(Paints, ChangesWhileHiddenPaintNothingInBetween) {
  TForm* Form = ShownForm();
  auto* Pages = new TPageControl(Form);
  Pages->SetParent(Form);
  App->ProcessMessages();
  const int Before = Pages->PaintCount();
  Pages->SetVisible(false);
  for (int i = 0; i < 5; ++i) {
    auto* Sheet = new TTabSheet(Pages);
    Sheet->SetPageControl(Pages);
    App->ProcessMessages();
  }
  EXPECT_EQ(Pages->PaintCount(), Before);
  Pages->SetVisible(true);
  App->ProcessMessages();
  EXPECT_EQ(Pages->PaintCount(), Before + 1);
}

}  // namespace
