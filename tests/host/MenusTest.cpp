// Menus: the platform's menus that the items make and keep up to date,
// the commands and shortcuts that reach the items, and the right-click that
// opens a control's popup menu. They run on both platforms.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ApplicationTest.h"
#include "ComCtrls.h"
#include "EventSpy.h"
#include "ExtCtrls.h"
#include "MenuLetGo.h"
#include "Menus.h"

namespace {

std::string Text(HMENU Menu, int Position) {
  char Buffer[256] = {};
  GetMenuStringA(Menu, static_cast<UINT>(Position), Buffer, sizeof Buffer, MF_BYPOSITION);
  return Buffer;
}

bool Has(HMENU Menu, const TMenuItem* Item, UINT Flag) {
  const UINT State = GetMenuState(Menu, Item->Command(), MF_BYCOMMAND);
  return State != kNoMenuItem && (State & Flag) != 0;
}

class Menus : public ApplicationTest {
 protected:
  TMenuItem* Add(TMenuItem* Parent, const std::string& Caption, TShortCut Key = scNone) {
    auto* Item = new TMenuItem(App);
    Item->SetCaption(Caption);
    Item->SetShortCut(Key);
    Parent->Add(Item);
    return Item;
  }
};

TEST_F(Menus, ShortCutValueAndText) {
  EXPECT_EQ(ShortCut(0x41, {ssShift, ssCtrl}), 0x6041);
  EXPECT_EQ(ShortCutToText(ShortCut(0x41, {ssShift, ssCtrl})), "Ctrl+Shift+A");
  EXPECT_EQ(ShortCutToText(ShortCut(0x41, {ssAlt})), "Alt+A");
  EXPECT_EQ(ShortCutToText(ShortCut(0x70, {})), "F1");
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(ShortCut(0x141, {ssCtrl}), 0) << "not a key";
}

TEST_F(Menus, ItemsAddRemoveAndFreeing) {
  TComponent Owner(nullptr);
  auto* Menu = new TPopupMenu(&Owner);
  auto* Host = new TMenuItem(Menu);
  Host->SetCaption("Host item");
  Menu->Items()->Add(Host);
  auto* Mine = new TMenuItem(Menu);
  Menu->Items()->Add(Mine);
  EXPECT_EQ(Menu->Items()->Count(), 2);
  EXPECT_EQ(Menu->Items()->Items(1), Mine);
  EXPECT_EQ(Mine->Parent(), Menu->Items());
  EXPECT_THROW(Menu->Items()->Add(Mine), EInvalidOperation) << "inserted twice";
  delete Mine;
  EXPECT_EQ(Menu->Items()->Count(), 1);
  EXPECT_EQ(Menu->ComponentCount(), 1);

  // An item owned by the menu item it sits in, like one added to the IDE's
  // Component menu.
  auto* Sub = new TMenuItem(Host);
  Host->Add(Sub);
  Host->Remove(Sub);
  EXPECT_EQ(Host->Count(), 0);
  EXPECT_EQ(Sub->Parent(), nullptr);
  EXPECT_THROW(Host->Remove(Sub), EInvalidOperation);
  Host->Add(Sub);
  delete Host;  // takes its sub-items along
  EXPECT_EQ(Menu->Items()->Count(), 0);
  EXPECT_EQ(Menu->ComponentCount(), 0);
}

TEST_F(Menus, ItemsAreEntriesOfThePlatformsMenus) {
  auto* Menu = new TPopupMenu(App);
  TMenuItem* Open = Add(Menu->Items(), "Open", ShortCut('A', {ssShift, ssCtrl}));
  TMenuItem* Recent = Add(Menu->Items(), "Recent");
  TMenuItem* One = Add(Recent, "One");
  Add(Menu->Items(), "-");
  TMenuItem* Hidden = Add(Menu->Items(), "Hidden");
  Hidden->SetVisible(false);
  TMenuItem* Off = Add(Menu->Items(), "Off");
  Off->SetEnabled(false);

  const HMENU Popup = Menu->Handle();
  ASSERT_EQ(GetMenuItemCount(Popup), 4) << "the hidden item has no entry";
  EXPECT_EQ(Text(Popup, 0), "Open\tCtrl+Shift+A");
  EXPECT_EQ(GetMenuItemID(Popup, 0), Open->Command());
  const HMENU RecentMenu = GetSubMenu(Popup, 1);
  EXPECT_EQ(RecentMenu, Recent->Handle());
  EXPECT_EQ(GetMenuItemID(Popup, 1), kNoMenuItem) << "it opens a menu";
  EXPECT_EQ(GetMenuItemID(RecentMenu, 0), One->Command());
  EXPECT_NE(GetMenuState(Popup, 2, MF_BYPOSITION) & MF_SEPARATOR, 0u);
  EXPECT_TRUE(Has(Popup, Off, MF_GRAYED));
  // By command, the items of the menus below are found too.
  One->SetChecked(true);
  EXPECT_TRUE(Has(Popup, One, MF_CHECKED));

  // Every change shows at once.
  Hidden->SetVisible(true);
  Off->SetEnabled(true);
  Open->SetCaption("Open...");
  ASSERT_EQ(GetMenuItemCount(Popup), 5);
  EXPECT_EQ(Text(Popup, 0), "Open...\tCtrl+Shift+A");
  EXPECT_EQ(Text(Popup, 3), "Hidden");
  EXPECT_FALSE(Has(Popup, Off, MF_GRAYED));
  // An item without sub-items opens no menu, and a freed one leaves its
  // menus.
  delete One;
  EXPECT_EQ(GetMenuItemID(Popup, 1), Recent->Command());
  delete Recent;
  EXPECT_EQ(GetMenuItemCount(Popup), 4);
  EXPECT_FALSE(IsMenu(RecentMenu));
  delete Menu;
  EXPECT_FALSE(IsMenu(Popup));
}

TEST_F(Menus, AFormShowsItsMainMenuAndItsWindowGetsTheCommands) {
  TForm* Form = ShownForm();
  auto* Main = new TMainMenu(Form);
  TMenuItem* File = Add(Main->Items(), "File");
  TMenuItem* Exit = Add(File, "Exit", ShortCut('X', {ssAlt}));
  Add(Main->Items(), "Run", ShortCut(0x78, {}));
  TEventSpy Clicks;
  Exit->SetOnClick(Clicks.Event());
  Form->SetMenu(Main);

  const HMENU Bar = GetMenu(Form->Handle());
  ASSERT_EQ(Bar, Main->Handle());
  EXPECT_EQ(Main->WindowHandle(), Form->Handle());
  EXPECT_EQ(Text(Bar, 1), "Run") << "no shortcut on the bar";
  EXPECT_EQ(Text(GetSubMenu(Bar, 0), 0), "Exit\tAlt+X");
  TMenuItem* Later = Add(File, "Later");
  EXPECT_EQ(GetMenuItemID(GetSubMenu(Bar, 0), 1), Later->Command());

  SendMessage(Form->Handle(), WM_COMMAND, MAKEWPARAM(Exit->Command(), 0), 0);
  EXPECT_EQ(Clicks.Senders, std::vector<TObject*>{Exit});
  // A control's own command names its window: it is no menu's.
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  SendMessage(Form->Handle(), WM_COMMAND, MAKEWPARAM(Exit->Command(), 0),
              reinterpret_cast<LPARAM>(Panel->Handle()));
  EXPECT_EQ(Clicks.Count(), 1);

  // A dialog shows no menu bar; a freed menu leaves the form.
  auto* Dialog = new TForm(App);
  Dialog->SetBorderStyle(bsDialog);
  auto* DialogMenu = new TMainMenu(Dialog);
  Add(DialogMenu->Items(), "Item");
  Dialog->SetMenu(DialogMenu);
  Dialog->HandleNeeded();
  EXPECT_EQ(GetMenu(Dialog->Handle()), nullptr);
  EXPECT_EQ(DialogMenu->WindowHandle(), nullptr);
  delete Main;
  EXPECT_EQ(Form->Menu(), nullptr);
  EXPECT_EQ(GetMenu(Form->Handle()), nullptr);
  EXPECT_FALSE(IsMenu(Bar));
}

// Moves a shortcut to another item when the menu pops up, once.
struct TMover : TObject {
  TMenuItem* From = nullptr;
  TMenuItem* To = nullptr;
  void Popup(TObject*) {
    if (From == nullptr)
      return;
    To->SetShortCut(From->ShortCut());
    From->SetShortCut(scNone);
    From = nullptr;
  }
};

TEST_F(Menus, KeysInAControlReachTheShortcutsOfItsParentsMenusThenTheForms) {
  TForm* Form = ShownForm();
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Panel);
  auto* Popup = new TPopupMenu(Form);
  Panel->SetPopupMenu(Popup);
  auto* Main = new TMainMenu(Form);
  Form->SetMenu(Main);
  const TShortCut CtrlShiftA = ShortCut('A', {ssShift, ssCtrl});
  TMenuItem* Near = Add(Popup->Items(), "Near", CtrlShiftA);
  TMenuItem* Far = Add(Add(Main->Items(), "Edit"), "Far", CtrlShiftA);
  TMenuItem* F2 = Add(Far->Parent(), "F2", ShortCut(0x71, {}));
  TMenuItem* AltA = Add(Popup->Items(), "AltA", ShortCut('A', {ssAlt}));
  TEventSpy Clicks, Popups;
  for (TMenuItem* Item : {Near, Far, F2, AltA})
    Item->SetOnClick(Clicks.Event());
  Popup->SetOnPopup(Popups.Event());
  auto Key = [&](int Code, LPARAM Data = 0) {
    return SendMessage(Tabs->Handle(), CN_KEYDOWN, static_cast<WPARAM>(Code), Data);
  };

