#pragma once

// Delphi's Menus unit: menu items, the main menu, popup menus and shortcuts.

#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"

using TShortCut = Word;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
// "Ctrl+Shift+A"; the empty text for no shortcut.
std::string ShortCutToText(TShortCut ShortCut);

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) { FChecked = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = Value; }

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
  // The enabled item below this one with that shortcut, or nullptr.
  TMenuItem* FindShortCut(TShortCut Value);

 private:
  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  TShortCut FShortCut = 0;
  TNotifyEvent FOnClick;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  TMenuItem* Items() const { return FItems; }
  // Runs the item with that shortcut; false when the menu has none.
  bool DispatchShortCut(TShortCut Value);

 private:
  TMenuItem* FItems;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
  // Opens the menu: OnPopup runs with the menu as sender.
  virtual void Popup(int X, int Y);
  TNotifyEvent OnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = Value; }

 protected:
  virtual void DoPopup(TObject* Sender);

 private:
  TNotifyEvent FOnPopup;
};
