#include "ColorBox.h"

#include <algorithm>
#include <utility>
#include <vector>

#if TABULON_HOST >= 6

#include <memory>

#include "Dialogs.h"
#include "ScopeExit.h"

const char* const SColorBoxCustomCaption = "Custom...";

namespace {
const TColorBoxStyle kColorFlags{cbStandardColors, cbExtendedColors, cbSystemColors, cbCustomColor};
}

TCustomColorBox::TCustomColorBox(TComponent* AOwner)
    : TCustomComboBox(AOwner), FStyle{cbStandardColors, cbExtendedColors, cbSystemColors} {
  TCustomComboBox::SetStyle(csOwnerDrawFixed);
  PopulateList();
}

TCustomColorBox::~TCustomColorBox() {
  Destroying();
}

void TCustomColorBox::CreateWnd() {
  TCustomComboBox::CreateWnd();
  if (FNeedToPopulate)
    PopulateList();
}

void TCustomColorBox::Loaded() {
  TCustomComboBox::Loaded();
  SetSelected(FSelectedColor);
}

TColor TCustomColorBox::Colors(int Index) const {
  return static_cast<TColor>(Items()->Objects(Index).AsInteger());
}

int TCustomColorBox::IndexOfColor(TColor AColor, int From) const {
  // The count asked once, as the VCL's for loop does: it is a message.
  for (int i = From, n = Items()->Count(); i < n; ++i)
    if (Colors(i) == AColor)
      return i;
  return -1;
}

void TCustomColorBox::PopulateList() {
  if (!HandleAllocated()) {
    FNeedToPopulate = true;
    return;
  }
  Items()->BeginUpdate();
  ScopeExit Done([this] {
    Items()->EndUpdate();
    FNeedToPopulate = false;
  });
  // The custom item keeps its colour across a refill.
  TColor LCustomColor = clBlack;
  if (FStyle.Contains(cbCustomColor) && Items()->Count() > 0 &&
      Items()->Strings(0) == SColorBoxCustomCaption)
    LCustomColor = Colors(0);
  const TColor LSelectedColor = FSelectedColor;
  Items()->Clear();
  // The colours are gathered and weeded out here and go to the list once,
  // rather than each being added and the unwanted ones searched for in the
  // list and deleted from it.
  std::vector<std::pair<std::string, TColor>> Gathered;
  FGathered = &Gathered;
  {
    ScopeExit Gathering([this] { FGathered = nullptr; });
    GetColorValues(TGetStrProc::Of<&TCustomColorBox::ColorCallBack>(this));
  }
  auto DeleteColor = [&Gathered](TColor AColor) {
    const auto It = std::find_if(Gathered.begin(), Gathered.end(),
                                 [AColor](const auto& C) { return C.second == AColor; });
    if (It != Gathered.end())
      Gathered.erase(It);
  };
  auto DeleteRange = [&Gathered](int AMin, int AMax) {
    for (int I = AMax; I >= AMin; --I)
      if (I < static_cast<int>(Gathered.size()))
        Gathered.erase(Gathered.begin() + I);
  };
  if (!FStyle.Contains(cbIncludeNone))
    DeleteColor(clNone);
  if (!FStyle.Contains(cbIncludeDefault))
    DeleteColor(clDefault);
  if (!FStyle.Contains(cbSystemColors))
    DeleteRange(StandardColorsCount + ExtendedColorsCount, static_cast<int>(Gathered.size()) - 1);
  if (!FStyle.Contains(cbExtendedColors))
    DeleteRange(StandardColorsCount, StandardColorsCount + ExtendedColorsCount - 1);
  if (!FStyle.Contains(cbStandardColors))
    DeleteRange(0, StandardColorsCount - 1);
  for (const auto& [Name, Color] : Gathered)
    Items()->AddObject(Name, TItemObject::FromInteger(Color));
  if (FStyle.Contains(cbCustomColor))
    Items()->InsertObject(0, SColorBoxCustomCaption, TItemObject::FromInteger(LCustomColor));
  SetSelected(LSelectedColor);
}

void TCustomColorBox::ColorCallBack(const std::string& AName) {
  const TColor LColor = StringToColor(AName);
  std::string LName;
  if (FStyle.Contains(cbPrettyNames)) {
    // "clMoneyGreen" reads "Money Green".
    const std::size_t Start = AName.compare(0, 2, "cl") == 0 ? 2 : 0;
    for (std::size_t i = Start; i < AName.size(); ++i) {
      if (AName[i] >= 'A' && AName[i] <= 'Z' && !LName.empty())
        LName += ' ';
      LName += AName[i];
    }
  } else {
    LName = AName;
  }
  if (FGathered != nullptr)
    FGathered->emplace_back(std::move(LName), LColor);
  else
    Items()->AddObject(LName, TItemObject::FromInteger(LColor));
}

TColor TCustomColorBox::Selected() const {
  if (!HandleAllocated())
    return FSelectedColor;
  return ItemIndex() != -1 ? Colors(ItemIndex()) : NoColorSelected;
}