  KeyboardState().Press(VK_LCONTROL);
  KeyboardState().Press(VK_LSHIFT);
  EXPECT_EQ(Key(VK_CONTROL), 0);
  EXPECT_EQ(Key('A'), 1);
  EXPECT_EQ(Clicks.Senders, std::vector<TObject*>{Near}) << "the nearest menu first";
  // The way to the item passes the popup menu's Items, which raise OnPopup.
  EXPECT_EQ(Popups.Senders, std::vector<TObject*>{Popup->Items()});
  // A disabled item keeps its shortcut from the menus behind it, and does
  // nothing.
  Near->SetEnabled(false);
  EXPECT_EQ(Key('A'), 1);
  EXPECT_EQ(Clicks.Count(), 1);
  KeyboardState().ReleaseAll();
  EXPECT_EQ(Key('A'), 0);
  EXPECT_EQ(Key(0x71), 1);
  EXPECT_EQ(Key('A', 0x20000000), 1) << "Alt comes with the key";
  EXPECT_EQ(Clicks.Senders, (std::vector<TObject*>{Near, F2, AltA}));

  // OnPopup may move the shortcut: the item that has it then runs.
  TMover Mover;
  Mover.From = AltA;
  Mover.To = Near;
  Near->SetEnabled(true);
  Popup->SetOnPopup(TNotifyEvent::Of<&TMover::Popup>(&Mover));
  EXPECT_EQ(Key('A', 0x20000000), 1);
  EXPECT_EQ(Clicks.Senders.back(), Near);
  EXPECT_EQ(AltA->ShortCut(), scNone);
  // The form's menu answers only while it is on the form's window.
  Form->SetMenu(nullptr);
  EXPECT_EQ(Key(0x71), 0);
}

