#include "uORVExpert_CORVSpin.h"

#include <algorithm>
#include <limits>

namespace {

// One step from Value by Delta (a sign-extended 32-bit increment). A step
// past the end of the 64-bit range stops at that end instead of wrapping
// round to the other sign.
Int64 Step(Int64 Value, Int64 Delta) {
  constexpr Int64 Max = std::numeric_limits<Int64>::max();
  constexpr Int64 Min = std::numeric_limits<Int64>::min();
  if (Delta > 0 && Value > Max - Delta)
    return Max;
  if (Delta < 0 && Value < Min - Delta)
    return Min;
  return Value + Delta;
}

// The streaming system's encoding of a set of anchors: akLeft and akTop.
constexpr Integer kAnchorsLeftTop = 0x3;
constexpr Integer crDrag = -12;

}  // namespace

TORVExpert_CORVSpin::TORVExpert_CORVSpin(TComponent* AOwner) : TCustomEdit(AOwner) {
  FButton = new TSpinButton(this);
  FButton->SetWidth(15);
  FButton->SetHeight(17);
  FButton->SetVisible(true);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  FButton->SetOnUpClick(TNotifyEvent::Of<&TORVExpert_CORVSpin::ButtonUpClick>(this));
  FButton->SetOnDownClick(TNotifyEvent::Of<&TORVExpert_CORVSpin::ButtonDownClick>(this));
  SetText("0");
  // The component's name is never copied into the text.
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  FIncrement = 1;
  FPlasOnly = false;
  FShowButton = true;
}

TORVExpert_CORVSpin::~TORVExpert_CORVSpin() {
  // The button belongs to the edit as owner and child; the edit frees it.
  FButton = nullptr;
}

const TTypeInfo* TORVExpert_CORVSpin::ClassInfo() const {
  using T = TORVExpert_CORVSpin;
  // The class's own seven properties carry their access; the inherited ones
  // it re-publishes are listed for the streaming order and their defaults.
  static const TTypeInfo Info{
      "TORVExpert_CORVSpin",
      {
          {"PlasOnly", 0, &BooleanType, PropGetter<&T::PlasOnly>, PropSetter<&T::SetPlasOnly>},
          {"Alignment", static_cast<Integer>(taLeftJustify), &AlignmentType,
           PropGetter<&T::Alignment>, PropSetter<&T::SetAlignment>},
          {"Anchors", kAnchorsLeftTop},
          {"AutoSelect", 1},
          {"AutoSize", 1},
          {"Color", clWindow},
          {"Constraints", std::nullopt},
          {"Ctl3D", std::nullopt},
          {"DragCursor", crDrag},
          {"DragMode", 0},
          {"Enabled", 1},
          {"Font", std::nullopt},
          {"Increment", 1, &IntegerType, PropGetter<&T::Increment>, PropSetter<&T::SetIncrement>},
          {"MaxLength", 0},
          {"MaxValue", std::nullopt, &Int64Type, PropGetter<&T::MaxValue>,
           PropSetter<&T::SetMaxValue>},
          {"MinValue", std::nullopt, &Int64Type, PropGetter<&T::MinValue>,
           PropSetter<&T::SetMinValue>},
          {"ShowButton", 1, &BooleanType, PropGetter<&T::ShowButton>,
           PropSetter<&T::SetShowButton>},
          {"ParentColor", 0},
          {"ParentCtl3D", 1},
          {"ParentFont", 1},
          {"ParentShowHint", 1},
          {"PopupMenu", std::nullopt},
          {"ReadOnly", 0},
          {"ShowHint", std::nullopt},
          {"TabOrder", -1},
          {"TabStop", 1},
          {"Value", std::nullopt, &Int64Type, PropGetter<&T::Value>, PropSetter<&T::SetValue>},
          {"Visible", 1},
          {"OnChange", std::nullopt},
          {"OnClick", std::nullopt},
          {"OnDblClick", std::nullopt},
          {"OnDragDrop", std::nullopt},
          {"OnDragOver", std::nullopt},
          {"OnEndDrag", std::nullopt},
          {"OnEnter", std::nullopt},
          {"OnExit", std::nullopt},
          {"OnKeyDown", std::nullopt},
          {"OnKeyPress", std::nullopt},
          {"OnKeyUp", std::nullopt},
          {"OnMouseDown", std::nullopt},
          {"OnMouseMove", std::nullopt},
          {"OnMouseUp", std::nullopt},
          {"OnStartDrag", std::nullopt},
      }};
  return &Info;
}

