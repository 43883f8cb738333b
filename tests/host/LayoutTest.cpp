#include <gtest/gtest.h>

#include "ApplicationTest.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"

namespace {

class Layout : public ApplicationTest {
 protected:
  void SetUp() override {
    ApplicationTest::SetUp();
    Form = ShownForm();
  }
  TForm* Form = nullptr;
};

TEST_F(Layout, ClientAlignedChildrenTakeTheRoomLeft) {
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  Panel->SetBounds(0, 0, 300, 200);
  auto* Top = new TPanel(Form);
  Top->SetHeight(30);
  Top->SetAlign(alTop);
  Top->SetParent(Panel);
  auto* Client = new TTabControl(Form);
  Client->SetParent(Panel);
  Client->SetAlign(alClient);
  EXPECT_EQ(Client->BoundsRect(), Rect(0, 30, 300, 200));
  Panel->SetWidth(250);
  EXPECT_EQ(Client->BoundsRect(), Rect(0, 30, 250, 200));
  Top->SetVisible(false);
  EXPECT_EQ(Client->BoundsRect(), Rect(0, 0, 250, 200));
}

TEST_F(Layout, ABorderedPanelsClientAreaLiesInsideItsBorder) {
  // The settings dialog's client panel: 531 x 268 with a single border.
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  Panel->SetBounds(0, 0, 531, 268);
  auto* Client = new TPageControl(Form);
  Client->SetParent(Panel);
  Client->SetAlign(alClient);
  EXPECT_EQ(Client->BoundsRect(), Rect(0, 0, 531, 268));
  Panel->SetBorderStyle(bsSingleBorder);
  EXPECT_EQ(Client->BoundsRect(), Rect(0, 0, 527, 264));
  EXPECT_EQ(Panel->ClientRect(), Rect(0, 0, 527, 264));
  // The old look's border is one plain line.
  Panel->SetCtl3D(false);
  EXPECT_EQ(Panel->ClientRect(), Rect(0, 0, 529, 266));
  Panel->SetBorderStyle(bsNoBorder);
  EXPECT_EQ(Client->BoundsRect(), Rect(0, 0, 531, 268));
}

TEST_F(Layout, ConstraintsClampTheHeight) {
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  Panel->SetHeight(50);
  Panel->Constraints()->SetMinHeight(80);
  EXPECT_EQ(Panel->Height(), 80) << "a new minimum applies at once";
  Panel->SetHeight(20);
  EXPECT_EQ(Panel->Height(), 80);
  Panel->Constraints()->SetMaxHeight(90);
  Panel->SetHeight(200);
  EXPECT_EQ(Panel->Height(), 90);
  // A minimum above the maximum raises the maximum, and the other way round.
  Panel->Constraints()->SetMinHeight(98);
  EXPECT_EQ(Panel->Constraints()->MaxHeight(), 98);
  EXPECT_EQ(Panel->Height(), 98);
  Panel->Constraints()->SetMaxHeight(16);
  EXPECT_EQ(Panel->Constraints()->MinHeight(), 16);
  EXPECT_EQ(Panel->Height(), 16);
  // A maximum of 0 is no maximum.
  Panel->Constraints()->SetMaxHeight(0);
  EXPECT_EQ(Panel->Constraints()->MinHeight(), 16);
  Panel->SetHeight(300);
  EXPECT_EQ(Panel->Height(), 300);

  // The order the add-in uses to pin a height: minimum, height, maximum.
  Panel->Constraints()->SetMinHeight(110);
  Panel->SetHeight(110);
  Panel->Constraints()->SetMaxHeight(110);
  EXPECT_EQ(Panel->Height(), 110);
  Panel->Constraints()->SetMinHeight(80);
  Panel->SetHeight(80);
  Panel->Constraints()->SetMaxHeight(80);
  EXPECT_EQ(Panel->Height(), 80) << "pinning a smaller height after a larger one";
}

TEST_F(Layout, ParentFontCopiesUntilTheControlGetsItsOwn) {
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  Panel->Font()->SetSize(8);
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Panel);
  EXPECT_TRUE(Tabs->ParentFont());
  Panel->Font()->SetSize(12);
  EXPECT_EQ(Tabs->Font()->Size(), 12);
  EXPECT_TRUE(Tabs->ParentFont());
  Tabs->SetParentFont(false);
  Panel->Font()->SetSize(9);
  EXPECT_EQ(Tabs->Font()->Size(), 12) << "keeps its present font";
  Tabs->SetParentFont(true);
  EXPECT_EQ(Tabs->Font()->Size(), 9);
  Tabs->Font()->SetStyle({fsBold});
  EXPECT_FALSE(Tabs->ParentFont()) << "a font of its own ends the inheritance";
  Panel->Font()->SetSize(10);
  EXPECT_EQ(Tabs->Font()->Size(), 9);

  // A new parent passes its font on to a control that follows it.
  auto* Other = new TPanel(Form);
  Other->SetParent(Form);
  Other->Font()->SetName("Tahoma");
  Tabs->SetParentFont(true);
  Tabs->SetParent(Other);
  EXPECT_EQ(Tabs->Font()->Name(), "Tahoma");
  EXPECT_TRUE(Tabs->ParentFont());
  // The window measures with the font it was given.
  Tabs->Tabs()->Add("AAAA");
  Tabs->Font()->SetSize(16);
  EXPECT_EQ(Tabs->TabRect(0).Width(), TabItemWidth(Tabs->Font()->Desc(), "AAAA"));
}

TEST_F(Layout, ControlBarLaysBandsInARow) {
  auto* Bar = new TControlBar(Form);
  Bar->SetParent(Form);
  auto* P1 = new TPanel(Form);
  P1->SetBounds(0, 0, 50, 30);
  P1->SetParent(Bar);
  auto* P2 = new TPanel(Form);
  P2->SetBounds(0, 0, 60, 44);
  P2->SetParent(Bar);
  EXPECT_EQ(P1->Left(), 13);
  EXPECT_EQ(P2->Left(), 13 + 50 + 11);
  Bar->SetAutoSize(true);
  EXPECT_EQ(Bar->Height(), 48);
  P2->SetHeight(80);
  EXPECT_EQ(Bar->Height(), 84) << "a band grows, the bar follows";
}

}  // namespace
