#include "CustomComboBox.h"

#include "Forms.h"
#include "NativeLists.h"
#include "ScopeExit.h"

// The list of a combo box: every call goes to the box's window while it
// has one, and to the items the box keeps otherwise. A batch of changes
// between BeginUpdate and EndUpdate repaints once.
class TCustomComboBox::TComboBoxStrings : public TStrings {
 public:
  explicit TComboBoxStrings(TCustomComboBox* ComboBox) : FComboBox(ComboBox) {}

  int Count() const override {
    return Window() != nullptr ? WS().GetCount(Window()) : FComboBox->FSaved.Count();
  }
  std::string Get(int Index) const override {
    CheckIndex(Index);
    return Window() != nullptr ? WS().GetItem(Window(), Index) : FComboBox->FSaved[Index].Text;
  }
  TItemObject GetObject(int Index) const override {
    CheckIndex(Index);
    return TItemObject::FromInteger(Window() != nullptr ? WS().GetItemData(Window(), Index)
                                                        : FComboBox->FSaved[Index].Data);
  }
  void Put(int Index, const std::string& S) override {
    // A combo box has no "set text" either: the item goes and comes back
    // with its object, the selection kept.
    const int Selected = FComboBox->ItemIndex();
    const TItemObject Obj = GetObject(Index);
    BeginUpdate();
    Delete(Index);
    InsertObject(Index, S, Obj);
    EndUpdate();
    FComboBox->SetItemIndex(Selected);
  }
  void PutObject(int Index, TItemObject AObject) override {
    CheckIndex(Index);
    if (Window() != nullptr)
      WS().SetItemData(Window(), Index, AObject.AsInteger());
    else
      FComboBox->FSaved.SetData(Index, AObject.AsInteger());
    Changed();
  }
  int Add(const std::string& S) override {
    const int Index =
        Window() != nullptr ? WS().AddItem(Window(), S) : FComboBox->FSaved.Add(S, 0, false);
    Changed();
    return Index;
  }
  void Insert(int Index, const std::string& S) override {
    if (Index < 0 || Index > Count())
      Error("List index out of bounds", Index);
    if (Window() != nullptr)
      WS().InsertItem(Window(), Index, S);
    else
      FComboBox->FSaved.Insert(Index, S);
    Changed();
  }
  void Delete(int Index) override {
    CheckIndex(Index);
    if (Window() != nullptr)
      WS().DeleteItem(Window(), Index);
    else
      FComboBox->FSaved.Delete(Index);
    Changed();
  }
  void Clear() override {
    if (Window() != nullptr)
      WS().Clear(Window());
    else
      FComboBox->FSaved.Clear();
    Changed();
  }
  int IndexOf(const std::string& S) const override {
    return Window() != nullptr ? WS().FindExact(Window(), S) : FComboBox->FSaved.IndexOf(S);
  }

 protected:
  void SetUpdateState(bool Updating) override {
    if (!Updating)
      FComboBox->ItemsChanged();
  }

 private:
  HWND Window() const { return FComboBox->HandleAllocated() ? FComboBox->FHandle : nullptr; }
  static const TWSCustomComboBox& WS() { return WSCustomComboBox(); }
  void CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count())
      Error("List index out of bounds", Index);
  }
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
  // Choices come from the window (CBN_SELCHANGE), not from the mouse.
  SetControlStyle({csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight});
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

TCustomComboBox::~TCustomComboBox() {
  Destroying();
  DestroyHandle();
}

TStrings* TCustomComboBox::Items() const {
  return FItems.get();
}

void TCustomComboBox::SetItems(TStrings* Value) {
  FItems->Assign(Value);
}