Int64 TORVExpert_CORVSpin::CheckValue(Int64 NewValue) const {
  Int64 Result = NewValue;
  if (FPlasOnly && NewValue < 0)
    Result = FMinValue;
  // The bounds are tested against the value asked for, not against the
  // result of the sign rule above.
  if (FMinValue != 0 || FMaxValue != 0) {
    if (NewValue < FMinValue)
      Result = FMinValue;
    else if (NewValue > FMaxValue)
      Result = FMaxValue;
  }
  return Result;
}

Int64 TORVExpert_CORVSpin::GetValue() const {
  Int64 Parsed;
  if (!TryStrToInt64(Text(), Parsed))
    return FMinValue;
  return CheckValue(Parsed);
}

void TORVExpert_CORVSpin::SetValue(Int64 NewValue) {
  if (NewValue == GetValue() && !Text().empty())
    return;
  SetText(IntToStr(CheckValue(NewValue)));
}

void TORVExpert_CORVSpin::UpClick(TObject* Sender) {
  (void)Sender;
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(Step(GetValue(), static_cast<Int64>(FIncrement)));
}

void TORVExpert_CORVSpin::DownClick(TObject* Sender) {
  (void)Sender;
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(Step(GetValue(), -static_cast<Int64>(FIncrement)));
}

void TORVExpert_CORVSpin::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_UP)
    UpClick(this);
  else if (Key == VK_DOWN)
    DownClick(this);
  TCustomEdit::KeyDown(Key, Shift);
}

void TORVExpert_CORVSpin::KeyPress(char& Key) {
  if (!IsValidChar(Key)) {
    Key = '\0';
    MessageBeep(0);
  }
  if (Key != '\0') {
    TCustomEdit::KeyPress(Key);
    // The window is multi-line (for its formatting rectangle); Enter must
    // never break the line.
    if (Key == '\r')
      Key = '\0';
  }
}

bool TORVExpert_CORVSpin::IsValidChar(char Key) {
  if (Key == '-')
    return !FPlasOnly && Text().find('-') == std::string::npos;
  return Key == '\b' || Key == '\r' || (Key >= '0' && Key <= '9');
}

void TORVExpert_CORVSpin::Change() {
  // An empty text is left alone while the user edits; leaving corrects it.
  const std::string S = Text();
  if (!S.empty()) {
    Int64 Parsed;
    if (!TryStrToInt64(S, Parsed) || Parsed != GetValue())
      SetText(IntToStr(CheckValue(GetValue())));
  }
  TCustomEdit::Change();
}

void TORVExpert_CORVSpin::DoExit() {
  TCustomEdit::DoExit();
  try {
    SetValue(GetValue());
  } catch (const Exception&) {
    SetValue(FMinValue);
  }
}

void TORVExpert_CORVSpin::CMExit(TMessage& Message) {
  TCustomEdit::CMExit(Message);
  // GetValue is already checked, so comparing it with its own check finds
  // nothing; the number shown is what may be out of place (a negative text
  // left by PlasOnly, for one), and leaving must not keep showing it.
  Int64 Shown;
  if (TryStrToInt64(Text(), Shown) && CheckValue(Shown) != Shown)
    SetText(IntToStr(CheckValue(Shown)));
}

void TORVExpert_CORVSpin::Click() {
  DoExit();
  TCustomEdit::Click();
}

void TORVExpert_CORVSpin::DblClick() {
  DoExit();
  TCustomEdit::DblClick();
}

void TORVExpert_CORVSpin::CMEnter(TMessage& Message) {
  if (AutoSelect() && !ControlState().Contains(csLButtonDown))
    SelectAll();
  TCustomEdit::CMEnter(Message);
}

