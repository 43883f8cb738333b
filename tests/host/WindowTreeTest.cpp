#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ApplicationTest.h"
#include "ComCtrls.h"
#include "DisplayList.h"
#include "EventSpy.h"
#include "Label.h"
#include "StdCtrls.h"
#include "UserInput.h"
#include "WindowCapture.h"

// A windowed control's window follows the control on both platforms: it
// goes under its parent's window (also when the control gets its parent
// later, or the parent a new window), takes the control's place and size, shows and
// hides with it, and a click on a tab of the window is answered by the
// control through the notifications its parent hands back.

namespace {

class WindowTree : public ApplicationTest {};

struct TChangingProbe : TObject {
  bool Allow = true;
  int Asked = 0, Changed = 0;
  void Changing(TObject*, bool& A) {
    ++Asked;
    A = Allow;
  }
  void Change(TObject*) { ++Changed; }
};

TEST_F(WindowTree, ChildWindowsFollowTheirControlsAndAnswerTheirOwnNotifications) {
  auto* Form = new TForm(App);
  Form->SetBounds(10, 10, 400, 300);
  auto* Panel = new TTabControl(Form);
  Panel->SetParent(Form);
  Panel->SetBounds(5, 6, 300, 200);
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Panel);
  Tabs->SetBounds(7, 8, 250, 150);
  Tabs->Tabs()->SetText("One\r\nTwo\r\nThree");
  // A window is made under its parent's, which is made for it.
  const HWND TabsWnd = Tabs->Handle();
  ASSERT_TRUE(Panel->HandleAllocated() && Form->HandleAllocated());
  EXPECT_EQ(GetParent(TabsWnd), Panel->Handle());
  EXPECT_EQ(GetParent(Panel->Handle()), Form->Handle());
  EXPECT_FALSE(IsWindowVisible(TabsWnd)) << "the form is not shown yet";
  Form->Show();
  EXPECT_TRUE(IsWindowVisible(TabsWnd));

  Tabs->SetBounds(9, 11, 240, 140);
  const TWindowRecord* R = WindowRecord(TabsWnd);
  ASSERT_NE(R, nullptr);
  EXPECT_EQ((TRect{R->Left, R->Top, R->Left + R->Width, R->Top + R->Height}),
            (TRect{9, 11, 249, 151}));
  Panel->Hide();
  EXPECT_FALSE(IsWindowVisible(TabsWnd)) << "hidden with its parent";
  Panel->Show();
  Tabs->Hide();
  EXPECT_FALSE(IsWindowVisible(TabsWnd));
  Tabs->Show();

  // A new window for the parent keeps the child's window and tabs.
  Panel->SetMultiLine(true);
  EXPECT_TRUE(IsWindow(TabsWnd));
  EXPECT_EQ(Tabs->Handle(), TabsWnd);
  EXPECT_EQ(GetParent(TabsWnd), Panel->Handle());
  EXPECT_EQ(Tabs->Tabs()->Count(), 3);
  // No window goes under itself or its own child.
  EXPECT_EQ(SetParent(Panel->Handle(), TabsWnd), nullptr);
  EXPECT_EQ(GetParent(Panel->Handle()), Form->Handle());

  // A click on the second tab: asked, refused, then allowed and changed.
  TChangingProbe Probe;
  Tabs->SetOnChanging(TTabChangingEvent::Of<&TChangingProbe::Changing>(&Probe));
  Tabs->SetOnChange(TNotifyEvent::Of<&TChangingProbe::Change>(&Probe));
  const TRect Second = Tabs->TabRect(1);
  const LPARAM At = MAKELPARAM((Second.Left + Second.Right) / 2, (Second.Top + Second.Bottom) / 2);
  for (const bool Allow : {false, true}) {
    SCOPED_TRACE(Allow ? "allowed" : "refused");
    Probe.Allow = Allow;
    SendMessage(TabsWnd, WM_LBUTTONDOWN, MK_LBUTTON, At);
    SendMessage(TabsWnd, WM_LBUTTONUP, 0, At);
    EXPECT_EQ(Tabs->TabIndex(), Allow ? 1 : 0);
    EXPECT_EQ(Probe.Changed, Allow ? 1 : 0);
  }
  EXPECT_EQ(Probe.Asked, 2);

  // Moved straight from one parent to another, shown or hidden, the window
  // goes under the new parent's window, in its place, showing with it.
  auto* HiddenParent = new TTabControl(Form);
  HiddenParent->SetParent(Form);
  HiddenParent->Hide();
  for (TWinControl* To : std::vector<TWinControl*>{HiddenParent, Form, Panel, HiddenParent}) {
    SCOPED_TRACE(To->Showing() ? "to a shown parent" : "to a hidden parent");
    Tabs->SetParent(To);
    EXPECT_EQ(GetParent(TabsWnd), To->Handle());
    EXPECT_EQ(IsWindowVisible(TabsWnd) != 0, To->Showing());
    EXPECT_EQ(WindowRecord(TabsWnd)->Left, 9);
  }
  HiddenParent->Show();
  EXPECT_TRUE(IsWindowVisible(TabsWnd)) << "shown with the parent it came to hidden";

