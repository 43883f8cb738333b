#include "ComCtrls.h"

#include <algorithm>

#include "Forms.h"
#include "ImgList.h"
#include "ScopeExit.h"

namespace {

// The Tabs of a tab control: every call goes to the control's window,
// through the entry of the class.
class TTabStrings : public TStrings {
 public:
  explicit TTabStrings(TCustomTabControl* Control) : FControl(Control) {}

  int Count() const override { return WS().GetTabCount(Window()); }
  std::string Get(int Index) const override {
    TCItem Item;
    Item.Mask = TCIF_TEXT;
    if (!WS().GetTab(Window(), Index, Item))
      Error("List index out of bounds", Index);
    return Item.Text;
  }
  void Put(int Index, const std::string& S) override {
    TCItem Item;
    Item.Mask = TCIF_TEXT;
    Item.Text = S;
    if (!WS().SetTab(Window(), Index, Item))
      Error("List index out of bounds", Index);
    Changed();
  }
  TItemObject GetObject(int Index) const override {
    TCItem Item;
    Item.Mask = TCIF_PARAM;
    if (!WS().GetTab(Window(), Index, Item))
      Error("List index out of bounds", Index);
    return TItemObject::FromInteger(Item.Param);
  }
  void PutObject(int Index, TItemObject AObject) override {
    TCItem Item;
    Item.Mask = TCIF_PARAM;
    Item.Param = AObject.AsInteger();
    WS().SetTab(Window(), Index, Item);
  }
  void Insert(int Index, const std::string& S) override {
    TCItem Item;
    Item.Mask = TCIF_TEXT | TCIF_IMAGE;
    Item.Text = S;
    InsertItem(Index, Item);
  }
  // A tab item carries its object (lParam) from the start: one
  // TCM_INSERTITEM instead of an insert and a TCM_SETITEM after it.
  void InsertObject(int Index, const std::string& S, TItemObject AObject) override {
    TCItem Item;
    Item.Mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    Item.Text = S;
    Item.Param = AObject.AsInteger();
    InsertItem(Index, Item);
  }
  void Delete(int Index) override {
    if (!WS().DeleteTab(Window(), Index))
      Error("Unable to delete tab", Index);
    Changed();
  }
  void Clear() override {
    WS().DeleteAllTabs(Window());
    Changed();
  }
  // As the string lists split a text, and as Clear and an Add of each line
  // would leave the control, but in one call: a palette is filled with
  // thousands of tabs. The entry keeps the window from drawing while it
  // writes them, where it writes them one at a time.
  void SetText(const std::string& Value) override {
    std::vector<TCItem> Items;
    Items.reserve(CountLineFeeds(Value.data(), Value.data() + Value.size()) + 1);
    ForEachTextLine(Value, [&](const char* First, const char* Last) {
      const int Index = static_cast<int>(Items.size());
      Items.push_back(TCItem{TCIF_TEXT | TCIF_IMAGE, std::string(First, Last),
                             FControl->GetImageIndex(Index), 0});
    });
    SetTabs(std::move(Items));
  }
  // Another list's texts and objects, as Clear and an AddObject of each
  // would leave the control, but written in one call (and another tab
  // control's tabs read in one): a palette of thousands of pages is copied
  // whole, and a filter's pages go in with their marks.
  void Assign(TPersistent* Source) override {
    auto* Strings = dynamic_cast<TStrings*>(Source);
    if (Strings == nullptr || Strings == this) {
      TStrings::Assign(Source);
      return;
    }
    auto* Other = dynamic_cast<TTabStrings*>(Strings);
    std::vector<TCItem> Items = Other != nullptr ? WS().GetTabs(Other->Window()) : ItemsOf(Strings);
    int Index = 0;
    for (TCItem& Item : Items) {
      Item.Mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
      Item.Image = FControl->GetImageIndex(Index++);
    }
    SetTabs(std::move(Items));
  }
  // Every tab's text in one call rather than a count and one per tab.
  std::string Text() const override { return WS().GetTabTexts(Window()); }
  // The tabs compared whole, texts and objects together: the expert
  // compares the palette with its fill at every group click.
  bool EqualsWithObjects(const TStrings* Strings) const override {
    return WS().SameTabs(Window(), ItemsOf(Strings));
  }

