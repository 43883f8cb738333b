#pragma once

// The headless list box ("LISTBOX") and combo box ("COMBOBOX") and the list
// that drops down from a combo box ("ComboLBox"), as Windows' own classes
// keep their items and answer their messages and the user's mouse and keys.
// The widgetset reaches their items directly (a whole list in one call).
// Only the headless backend's sources include this header.

#include "NativeLists.h"
#include "TextItems.h"
#include "Windows.h"

class TNativeListBox : public TNativeWindow {
 public:
  void Created(HWND Wnd, const std::string& WindowName) override;
  LRESULT Handle(HWND Wnd, TMessage& M) override;

  // The height of one item: what LB_SETITEMHEIGHT set, else the font's.
  int ItemHeight(HWND Wnd) const;
  TRect ItemRect(HWND Wnd, int Index) const;
  bool Sorted(HWND Wnd) const { return (GetWindowStyle(Wnd) & LBS_SORT) != 0; }

  // Moves the selection by an arrow, Home or End key; whether it moved.
  bool KeySelect(int Key);

  TTextItems Items;
  int TopIndex = 0;

 protected:
  // The button has come up after a press on the list: the owner hears of
  // the selection; a list that drops from a combo box ends the choice.
  virtual void Released(HWND Wnd);
  int ItemAt(HWND Wnd, TPoint Point) const;

 private:
  LRESULT ItemMessage(HWND Wnd, TMessage& M);
  LRESULT InputMessage(HWND Wnd, TMessage& M);
  int FItemHeight = 0;
  bool FPressed = false;
};

// The list of a combo box: its items are the combo box's.
class TNativeComboList : public TNativeListBox {
 public:
  // Measured by its combo box, not by itself.
  void Created(HWND Wnd, const std::string& WindowName) override {
    TNativeWindow::Created(Wnd, WindowName);
  }
  HWND Combo = nullptr;

 protected:
  void Released(HWND Wnd) override;
};

class TNativeComboBox : public TNativeWindow {
 public:
  ~TNativeComboBox() override;
  void Created(HWND Wnd, const std::string& WindowName) override;
  LRESULT Handle(HWND Wnd, TMessage& M) override;

  TNativeComboList& List() const;
  HWND ListWindow() const { return FList; }
  bool DroppedDown() const { return FDropped; }
  // Drops the list down or closes it (Choose: with the item the list
  // holds selected as the choice).
  void DropDown(HWND Wnd);
  void CloseUp(HWND Wnd, bool Choose);
  TRect ButtonRect(HWND Wnd) const;

 private:
  LRESULT ItemMessage(HWND Wnd, TMessage& M);
  HWND FList = nullptr;
  bool FDropped = false;
  int FDropSelected = -1;
  int FEditHeight = 0;
};