  // Taken off its parent, the window is parked, not destroyed.
  Tabs->SetParent(nullptr);
  EXPECT_TRUE(IsWindow(TabsWnd));
  EXPECT_EQ(GetParent(TabsWnd), nullptr);
  // Given a parent again, it goes under the parent's window, in its place.
  Tabs->SetParent(Form);
  EXPECT_EQ(GetParent(TabsWnd), Form->Handle());
  EXPECT_EQ(WindowRecord(TabsWnd)->Left, 9);
  EXPECT_TRUE(IsWindowVisible(TabsWnd));
  delete Tabs;
  EXPECT_FALSE(IsWindow(TabsWnd));
}

// An owner-drawn tab that the window asks for (CN_DRAWITEM) is drawn by the
// control's canvas on the DC that came with the request, from the control's
// font and brush, and the canvas records on its own again afterwards. The
// real platform's pixels are checked by the group bar's capture.
TEST_F(WindowTree, AnOwnerDrawnTabAskedForByItsWindowIsDrawnOnTheLentDC) {
  if (WindowCaptureAvailable())
    GTEST_SKIP() << "a recording DC draws nothing on the real platform";
  TForm* Form = ShownForm();
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Form);
  Tabs->SetOwnerDraw(true);
  Tabs->Tabs()->SetText("One\r\nTwo");
  Tabs->Font()->SetColor(clRed);
  Tabs->Canvas()->Font()->SetColor(clBlue);
  Tabs->Canvas()->DisplayList().Clear();
  TDisplayList Lent;
  const HDC DC = CreateRecordingDC(&Lent, nullptr);
  ASSERT_TRUE(PrintWindow(Tabs->Handle(), DC, 0));
  std::vector<std::string> Texts;
  int Fills = 0, Depth = 0;
  for (const TDisplayItem& Item : Lent.Items()) {
    Depth += Item.Kind == TDisplayItem::dkSaveDC      ? 1
             : Item.Kind == TDisplayItem::dkRestoreDC ? -1
                                                      : 0;
    EXPECT_GE(Depth, 0);
    // The window's class draws the background and the tabs' edges; each
    // item's face is the control's brush.
    if (Item.Kind == TDisplayItem::dkFillRect &&
        (Item.Rect == Tabs->TabRect(0) || Item.Rect == Tabs->TabRect(1))) {
      ++Fills;
      EXPECT_EQ(Item.Color, static_cast<std::uint32_t>(Tabs->Brush()->Color()));
    }
    if (Item.Kind == TDisplayItem::dkText) {
      Texts.push_back(Item.Text);
      EXPECT_EQ(Item.Color, static_cast<std::uint32_t>(clRed));
    }
  }
  EXPECT_EQ(Texts, (std::vector<std::string>{"One", "Two"}));
  EXPECT_EQ(Fills, 2);
  EXPECT_EQ(Depth, 0) << "the DC is given back as it came";
  EXPECT_TRUE(Tabs->Canvas()->DisplayList().Items().empty());
  const std::size_t Drawn = Lent.Items().size();
  Tabs->Canvas()->FillRect(TRect{0, 0, 4, 4});
  EXPECT_EQ(Tabs->Canvas()->DisplayList().Items().size(), 1u);
  EXPECT_EQ(Lent.Items().size(), Drawn);
  DeleteDC(DC);
}

// A control without a window takes its clicks from its parent's window,
// which looks for it among its windowless children only: windowed siblings
// that come and go, freed while the parent lives, do not hide it.
TEST_F(WindowTree, AWindowlessControlTakesItsClicksWhateverWindowedSiblingsComeAndGo) {
  TForm* Form = ShownForm();
  auto* Link = new TLabel(Form);
  Link->SetParent(Form);
  Link->SetCaption("Link");
  Link->SetBounds(10, 10, 60, 20);
  TEventSpy Clicks;
  Link->SetOnClick(Clicks.Event());
  for (int i = 0; i < 2; ++i) {
    auto* Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(100, 10 + 30 * i, 80, 20);
  }
  for (int Freed = 1; Freed <= 2; ++Freed) {
    delete Form->Controls(Form->ControlCount() - 1);
    App->ProcessMessages();
    ClickAt(Form->Handle(), {20, 15});
    App->ProcessMessages();
    EXPECT_EQ(Clicks.Senders.size(), static_cast<std::size_t>(Freed)) << Freed << " freed";
  }
  EXPECT_EQ(Clicks.Senders, (std::vector<TObject*>{Link, Link}));
}

}  // namespace
