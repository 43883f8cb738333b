#include <algorithm>

#include "Controls.h"
#include "Forms.h"
#include "Rects.h"
#include "ScopeExit.h"

// TWinControl's layout of its children, its three-dimensional look, the
// focus and the keyboard.

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWinControl::BoundsChanged() {
  if (FHandle != nullptr && FHandle == FOwnWindow)
    UpdateWindowBounds();
  Realign();
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
    if (TWinControl* W = C->AsWinControl())
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
  // A control without children has nothing to place, and its client area
  // (a tab control's asks the window) is not worked out for nothing.
  if (FAlignLevel > 0 || FRealigning || IsDestroying() || FControls.empty())
    return;
  FRealigning = true;
  ScopeExit Done([this] { FRealigning = false; });
  TRect R = ClientRect();
  AdjustClientRect(R);
  AlignControls(nullptr, R);
}

bool TWinControl::CoveredByWindow(const TRect& R) const {
  int Seen = 0;
  for (std::size_t i = 0; i < FControls.size() && Seen < FVisibleCount; ++i) {
    TControl* C = FControls[i];
    if (!C->Visible())
      continue;
    ++Seen;
    if (C->AsWinControl() != nullptr && Within(R, C->BoundsRect()))
      return true;
  }
  return false;
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  (void)AControl;
  // A control without children (a new sheet, laid out again as it gets its
  // parent's font) has nothing to place: no pass over its list is made.
  if (FControls.empty())
    return;
  // The kinds of alignment that visible controls have, and where the first
  // and last visible controls stand, found in one look at each, as the VCL
  // first asks whether there is any aligning to do: a page control of
  // hundreds of hidden sheets and one shown is walked up to that one, and
  // again only from that one to itself. The list is walked by position rather than copied for
  // each kind; a control a handler frees on the way is not reached.
  unsigned Kinds = 0;
  std::size_t First = FControls.size(), Last = 0;
  for (std::size_t i = 0, Seen = 0;
       i < FControls.size() && Seen < static_cast<std::size_t>(FVisibleCount); ++i) {
    const TControl* C = FControls[i];
    if (!C->Visible())
      continue;
    ++Seen;
    Kinds |= 1u << C->Align();
    First = std::min(First, i);
    Last = i;
  }
  for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient}) {
    if ((Kinds & (1u << A)) == 0)
      continue;
    for (std::size_t i = First; i <= Last && i < FControls.size(); ++i) {
      TControl* const C = FControls[i];
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
    if (C->AsWinControl() != nullptr)
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
    if ((*It)->AsWinControl() == nullptr)
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

void TWinControl::WMLButtonDown(TMessage& Message) {
  // Controls that take keyboard input take the focus on a click, while the
  // button is still down.
  if (TakesFocusOnClick() && CanFocus())
    SetFocus();
  TControl::WMLButtonDown(Message);
}