int TCustomComboBox::ItemIndex() const {
  return HandleAllocated() ? WSCustomComboBox().GetItemIndex(FHandle) : FSaved.Selected();
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (Value == ItemIndex())
    return;
  if (HandleAllocated())
    WSCustomComboBox().SetItemIndex(FHandle, Value);
  else
    FSaved.Select(Value);
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
  if (IsOwnerDrawn(FStyle)) {
    SetHeight(FItemHeight + 2 * kEditBorder);
    if (HandleAllocated())
      WSCustomComboBox().SetItemHeight(FHandle, FItemHeight);
  }
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
  const int Selected = ItemIndex();
  return Selected >= 0 ? FItems->Get(Selected) : std::string();
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = "COMBOBOX";
  static const DWORD Styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | Styles[FStyle];
}

// The window gets the items and the selection the box kept (an owner-drawn
// one has asked for its items' height as it was made, CN_MEASUREITEM).
void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  const int Selected = FSaved.Selected();
  if (FSaved.Count() > 0)
    WSCustomComboBox().SetItems(FHandle, FSaved.Take());
  WSCustomComboBox().SetItemIndex(FHandle, Selected);
}

void TCustomComboBox::DestroyWnd() {
  if (HandleAllocated() && !IsDestroying()) {
    const int Selected = WSCustomComboBox().GetItemIndex(FHandle);
    FSaved.Assign(WSCustomComboBox().GetItems(FHandle), false);
    FSaved.Select(Selected);
  }
  TWinControl::DestroyWnd();
}

void TCustomComboBox::Loaded() {
  TWinControl::Loaded();
}

void TCustomComboBox::ItemsChanged() {
  Invalidate();
}

void TCustomComboBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case CBN_DROPDOWN:
      DropDown();
      break;
#if TABULON_HOST >= 6
    case CBN_CLOSEUP:
      CloseUp();
      break;
#endif
    case CBN_SELCHANGE: {
      // The window has selected the item; an editable box shows its text.
      const int Selected = ItemIndex();
      if ((FStyle == csDropDown || FStyle == csSimple) && Selected >= 0)
        SetText(FItems->Get(Selected));
      Invalidate();
      Click();
#if TABULON_HOST >= 6
      Select();
#else
      Change();
#endif
      break;
    }
    default:
      break;
  }
}

// An item the window asks for is drawn by the canvas on the DC that came
// with the request, which is given back as it came.
void TCustomComboBox::CNDrawItem(TMessage& Message) {
  const auto* Item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
  if (Item == nullptr || Item->hDC == nullptr)
    return;
  const int Saved = SaveDC(Item->hDC);
  ScopeExit GiveBack([&] {
    FCanvas->SetHandle(nullptr);
    RestoreDC(Item->hDC, Saved);
  });
  FCanvas->SetHandle(Item->hDC);
  TOwnerDrawState State;
  if ((Item->itemState & ODS_SELECTED) != 0)
    State.Include(odSelected);
  if ((Item->itemState & ODS_FOCUS) != 0)
    State.Include(odFocused);
  if ((Item->itemState & ODS_COMBOBOXEDIT) != 0)
    State.Include(odComboBoxEdit);
  const auto Index = static_cast<int>(Item->itemID);
  PaintItem(Index < FItems->Count() ? Index : -1, Item->rcItem, State);
  Message.Result = 1;
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
  FCanvas->Font()->Assign(*Font());
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
  const int Selected = ItemIndex();
  for (int i = 0; i < FItems->Count(); ++i) {
    const TRect R{0, i * FItemHeight, Width(), (i + 1) * FItemHeight};
    PaintItem(i, R, i == Selected ? TOwnerDrawState{odSelected} : TOwnerDrawState{});
  }
}

TRect TCustomComboBox::EditRect() const {
  const int Bottom = IsOwnerDrawn(FStyle) ? kEditBorder + FItemHeight : Height() - kEditBorder;
  return {kEditBorder, kEditBorder, Width() - kEditBorder - kButtonWidth, Bottom};
}

void TCustomComboBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      CNCommand(Message);
      return;
    case CN_MEASUREITEM:
      if (auto* Item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam))
        Item->itemHeight = static_cast<UINT>(FItemHeight);
      Message.Result = 1;
      return;
    case CN_DRAWITEM:
      CNDrawItem(Message);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}
