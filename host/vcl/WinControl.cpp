#include <algorithm>
#include <iterator>
#include <utility>

#include "Controls.h"

#include "Forms.h"
#include "Menus.h"
#include "ScopeExit.h"

// TWinControl: its children, its window and the messages that reach it.
// Layout, focus and keys are in WinControlLayout.cpp.

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  FWindowed = true;
}

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
  if (!AControl->FWindowed)
    ++FGraphicCount;
  if (AControl->FVisible)
    ++FVisibleCount;
  if (TWinControl* W = AControl->AsWinControl()) {
    W->ParentCtl3DChanged();
    W->UpdateWindowParent();
    W->UpdateShowing();
  }
  AControl->Invalidate();
  Realign();
}

void TWinControl::RemoveControl(TControl* AControl) {
  // Looked for from the end, where a control freeing its children takes
  // them from, one after another.
  auto It = std::find(FControls.rbegin(), FControls.rend(), AControl);
  if (It == FControls.rend())
    return;
  if (TCustomForm* Form = GetParentForm())
    Form->ControlRemoved(AControl);
  FControls.erase(std::next(It).base());
  AControl->FParent = nullptr;
  if (!AControl->FWindowed)
    --FGraphicCount;
  if (AControl->FVisible)
    --FVisibleCount;
  // A parent being freed takes its children along, and each is freed next:
  // no window is moved nor showing worked out for them (a group bar frees
  // hundreds of sheets). A child a handler puts on another parent meanwhile
  // gets both from that parent.
  if (IsDestroying())
    return;
  // A child on its way to another parent gets both there: its window goes
  // over straight, not parked on the desktop and hidden first.
  if (TWinControl* W = AControl->AsWinControl(); W != nullptr && !AControl->FMovingParent) {
    W->UpdateWindowParent();
    W->UpdateShowing();
  }
  Realign();
  Invalidate();
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  while (Control != nullptr && Control != this)
    Control = Control->Parent();
  return Control == this;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled) const {
  // Only controls without a window of their own take their mouse messages
  // from their parent, as the VCL looks only in its list of those: a group
  // bar of hundreds of sheets has none to look through.
  if (FGraphicCount == 0)
    return nullptr;
  for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
    TControl* C = *It;
    if (C->AsWinControl() != nullptr || !C->Visible() || (!C->Enabled() && !AllowDisabled))
      continue;
    if (Pos.X >= C->Left() && Pos.X < C->Left() + C->Width() && Pos.Y >= C->Top() &&
        Pos.Y < C->Top() + C->Height())
      return C;
  }
  return nullptr;
}

