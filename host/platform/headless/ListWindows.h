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
  // The items in view (drawn by the owner when the list is owner-drawn),
  // whole rows only, the selected one scrolled into view; the scroll bar
  // in the frame while there are more items than rows.
  void Paint(HWND Wnd, HDC DC) override;
  void PaintFrame(HWND Wnd, HDC DC) override;

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
  // The whole rows the client area shows, after the scroll bar is shown or
  // taken away for the items there are.
  int RowsShown(HWND Wnd);
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
  // The sunken box with the selected item in its edit part (drawn by the
  // owner when the box is owner-drawn, highlighted while focused) and the
  // button with its arrow.
  void Paint(HWND Wnd, HDC DC) override;

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
  bool FFocused = false;
  bool FDropped = false;
  int FDropSelected = -1;
  int FEditHeight = 0;
};
