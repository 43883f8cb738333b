#include "Controls.h"

#include <algorithm>

#include "Forms.h"
#include "Menus.h"
#include "ScopeExit.h"

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

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FFont.SetOnChange(TNotifyEvent::Of<&TControl::FontChange>(this));
  FWindowProc = TWndMethod::Of<&TControl::WndProc>(this);
}

TControl::~TControl() {
  Destroying();
  FFont.SetOnChange({});
  SetParent(nullptr);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent)
    return;
  if (AParent == this)
    throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent != nullptr) {
    FMovingParent = AParent != nullptr;
    ScopeExit Moved([this] { FMovingParent = false; });
    FParent->RemoveControl(this);
  }
  if (AParent != nullptr)
    AParent->InsertControl(this);
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible)
    return;
  FVisible = Value;
  if (FParent != nullptr)
    FParent->FVisibleCount += Value ? 1 : -1;
  VisibleChanged();
}

void TControl::VisibleChanged() {
  if (FParent != nullptr) {
    FParent->Realign();
    // The parent shows again where the control was, as Windows uncovers a
    // window's area under a child that hides, unless a window shown in its
    // place covers it (a page control's next sheet); a window that shows
    // covers its place itself.
    const TRect R = BoundsRect();
    const bool Covered = FVisible && AsWinControl() != nullptr;
    if (FParent->HandleAllocated() && !Covered && !FParent->CoveredByWindow(R))
      InvalidateRect(FParent->Handle(), &R, FControlStyle.Contains(csOpaque) ? 0 : 1);
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
  const auto& C = FConstraints;
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
  FFont.Assign(*FParent->Font());
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
  Perform(CM_TEXTCHANGED, 0, 0);
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
    case CM_TEXTCHANGED:
      TextChanged();
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

void TControl::Invalidate() {
  // A graphic control is drawn on its parent's surface: the parent's window
  // is marked over the control's place.
  if (FParent == nullptr || !FVisible || !FParent->HandleAllocated())
    return;
  const TRect R = BoundsRect();
  InvalidateRect(FParent->Handle(), &R, FControlStyle.Contains(csOpaque) ? 0 : 1);
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (FParent != nullptr)
    FParent->Update();
}

bool TControl::NeedsPaint() const {
  return FParent != nullptr && FParent->NeedsPaint();
}

bool TControl::IsShown() const {
  return FVisible && FParent != nullptr && FParent->Showing();
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
  return const_cast<TControl*>(C)->AsCustomForm();
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {}
TCustomControl::~TCustomControl() {
  Destroying();
}

namespace {
// The canvas draws on the paint's DC for one Paint and gives it back as it
// came, on every path.
template <class F>
void PaintOn(TCanvas& Canvas, HDC DC, F Paint) {
  const int Saved = SaveDC(DC);
  ScopeExit GiveBack([&] {
    Canvas.SetHandle(nullptr);
    RestoreDC(DC, Saved);
  });
  Canvas.SetHandle(DC);
  Paint();
}
}  // namespace

void TCustomControl::PaintWindow(HDC DC) {
  PaintOn(*FCanvas, DC, [this] { Paint(); });
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {}
TGraphicControl::~TGraphicControl() {
  Destroying();
}

void TGraphicControl::WndProc(TMessage& Message) {
  const auto DC = reinterpret_cast<HDC>(Message.WParam);
  if (Message.Msg != WM_PAINT || DC == nullptr) {
    TControl::WndProc(Message);
    return;
  }
  CountPaint();
  PaintOn(*FCanvas, DC, [this] { Paint(); });
}