 protected:
  void SetUpdateState(bool Updating) override {
    SendMessage(Window(), WM_SETREDRAW, Updating ? 0 : 1, 0);
    if (!Updating)
      Changed();
  }

 private:
  HWND Window() const { return FControl->Handle(); }
  // Another list's texts and objects, as tab items.
  static std::vector<TCItem> ItemsOf(const TStrings* Strings) {
    std::vector<TCItem> Items(static_cast<std::size_t>(Strings->Count()));
    for (std::size_t i = 0; i < Items.size(); ++i) {
      Items[i].Text = Strings->Get(static_cast<int>(i));
      Items[i].Param = Strings->Objects(static_cast<int>(i)).AsInteger();
    }
    return Items;
  }
  void InsertItem(int Index, TCItem& Item) {
    Item.Image = FControl->GetImageIndex(Index);
    if (WS().InsertTab(Window(), Index, Item) < 0)
      Error("Unable to insert a tab", Index);
    Changed();
  }
  void SetTabs(std::vector<TCItem> Items) {
    WS().SetTabs(Window(), std::move(Items));
    Changed();
  }
  static const TWSCustomTabControl& WS() { return WSCustomTabControl(); }
  // The rows may have changed: the client area and the picture follow.
  void Changed() const {
    if (UpdateCount() > 0)
      return;
    FControl->Realign();
    FControl->Invalidate();
  }
  TCustomTabControl* FControl;
};

}  // namespace

TCustomTabControl::TCustomTabControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FTabs(std::make_unique<TTabStrings>(this)),
      FCanvas(std::make_unique<TCanvas>()),
      FBrush(std::make_unique<TBrush>()) {
  FBrush->SetColor(clBtnFace);
  // A click on a tab is told by the window (TCN_SELCHANGE), not by the mouse.
  SetControlStyle({csAcceptsControls, csDoubleClicks});
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TCustomTabControl::~TCustomTabControl() {
  Destroying();
  DestroyHandle();
}

void TCustomTabControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = WC_TABCONTROL;
  if (FMultiLine)
    Params.Style |= TCS_MULTILINE;
  if (FOwnerDraw)
    Params.Style |= TCS_OWNERDRAWFIXED;
}

void TCustomTabControl::CreateWnd() {
  TWinControl::CreateWnd();
  if (!FSaveTabs)
    return;
  // The tabs survive a new window, as the VCL keeps them across RecreateWnd.
  std::unique_ptr<TStringList> Saved = std::move(FSaveTabs);
  for (int i = 0; i < Saved->Count(); ++i) {
    TCItem Item;
    Item.Mask = TCIF_TEXT | TCIF_PARAM | TCIF_IMAGE;
    Item.Text = Saved->Get(i);
    Item.Param = Saved->GetObject(i).AsInteger();
    Item.Image = GetImageIndex(i);
    WSCustomTabControl().InsertTab(FHandle, i, Item);
  }
  WSCustomTabControl().SetTabIndex(FHandle, FSaveTabIndex);
}

void TCustomTabControl::DestroyWnd() {
  const TWindowRecord* Window = WindowRecord(FHandle);
  if (Window != nullptr && Window->Proc.Data == this && !IsDestroying()) {
    FSaveTabs = std::make_unique<TStringList>();
    for (int i = 0, n = FTabs->Count(); i < n; ++i)
      FSaveTabs->AddObject(FTabs->Get(i), FTabs->GetObject(i));
    FSaveTabIndex = TabIndex();
  }
  TWinControl::DestroyWnd();
}

int TCustomTabControl::TabIndex() {
  return WSCustomTabControl().GetTabIndex(Handle());
}

void TCustomTabControl::SetTabIndex(int Value) {
  // The window marks what it draws anew, as it does for a click.
  WSCustomTabControl().SetTabIndex(Handle(), Value);
  Realign();
}

void TCustomTabControl::SetMultiLine(bool Value) {
  if (Value == FMultiLine)
    return;
  FMultiLine = Value;
  RecreateWnd();
  Realign();
}

void TCustomTabControl::SetOwnerDraw(bool Value) {
  if (Value == FOwnerDraw)
    return;
  FOwnerDraw = Value;
  RecreateWnd();
}

