#pragma once

// TCustomListBox and TListBox of Delphi's StdCtrls unit: items with item
// objects, the selection, sorting, the standard and the owner-drawn fixed
// styles. The items live in the control, so that they survive a recreated
// window. Selecting from code (ItemIndex) raises nothing; a user's choice by
// mouse or keyboard raises OnClick, as LBN_SELCHANGE does in the VCL.

#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "CustomComboBox.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  int ItemIndex() const { return FItemIndex; }
  // An index outside the list selects nothing.
  void SetItemIndex(int Value);
  // Kept in order by AnsiCompareText while on; switching it on sorts the
  // items there are, objects travelling with their items.
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

  // A user's click on item Index: the list takes the focus, the item is
  // selected and OnClick runs.
  void SelectItemByUser(int Index);

  // Draws one item as the window asks its owner to: the canvas takes the
  // control's font and colour, the highlight colours for a selected item.
  void PaintItem(int Index, const TRect& Rect, TOwnerDrawState State);

  TDrawItemEvent OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent Value) { FOnDrawItem = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  // The whole list into a fresh display list, one item per ItemHeight rows.
  void Paint() override;
  bool TakesFocusOnClick() const override { return true; }
  // The arrow keys move the selection one item, as the native list does.
  void KeyDown(Word& Key, TShiftState Shift) override;
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);

 private:
  class TListBoxStrings;
  friend class TListBoxStrings;
  void ItemInserted(int Index);
  void ItemDeleted(int Index);
  void ItemsCleared();

  std::unique_ptr<TListBoxStrings> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  int FItemIndex = -1;
  int FItemHeight = 16;
  bool FSorted = false;
  TListBoxStyle FStyle = lbStandard;
  TDrawItemEvent FOnDrawItem;
};

class TListBox : public TCustomListBox {
 public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};
