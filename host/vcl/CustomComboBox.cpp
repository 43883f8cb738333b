#include "CustomComboBox.h"

#include "Forms.h"
#include "ListItems.h"

// The list of a combo box. It tells its control about every change, so that
// the selection follows inserted and deleted items as the native list's does,
// and a batch of changes between BeginUpdate and EndUpdate repaints once.
class TCustomComboBox::TComboBoxStrings : public TListItems {
 public:
  explicit TComboBoxStrings(TCustomComboBox* ComboBox) : FComboBox(ComboBox) {}

  void Put(int Index, const std::string& S) override {
    At(Index).S = S;
    Changed();
  }
  void PutObject(int Index, TItemObject AObject) override {
    At(Index).Obj = AObject;
    Changed();
  }
  void Insert(int Index, const std::string& S) override {
    if (Index < 0 || Index > Count())
      Error("List index out of bounds", Index);
    FItems.insert(FItems.begin() + Index, Item{S, {}});
    FComboBox->ItemInserted(Index);
    Changed();
  }
  void Delete(int Index) override {
    (void)At(Index);
    FItems.erase(FItems.begin() + Index);
    FComboBox->ItemDeleted(Index);
    Changed();
  }
  void Clear() override {
    FItems.clear();
    FComboBox->ItemsCleared();
    Changed();
  }

 protected:
  void SetUpdateState(bool Updating) override {
    if (!Updating)
      FComboBox->ItemsChanged();
  }

 private:
  void Changed() {
    if (UpdateCount() == 0)
      FComboBox->ItemsChanged();
  }

  TCustomComboBox* FComboBox;
};

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TComboBoxStrings>(this)),
      FCanvas(std::make_unique<TCanvas>()) {
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

TCustomComboBox::~TCustomComboBox() {
  Destroying();
}

TStrings* TCustomComboBox::Items() const {
  return FItems.get();
}

void TCustomComboBox::SetItems(TStrings* Value) {
  FItems->Assign(Value);
}

void TCustomComboBox::SetItemIndex(int Value) {
  Value = TListItems::ValidItemIndex(Value, FItems->Count());
  if (Value == FItemIndex)
    return;
  FItemIndex = Value;
  Invalidate();
}

namespace {
bool IsOwnerDrawn(TComboBoxStyle Style) {
  return Style == csOwnerDrawFixed || Style == csOwnerDrawVariable;
}
// The border around the edit part of a drop-down combo box, and the width
// of its button.
constexpr int kEditBorder = 3;
constexpr int kButtonWidth = 17;
}  // namespace

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value <= 0 || Value == FItemHeight)
    return;
  FItemHeight = Value;
  // An owner-drawn combo box is as high as its edit part, which is one item.
  if (IsOwnerDrawn(FStyle))
    SetHeight(FItemHeight + 2 * kEditBorder);
  Invalidate();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == FStyle)
    return;
  FStyle = Value;
  if (IsOwnerDrawn(FStyle))
    SetHeight(FItemHeight + 2 * kEditBorder);
  RecreateWnd();
  Invalidate();
}

std::string TCustomComboBox::Text() const {
  if (FStyle == csDropDown || FStyle == csSimple)
    return TWinControl::Text();
  return FItemIndex >= 0 ? FItems->Get(FItemIndex) : std::string();
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = "COMBOBOX";
}

void TCustomComboBox::ShowingChanged() {
  TWinControl::ShowingChanged();
  if (Showing())
    HandleNeeded();
}

void TCustomComboBox::Loaded() {
  TWinControl::Loaded();
}

void TCustomComboBox::ItemsChanged() {
  Invalidate();
}

void TCustomComboBox::ItemInserted(int Index) {
  FItemIndex = TListItems::ItemIndexAfterInsert(FItemIndex, Index);
}

void TCustomComboBox::ItemDeleted(int Index) {
  FItemIndex = TListItems::ItemIndexAfterDelete(FItemIndex, Index);
}

void TCustomComboBox::ItemsCleared() {
  FItemIndex = -1;
}

void TCustomComboBox::SelectItemByUser(int Index) {
  if (Index < 0 || Index >= FItems->Count())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  if (CanFocus())
    SetFocus();
  HandleNeeded();
  DropDown();
  SetItemIndex(Index);
#if TABULON_HOST >= 6
  CloseUp();
#endif
  // What the VCL does on CBN_SELCHANGE.
  if (FStyle == csDropDown || FStyle == csSimple)
    SetText(FItems->Get(Index));
  Click();
#if TABULON_HOST >= 6
  Select();
#else
  Change();
#endif
}

void TCustomComboBox::Change() {
  if (FOnChange.Assigned())
    FOnChange(this);
}

void TCustomComboBox::DropDown() {
  if (FOnDropDown.Assigned())
    FOnDropDown(this);
}

#if TABULON_HOST >= 6
void TCustomComboBox::Select() {
  if (FOnSelect.Assigned())
    FOnSelect(this);
  else
    Change();
}

void TCustomComboBox::CloseUp() {
  if (FOnCloseUp.Assigned())
    FOnCloseUp(this);
}
#endif

void TCustomComboBox::PaintItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  // As the VCL answers WM_DRAWITEM: the control's font and brush, the
  // highlight colours for a selected item.
  FCanvas->Font()->Assign(Font());
  FCanvas->Brush()->SetStyle(bsSolid);
  FCanvas->Brush()->SetColor(Color());
  if (Index >= 0 && State.Contains(odSelected)) {
    FCanvas->Brush()->SetColor(clHighlight);
    FCanvas->Font()->SetColor(clHighlightText);
  }
  if (Index >= 0)
    DrawItem(Index, Rect, State);
  else
    FCanvas->FillRect(Rect);
}

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (FOnDrawItem.Assigned()) {
    FOnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Get(Index));
}

void TCustomComboBox::PaintList() {
  FCanvas->DisplayList().Clear();
  for (int i = 0; i < FItems->Count(); ++i) {
    const TRect R{0, i * FItemHeight, Width(), (i + 1) * FItemHeight};
    PaintItem(i, R, i == FItemIndex ? TOwnerDrawState{odSelected} : TOwnerDrawState{});
  }
}

TRect TCustomComboBox::EditRect() const {
  const int Bottom = IsOwnerDrawn(FStyle) ? kEditBorder + FItemHeight : Height() - kEditBorder;
  return {kEditBorder, kEditBorder, Width() - kEditBorder - kButtonWidth, Bottom};
}

void TCustomComboBox::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETFOCUS || Message.Msg == WM_KILLFOCUS)
    Invalidate();
  TWinControl::WndProc(Message);
}

void TCustomComboBox::Paint() {
  FCanvas->DisplayList().Clear();
  FCanvas->Font()->Assign(Font());
  FCanvas->Brush()->SetStyle(bsSolid);
  FCanvas->Brush()->SetColor(Color());
  FCanvas->FillRect(ClientRect());
  if (FItemIndex < 0)
    return;
  if (!IsOwnerDrawn(FStyle)) {
    FCanvas->TextRect(EditRect(), EditRect().Left + 2, EditRect().Top, Text());
    return;
  }
  // The edit part shows the selected item, highlighted while focused.
  TOwnerDrawState State{odComboBoxEdit};
  if (Focused())
    State = State + TOwnerDrawState{odSelected, odFocused};
  PaintItem(FItemIndex, EditRect(), State);
}