int TCustomTabControl::RowCount() {
  return WSCustomTabControl().GetRowCount(Handle());
}

TRect TCustomTabControl::DisplayRect() {
  TRect R = ClientRect();
  R.Left += 4;
  R.Right -= 4;
  R.Bottom -= 4;
  R.Top += 4 + TabControlRowsHeight(Handle());
  if (R.Right < R.Left)
    R.Right = R.Left;
  if (R.Bottom < R.Top)
    R.Bottom = R.Top;
  return R;
}

TRect TCustomTabControl::TabRect(int Index) {
  return WSCustomTabControl().GetTabRect(Handle(), Index);
}

int TCustomTabControl::FirstTabInView() {
  if (FMultiLine || !HandleAllocated())
    return 0;
  // The tabs before it lie left of the edge, or (comctl32) have an empty
  // rectangle.
  const int Count = FTabs->Count();
  int First = 0;
  for (TRect R; First < Count; ++First)
    if (R = TabRect(First); R.Left >= 0 && R.Right > R.Left)
      break;
  return First < Count ? First : 0;
}

void TCustomTabControl::AdjustClientRect(TRect& Rect) {
  // Sizing a control that has no window yet must not create one.
  if (!HandleAllocated())
    return;
  Rect = DisplayRect();
}

void TCustomTabControl::SetImages(TCustomImageList* Value) {
  FImages = Value;
  Invalidate();
}

int TCustomTabControl::GetImageIndex(int TabIndex) {
  return TabIndex;
}

void TCustomTabControl::FontChanged() {
  TWinControl::FontChanged();
}

bool TCustomTabControl::CanChange() {
  bool Allow = true;
  if (FOnChanging.Assigned())
    FOnChanging(this, Allow);
  return Allow;
}

void TCustomTabControl::Change() {
  if (FOnChange.Assigned())
    FOnChange(this);
}

void TCustomTabControl::DrawTab(int TabIndex, const TRect& Rect, bool Active) {
  if (FOnDrawTab.Assigned()) {
    FOnDrawTab(this, TabIndex, Rect, Active);
    return;
  }
  FCanvas->FillRect(Rect);
  FCanvas->TextRect(Rect, Rect.Left + 6, Rect.Top + 3, FTabs->Get(TabIndex));
}

void TCustomTabControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY:
      CNNotify(Message);
      break;
    case CN_DRAWITEM:
      CNDrawItem(Message);
      break;
    default:
      TWinControl::WndProc(Message);
  }
}

void TCustomTabControl::CNNotify(TMessage& Message) {
  const auto* Header = reinterpret_cast<const NMHDR*>(Message.LParam);
  if (Header == nullptr) {
    TWinControl::WndProc(Message);
    return;
  }
  switch (Header->code) {
    case TCN_SELCHANGING:
      // TRUE keeps the selection where it is.
      Message.Result = CanChange() ? 0 : 1;
      break;
    case TCN_SELCHANGE:
      // The window has selected the tab, and marked what it draws anew; the
      // control lays out for it.
      Realign();
      Change();
      break;
    default:
      TWinControl::WndProc(Message);
  }
}

void TCustomTabControl::CNDrawItem(TMessage& Message) {
  // The item is one of the window's own tabs, as the common control asks
  // for them: its number is not checked against a count of the tabs, which
  // on Windows is a message for every tab drawn.
  const auto* Item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
  if (Item == nullptr || Item->hDC == nullptr) {
    TWinControl::WndProc(Message);
    return;
  }
  // The canvas draws on the DC that was lent for this tab, and gives it back
  // with its state as it came, whatever DrawTab does.
  const int Saved = SaveDC(Item->hDC);
  ScopeExit GiveBack([&] {
    FCanvas->SetHandle(nullptr);
    RestoreDC(Item->hDC, Saved);
  });
  FCanvas->SetHandle(Item->hDC);
  // Each tab starts from the control's own font and brush, as in Paint.
  FCanvas->Font()->Assign(*Font());
  FCanvas->Brush()->Assign(*FBrush);
  DrawTab(static_cast<int>(Item->itemID), Item->rcItem, (Item->itemState & ODS_SELECTED) != 0);
  Message.Result = 1;
}

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl() {
  Destroying();
  for (TTabSheet* Page : FPages)
    Page->FPageControl = nullptr;
  FPages.clear();
  FShowing.clear();
  FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FPages[static_cast<std::size_t>(Index)];
}

