#include "Controls.h"

#include <algorithm>

#include "Forms.h"
#include "Menus.h"

void TSizeConstraints::SetMinHeight(int Value) {
  if (Value == FMinHeight)
    return;
  FMinHeight = Value;
  if (FMaxHeight > 0 && Value > FMaxHeight)
    FMaxHeight = Value;
  Change();
}

void TSizeConstraints::SetMaxHeight(int Value) {
  if (Value == FMaxHeight)
    return;
  FMaxHeight = Value;
  if (Value > 0 && Value < FMinHeight)
    FMinHeight = Value;
  Change();
}

void TSizeConstraints::SetMinWidth(int Value) {
  if (Value == FMinWidth)
    return;
  FMinWidth = Value;
  if (FMaxWidth > 0 && Value > FMaxWidth)
    FMaxWidth = Value;
  Change();
}

void TSizeConstraints::SetMaxWidth(int Value) {
  if (Value == FMaxWidth)
    return;
  FMaxWidth = Value;
  if (Value > 0 && Value < FMinWidth)
    FMinWidth = Value;
  Change();
}

void TSizeConstraints::Change() {
  FControl->ConstraintsChanged();
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FConstraints(std::make_unique<TSizeConstraints>(this)),
      FFont(std::make_unique<TFont>()) {
  FFont->SetOnChange(TNotifyEvent::Of<&TControl::FontChange>(this));
  FWindowProc = TWndMethod::Of<&TControl::WndProc>(this);
}

TControl::~TControl() {
  Destroying();
  FFont->SetOnChange({});
  SetParent(nullptr);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent)
    return;
  if (AParent == this)
    throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent != nullptr)
    FParent->RemoveControl(this);
  if (AParent != nullptr)
    AParent->InsertControl(this);
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible)
    return;
  FVisible = Value;
  VisibleChanged();
}

void TControl::VisibleChanged() {
  if (FParent != nullptr) {
    FParent->Realign();
    FParent->Invalidate();
  }
  Invalidate();
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled)
    return;
  FEnabled = Value;
  EnabledChanged();
}

void TControl::EnabledChanged() {
  Invalidate();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign)
    return;
  FAlign = Value;
  if (FParent != nullptr)
    FParent->Realign();
}

void TControl::ApplyConstraints(int& AWidth, int& AHeight) const {
  const auto& C = *FConstraints;
  if (C.MaxWidth() > 0 && AWidth > C.MaxWidth())
    AWidth = C.MaxWidth();
  if (AWidth < C.MinWidth())
    AWidth = C.MinWidth();
  if (C.MaxHeight() > 0 && AHeight > C.MaxHeight())
    AHeight = C.MaxHeight();
  if (AHeight < C.MinHeight())
    AHeight = C.MinHeight();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ApplyConstraints(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
    return;
  const bool Resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  BoundsChanged();
  // As the VCL's RequestAlign: the parent lays out again for any child, so
  // that a control bar follows a band that changed its height.
  if (FParent != nullptr)
    FParent->Realign();
  if (Resized)
    Resize();
  Invalidate();
}

void TControl::ConstraintsChanged() {
  // The VCL applies new constraints to the present size at once.
  SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetClientWidth(int Value) {
  SetWidth(FWidth - ClientWidth() + Value);
}
void TControl::SetClientHeight(int Value) {
  SetHeight(FHeight - ClientHeight() + Value);
}

void TControl::SetParentFont(bool Value) {
  if (Value == FParentFont)
    return;
  FParentFont = Value;
  if (Value)
    ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || FParent == nullptr)
    return;
  FChangingParentFont = true;
  FFont->Assign(FParent->Font());
  FChangingParentFont = false;
}

void TControl::FontChange(TObject* Sender) {
  (void)Sender;
  // A font set on the control itself ends the inheritance from the parent.
  if (!FChangingParentFont)
    FParentFont = false;
  FontChanged();
}

void TControl::FontChanged() {
  Invalidate();
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor)
    return;
  FColor = Value;
  Invalidate();
}

