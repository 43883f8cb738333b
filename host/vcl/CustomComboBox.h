#pragma once

// The combo box of Delphi's StdCtrls unit, as far as owner-drawn lists need
// it: a "COMBOBOX" window with items and item objects, the selection, fixed
// item height (CBS_OWNERDRAWFIXED) and the owner-draw path with the canvas
// prepared as the VCL prepares it. While the box has a window the window
// holds the items and the selection; the box keeps them until it has one
// and takes them back when the window goes. The window tells of the user's
// doings (CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELCHANGE, reflected as
// CN_COMMAND), and the box reacts as the VCL's does.

#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "TextItems.h"
#include "WSStdCtrls.h"

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
  int ItemIndex() const;
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
  const TWSWinControl& WidgetSetClass() const override {
    return WSCustomComboBox();
  }
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // The window's notifications: a drop-down (DropDown), the list closing
  // (CloseUp, from Delphi 6 on) and a choice (Click, then Change; from
  // Delphi 6 on, Click, then Select). The closed control shows its
  // selection highlighted only while it has the focus, so the window
  // repaints when the focus comes or goes.
  void WndProc(TMessage& Message) override;
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
  void CNCommand(TMessage& Message);
  void CNDrawItem(TMessage& Message);

  std::unique_ptr<TComboBoxStrings> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  // The items and the selection while the box has no window.
  TTextItems FSaved;
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
