#pragma once

// The widgetset entry of the tab control and the page control (the VCL's
// ComCtrls unit): the window holds the tabs and the selection.

#include <string>
#include <vector>

#include "WSControls.h"

class TWSCustomTabControl : public TWSWinControl {
 public:
  virtual int GetTabCount(HWND Wnd) const = 0;
  // What Item.Mask asks for (TCIF_TEXT, TCIF_IMAGE, TCIF_PARAM); false for
  // an index outside the tabs.
  virtual bool GetTab(HWND Wnd, int Index, TCItem& Item) const = 0;
  virtual bool SetTab(HWND Wnd, int Index, const TCItem& Item) const = 0;
  // Answers where the tab went; -1 when it could not be inserted.
  virtual int InsertTab(HWND Wnd, int Index, const TCItem& Item) const = 0;
  virtual bool DeleteTab(HWND Wnd, int Index) const = 0;
  virtual void DeleteAllTabs(HWND Wnd) const = 0;
  // Every tab's text, each followed by CR LF: a palette of thousands of
  // pages is read whole at once.
  virtual std::string GetTabTexts(HWND Wnd) const = 0;
  // Every tab's item (text, image and object) in order: a palette of
  // thousands of pages is copied whole at once.
  virtual std::vector<TCItem> GetTabs(HWND Wnd) const = 0;
  // Whether the tabs are Items, texts and objects, in order: the expert
  // compares the palette with its fill at every group click, and a palette
  // of thousands of the IDE's pages is told apart by its count.
  virtual bool SameTabs(HWND Wnd, const std::vector<TCItem>& Items) const = 0;
  // The text and the object of two tabs the same (letter case counts).
  static bool SameTab(const TCItem& A, const TCItem& B) {
    return A.Param == B.Param && A.Text == B.Text;
  }
  // Replaces every tab by Items, the first one selected, as deleting them
  // all and inserting each at the end would, drawing nothing in between;
  // answers the count.
  virtual int SetTabs(HWND Wnd, std::vector<TCItem> Items) const = 0;
  // -1 for none.
  virtual int GetTabIndex(HWND Wnd) const = 0;
  // Selects without any notification, as TCM_SETCURSEL; answers the
  // selection before, -1 for an index outside the tabs.
  virtual int SetTabIndex(HWND Wnd, int Index) const = 0;
  virtual int GetRowCount(HWND Wnd) const = 0;
  // Where tab Index lies in the window, in view or not.
  virtual TRect GetTabRect(HWND Wnd, int Index) const = 0;
};
const TWSCustomTabControl& WSCustomTabControl();