void TCustomColorBox::SetSelected(TColor AColor) {
  if (HandleAllocated()) {
    const bool Custom = FStyle.Contains(cbCustomColor) && Items()->Count() > 0;
    // A listed colour selects its named item, even when the custom item
    // happens to hold the same colour; only an unlisted one goes there.
    int I = IndexOfColor(AColor, Custom ? 1 : 0);
    if (I == -1 && Custom && AColor != NoColorSelected) {
      Items()->SetObjects(0, TItemObject::FromInteger(AColor));
      I = 0;
    }
    SetItemIndex(I);
  }
  FSelectedColor = AColor;
}

void TCustomColorBox::SetStyle(TColorBoxStyle AStyle) {
  if (AStyle == FStyle)
    return;
  FStyle = AStyle;
  SetEnabled(!(kColorFlags * FStyle).Empty());
  PopulateList();
  if (Items()->Count() > 0 && ItemIndex() == -1)
    SetItemIndex(0);
}

void TCustomColorBox::SetDefaultColorColor(TColor Value) {
  if (Value == FDefaultColorColor)
    return;
  FDefaultColorColor = Value;
  Invalidate();
}

void TCustomColorBox::SetNoneColorColor(TColor Value) {
  if (Value == FNoneColorColor)
    return;
  FNoneColorColor = Value;
  Invalidate();
}

void TCustomColorBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  TCanvas* C = Canvas();
  C->FillRect(Rect);
  const TColor LBackground = C->Brush()->Color();

  TRect LRect = Rect;
  LRect.Right = LRect.Left + (LRect.Bottom - LRect.Top);
  InflateRect(LRect, -1, -1);
  TColor Swatch = Colors(Index);
  if (Swatch == clDefault)
    Swatch = FDefaultColorColor;
  else if (Swatch == clNone)
    Swatch = FNoneColorColor;
  C->Brush()->SetColor(Swatch);
  C->FillRect(LRect);

  // A light swatch gets a black frame; a dark one its own colour, or white
  // on the highlight.
  const auto RGB = static_cast<std::uint32_t>(ColorToRGB(Swatch));
  const bool Light = (RGB & 0xFF) > 192 || ((RGB >> 8) & 0xFF) > 192 || ((RGB >> 16) & 0xFF) > 192;
  C->Brush()->SetColor(Light ? clBlack : State.Contains(odSelected) ? clWhite : Swatch);
  C->FrameRect(LRect);

  C->Brush()->SetColor(LBackground);
  TRect TextArea = Rect;
  TextArea.Left = LRect.Right + 5;
  const std::string Text = Items()->Strings(Index);
  C->TextRect(TextArea, TextArea.Left, Rect.Top + (Rect.Height() - C->TextHeight(Text)) / 2, Text);
}

void TCustomColorBox::KeyDown(Word& Key, TShiftState Shift) {
  FListSelected = false;
  TCustomComboBox::KeyDown(Key, Shift);
}

void TCustomColorBox::KeyPress(char& Key) {
  TCustomComboBox::KeyPress(Key);
  if (FStyle.Contains(cbCustomColor) && Key == '\r' && ItemIndex() == 0) {
    PickCustomColor();
    Key = '\0';
  }
}

void TCustomColorBox::DropDown() {
  FDropDownIndex = ItemIndex();
  TCustomComboBox::DropDown();
}

void TCustomColorBox::CloseUp() {
  TCustomComboBox::CloseUp();
  FListSelected = true;
}

void TCustomColorBox::Select() {
  if (FListSelected) {
    FListSelected = false;
    if (FStyle.Contains(cbCustomColor) && ItemIndex() == 0 && !PickCustomColor()) {
      // The user cancelled the dialog: the colour chosen before stays.
      SetItemIndex(FDropDownIndex);
      return;
    }
  }
  TCustomComboBox::Select();
}

bool TCustomColorBox::PickCustomColor() {
  auto Dialog = std::make_unique<TColorDialog>(nullptr);
  const TColor LColor = ColorToRGB(Colors(0));
  Dialog->SetColor(LColor);
  Dialog->CustomColors()->SetText("ColorA=" + IntToHex(static_cast<std::uint32_t>(LColor), 8));
  const bool Result = Dialog->Execute();
  if (Result) {
    Items()->SetObjects(0, TItemObject::FromInteger(Dialog->Color()));
    FSelectedColor = Dialog->Color();
    Invalidate();
  }
  return Result;
}

const TTypeInfo* TColorBox::ClassInfo() const {
  using T = TCustomColorBox;
  static const TPropType StyleType{
      tkSet,
      "TColorBoxStyle",
      {"cbStandardColors", "cbExtendedColors", "cbSystemColors", "cbIncludeNone",
       "cbIncludeDefault", "cbCustomColor", "cbPrettyNames"}};
  static const TTypeInfo Info{
      "TColorBox",
      {
          {"DefaultColorColor", clBlack, &ColorType, PropGetter<&T::DefaultColorColor>,
           PropSetter<&T::SetDefaultColorColor>},
          {"NoneColorColor", clBlack, &ColorType, PropGetter<&T::NoneColorColor>,
           PropSetter<&T::SetNoneColorColor>},
          {"Selected", clBlack, &ColorType, PropGetter<&T::Selected>, PropSetter<&T::SetSelected>},
          {"Style",
           static_cast<Integer>(
               TColorBoxStyle{cbStandardColors, cbExtendedColors, cbSystemColors}.Bits()),
           &StyleType, PropGetter<&T::Style>, PropSetter<&T::SetStyle>},
      }};
  return &Info;
}

#endif
