#include "AddinCommands.h"

#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "ComCtrls.h"
#include "ExtCtrls.h"
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

// A key pressed in a window, as the VCL's message loop hands it on: the
// control may take it as a menu's shortcut (CN_KEYDOWN) before the key
// itself is sent. True when a menu took it.
bool PressKey(HWND Wnd, int Key, unsigned ScanCode) {
  const auto Data = static_cast<LPARAM>(1 | (ScanCode << 16));
  if (SendMessage(Wnd, CN_KEYDOWN, static_cast<WPARAM>(Key), Data) != 0)
    return true;
  SendMessage(Wnd, WM_KEYDOWN, static_cast<WPARAM>(Key), Data);
  return false;
}

void ReleaseKey(HWND Wnd, int Key, unsigned ScanCode) {
  // The key was down before, and is going up.
  const auto Data = static_cast<LPARAM>(1 | (ScanCode << 16) | 0xC0000000u);
  SendMessage(Wnd, WM_KEYUP, static_cast<WPARAM>(Key), Data);
}

// While it lives, a menu that opens is let go again, as the user's Escape
// does. On Windows a popup menu waits for the user inside TrackPopupMenu,
// whose menu loop dispatches the timer that ends it; the headless
// platform's tracking returns before the timer could fire.
class TMenuLetGo : public TObject {
 public:
  TMenuLetGo() : FTimer(std::make_unique<TTimer>(nullptr)) {
    FTimer->SetInterval(10);
    FTimer->SetOnTimer(TNotifyEvent::Of<&TMenuLetGo::LetGo>(this));
  }

 private:
  void LetGo(TObject*) { EndMenu(); }
  std::unique_ptr<TTimer> FTimer;
};

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
  const std::optional<TWord> Caption = WholeArgument(A.Tail);
  if (!Caption)
    throw ECommandError("usage: group CAPTION | group #N");
  NeedPackage(Sim, A);
  TPageControl* Bar = GroupBar(Sim);
  if (Bar == nullptr || !Bar->Showing())
    throw ECommandError("group: the group bar is not on the screen");
  ClickTab(Bar, FindTab(Bar, *Caption, "group tab"));
}

void PopupCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  TTabControl* Palette = Sim.MainForm()->Palette();
  if (!Palette->Showing())
    throw ECommandError("popup: the palette is not on the screen (use show)");
  // The user right-clicks the middle of the palette: when the button comes
  // up, Windows asks the palette for its context menu, which opens there.
  // Then he lets the menu go without choosing.
  const TMenuLetGo LetGo;
  const LPARAM At = MAKELPARAM(Palette->ClientWidth() / 2, Palette->ClientHeight() / 2);
  SendMessage(Palette->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At);
  SendMessage(Palette->Handle(), WM_RBUTTONUP, 0, At);
}

void MenuCommand(TSimulatorState& Sim, const TArgs& A) {
  if (A.Words.size() != 1 || !A.Tail.empty() ||
      (A.Words[0].Text != "palette" && A.Words[0].Text != "component"))
    throw ECommandError("usage: menu palette|component");
  NeedPackage(Sim, A);
  NeedShown(Sim, A);
  TIdeMainForm* Form = Sim.MainForm();
  const bool Palette = A.Words[0].Text == "palette";
  TMenuItem* Item = AddinItem(Sim, Palette ? Form->PaletteMenu()->Items() : Form->ComponentMenu());
  if (Item == nullptr)
    throw ECommandError("menu: the add-in has no item in the " + A.Words[0].Text + " menu");
  // The user chooses the item: Windows sends its command to the window the
  // menu belongs to, the main window's for its menu bar, the palette menu's
  // own for the context menu.
  const HWND Owner = Palette ? Form->PaletteMenu()->WindowHandle() : Form->Handle();
  SendMessage(Owner, WM_COMMAND, MAKEWPARAM(Item->Command(), 0), 0);
}

void ShortcutCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  NeedPackage(Sim, A);
  NeedShown(Sim, A);
  // The keys go to the window with the keyboard focus in the IDE's main
  // window: its focused control, else the palette, where the focus stays
  // when the add-in moves it (the move clears only the VCL's ActiveControl).
  TIdeMainForm* Form = Sim.MainForm();
  TWinControl* Focused = Form->ActiveControl() != nullptr ? Form->ActiveControl() : Form->Palette();
  const HWND Wnd = Focused->Handle();
  // The left-hand keys in the keyboard state, the generic ones in the
  // messages, as Windows sends them. Keys the user was already holding stay
  // held; the others are let go afterwards, the last pressed first.
  struct TKey {
    int Held, Sent;
    unsigned ScanCode;
  };
  static constexpr TKey kKeys[] = {
      {VK_LCONTROL, VK_CONTROL, 0x1D}, {VK_LSHIFT, VK_SHIFT, 0x2A}, {'A', 'A', 0x1E}};
  TKeyboardState& Keys = KeyboardState();
  std::vector<const TKey*> Pressed;
  bool Taken = false;
  {
    ScopeExit LetGo([&] {
      for (auto It = Pressed.rbegin(); It != Pressed.rend(); ++It) {
        Keys.Release((*It)->Held);
        ReleaseKey(Wnd, (*It)->Sent, (*It)->ScanCode);
      }
    });
    for (const TKey& Key : kKeys) {
      if (!Keys.IsDown(Key.Held)) {
        Keys.Press(Key.Held);
        Pressed.push_back(&Key);
      }
      Taken = PressKey(Wnd, Key.Sent, Key.ScanCode);
    }
  }
  if (!Taken)
    throw ECommandError("shortcut: no menu item answers Ctrl+Shift+A");
}