void TWinControl::UpdateShowing() {
  // Only a control without a parent can be a form that shows on its own.
  bool Now;
  TCustomForm* Form = FParent == nullptr ? AsCustomForm() : nullptr;
  if (Form != nullptr)
    Now = Form->FormShown() && Visible();
  else
    Now = Visible() && FParent != nullptr && FParent->Showing();
  // A control that starts showing has its window made first, as the VCL's
  // UpdateShowing makes it; its children get theirs as they start showing.
  if (Now && FHandle == nullptr)
    CreateWnd();
  if (Now == FShowing)
    return;
  FShowing = Now;
  UpdateWindowVisible();
  if (Now)
    Invalidate();
  // A hidden child shows neither before nor after: the group bar's
  // hundreds of hidden sheets are passed over as it is hidden and shown.
  for (TControl* C : std::vector<TControl*>(FControls)) {
    if (!C->Visible())
      continue;
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

void TWinControl::EnabledChanged() {
  if (FHandle != nullptr && FHandle == FOwnWindow)
    WidgetSetClass().SetEnabled(FHandle, Enabled());
  TControl::EnabledChanged();
}

HWND TWinControl::Handle() {
  if (FHandle == nullptr)
    CreateWnd();
  return FHandle;
}

std::string TWinControl::Text() const {
  std::string Value;
  if (FHandle != nullptr && WidgetSetClass().GetText(FHandle, Value))
    return Value;
  return FText;
}

void TWinControl::SetText(const std::string& Value) {
  if (Value == Text())
    return;
  FText = Value;
  if (FHandle != nullptr)
    WidgetSetClass().SetText(FHandle, Value);
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = FText;
  Params.WinClassName = ClassName();
  Params.Style = WS_CHILD | WS_CLIPCHILDREN | (Visible() ? WS_VISIBLE : 0) |
                 (FTabStop ? WS_TABSTOP : 0) | (Enabled() ? 0 : WS_DISABLED);
}

void TWinControl::CreateWnd() {
  TCreateParams Params;
  CreateParams(Params);
  // The window goes under the parent's window, made now if the parent has
  // none yet, as the VCL asks for its parent's handle.
  if (FParent != nullptr)
    FParent->HandleNeeded();
  TWSCreateParams Create;
  Create.ClassName = Params.WinClassName;
  Create.Caption = Params.Caption;
  Create.Style = Params.Style;
  Create.ExStyle = Params.ExStyle;
  Create.Bounds = WindowBounds(Params.Style);
  Create.Parent = FParent != nullptr ? FParent->FOwnWindow : nullptr;
  Create.Proc = TWindowProcedure::Of<&TWinControl::MainWndProc>(this);
  Create.Font = Font()->Desc();
  FHandle = WidgetSetClass().CreateHandle(Create);
  if (FHandle == nullptr)
    throw EInvalidOperation("Error creating window of class " + Params.WinClassName);
  FOwnWindow = FHandle;
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
auto UpdatingWindow(bool& Flag) {
  const bool Was = std::exchange(Flag, true);
  return ScopeExit([&Flag, Was] { Flag = Was; });
}
}  // namespace

void TWinControl::UpdateWindowBounds() {
  if (!IsWindow(FOwnWindow))
    return;
  const TRect R = WindowBounds(GetWindowStyle(FOwnWindow));
  const auto Updating = UpdatingWindow(FUpdatingWindow);
  WidgetSetClass().SetBounds(FOwnWindow, R);
}

void TWinControl::SetWindowMenu(HMENU Menu) {
  if (!IsWindow(FOwnWindow) || GetMenu(FOwnWindow) == Menu)
    return;
  {
    const auto Updating = UpdatingWindow(FUpdatingWindow);
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
    const auto Updating = UpdatingWindow(FUpdatingWindow);
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
  const auto Updating = UpdatingWindow(FUpdatingWindow);
  WidgetSetClass().ShowHide(FOwnWindow, Show);
}

void TWinControl::DestroyWnd() {
  // The text outlives the window, so that a window made again shows it.
  if (FHandle != nullptr && FHandle == FOwnWindow && !IsDestroying())
    WidgetSetClass().GetText(FHandle, FText);
  // The children's windows are parked first, so that destroying this window
  // does not take theirs along: a child keeps its window (and what the
  // window holds, a tab control's tabs) until the child itself goes.
  for (TControl* C : FControls)
    if (TWinControl* W = C->AsWinControl(); W != nullptr && IsWindow(W->FOwnWindow)) {
      const auto Updating = UpdatingWindow(W->FUpdatingWindow);
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
    WidgetSetClass().DestroyHandle(FOwnWindow);
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
  // A window's procedure may belong to an object that is no control (a
  // timer's or a popup menu's utility window).
  auto* Control = dynamic_cast<TControl*>(WindowRecord(Handle)->Proc.Data);
  return Control != nullptr ? Control->AsWinControl() : nullptr;
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  const TPoint Pos = PointOf(Message.LParam);
  TControl* Control = ControlAtPos(Pos, false);
  if (Control == nullptr)
    return false;
  Message.Result = Control->Perform(Message.Msg, Message.WParam,
                                    MAKELPARAM(Pos.X - Control->Left(), Pos.Y - Control->Top()));
  return true;
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      if (!IsControlMouseMsg(Message))
        TControl::WndProc(Message);
      break;
    case WM_SIZE:
      WMSize(Message);
      break;
    case WM_PAINT:
      WMPaint(Message);
      break;
    case WM_ERASEBKGND:
      WMEraseBkgnd(Message);
      break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
      CNCtlColor(Message);
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
    case CN_KEYDOWN:
      CNKeyDown(Message);
      break;
    case CN_KEYUP:
    case CN_CHAR:
      // Nothing takes these before the control: the key message follows.
      Message.Result = 0;
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

void TWinControl::FontChanged() {
  if (FHandle != nullptr && FHandle == FOwnWindow)
    WidgetSetClass().SetFont(FHandle, Font()->Desc());
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
