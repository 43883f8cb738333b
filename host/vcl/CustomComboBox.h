#pragma once

// The combo box of Delphi's StdCtrls unit, as far as owner-drawn lists need
// it: items with item objects, the selection, fixed item height and the
// owner-draw path with the canvas prepared as the VCL prepares it. The items
// and the selection live in the control, so they survive a recreated window.

#include <memory>
#include <string>
#include <vector>

#include "Controls.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

enum TOwnerDrawStateFlag {
  odSelected,
  odGrayed,
  odDisabled,
  odChecked,
  odFocused,
  odDefault,
  odHotLight,
  odInactive,
  odNoAccel,
  odNoFocusRect,
  odReserved1,
  odReserved2,
  odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

using TDrawItemEvent = TEvent<TWinControl*, int, const TRect&, TOwnerDrawState>;

class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  int ItemIndex() const { return FItemIndex; }
  // Selecting from code raises no event, as CB_SETCURSEL does not; an index
  // outside the list selects nothing.
  void SetItemIndex(int Value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  TCanvas* Canvas() const { return FCanvas.get(); }
  // The list styles show the selected item's text.
  std::string Text() const override;

  // A user's choice of the item Index in the dropped-down list: the list
  // opens, the item is selected, the list closes and the control reacts as
  // the VCL does to CBN_SELCHANGE (Click, then Change; from Delphi 6 on,
  // Click, then Select).
  void SelectItemByUser(int Index);

  // Draws one item the way the window asks its owner to: the canvas takes
  // the control's font and colour, the highlight colours for a selected
  // item, and DrawItem paints.
  void PaintItem(int Index, const TRect& Rect, TOwnerDrawState State);
  // Draws the whole dropped-down list into a fresh display list of the
  // canvas, one item per ItemHeight rows, the selected item highlighted.
  void PaintList();
  // The rectangle of the edit part, where the closed control shows its
  // selected item.
  TRect EditRect() const;

  // The substitute has no form reader; code that builds a form calls Loaded
  // once the streamed properties are set, as the reader does.
  void Loaded() override;

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TNotifyEvent OnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent Value) { FOnDropDown = Value; }
  TDrawItemEvent OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent Value) { FOnDrawItem = Value; }

  // Delphi 6 added these two. (Formatting is off here because clang-format
  // spreads short bodies inside a conditional over three lines each.)
  // clang-format off
#if TABULON_HOST >= 6
  TNotifyEvent OnSelect() const { return FOnSelect; }
  void SetOnSelect(TNotifyEvent Value) { FOnSelect = Value; }
  TNotifyEvent OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = Value; }
#endif
  // clang-format on

 protected:
  void CreateParams(TCreateParams& Params) override;
  // The closed control shows its selection highlighted only while it has
  // the focus, so the window repaints when the focus comes or goes.
  void WndProc(TMessage& Message) override;
  void Paint() override;
  // A shown combo box has its window, as every shown VCL control does; the
  // window's creation is where owner-drawn lists fill themselves.
  void ShowingChanged() override;
  bool TakesFocusOnClick() const override {
    return true;
  }

  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  virtual void Change();
  virtual void DropDown();
#if TABULON_HOST >= 6
  virtual void Select();
  virtual void CloseUp();
#endif

 private:
  class TComboBoxStrings;
  friend class TComboBoxStrings;
  void ItemsChanged();
  void ItemInserted(int Index);
  void ItemDeleted(int Index);
  void ItemsCleared();

  std::unique_ptr<TComboBoxStrings> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  int FItemIndex = -1;
  int FItemHeight = 16;
  TComboBoxStyle FStyle = csDropDown;
  TNotifyEvent FOnChange, FOnDropDown;
#if TABULON_HOST >= 6
  TNotifyEvent FOnSelect, FOnCloseUp;
#endif
  TDrawItemEvent FOnDrawItem;
};

class TComboBox : public TCustomComboBox {
 public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