void TControl::SetText(const std::string& Value) {
  if (Value == FText)
    return;
  FText = Value;
  TextChanged();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage Message{Msg, WParam, LParam, 0};
  FWindowProc(Message);
  return Message.Result;
}

void TControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      FControlState.Include(csLButtonDown);
      WMLButtonDown(Message);
      break;
    case WM_LBUTTONUP:
      FControlState.Exclude(csLButtonDown);
      WMLButtonUp(Message);
      break;
    case WM_LBUTTONDBLCLK:
      WMLButtonDblClk(Message);
      break;
    default:
      DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  (void)Message;
}

void TControl::WMLButtonDown(TMessage& Message) {
  DefaultHandler(Message);
  if (FControlStyle.Contains(csClickEvents))
    FControlState.Include(csClicked);
}

void TControl::WMLButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  if (FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    Click();
  }
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  DefaultHandler(Message);
  DblClick();
}

void TControl::Click() {
  if (FOnClick.Assigned())
    FOnClick(this);
}

// The VCL raises OnDblClick here; nothing this host runs sets it, so the
// hook is left to the controls that override it.
void TControl::DblClick() {}

void TControl::Resize() {
  if (FOnResize.Assigned())
    FOnResize(this);
}

void TControl::SimulateClick() {
  if (auto* W = dynamic_cast<TWinControl*>(this)) {
    SendMessage(W->Handle(), WM_LBUTTONDOWN, 0, 0);
    SendMessage(W->Handle(), WM_LBUTTONUP, 0, 0);
    return;
  }
  Perform(WM_LBUTTONDOWN, 0, 0);
  Perform(WM_LBUTTONUP, 0, 0);
}

void TControl::SimulateDblClick() {
  SimulateClick();
  if (auto* W = dynamic_cast<TWinControl*>(this))
    SendMessage(W->Handle(), WM_LBUTTONDBLCLK, 0, 0);
  else
    Perform(WM_LBUTTONDBLCLK, 0, 0);
  if (auto* W = dynamic_cast<TWinControl*>(this))
    SendMessage(W->Handle(), WM_LBUTTONUP, 0, 0);
  else
    Perform(WM_LBUTTONUP, 0, 0);
}

void TControl::Invalidate() {
  FInvalidated = true;
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  PaintIfNeeded();
}

bool TControl::IsShown() const {
  return FVisible && FParent != nullptr && FParent->Showing();
}

void TControl::PaintIfNeeded() {
  if (!FInvalidated || !IsShown())
    return;
  FInvalidated = false;
  ++FPaintCount;
  Paint();
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (Value == FPopupMenu)
    return;
  if (FPopupMenu != nullptr)
    RemoveFreeNotification(FPopupMenu);
  FPopupMenu = Value;
  if (Value != nullptr)
    FreeNotification(Value);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu)
    FPopupMenu = nullptr;
}

TCustomForm* TControl::GetParentForm() const {
  const TControl* C = this;
  while (C->FParent != nullptr)
    C = C->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(C));
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  if (TCustomForm* Form = GetParentForm(); Form != nullptr && Form != this)
    Form->ControlDestroyed(this);
  DestroyHandle();
  // A windowed control takes its child controls with it, owned or not.
  while (!FControls.empty()) {
    TControl* Instance = FControls.back();
    RemoveControl(Instance);
    delete Instance;
  }
}

void TWinControl::InsertControl(TControl* AControl) {
  FControls.push_back(AControl);
  AControl->FParent = this;
  AControl->ParentFontChanged();
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
    W->ParentCtl3DChanged();
    W->UpdateWindowParent();
    W->UpdateShowing();
  }
  AControl->Invalidate();
  Realign();
}

void TWinControl::RemoveControl(TControl* AControl) {
  auto It = std::find(FControls.begin(), FControls.end(), AControl);
  if (It == FControls.end())
    return;
  if (TCustomForm* Form = GetParentForm())
    Form->ControlRemoved(AControl);
  FControls.erase(It);
  AControl->FParent = nullptr;
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
    W->UpdateWindowParent();
    W->UpdateShowing();
  }
  if (!IsDestroying()) {
    Realign();
    Invalidate();
  }
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  while (Control != nullptr && Control != this)
    Control = Control->Parent();
  return Control == this;
}

