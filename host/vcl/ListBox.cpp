#include "ListBox.h"

#include <utility>
#include <vector>

#include "NativeLists.h"
#include "ScopeExit.h"

// The list of a list box: every call goes to the list's window while it
// has one, and to the items the list keeps otherwise.
class TCustomListBox::TListBoxStrings : public TStrings {
 public:
  explicit TListBoxStrings(TCustomListBox* ListBox) : FListBox(ListBox) {}

  int Count() const override {
    return Window() != nullptr ? WS().GetCount(Window()) : FListBox->FSaved.Count();
  }
  std::string Get(int Index) const override {
    CheckIndex(Index);
    return Window() != nullptr ? WS().GetItem(Window(), Index) : FListBox->FSaved[Index].Text;
  }
  TItemObject GetObject(int Index) const override {
    CheckIndex(Index);
    return TItemObject::FromInteger(Window() != nullptr ? WS().GetItemData(Window(), Index)
                                                        : FListBox->FSaved[Index].Data);
  }
  void PutObject(int Index, TItemObject AObject) override {
    CheckIndex(Index);
    if (Window() != nullptr)
      WS().SetItemData(Window(), Index, AObject.AsInteger());
    else
      FListBox->FSaved.SetData(Index, AObject.AsInteger());
  }
  // A list box has no "set text": the VCL deletes the item and inserts the
  // new text at the same place, keeping the object and the selection.
  void Put(int Index, const std::string& S) override {
    const int Selected = FListBox->ItemIndex();
    const TItemObject Obj = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, Obj);
    FListBox->SetItemIndex(Selected);
  }
  // At the end, or at its sorted place in a sorted list (LB_ADDSTRING).
  int Add(const std::string& S) override {
    const int Index = Window() != nullptr ? WS().AddItem(Window(), S)
                                          : FListBox->FSaved.Add(S, 0, FListBox->FSorted);
    Changed();
    return Index;
  }
  void Insert(int Index, const std::string& S) override {
    if (Index < 0 || Index > Count())
      Error("List index out of bounds", Index);
    if (Window() != nullptr)
      WS().InsertItem(Window(), Index, S);
    else
      FListBox->FSaved.Insert(Index, S);
    Changed();
  }
  void Delete(int Index) override {
    CheckIndex(Index);
    if (Window() != nullptr)
      WS().DeleteItem(Window(), Index);
    else
      FListBox->FSaved.Delete(Index);
    Changed();
  }
  void Clear() override {
    if (Window() != nullptr)
      WS().Clear(Window());
    else
      FListBox->FSaved.Clear();
    Changed();
  }
  int IndexOf(const std::string& S) const override {
    return Window() != nullptr ? WS().FindExact(Window(), S) : FListBox->FSaved.IndexOf(S);
  }
  // As Clear and an Add of each line would leave the list, in one go: the
  // settings dialog fills its list of every palette page so.
  void SetText(const std::string& Value) override {
    std::vector<TTextItem> Lines;
    AppendTextLines(Value, Lines);
    if (Window() != nullptr)
      WS().SetItems(Window(), std::move(Lines));
    else
      FListBox->FSaved.Assign(std::move(Lines), FListBox->FSorted);
    Changed();
  }

 private:
  HWND Window() const { return FListBox->HandleAllocated() ? FListBox->FHandle : nullptr; }
  static const TWSCustomListBox& WS() { return WSCustomListBox(); }
  void CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count())
      Error("List index out of bounds", Index);
  }
  void Changed() const { FListBox->Invalidate(); }

  TCustomListBox* FListBox;
};

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TListBoxStrings>(this)),
      FCanvas(std::make_unique<TCanvas>()) {
  // Clicks come from the window (LBN_SELCHANGE), not from the mouse messages.
  SetControlStyle({csSetCaption, csDoubleClicks, csOpaque});
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
  SetTabStop(true);
}

TCustomListBox::~TCustomListBox() {
  Destroying();
  DestroyHandle();
}

TStrings* TCustomListBox::Items() const {
  return FItems.get();
}

void TCustomListBox::SetItems(TStrings* Value) {
  FItems->Assign(Value);
}