int TPageControl::ActivePageIndex() const {
  if (FActivePage == nullptr)
    return -1;
  auto It = std::find(FPages.begin(), FPages.end(), FActivePage);
  return It == FPages.end() ? -1 : static_cast<int>(It - FPages.begin());
}

void TPageControl::SetActivePageIndex(int Value) {
  if (Value >= 0 && Value < PageCount())
    SetActivePage(FPages[static_cast<std::size_t>(Value)]);
  else
    SetActivePage(nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward,
                                      bool CheckTabVisible) const {
  auto It = std::find(FPages.begin(), FPages.end(), CurPage);
  return FindNextPage(It == FPages.end() ? -1 : static_cast<int>(It - FPages.begin()), GoForward,
                      CheckTabVisible);
}

TTabSheet* TPageControl::FindNextPage(int Current, bool GoForward, bool CheckTabVisible) const {
  const int Count = PageCount();
  if (Count == 0)
    return nullptr;
  const int Start = Current < 0 ? (GoForward ? Count - 1 : 0) : Current;
  int I = Start;
  do {
    if (GoForward) {
      if (++I == Count)
        I = 0;
    } else {
      if (I == 0)
        I = Count;
      --I;
    }
    TTabSheet* Result = FPages[static_cast<std::size_t>(I)];
    if (!CheckTabVisible || Result->TabVisible())
      return Result;
  } while (I != Start);
  return nullptr;
}

int TPageControl::GetImageIndex(int TabIndex) {
  // The tab's sheet carries the image; tabs count only visible sheets.
  const std::vector<TTabSheet*>& Showing = ShowingPages();
  if (TabIndex < 0 || TabIndex >= static_cast<int>(Showing.size()))
    return -1;
  return Showing[static_cast<std::size_t>(TabIndex)]->ImageIndex();
}

const std::vector<TTabSheet*>& TPageControl::ShowingPages() const {
  if (FShowingValid)
    return FShowing;
  FShowing.clear();
  for (TTabSheet* Page : FPages)
    if (Page->FTabShowing) {
      Page->FTabPosition = static_cast<int>(FShowing.size());
      FShowing.push_back(Page);
    }
  FShowingValid = true;
  return FShowing;
}

void TPageControl::TabShowingChanged(TTabSheet* Page) {
  if (FShowingValid && Page->FTabShowing && FPages.back() == Page) {
    Page->FTabPosition = static_cast<int>(FShowing.size());
    FShowing.push_back(Page);
  } else if (FShowingValid && !Page->FTabShowing && !FShowing.empty() && FShowing.back() == Page) {
    FShowing.pop_back();
  } else {
    FShowingValid = false;
  }
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page != nullptr && Page->FPageControl != this)
    return;
  ChangeActivePage(Page);
  if (Page == nullptr)
    SetTabIndex(-1);
  else if (Page == FActivePage)
    SetTabIndex(Page->TabIndex());
}

void TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (FActivePage == Page)
    return;
  TTabSheet* Old = FActivePage;
  if (Page != nullptr)
    Page->SetVisible(true);
  if (Old != nullptr)
    Old->SetVisible(false);
  FActivePage = Page;
}

void TPageControl::UpdateActivePage() {
  const int Index = TabIndex();
  if (Index >= 0)
    SetActivePage(SheetOfTab(Index));
}

// The sheets whose tabs show are the tabs, in order: the window is not
// asked for the tab's object, as the LCL's page control maps a tab to its
// page in its own list.
TTabSheet* TPageControl::SheetOfTab(int Index) const {
  const std::vector<TTabSheet*>& Showing = ShowingPages();
  return Index >= 0 && Index < static_cast<int>(Showing.size())
             ? Showing[static_cast<std::size_t>(Index)]
             : nullptr;
}

