#include "AddinCommands.h"

#include <ostream>

#include "ComCtrls.h"
#include "Menus.h"
#include "ScopeExit.h"
#include "SimulatorState.h"
#include "UserInput.h"

namespace {

void NeedPackage(TSimulatorState& Sim, const TArgs& A) {
  if (Sim.Package() == nullptr)
    throw ECommandError(A.Command + ": the add-in is not loaded (use load)");
}

// The add-in's menu items and its shortcut act in the shown IDE only; a
// hidden main form would take the command and do nothing.
void NeedShown(TSimulatorState& Sim, const TArgs& A) {
  if (!Sim.MainForm()->Showing())
    throw ECommandError(A.Command + ": the main form is not shown (use show)");
}

// The group bar: the control that holds the palette's sheet.
TPageControl* GroupBar(TSimulatorState& Sim) {
  for (TWinControl* C = Sim.MainForm()->Palette()->Parent(); C != nullptr; C = C->Parent())
    if (auto* Bar = dynamic_cast<TPageControl*>(C))
      return Bar;
  return nullptr;
}

// The add-in's item of a menu: the one item there that the IDE did not make.
TMenuItem* AddinItem(TSimulatorState& Sim, TMenuItem* Menu) {
  for (int i = Menu->Count() - 1; i >= 0; --i)
    if (!Sim.MainForm()->IsIdeObject(Menu->Items(i)))
      return Menu->Items(i);
  return nullptr;
}

}  // namespace

void LoadCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  if (Sim.Package() != nullptr)
    throw ECommandError("load: the add-in is loaded already");
  Sim.SetPackage(&Sim.Ide().Packages().Load(Sim.Options().Package));
}

void UnloadCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  NeedPackage(Sim, A);
  const TLoadedPackage* Package = Sim.Package();
  Sim.SetPackage(nullptr);
  Sim.Ide().Packages().Unload(*Package);
}

void GroupCommand(TSimulatorState& Sim, const TArgs& A) {
  if (A.Words.size() != 1 || !A.Tail.empty())
    throw ECommandError("usage: group CAPTION | group #N");
  NeedPackage(Sim, A);
  TPageControl* Bar = GroupBar(Sim);
  if (Bar == nullptr || !Bar->Showing())
    throw ECommandError("group: the group bar is not on the screen");
  ClickTab(Bar, FindTab(Bar, A.Words[0], "group tab"));
}

void PopupCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  if (!Sim.MainForm()->Palette()->Showing())
    throw ECommandError("popup: the palette is not on the screen (use show)");
  Sim.MainForm()->PaletteMenu()->Popup(0, 0);
}

void MenuCommand(TSimulatorState& Sim, const TArgs& A) {
  if (A.Words.size() != 1 || !A.Tail.empty() ||
      (A.Words[0].Text != "palette" && A.Words[0].Text != "component"))
    throw ECommandError("usage: menu palette|component");
  NeedPackage(Sim, A);
  NeedShown(Sim, A);
  TMenuItem* Menu = A.Words[0].Text == "palette" ? Sim.MainForm()->PaletteMenu()->Items()
                                                 : Sim.MainForm()->ComponentMenu();
  TMenuItem* Item = AddinItem(Sim, Menu);
  if (Item == nullptr)
    throw ECommandError("menu: the add-in has no item in the " + A.Words[0].Text + " menu");
  Item->Click();
}

void ShortcutCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  NeedPackage(Sim, A);
  NeedShown(Sim, A);
  // The keys are held while the menu runs the item, and let go afterwards;
  // keys the user was already holding stay held.
  TKeyboardState& Keys = KeyboardState();
  const int Pressed[] = {VK_LCONTROL, VK_LSHIFT, 'A'};
  std::vector<int> Released;
  for (int Key : Pressed)
    if (!Keys.IsDown(Key)) {
      Keys.Press(Key);
      Released.push_back(Key);
    }
  ScopeExit LetGo([&] {
    for (int Key : Released)
      Keys.Release(Key);
  });
  if (!Sim.MainForm()->PaletteMenu()->DispatchShortCut(ShortCut('A', TShiftState{ssShift, ssCtrl})))
    throw ECommandError("shortcut: no menu item answers Ctrl+Shift+A");
}
