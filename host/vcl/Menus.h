#pragma once

// Delphi's Menus unit: menu items, the main menu, popup menus and shortcuts.
// As in the VCL, every item that holds items has a menu of the platform (a
// main menu's items: the menu bar) with one entry per visible sub-item, and
// every item a command ID that the platform's WM_COMMAND carries back when
// the user chooses it. The menus are made when first asked for and follow
// every change of the items after.

#include <cstdint>
#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"
#include "WindowsMenus.h"

using TShortCut = Word;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
// "Ctrl+Shift+A"; the empty text for no shortcut.
std::string ShortCutToText(TShortCut ShortCut);

class TMenu;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = Value; }
  // The ID of the item's WM_COMMAND.
  Word Command() const { return FCommand; }
  // The menu of the item's sub-items, made when first asked for.
  HMENU Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const { return FParent; }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  int IndexOf(const TMenuItem* Item) const;

  // The user chooses the item.
  virtual void Click();

 private:
  friend class TMenu;
  // The item's entry in its parent's menu.
  void AppendTo(HMENU Menu);
  // The menu's entries made anew from the sub-items.
  void RebuildHandle();
  // A change that the parent's menu shows.
  void MenuChanged();
  bool IsMenuBar() const;

  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  TShortCut FShortCut = 0;
  TNotifyEvent FOnClick;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  // Set for a menu's Items: the menu they belong to.
  TMenu* FMenu = nullptr;
  HMENU FHandle = nullptr;
  Word FCommand;
};

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  TMenuItem* Items() const { return FItems; }
  // The platform's menu of the items (a main menu's: its menu bar).
  HMENU Handle() const { return FItems->Handle(); }
  // The window the menu's commands and shortcuts belong to; a main menu
  // has one while it is on a form's window.
  HWND WindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(HWND Value) { FWindowHandle = Value; }

  // The item, Items itself included, with that command ID, menu handle or
  // shortcut; disabled and hidden items count too, as in the VCL.
  TMenuItem* FindItem(std::uintptr_t Value, TFindItemKind Kind) const;
  // A WM_COMMAND's ID: the item runs; false when the menu has no such item.
  bool DispatchCommand(Word ACommand);
  // A key message (WParam the key, LParam its key data; Shift and Ctrl from
  // the keyboard state, Alt from the key data) taken as a shortcut: its
  // item's parents are clicked from the top (a popup menu's Items raise
  // OnPopup so), then the item; true when an item has that shortcut, even
  // a disabled one, which is not clicked.
  bool IsShortCut(TMessage& Message);

 protected:
  HWND FWindowHandle = nullptr;

 private:
  TMenuItem* FItems;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  // Opens the menu at X, Y on the screen: OnPopup runs with the menu as
  // sender, then the platform tracks the menu, and the item the user
  // chooses sends its WM_COMMAND to the menu's window.
  virtual void Popup(int X, int Y);
  TNotifyEvent OnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = Value; }
  // Whether a right-click on a control that names the menu opens it.
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }

 protected:
  virtual void DoPopup(TObject* Sender);

 private:
  void WndProc(TMessage& Message);
  TNotifyEvent FOnPopup;
  bool FAutoPopup = true;
};