// Change comes only from a tab the window selected itself (a click, a
// key): the sheet follows the selection, which is not set again.
void TPageControl::Change() {
  if (TTabSheet* Page = SheetOfTab(TabIndex()))
    ChangeActivePage(Page);
  TCustomTabControl::Change();
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  Page->UpdateTabShowing();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  // Sheets mostly go from the end, so the sheet is looked for from there.
  const int Index =
      static_cast<int>(std::find(FPages.rbegin(), FPages.rend(), Page).base() - FPages.begin()) - 1;
  // As in the VCL, taking a sheet away activates the sheet after it.
  TTabSheet* NextSheet = FindNextPage(Index, true, true);
  if (NextSheet == Page)
    NextSheet = nullptr;
  Page->SetTabShowing(false);
  Page->FPageControl = nullptr;
  if (Index >= 0)
    FPages.erase(FPages.begin() + Index);
  SetActivePage(NextSheet);
}

void TPageControl::InsertTab(TTabSheet* Page) {
  const int At = Page->TabIndex();
  Tabs()->InsertObject(At, Page->Caption(),
                       TItemObject::FromInteger(reinterpret_cast<NativeInt>(Page)));
  // A tab inserted after the selected one moves neither the selection nor
  // its row. When that selected tab is the active sheet's, selecting it
  // again would change nothing (the common control ignores a selection of
  // the tab already selected); a page control filled with hundreds of
  // sheets would otherwise read the selection back and set it again after
  // every one.
  if (FActivePage != nullptr && FActivePage != Page) {
    const int Selected = TabIndex();
    if (Selected >= 0 && Selected < At && FActivePage->TabIndex() == Selected)
      return;
  }
  UpdateActivePage();
}

void TPageControl::DeleteTab(TTabSheet* Page, int Index) {
  const bool UpdateIndex = Page == FActivePage;
  Tabs()->Delete(Index);
  if (UpdateIndex) {
    if (Index >= Tabs()->Count())
      Index = Tabs()->Count() - 1;
    SetTabIndex(Index);
  }
  UpdateActivePage();
}

void TPageControl::MoveTab(int CurIndex, int NewIndex) {
  Tabs()->Move(CurIndex, NewIndex);
}

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  SetAlign(alClient);
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  Destroying();
  if (FPageControl != nullptr)
    FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* APageControl) {
  if (APageControl == FPageControl)
    return;
  if (FPageControl != nullptr)
    FPageControl->RemovePage(this);
  SetParent(APageControl);
  if (APageControl != nullptr)
    APageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (FPageControl == nullptr)
    return -1;
  const auto& Pages = FPageControl->FPages;
  return static_cast<int>(std::find(Pages.begin(), Pages.end(), this) - Pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (FPageControl == nullptr || Value < 0 || Value >= FPageControl->PageCount())
    return;
  const int I = TabIndex();
  auto& Pages = FPageControl->FPages;
  const int From = PageIndex();
  Pages.erase(Pages.begin() + From);
  Pages.insert(Pages.begin() + Value, this);
  FPageControl->FShowingValid = false;
  if (I >= 0)
    FPageControl->MoveTab(I, TabIndex());
  // Moving a tab deletes and inserts it, which drops the native selection;
  // the active sheet's tab stays the selected one.
  if (I >= 0 && FPageControl->FActivePage == this)
    FPageControl->SetTabIndex(TabIndex());
}

int TTabSheet::TabIndex() const {
  if (!FTabShowing || FPageControl == nullptr)
    return -1;
  FPageControl->ShowingPages();
  return FTabPosition;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (Value == FTabVisible)
    return;
  FTabVisible = Value;
  UpdateTabShowing();
}

void TTabSheet::UpdateTabShowing() {
  SetTabShowing(FPageControl != nullptr && FTabVisible);
}

void TTabSheet::SetTabShowing(bool Value) {
  if (Value == FTabShowing)
    return;
  if (Value) {
    FTabShowing = true;
    FPageControl->TabShowingChanged(this);
    FPageControl->InsertTab(this);
  } else {
    const int Index = TabIndex();
    FTabShowing = false;
    FPageControl->TabShowingChanged(this);
    FPageControl->DeleteTab(this, Index);
  }
}

void TTabSheet::TextChanged() {
  if (FTabShowing && FPageControl != nullptr)
    FPageControl->Tabs()->Put(TabIndex(), Caption());
  TWinControl::TextChanged();
}

// Defined here, so that the class's table of virtual functions is made
// once, in the host library, not again in every module that uses the class.
TTabControl::~TTabControl() = default;
