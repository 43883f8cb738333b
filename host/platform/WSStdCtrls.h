#pragma once

// The widgetset entries of the standard controls: push buttons, check
// boxes, edits, list boxes and combo boxes (the VCL's StdCtrls unit).

#include <string>
#include <vector>

#include "TextItems.h"
#include "WSControls.h"

class TWSButton : public TWSWinControl {
 public:
  // Makes the button the form's default one (BS_DEFPUSHBUTTON) or not.
  virtual void SetDefault(HWND Wnd, bool Default) const;
};
const TWSButton& WSButton();

class TWSCustomCheckBox : public TWSWinControl {
 public:
  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
  virtual WPARAM RetrieveState(HWND Wnd) const;
  virtual void SetState(HWND Wnd, WPARAM State) const;
};
const TWSCustomCheckBox& WSCustomCheckBox();

class TWSCustomEdit : public TWSWinControl {
 public:
  bool GetText(HWND Wnd, std::string& Text) const override;
  // The selection from Start to End (characters).
  virtual void GetSel(HWND Wnd, int& Start, int& End) const;
  virtual void SetSel(HWND Wnd, int Start, int End) const;
  // Replaces the selection, as typing it would (the edit reports the change).
  virtual void SetSelText(HWND Wnd, const std::string& Text) const;
  virtual void SetReadOnly(HWND Wnd, bool ReadOnly) const;
  // 0: as long as the platform allows.
  virtual void SetMaxLength(HWND Wnd, int Length) const;
};
const TWSCustomEdit& WSCustomEdit();

// The items of a list box and of a combo box: the window holds them, with a
// value each, and the selected one. The caller checks indexes against
// GetCount first; the window's order is the list's, a sorted window keeping
// its own.
class TWSListItems : public TWSWinControl {
 public:
  virtual int GetCount(HWND Wnd) const = 0;
  virtual std::string GetItem(HWND Wnd, int Index) const = 0;
  virtual std::intptr_t GetItemData(HWND Wnd, int Index) const = 0;
  virtual void SetItemData(HWND Wnd, int Index, std::intptr_t Data) const = 0;
  // At the end, or where a sorted window puts it; answers where it went.
  virtual int AddItem(HWND Wnd, const std::string& Text) const = 0;
  virtual int InsertItem(HWND Wnd, int Index, const std::string& Text) const = 0;
  virtual void DeleteItem(HWND Wnd, int Index) const = 0;
  virtual void Clear(HWND Wnd) const = 0;
  // Every item at once: taking them out when a window goes, putting a
  // list's items into a new window.
  virtual std::vector<TTextItem> GetItems(HWND Wnd) const = 0;
  virtual void SetItems(HWND Wnd, std::vector<TTextItem> Items) const = 0;
  // The first item equal to Text, letter case ignored; -1 for none.
  virtual int FindExact(HWND Wnd, const std::string& Text) const = 0;
  // -1 for none; an index outside the list selects none.
  virtual int GetItemIndex(HWND Wnd) const = 0;
  virtual void SetItemIndex(HWND Wnd, int Index) const = 0;
  virtual void SetItemHeight(HWND Wnd, int Height) const = 0;
};

class TWSCustomListBox : public TWSListItems {
 public:
  // Where item Index lies in the window's client area, as it is scrolled.
  virtual TRect GetItemRect(HWND Wnd, int Index) const = 0;
};
const TWSCustomListBox& WSCustomListBox();

class TWSCustomComboBox : public TWSListItems {
 public:
  bool GetText(HWND Wnd, std::string& Text) const override;
  // Whether the list is dropped down.
  virtual bool GetDroppedDown(HWND Wnd) const = 0;
};
const TWSCustomComboBox& WSCustomComboBox();
