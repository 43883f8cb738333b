#include <gtest/gtest.h>

#include "ApplicationTest.h"
#include "ComCtrls.h"
#include "EventSpy.h"
#include "ExtCtrls.h"

namespace {

// Writes a control's handle field the way the add-in lends the master tab
// list's window to the palette.
struct Access : TWinControl {
  static HWND TWinControl::*Field() { return &Access::FHandle; }
};

class Windows : public ApplicationTest {
 protected:
  void SetUp() override {
    ApplicationTest::SetUp();
    Form = ShownForm();
    Palette = new TTabControl(Form);
    Palette->SetParent(Form);
    Palette->Tabs()->SetText("A\r\nC");
    Palette->SetTabIndex(1);
    Master = new TTabControl(Form);
    Master->SetVisible(false);
    Master->SetParent(Form);
    Master->Tabs()->SetText("A\r\nB\r\nC\r\nD");
    Master->SetTabIndex(2);
  }
  TForm* Form = nullptr;
  TTabControl* Palette = nullptr;
  TTabControl* Master = nullptr;
};

TEST_F(Windows, AControlWithALentWindowAnswersFromThatWindow) {
  const HWND Own = Palette->Handle();
  Palette->*Access::Field() = Master->Handle();
  EXPECT_EQ(Palette->Tabs()->Count(), 4);
  EXPECT_EQ(Palette->Tabs()->Strings(1), "B");
  EXPECT_EQ(Palette->Tabs()->Text(), "A\r\nB\r\nC\r\nD\r\n");
  EXPECT_EQ(Palette->TabIndex(), 2);
  EXPECT_EQ(Palette->Tabs()->IndexOf("d"), 3);
  EXPECT_EQ(Palette->Handle(), Master->Handle());

  Palette->*Access::Field() = Own;
  EXPECT_EQ(Palette->Tabs()->Count(), 2);
  EXPECT_EQ(Palette->Tabs()->Strings(1), "C");
  EXPECT_EQ(Palette->TabIndex(), 1);
  // The master was only asked, never changed.
  EXPECT_EQ(Master->Tabs()->Count(), 4);
  EXPECT_EQ(Master->TabIndex(), 2);
}

TEST_F(Windows, SendMessageToADestroyedWindowReturnsZero) {
  const HWND Wnd = Master->Handle();
  EXPECT_EQ(SendMessage(Wnd, TCM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(FindControl(Wnd), Master);
  delete Master;
  EXPECT_FALSE(IsWindow(Wnd));
  EXPECT_EQ(SendMessage(Wnd, TCM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(FindControl(Wnd), nullptr);
  // A window made afterwards is not reached through the stale handle.
  auto* Next = new TTabControl(Form);
  Next->Tabs()->Add("X");
  EXPECT_NE(Next->Handle(), Wnd);
  EXPECT_EQ(SendMessage(Wnd, TCM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessage(nullptr, WM_SIZE, 0, 0), 0);
}

TEST_F(Windows, FreeingAControlThatHoldsALentWindowLeavesTheLendersWindow) {
  const HWND Lent = Master->Handle();
  const HWND Own = Palette->Handle();
  Palette->*Access::Field() = Lent;
  delete Palette;
  EXPECT_TRUE(IsWindow(Lent));
  EXPECT_FALSE(IsWindow(Own)) << "its own window goes with it";
  EXPECT_EQ(SendMessage(Own, TCM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(Master->Tabs()->Count(), 4);
  EXPECT_EQ(Master->TabIndex(), 2);
}

TEST_F(Windows, RecreatingTheWindowKeepsTabsObjectsAndSelection) {
  Master->Tabs()->SetObjects(1, TItemObject::FromInteger(77));
  const HWND Old = Master->Handle();
  Master->SetMultiLine(true);
  EXPECT_TRUE(Master->MultiLine());
  EXPECT_NE(GetWindowStyle(Master->Handle()) & TCS_MULTILINE, 0u);
  EXPECT_FALSE(IsWindow(Old));
  EXPECT_EQ(Master->Tabs()->Text(), "A\r\nB\r\nC\r\nD\r\n");
  EXPECT_EQ(Master->Tabs()->Objects(1).AsInteger(), 77);
  EXPECT_EQ(Master->TabIndex(), 2);
  Master->SetOwnerDraw(true);
  Master->SetMultiLine(false);
  EXPECT_EQ(GetWindowStyle(Master->Handle()) & (TCS_MULTILINE | TCS_OWNERDRAWFIXED),
            TCS_OWNERDRAWFIXED);
  EXPECT_EQ(Master->Tabs()->Count(), 4);
  EXPECT_EQ(Master->TabIndex(), 2);
}

TEST_F(Windows, PerformAndSendMessageOfWmSizeRunOnResize) {
  TEventSpy Resized;
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  Panel->SetOnResize(Resized.Event());
  Panel->Perform(WM_SIZE, 0, 0);
  EXPECT_EQ(Resized.Count(), 1);
  EXPECT_EQ(Resized.Sender(), Panel);
  SendMessage(Panel->Handle(), WM_SIZE, 0, 0);
  EXPECT_EQ(Resized.Count(), 2);
  Panel->SetHeight(77);
  EXPECT_EQ(Resized.Count(), 3);
  Panel->SetHeight(77);
  EXPECT_EQ(Resized.Count(), 3) << "no resize without a change of size";
}

TEST_F(Windows, KeyboardStateFollowsEitherHandsKey) {
  std::uint8_t Keys[256];
  KeyboardState().Press(VK_LSHIFT);
  KeyboardState().Press(VK_RSHIFT);
  KeyboardState().Release(VK_LSHIFT);
  GetKeyboardState(Keys);
  EXPECT_NE(Keys[VK_SHIFT] & 0x80, 0);
  KeyboardState().Release(VK_RSHIFT);
  KeyboardState().Press(VK_LCONTROL);
  GetKeyboardState(Keys);
  EXPECT_EQ(Keys[VK_SHIFT] & 0x80, 0);
  EXPECT_NE(Keys[VK_CONTROL] & 0x80, 0);
  EXPECT_NE(Keys[VK_LCONTROL] & 0x80, 0);
  EXPECT_EQ(Keys[VK_RCONTROL] & 0x80, 0);
}

TEST_F(Windows, TheNextApplicationStartsWithNoKeysHeld) {
  KeyboardState().Press(VK_LCONTROL);
  EndApplication();
  TApplication App;
  EXPECT_FALSE(KeyboardState().IsDown(VK_CONTROL));
  EXPECT_FALSE(KeyboardState().IsDown(VK_LCONTROL));
  EXPECT_THROW(TApplication Second, EInvalidOperation);
  EXPECT_EQ(Application, &App);
}

}  // namespace
