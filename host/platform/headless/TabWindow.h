#pragma once

// The headless tab control ("SysTabControl32"): its items, the selection,
// and the rows it lays its tabs out in by the window's width and font. The
// widgetset reads and writes its whole list of tabs directly (a palette of
// thousands of pages in one call). Only the headless backend's sources
// include this header.

#include <string>
#include <vector>

#include "CommCtrl.h"
#include "NativePaint.h"
#include "Windows.h"

class TNativeTabControl : public TNativeWindow {
 public:
  // The up-down control goes with the control's window, as a child window
  // does.
  ~TNativeTabControl() override;
  LRESULT Handle(HWND Wnd, TMessage& M) override;
  // The tabs in view on the owner's background, each drawn by the owner when
  // the control is owner-drawn (CN_DRAWITEM), the selected one raised and
  // open to the client area, and the client area's raised frame.
  void Paint(HWND Wnd, HDC DC) override;
  // Repaints in parts: the tabs whose look changed, and their neighbours.
  bool PaintsInParts() const override { return true; }

  // Every item's text, each followed by CR LF.
  std::string Texts() const;
  // Replaces the items by Items, the first one selected.
  int SetItems(std::vector<TCItem> Items);
  // Where item Index lies, in view or beyond the control's edge; an empty
  // rectangle for an index outside the items.
  TRect ItemRect(HWND Wnd, int Index);
  // How far a single-line control is scrolled: the x of its first tab in
  // view (Leftmost), counted from the first tab's.
  int ScrollOffset(HWND Wnd);
  // The left edges of the items within their rows (see Lefts) when they
  // are worked out already for the rows as they are and this font; nullptr
  // otherwise. Asked after Rows, which may drop them.
  const std::vector<int>* KnownLefts(const TFontDesc& Font) const {
    return FLeftsValid && FLeftsFont == Font ? &FLefts : nullptr;
  }

  // The rows in layout order, each listing item indexes left to right. A
  // single-line control has all its items in one row; a multi-line one
  // wraps them by the window's width. A control with thousands of tabs is
  // asked for them on every selection and every layout pass, and gets its
  // tabs one by one, so the rows are kept: a tab added or taken away at the
  // end is laid out in place, and they are worked out afresh only after
  // another change of the tabs, or of the style or (for a multi-line
  // control, where texts matter) a text, the width or the font.
  const std::vector<std::vector<int>>& Rows(HWND Wnd);

  std::vector<TCItem> Items;
  int CurSel = -1;
  // The row (in layout order) that sits next to the client area. A
  // multi-line control moves the selected tab's row there.
  int FrontRow = 0;
  // The first tab in view of a single-line control whose tabs do not fit:
  // the up-down control at the row's right end scrolls it (WM_HSCROLL), and
  // a selected tab is brought wholly into view, as the common controls do.
  int Leftmost = 0;

 private:
  LRESULT HandleItems(TMessage& M);
  // The user's input: a press on a tab other than the selected one selects
  // it (unless TCN_SELCHANGING is refused), a release reports NM_CLICK.
  LRESULT HandleInput(HWND Wnd, TMessage& M);
  // What a paint draws within Box, on the DC clipped to it: the
  // background, the tabs that reach into it and the frames; false when the
  // owner destroyed the control or changed its tabs meanwhile.
  bool PaintPart(HWND Wnd, HDC DC, const TTabLayout& L, const TCtlColors& Colors, const TRect& Box);
  // The frames of the tabs and of the client area that reach into Box.
  void PaintFrames(HWND Wnd, HDC DC, const TTabLayout& L, const TRect& Box);
  void Select(HWND Wnd, int Index);
  // Whether a single-line control's tabs run past its right edge.
  bool Overflows(HWND Wnd);
  // The right edge of the row's part that shows tabs: left of the up-down.
  int ShownRight(HWND Wnd);
  // The greatest first tab in view: the one from which the rest fit.
  int LastLeftmost(HWND Wnd);
  // Scrolls the row so that the tab is wholly in view.
  void ShowTab(HWND Wnd, int Index);
  // Shows the up-down control while the tabs overflow, with the range and
  // position of the scrolled row, and takes it away when they fit.
  void UpdateScroller(HWND Wnd);
  int Width(int Item) const {
    return TabItemWidth(FRowsKey.Font, Items[static_cast<std::size_t>(Item)].Text);
  }
  // Lays the item out after the last one laid out.
  void Place(int Item);
  // Before the item goes: the rows follow when it is the last one, and are
  // dropped otherwise.
  void Deleting(int Item);
  void DropRows() {
    FRowsValid = false;
    FLeftsValid = false;
  }
  // The left edge of every item within its row, worked out when a click or
  // a rectangle asks and kept until the rows or the font change: a click on
  // a palette of thousands of tabs finds its tab by them.
  const std::vector<int>& Lefts(HWND Wnd);
  // The item at the point, in view or not; -1 for none.
  int ItemAt(HWND Wnd, TPoint Point);

  // What the rows depend on besides the texts.
  struct TRowsKey {
    bool Multi = false;
    int Width = 0;
    TFontDesc Font;
    friend bool operator==(const TRowsKey&, const TRowsKey&) = default;
  };
  bool FRowsValid = false;
  TRowsKey FRowsKey;
  std::vector<std::vector<int>> FRows;
  std::vector<int> FRowOfItem;
  int FLastRowWidth = 0;
  HWND FScroller = nullptr;
  // The range and the position the up-down control holds, as last handed
  // to it or named by it: a paint hands them over only when they changed.
  int FScrollerRange = -1;
  int FScrollerPos = -1;
  bool FLeftsValid = false;
  TFontDesc FLeftsFont;
  std::vector<int> FLefts;
};