void TORVExpert_CORVSpin::WMPaste(TMessage& Message) {
  if (ReadOnly())
    return;
  TCustomEdit::WMPaste(Message);
}

void TORVExpert_CORVSpin::WMCut(TMessage& Message) {
  if (ReadOnly())
    return;
  TCustomEdit::WMCut(Message);
}

void TORVExpert_CORVSpin::SetMinValue(Int64 NewValue) {
  if (FPlasOnly && NewValue < 0)
    NewValue = 0;
  if (NewValue > FMaxValue)
    FMaxValue = NewValue;
  if (GetValue() < NewValue)
    SetValue(NewValue);
  FMinValue = NewValue;
}

void TORVExpert_CORVSpin::SetMaxValue(Int64 NewValue) {
  if (FPlasOnly && NewValue < 0)
    NewValue = 0;
  if (NewValue < FMinValue)
    FMinValue = NewValue;
  if (GetValue() > NewValue)
    SetValue(NewValue);
  FMaxValue = NewValue;
}

void TORVExpert_CORVSpin::SetPlasOnly(bool Value) {
  FPlasOnly = Value;
  if (!Value)
    return;
  // The value itself is corrected by the next read, change or exit.
  if (FMaxValue < 0)
    SetMaxValue(0);
  if (FMinValue < 0)
    SetMinValue(0);
}

void TORVExpert_CORVSpin::SetShowButton(bool Value) {
  if (Value == FShowButton)
    return;
  FShowButton = Value;
  FButton->SetVisible(Value);
  if ((ComponentState() & csDesigning) != 0) {
    TControlStyle Style = FButton->ControlStyle();
    if (Value)
      Style.Exclude(csNoDesignVisible);
    else
      Style.Include(csNoDesignVisible);
    FButton->SetControlStyle(Style);
  }
  RecreateWnd();
}

void TORVExpert_CORVSpin::SetAlignment(TAlignment Value) {
  if (Value == FAlignment)
    return;
  FAlignment = Value;
  RecreateWnd();
}

void TORVExpert_CORVSpin::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  switch (FAlignment) {
    case taLeftJustify:
      Params.Style |= ES_LEFT;
      break;
    case taRightJustify:
      Params.Style |= ES_RIGHT;
      break;
    case taCenter:
      Params.Style |= ES_CENTER;
      break;
  }
}

void TORVExpert_CORVSpin::CreateWnd() {
  TCustomEdit::CreateWnd();
  SetEditRect();
}

void TORVExpert_CORVSpin::SetEditRect() {
  // The text stops short of the arrow buttons.
  TRect Loc;
  SendMessage(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&Loc));
  Loc.Bottom = ClientHeight() + 1;
  Loc.Right = FButton->Visible() ? ClientWidth() - FButton->Width() - 2 : ClientWidth();
  Loc.Top = 0;
  Loc.Left = 0;
  SendMessage(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&Loc));
}

void TORVExpert_CORVSpin::WMSize(TMessage& Message) {
  TCustomEdit::WMSize(Message);
  const int MinHeight = GetMinHeight();
  if (Height() < MinHeight) {
    // Growing sizes the window again, and that pass places the buttons.
    SetHeight(MinHeight);
    return;
  }
  if (FButton == nullptr)
    return;
  if (NewStyleControls() && Ctl3D())
    FButton->SetBounds(Width() - FButton->Width() - 5, 0, FButton->Width(), Height() - 5);
  else
    FButton->SetBounds(Width() - FButton->Width(), 1, FButton->Width(), Height() - 3);
  SetEditRect();
}

int TORVExpert_CORVSpin::GetMinHeight() {
  HDC DC = GetDC(nullptr);
  TEXTMETRIC SysMetrics, Metrics;
  GetTextMetricsA(DC, SysMetrics);
  HGDIOBJ SaveFont = SelectObject(DC, Font()->Handle());
  GetTextMetricsA(DC, Metrics);
  SelectObject(DC, SaveFont);
  ReleaseDC(nullptr, DC);
  const int I = std::min(SysMetrics.tmHeight, Metrics.tmHeight);
  return Metrics.tmHeight + I / 4 + GetSystemMetrics(SM_CYBORDER) * 4 + 2;
}
