// The add-in's items in the IDE's real menus: the main window's menu bar
// with the Component menu, the command of the item there and the shortcut
// typed in the palette, which open the settings dialog, and a right-click
// on the palette, which opens its menu with the item's check mark. On both
// platforms.

#include <memory>
#include <string>

#include "EngineFixture.h"
#include "MenuLetGo.h"
#include "ModalUser.h"

namespace {

std::string Text(HMENU Menu, int Position) {
  char Buffer[256] = {};
  GetMenuStringA(Menu, static_cast<UINT>(Position), Buffer, sizeof Buffer, MF_BYPOSITION);
  return Buffer;
}

class IdeMenus : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // The user looks at each dialog and does nothing: its loop ends it
    // with Cancel.
    User = std::make_unique<TModalUser>([this](TCustomForm*) { ++Dialogs; });
    MakeIde();
    ShowIde();
    Load();
  }

  // A key pressed in the palette, as the VCL's message loop hands it on:
  // first as CN_KEYDOWN, then, unless a menu took it, as itself. The
  // keyboard state has it down from then on (the settings command looks
  // at the A key there).
  // The message names the left-hand modifiers by their generic keys, as
  // Windows does.
  bool Press(int Key) {
    KeyboardState().Press(Key);
    const int Sent = Key == VK_LCONTROL ? VK_CONTROL : Key == VK_LSHIFT ? VK_SHIFT : Key;
    const HWND Wnd = Ide->Palette()->Handle();
    if (SendMessage(Wnd, CN_KEYDOWN, static_cast<WPARAM>(Sent), 1) != 0)
      return true;
    SendMessage(Wnd, WM_KEYDOWN, static_cast<WPARAM>(Sent), 1);
    return false;
  }

  void TearDown() override {
    User.reset();
    EngineTest::TearDown();
  }

  int Dialogs = 0;
  std::unique_ptr<TModalUser> User;
};

TEST_F(IdeMenus, TheMenuBarsComponentMenuEndsWithTheAddinsItemWhoseCommandOpensTheDialog) {
  const HMENU Bar = GetMenu(Ide->Handle());
  ASSERT_EQ(Bar, Ide->MainMenu()->Handle());
  ASSERT_EQ(GetMenuItemCount(Bar), 11);
  EXPECT_EQ(Text(Bar, 6), "Component");
  const HMENU Component = GetSubMenu(Bar, 6);
  ASSERT_EQ(Component, Ide->ComponentMenu()->Handle());
  ASSERT_EQ(GetMenuItemCount(Component), 7);
  TMenuItem* Item = Inspect().ComponentMenuItem();
  EXPECT_EQ(Text(Component, 6), Item->Caption());
  EXPECT_EQ(GetMenuItemID(Component, 6), Item->Command());

  SendMessage(Ide->Handle(), WM_COMMAND, MAKEWPARAM(Item->Command(), 0), 0);
  EXPECT_EQ(Dialogs, 1);
  Unload();
  EXPECT_EQ(GetMenuItemCount(Component), 6);
  EXPECT_EQ(GetMenu(Ide->Handle()), Bar);
}

TEST_F(IdeMenus, CtrlShiftATypedInThePaletteOpensTheDialog) {
  EXPECT_FALSE(Press(VK_LCONTROL));
  EXPECT_FALSE(Press(VK_LSHIFT));
  EXPECT_TRUE(Press('A'));
  EXPECT_EQ(Dialogs, 1);
  EXPECT_FALSE(Press('B'));
  KeyboardState().ReleaseAll();
  EXPECT_FALSE(Press('A')) << "without Ctrl and Shift";
  EXPECT_EQ(Dialogs, 1);
  KeyboardState().ReleaseAll();
  // On the way to the item the palette menu raised OnPopup with its Items
  // as sender, which the add-in passes on to no one.
  EXPECT_EQ(Ide->HostCalls("paletteMenu.OnPopup"), 0);
  // Moved back to the IDE, the palette still has the shortcut; unloaded,
  // not any more.
  Unload();
  Press(VK_LCONTROL);
  Press(VK_LSHIFT);
  EXPECT_FALSE(Press('A'));
  EXPECT_EQ(Dialogs, 1);
}

// A key the user types arrives in the thread's queue; the loop that takes it,
// the platform's as the Application's, lets the palette look at it first.
TEST_F(IdeMenus, CtrlShiftAQueuedForThePaletteReachesItsShortcutThroughTheLoop) {
  KeyboardState().Press(VK_LCONTROL);
  KeyboardState().Press(VK_LSHIFT);
  KeyboardState().Press('A');
  ASSERT_TRUE(PostMessage(Ide->Palette()->Handle(), WM_KEYDOWN, 'A', 1));
  App->AdvanceTime(1);
  KeyboardState().ReleaseAll();
  EXPECT_EQ(Dialogs, 1);
  MSG Left;
  EXPECT_FALSE(PeekMessage(Left, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
}

TEST_F(IdeMenus, ARightClickOnThePaletteOpensItsMenuCheckedWhileARefreshOptionIsOn) {
  TMenuItem* Item = Inspect().PaletteMenuItem();
  TPopupMenu* Menu = Ide->PaletteMenu();
  // The quick switch: left Ctrl held while the item is chosen.
  KeyboardState().Press(VK_LCONTROL);
  SendMessage(Menu->WindowHandle(), WM_COMMAND, MAKEWPARAM(Item->Command(), 0), 0);
  KeyboardState().ReleaseAll();
  EXPECT_EQ(Dialogs, 0);

  const TMenuLetGo LetGo;
  TTabControl* Palette = Ide->Palette();
  const LPARAM At = MAKELPARAM(Palette->ClientWidth() / 2, Palette->ClientHeight() / 2);
  SendMessage(Palette->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At);
  SendMessage(Palette->Handle(), WM_RBUTTONUP, 0, At);
  ASSERT_FALSE(TrackedPopups().empty());
  EXPECT_EQ(TrackedPopups().back().Menu, Menu->Handle());
  EXPECT_EQ(Ide->HostCalls("paletteMenu.OnPopup"), 1);
  const HMENU Popup = Menu->Handle();
  ASSERT_EQ(GetMenuItemCount(Popup), 5);
  EXPECT_EQ(Text(Popup, 4), Item->Caption() + "\tCtrl+Shift+A");
  EXPECT_NE(GetMenuState(Popup, Item->Command(), MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_NE(GetMenuState(Popup, 1, MF_BYPOSITION) & MF_CHECKED, 0u) << "the IDE's Show Hints";
}

}  // namespace
