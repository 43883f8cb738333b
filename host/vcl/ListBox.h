#pragma once

// TCustomListBox and TListBox of Delphi's StdCtrls unit: a "LISTBOX" window
// with items and item objects, the selection, sorting (LBS_SORT), the
// standard and the owner-drawn fixed styles (LBS_OWNERDRAWFIXED). While the
// list has a window the window holds the items and the selection; the list
// keeps them until it has one, gives them to the window it makes, and takes
// them back when the window goes. Selecting from code (ItemIndex) raises
// nothing; the window tells of a user's choice by mouse or keyboard
// (LBN_SELCHANGE, reflected as CN_COMMAND), which raises OnClick.

#include <memory>
#include <string>

#include "Controls.h"
#include "CustomComboBox.h"
#include "TextItems.h"
#include "WSStdCtrls.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  int ItemIndex() const;
  // An index outside the list selects nothing.
  void SetItemIndex(int Value);
  // Kept in order by AnsiCompareText while on (the window's own order when
  // it has one); switching it on sorts the items there are, objects
  // travelling with their items.
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  TCanvas* Canvas() const { return FCanvas.get(); }
  // The first item equal to S as a whole, ignoring letter case, as
  // LB_FINDSTRINGEXACT finds it; -1 for none.
  int FindExact(const std::string& S) const;

  // Draws one item as the window asks its owner to: the canvas takes the
  // control's font and colour, the highlight colours for a selected item.
  void PaintItem(int Index, const TRect& Rect, TOwnerDrawState State);

  TDrawItemEvent OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent Value) { FOnDrawItem = Value; }

 protected:
  const TWSWinControl& WidgetSetClass() const override { return WSCustomListBox(); }
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  bool TakesFocusOnClick() const override { return true; }
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);

 private:
  class TListBoxStrings;
  friend class TListBoxStrings;
  void CNDrawItem(TMessage& Message);

  std::unique_ptr<TListBoxStrings> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  // The items and the selection while the list has no window.
  TTextItems FSaved;
  int FItemHeight = 16;
  bool FSorted = false;
  TListBoxStyle FStyle = lbStandard;
  TDrawItemEvent FOnDrawItem;
};

class TListBox : public TCustomListBox {
 public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
  ~TListBox() override;
};