TEST_F(Menus, ARightClickOpensThePopupMenuOfTheControlOrOfAParent) {
  TForm* Form = ShownForm();
  auto* Panel = new TPanel(Form);
  Panel->SetBounds(10, 20, 200, 100);
  Panel->SetParent(Form);
  auto* Tabs = new TTabControl(Form);
  Tabs->SetBounds(5, 5, 100, 50);
  Tabs->SetParent(Panel);
  auto* Popup = new TPopupMenu(Form);
  TMenuItem* Hide = Add(Popup->Items(), "Hide");
  Panel->SetPopupMenu(Popup);
  TEventSpy Popups, Clicks;
  Popup->SetOnPopup(Popups.Event());
  Hide->SetOnClick(Clicks.Event());
  const TMenuLetGo LetGo;
  const std::size_t Before = TrackedPopups().size();
  auto RightClick = [&](TWinControl* Control, int X, int Y) {
    SendMessage(Control->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(X, Y));
    SendMessage(Control->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(X, Y));
  };

  RightClick(Tabs, 7, 9);
  ASSERT_EQ(TrackedPopups().size(), Before + 1);
  TPoint At{7, 9};
  ClientToScreen(Tabs->Handle(), At);
  const TTrackedPopup Tracked = TrackedPopups().back();
  EXPECT_EQ(Tracked.Menu, Popup->Handle());
  EXPECT_EQ(Tracked.Owner, Popup->WindowHandle());
  const TPoint TrackedAt{Tracked.X, Tracked.Y};
  EXPECT_EQ(TrackedAt, At) << "where the user clicked";
  EXPECT_EQ(Popups.Senders, std::vector<TObject*>{Popup});
  // From the keyboard the menu opens at the control's top left.
  SendMessage(Panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Panel->Handle()),
              MAKELPARAM(-1, -1));
  TPoint Corner;
  ClientToScreen(Panel->Handle(), Corner);
  ASSERT_EQ(TrackedPopups().size(), Before + 2);
  const TPoint KeyboardAt{TrackedPopups().back().X, TrackedPopups().back().Y};
  EXPECT_EQ(KeyboardAt, Corner);
  // The item chosen in the tracked menu sends its command to the menu's
  // window.
  SendMessage(Popup->WindowHandle(), WM_COMMAND, MAKEWPARAM(Hide->Command(), 0), 0);
  EXPECT_EQ(Clicks.Senders, std::vector<TObject*>{Hide});

  // Without AutoPopup, or once the menu is freed, nothing opens.
  Popup->SetAutoPopup(false);
  RightClick(Tabs, 7, 9);
  delete Popup;
  EXPECT_EQ(Panel->PopupMenu(), nullptr);
  RightClick(Tabs, 7, 9);
  EXPECT_EQ(TrackedPopups().size(), Before + 2);
}

}  // namespace