void TWinControl::UpdateShowing() {
  // Only a control without a parent can be a form that shows on its own;
  // the class is asked of those alone, a walk over thousands of sheets
  // would otherwise ask it of every one.
  bool Now;
  TCustomForm* Form = FParent == nullptr ? dynamic_cast<TCustomForm*>(this) : nullptr;
  if (Form != nullptr)
    Now = Form->FormShown() && Visible();
  else
    Now = Visible() && FParent != nullptr && FParent->Showing();
  if (Now == FShowing)
    return;
  FShowing = Now;
  UpdateWindowVisible();
  if (Now)
    Invalidate();
  for (TControl* C : std::vector<TControl*>(FControls)) {
    if (TWinControl* W = C->AsWinControl())
      W->UpdateShowing();
    if (Now)
      C->Invalidate();
  }
  ShowingChanged();
}

void TWinControl::VisibleChanged() {
  UpdateShowing();
  UpdateWindowVisible();
  TControl::VisibleChanged();
}

HWND TWinControl::Handle() {
  if (FHandle == nullptr)
    CreateWnd();
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.WinClassName = ClassName();
  Params.Style =
      WS_CHILD | WS_CLIPCHILDREN | (Visible() ? WS_VISIBLE : 0) | (FTabStop ? WS_TABSTOP : 0);
}

void TWinControl::CreateWnd() {
  TCreateParams Params;
  CreateParams(Params);
  // The window goes under the parent's window, made now if the parent has
  // none yet, as the VCL asks for its parent's handle.
  if (FParent != nullptr)
    FParent->HandleNeeded();
  const HWND ParentWindow = FParent != nullptr ? FParent->FOwnWindow : nullptr;
  FHandle = CreateWindowEx(Params.WinClassName, Params.Style,
                           TWindowProcedure::Of<&TWinControl::MainWndProc>(this), ParentWindow,
                           WindowBounds(Params.Style));
  FOwnWindow = FHandle;
  TWindowRecord* Window = WindowRecord(FHandle);
  Window->Width = Width();
  Window->Height = Height();
  Window->Font = Font()->Desc();
  // Children whose windows were made before this one's come under it now.
  for (TControl* C : FControls)
    if (TWinControl* W = C->AsWinControl(); W != nullptr && W->FOwnWindow != nullptr)
      W->UpdateWindowParent();
  UpdateWindowVisible();
}

TRect TWinControl::WindowBounds(DWORD Style) const {
  if ((Style & WS_CHILD) != 0)
    return BoundsRect();
  TRect Frame{0, 0, Width(), Height()};
  AdjustWindowRectEx(Frame, Style, GetMenu(FOwnWindow) != nullptr ? 1 : 0, 0);
  return TRect{Left(), Top(), Left() + Frame.Width(), Top() + Frame.Height()};
}

namespace {
// Raises a control's flag for the span of one window update, on every path.
struct TUpdatingWindow {
  explicit TUpdatingWindow(bool& Flag) : FFlag(Flag), FWas(Flag) { Flag = true; }
  ~TUpdatingWindow() { FFlag = FWas; }
  TUpdatingWindow(const TUpdatingWindow&) = delete;
  TUpdatingWindow& operator=(const TUpdatingWindow&) = delete;
  bool& FFlag;
  bool FWas;
};
}  // namespace