int TCustomListBox::ItemIndex() const {
  return HandleAllocated() ? WSCustomListBox().GetItemIndex(FHandle) : FSaved.Selected();
}

void TCustomListBox::SetItemIndex(int Value) {
  if (Value == ItemIndex())
    return;
  if (HandleAllocated())
    WSCustomListBox().SetItemIndex(FHandle, Value);
  else
    FSaved.Select(Value);
  Invalidate();
}

void TCustomListBox::SetSorted(bool Value) {
  if (Value == FSorted)
    return;
  FSorted = Value;
  // The VCL makes the window anew with LBS_SORT, which sorts the items as
  // they go back in; the selection does not survive that.
  if (HandleAllocated()) {
    RecreateWnd();
    WSCustomListBox().SetItemIndex(FHandle, -1);
  } else if (FSorted) {
    FSaved.Sort();
  }
  Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (Value == FStyle)
    return;
  FStyle = Value;
  RecreateWnd();
  Invalidate();
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || Value == FItemHeight)
    return;
  FItemHeight = Value;
  if (HandleAllocated() && FStyle != lbStandard)
    WSCustomListBox().SetItemHeight(FHandle, FItemHeight);
  Invalidate();
}

int TCustomListBox::FindExact(const std::string& S) const {
  return FItems->IndexOf(S);
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = "LISTBOX";
  static const DWORD Styles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE};
  Params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                  Styles[FStyle] | (FSorted ? LBS_SORT : 0);
  // The new look's sunken client edge, or a plain border.
  if (NewStyleControls() && Ctl3D())
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  else
    Params.Style |= WS_BORDER;
}

// The window gets the items and the selection the list kept (an owner-drawn
// one has asked for its items' height as it was made, CN_MEASUREITEM).
void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  const int Selected = FSaved.Selected();
  if (FSaved.Count() > 0)
    WSCustomListBox().SetItems(FHandle, FSaved.Take());
  WSCustomListBox().SetItemIndex(FHandle, Selected);
}

void TCustomListBox::DestroyWnd() {
  if (HandleAllocated() && !IsDestroying()) {
    const int Selected = WSCustomListBox().GetItemIndex(FHandle);
    FSaved.Assign(WSCustomListBox().GetItems(FHandle), false);
    FSaved.Select(Selected);
  }
  TWinControl::DestroyWnd();
}

void TCustomListBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      // The user's choice, which the window has made already.
      if (HIWORD(Message.WParam) == LBN_SELCHANGE) {
        Invalidate();
        Click();
      } else if (HIWORD(Message.WParam) == LBN_DBLCLK) {
        DblClick();
      }
      break;
    case CN_MEASUREITEM:
      if (auto* Item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam))
        Item->itemHeight = static_cast<UINT>(FItemHeight);
      Message.Result = 1;
      break;
    case CN_DRAWITEM:
      CNDrawItem(Message);
      break;
    default:
      TWinControl::WndProc(Message);
  }
}

// An item the window asks for is drawn by the canvas on the DC that came
// with the request, which is given back as it came.
void TCustomListBox::CNDrawItem(TMessage& Message) {
  const auto* Item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
  if (Item == nullptr || Item->hDC == nullptr ||
      static_cast<int>(Item->itemID) >= FItems->Count()) {
    TWinControl::WndProc(Message);
    return;
  }
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
  PaintItem(static_cast<int>(Item->itemID), Item->rcItem, State);
  Message.Result = 1;
}

void TCustomListBox::PaintItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  FCanvas->Font()->Assign(*Font());
  FCanvas->Brush()->SetStyle(bsSolid);
  FCanvas->Brush()->SetColor(Color());
  if (State.Contains(odSelected)) {
    FCanvas->Brush()->SetColor(clHighlight);
    FCanvas->Font()->SetColor(clHighlightText);
  }
  DrawItem(Index, Rect, State);
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (FStyle != lbStandard && FOnDrawItem.Assigned()) {
    FOnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Get(Index));
}

// Defined here, so that the class's table of virtual functions is made
// once, in the host library, not again in every module that uses the class.
TListBox::~TListBox() = default;
