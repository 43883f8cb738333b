#include <gtest/gtest.h>

#include "ApplicationTest.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"

namespace {

struct THandlers : TObject {
  int A = 0, B = 0;
  void OnA(TObject*) { ++A; }
  void OnB(TObject*) { ++B; }
  // Same body as OnA: a linker that folds identical code must not make the
  // two handlers equal.
  void OnA2(TObject*) { ++A; }
};

class Components : public ApplicationTest {};

TEST_F(Components, BoundMethodsAreSavedAndRestoredWhole) {
  THandlers X, Y;
  const TNotifyEvent XA = TNotifyEvent::Of<&THandlers::OnA>(&X);
  EXPECT_TRUE(XA.Assigned());
  EXPECT_FALSE(TNotifyEvent{}.Assigned());
  EXPECT_EQ(XA, TNotifyEvent::Of<&THandlers::OnA>(&X));
  EXPECT_FALSE(XA == TNotifyEvent::Of<&THandlers::OnB>(&X)) << "two methods of one object";
  EXPECT_FALSE(XA == TNotifyEvent::Of<&THandlers::OnA2>(&X)) << "identical bodies";
  EXPECT_FALSE(XA == TNotifyEvent::Of<&THandlers::OnA>(&Y)) << "one method of two objects";
  EXPECT_FALSE(XA == TNotifyEvent{});

  // A handler saved from a host object and put back is the same handler.
  TTimer Timer(nullptr);
  Timer.SetOnTimer(XA);
  const TNotifyEvent Saved = Timer.OnTimer();
  Timer.SetOnTimer(TNotifyEvent::Of<&THandlers::OnB>(&Y));
  Timer.SetOnTimer(Saved);
  EXPECT_EQ(Timer.OnTimer(), XA);
  Timer.OnTimer()(&Timer);
  EXPECT_EQ(X.A, 1);
  EXPECT_EQ(Y.A + Y.B + X.B, 0);
}

TEST_F(Components, OwnerNameAndFindComponent) {
  TComponent Owner(nullptr);
  auto* A = new TComponent(&Owner);
  auto* B = new TComponent(&Owner);
  A->SetName("TabControl");
  EXPECT_EQ(A->Owner(), &Owner);
  EXPECT_EQ(Owner.ComponentCount(), 2);
  EXPECT_EQ(Owner.Components(1), B);
  EXPECT_EQ(Owner.FindComponent("tabcontrol"), A);
  EXPECT_EQ(Owner.FindComponent("TABCONTROL"), A);
  EXPECT_EQ(Owner.FindComponent("TabControl1"), nullptr);
  EXPECT_EQ(Owner.FindComponent(""), nullptr) << "unnamed components are not found by \"\"";
  EXPECT_THROW(B->SetName("TABCONTROL"), EComponentError);
  EXPECT_EQ(B->Name(), "");
  EXPECT_THROW(B->SetName("1st"), EComponentError);
  EXPECT_THROW(B->SetName("a b"), EComponentError);
  A->SetName("TABCONTROL");  // a new spelling of its own name
  EXPECT_EQ(A->Name(), "TABCONTROL");
  // A component of another owner may share the name.
  TComponent Other(nullptr);
  auto* C = new TComponent(&Other);
  EXPECT_NO_THROW(C->SetName("TabControl"));
  EXPECT_THROW(Owner.Components(2), EListError);
  // A class's own name, of the global namespace or not.
  EXPECT_EQ(Owner.ClassName(), "TComponent");
  EXPECT_EQ(TTimer(nullptr).ClassName(), "TTimer");
  EXPECT_EQ(THandlers().ClassName(), "THandlers");
}

TEST_F(Components, OwnerFreesWhatItOwnsAndAFreedComponentLeavesItsOwner) {
  struct TProbe : TComponent {
    TProbe(TComponent* O, int& D) : TComponent(O), Destroyed(D) {}
    ~TProbe() override { ++Destroyed; }
    int& Destroyed;
  };
  int Destroyed = 0;
  auto* Owner = new TComponent(nullptr);
  auto* A = new TProbe(Owner, Destroyed);
  new TProbe(A, Destroyed);  // owned by A, freed with it
  auto* C = new TProbe(Owner, Destroyed);
  delete C;
  EXPECT_EQ(Destroyed, 1);
  EXPECT_EQ(Owner->ComponentCount(), 1);
  EXPECT_EQ(Owner->Components(0), A);
  delete Owner;
  EXPECT_EQ(Destroyed, 3);
}

TEST_F(Components, AFreedControlLeavesItsParentAndOwner) {
  TForm* Form = ShownForm();
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Panel);
  EXPECT_EQ(Panel->ControlCount(), 1);
  delete Tabs;
  EXPECT_EQ(Panel->ControlCount(), 0);
  EXPECT_EQ(Form->FindComponent(""), nullptr);
  EXPECT_EQ(Form->ComponentCount(), 1);
}

TEST_F(Components, AWindowedControlTakesItsChildrenAlongOwnedOrNot) {
  TForm* Form = ShownForm();
  auto* Pages = new TPageControl(Form);
  Pages->SetParent(Form);
  auto* Sheet = new TTabSheet(Pages);
  Sheet->SetPageControl(Pages);
  // The palette belongs to the form but sits on the sheet.
  auto* Palette = new TTabControl(Form);
  Palette->SetName("TabControl");
  Palette->SetParent(Sheet);
  auto* Other = new TPanel(Form);
  Other->SetParent(Form);

  // Moved out first, the palette survives the sheet.
  Palette->SetParent(Other);
  delete Sheet;
  EXPECT_EQ(Form->FindComponent("TabControl"), Palette);
  EXPECT_EQ(Palette->Parent(), Other);
  EXPECT_EQ(Pages->PageCount(), 0);

  // Left on a sheet, it goes with the sheet and leaves its owner's list.
  auto* Sheet2 = new TTabSheet(Pages);
  Sheet2->SetPageControl(Pages);
  Palette->SetParent(Sheet2);
  const int Before = Form->ComponentCount();
  delete Pages;
  EXPECT_EQ(Form->FindComponent("TabControl"), nullptr);
  EXPECT_EQ(Form->ComponentCount(), Before - 2);
  EXPECT_EQ(Form->ControlCount(), 1);
  EXPECT_EQ(Form->Controls(0), Other);
}

TEST_F(Components, FreeingTheFocusedControlClearsTheFocus) {
  TForm* Form = ShownForm();
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Panel);
  Form->FocusControl(Tabs);
  EXPECT_EQ(Form->ActiveControl(), Tabs);
  delete Panel;
  EXPECT_EQ(Form->ActiveControl(), nullptr);
}

}  // namespace