void TWinControl::UpdateWindowBounds() {
  if (!IsWindow(FOwnWindow))
    return;
  const TRect R = WindowBounds(GetWindowStyle(FOwnWindow));
  TUpdatingWindow Updating(FUpdatingWindow);
  SetWindowPos(FOwnWindow, nullptr, R.Left, R.Top, R.Width(), R.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SetWindowMenu(HMENU Menu) {
  if (!IsWindow(FOwnWindow) || GetMenu(FOwnWindow) == Menu)
    return;
  {
    TUpdatingWindow Updating(FUpdatingWindow);
    SetMenu(FOwnWindow, Menu);
  }
  UpdateWindowBounds();
}

void TWinControl::UpdateWindowParent() {
  if (!IsWindow(FOwnWindow))
    return;
  // A control with a window put on a parent without one makes the parent's.
  if (FParent != nullptr)
    FParent->HandleNeeded();
  const HWND ParentWindow = FParent != nullptr ? FParent->FOwnWindow : nullptr;
  if (GetParent(FOwnWindow) != ParentWindow) {
    TUpdatingWindow Updating(FUpdatingWindow);
    ::SetParent(FOwnWindow, ParentWindow);
  }
  UpdateWindowBounds();
}

void TWinControl::UpdateWindowVisible() {
  if (!IsWindow(FOwnWindow))
    return;
  // A child window shows with its parent; a window of its own shows while
  // its form is shown.
  const bool Show = FParent != nullptr ? Visible() : FShowing;
  if (Show == ((GetWindowStyle(FOwnWindow) & WS_VISIBLE) != 0))
    return;
  TUpdatingWindow Updating(FUpdatingWindow);
  ShowWindow(FOwnWindow, Show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::DestroyWnd() {
  // The children's windows are parked first, so that destroying this window
  // does not take theirs along: a child keeps its window (and what the
  // window holds, a tab control's tabs) until the child itself goes.
  for (TControl* C : FControls)
    if (TWinControl* W = C->AsWinControl(); W != nullptr && IsWindow(W->FOwnWindow)) {
      TUpdatingWindow Updating(W->FUpdatingWindow);
      ::SetParent(W->FOwnWindow, nullptr);
    }
  // Only the control's own window is destroyed: a handle field that holds a
  // window lent by another control leaves that window alone, and the own
  // window goes even then, so that no window is left calling a freed control.
  // Windows sends the going window WM_DESTROY, which reaches this control's
  // window procedure: while it goes the control's handle is its own window,
  // so that nothing done then reaches a window lent to it.
  if (FOwnWindow != nullptr) {
    FHandle = FOwnWindow;
    DestroyWindow(FOwnWindow);
  }
  FOwnWindow = nullptr;
  FHandle = nullptr;
}

void TWinControl::DestroyHandle() {
  if (FHandle != nullptr || FOwnWindow != nullptr)
    DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (FHandle == nullptr)
    return;
  DestroyHandle();
  CreateWnd();
  Invalidate();
}

void TWinControl::MainWndProc(TMessage& Message) {
  if (FUpdatingWindow && FOwnWindow != nullptr) {
    CallDefWindowProc(FOwnWindow, Message);
    return;
  }
  WindowProc()(Message);
}

TWinControl* FindControl(HWND Handle) {
  if (!IsWindow(Handle))
    return nullptr;
  return dynamic_cast<TWinControl*>(WindowRecord(Handle)->Proc.Data);
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      WMSize(Message);
      break;
    case WM_KEYDOWN:
      WMKeyDown(Message);
      break;
    case WM_KEYUP:
      WMKeyUp(Message);
      break;
    case WM_CHAR:
      WMChar(Message);
      break;
    case WM_PASTE:
      WMPaste(Message);
      break;
    case WM_CUT:
      WMCut(Message);
      break;
    case CM_ENTER:
      CMEnter(Message);
      break;
    case CM_EXIT:
      CMExit(Message);
      break;
    case CM_CTL3DCHANGED:
      CMCtl3DChanged(Message);
      break;
    case CN_KEYDOWN:
      CNKeyDown(Message);
      break;
    case WM_CONTEXTMENU:
      WMContextMenu(Message);
      break;
    default:
      TControl::WndProc(Message);
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (FHandle != nullptr)
    CallDefWindowProc(FHandle, Message);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWinControl::BoundsChanged() {
  if (FHandle != nullptr && FHandle == FOwnWindow)
    UpdateWindowBounds();
  Realign();
}

void TWinControl::FontChanged() {
  if (TWindowRecord* Window = WindowRecord(FHandle); Window != nullptr && Window->Proc.Data == this)
    Window->Font = Font()->Desc();
  TControl::FontChanged();
  for (TControl* C : FControls)
    C->ParentFontChanged();
  Realign();
}

void TWinControl::WMSize(TMessage& Message) {
  (void)Message;
  Realign();
  Resize();
}

void TWinControl::SetCtl3D(bool Value) {
  FParentCtl3D = false;
  if (Value == FCtl3D)
    return;
  FCtl3D = Value;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool Value) {
  if (Value == FParentCtl3D)
    return;
  FParentCtl3D = Value;
  ParentCtl3DChanged();
}

void TWinControl::ParentCtl3DChanged() {
  if (!FParentCtl3D || FParent == nullptr || FParent->FCtl3D == FCtl3D)
    return;
  FCtl3D = FParent->FCtl3D;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::CMCtl3DChanged(TMessage& Message) {
  (void)Message;
  Invalidate();
  for (TControl* C : std::vector<TControl*>(FControls))
    if (auto* W = dynamic_cast<TWinControl*>(C))
      W->ParentCtl3DChanged();
}

bool NewStyleControls() {
  return (GetVersion() & 0xFF) >= 4;
}

void TWinControl::EnableAlign() {
  if (--FAlignLevel == 0)
    Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || FRealigning || IsDestroying())
    return;
  FRealigning = true;
  struct Guard {
    bool& Flag;
    ~Guard() { Flag = false; }
  } G{FRealigning};
  TRect R = ClientRect();
  AdjustClientRect(R);
  AlignControls(nullptr, R);
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  (void)AControl;
  for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* C : std::vector<TControl*>(FControls)) {
      if (C->Align() != A || !C->Visible())
        continue;
      switch (A) {
        case alTop:
          C->SetBounds(Rect.Left, Rect.Top, Rect.Width(), C->Height());
          Rect.Top += C->Height();
          break;
        case alBottom:
          C->SetBounds(Rect.Left, Rect.Bottom - C->Height(), Rect.Width(), C->Height());
          Rect.Bottom -= C->Height();
          break;
        case alLeft:
          C->SetBounds(Rect.Left, Rect.Top, C->Width(), Rect.Height());
          Rect.Left += C->Width();
          break;
        case alRight:
          C->SetBounds(Rect.Right - C->Width(), Rect.Top, C->Width(), Rect.Height());
          Rect.Right -= C->Width();
          break;
        case alClient:
          C->SetBounds(Rect.Left, Rect.Top, std::max(0, Rect.Width()), std::max(0, Rect.Height()));
          break;
        case alNone:
          break;
      }
    }
  }
}

bool TWinControl::CanFocus() const {
  if (!Showing())
    return false;
  for (const TControl* C = this; C != nullptr; C = C->Parent())
    if (!C->Enabled() || !C->Visible())
      return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TCustomForm* Form = GetParentForm())
    Form->FocusControl(this);
}

bool TWinControl::Focused() const {
  TCustomForm* Form = GetParentForm();
  return Form != nullptr && Form->ActiveControl() == this;
}

int TWinControl::TabOrder() const {
  if (FParent == nullptr)
    return -1;
  int Order = 0;
  for (TControl* C : FParent->FControls) {
    if (C == this)
      return Order;
    if (dynamic_cast<TWinControl*>(C) != nullptr)
      ++Order;
  }
  return -1;
}

void TWinControl::SetTabOrder(int Value) {
  if (FParent == nullptr)
    return;
  auto& List = FParent->FControls;
  List.erase(std::find(List.begin(), List.end(), this));
  // Tab order counts windowed controls only; find the slot among them.
  auto It = List.begin();
  for (int Seen = 0; It != List.end(); ++It) {
    if (dynamic_cast<TWinControl*>(*It) == nullptr)
      continue;
    if (Seen++ == Value)
      break;
  }
  List.insert(It, this);
}

namespace {
TShiftState CurrentShift() {
  TShiftState S;
  if (KeyboardState().IsDown(VK_SHIFT))
    S.Include(ssShift);
  if (KeyboardState().IsDown(VK_CONTROL))
    S.Include(ssCtrl);
  if (KeyboardState().IsDown(VK_MENU))
    S.Include(ssAlt);
  return S;
}
}  // namespace

void TWinControl::SimulateKey(Word Key, TShiftState Shift) {
  (void)Shift;
  SendMessage(Handle(), WM_KEYDOWN, Key, 0);
  SendMessage(Handle(), WM_KEYUP, Key, 0);
}

void TWinControl::SimulateChar(char Ch) {
  SendMessage(Handle(), WM_CHAR, static_cast<unsigned char>(Ch), 0);
}

void TWinControl::WMKeyDown(TMessage& Message) {
  Word Key = static_cast<Word>(Message.WParam);
  KeyDown(Key, CurrentShift());
  if (Key == 0)
    return;
  Message.WParam = Key;
  DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
  Word Key = static_cast<Word>(Message.WParam);
  KeyUp(Key, CurrentShift());
  if (Key == 0)
    return;
  Message.WParam = Key;
  DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  char Key = static_cast<char>(Message.WParam);
  KeyPress(Key);
  if (Key == '\0')
    return;
  Message.WParam = static_cast<unsigned char>(Key);
  DefaultHandler(Message);
}

// The VCL raises OnKeyDown and OnKeyUp here; nothing this host runs sets
// them, so these are hooks for the controls that handle keys.
void TWinControl::KeyDown(Word&, TShiftState) {}

void TWinControl::KeyUp(Word&, TShiftState) {}

void TWinControl::KeyPress(char& Key) {
  if (FOnKeyPress.Assigned())
    FOnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
  if (FOnEnter.Assigned())
    FOnEnter(this);
}

void TWinControl::DoExit() {
  if (FOnExit.Assigned())
    FOnExit(this);
}

void TWinControl::CMEnter(TMessage& Message) {
  (void)Message;
  DoEnter();
}

void TWinControl::CMExit(TMessage& Message) {
  (void)Message;
  DoExit();
}

void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = IsMenuKey(Message) ? 1 : 0;
}

bool TWinControl::IsMenuKey(TMessage& Message) {
  for (TWinControl* Control = this; Control != nullptr; Control = Control->Parent())
    if (TPopupMenu* Menu = Control->GetPopupMenu();
        Menu != nullptr && Menu->WindowHandle() != nullptr && Menu->IsShortCut(Message))
      return true;
  TCustomForm* Form = GetParentForm();
  return Form != nullptr && Form->IsShortCut(Message);
}

void TWinControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0)
    return;
  const auto Pos = static_cast<std::uintptr_t>(Message.LParam);
  TPoint At{static_cast<short>(LOWORD(Pos)), static_cast<short>(HIWORD(Pos))};
  // (-1, -1) is the keyboard's request: the menu opens at the control.
  const bool FromKeyboard = At.X == -1 && At.Y == -1;
  if (!FromKeyboard) {
    TPoint Local = At;
    ScreenToClient(Handle(), Local);
    const TRect Client = ClientRect();
    if (Local.X < Client.Left || Local.X >= Client.Right || Local.Y < Client.Top ||
        Local.Y >= Client.Bottom) {
      DefaultHandler(Message);
      return;
    }
  }
  TPopupMenu* Menu = GetPopupMenu();
  if (Menu == nullptr || !Menu->AutoPopup()) {
    DefaultHandler(Message);
    return;
  }
  if (FromKeyboard) {
    At = TPoint{};
    ClientToScreen(Handle(), At);
  }
  Message.Result = 1;
  Menu->Popup(At.X, At.Y);
}

void TWinControl::WMLButtonDown(TMessage& Message) {
  // Controls that take keyboard input take the focus on a click, while the
  // button is still down.
  if (TakesFocusOnClick() && CanFocus())
    SetFocus();
  TControl::WMLButtonDown(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {}
TCustomControl::~TCustomControl() {
  Destroying();
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {}
TGraphicControl::~TGraphicControl() {
  Destroying();
}
