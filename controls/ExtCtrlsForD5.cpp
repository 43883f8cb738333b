#include "ExtCtrlsForD5.h"

#include <memory>

#include "Dialogs.h"
#include "ScopeExit.h"

namespace {

// Resource string ids are numbered down from 65535, as the linker numbers a
// package's resource strings; the names take 65535 to 65493 and the rest of
// the package's block, down to 65488, belongs to its other strings.
enum : Word {
  sBlack = 65535,
  sMaroon = 65534,
  sGreen = 65533,
  sOlive = 65532,
  sNavy = 65531,
  sPurple = 65530,
  sTeal = 65529,
  sGray = 65528,
  sSilver = 65527,
  sRed = 65526,
  sLime = 65525,
  sYellow = 65524,
  sBlue = 65523,
  sFuchsia = 65522,
  sAqua = 65521,
  sWhite = 65520,
  sScrollBar = 65519,
  sBackground = 65518,
  sActiveCaption = 65517,
  sInactiveCaption = 65516,
  sMenu = 65515,
  sWindow = 65514,
  sWindowFrame = 65513,
  sMenuText = 65512,
  sWindowText = 65511,
  sCaptionText = 65510,
  sActiveBorder = 65509,
  sInactiveBorder = 65508,
  sAppWorkSpace = 65507,
  sHighlight = 65506,
  sHighlightText = 65505,
  sBtnFace = 65504,
  sBtnShadow = 65503,
  sGrayText = 65502,
  sBtnText = 65501,
  sInactiveCaptionText = 65500,
  sBtnHighlight = 65499,
  s3DDkShadow = 65498,
  s3DLight = 65497,
  sInfoText = 65496,
  sInfoBk = 65495,
  sNone = 65494,
  sDefault = 65493,
};

const std::vector<TResStringRec> kStrings = {
    {sBlack, "Black"},
    {sMaroon, "Maroon"},
    {sGreen, "Green"},
    {sOlive, "Olive"},
    {sNavy, "Navy"},
    {sPurple, "Purple"},
    {sTeal, "Teal"},
    {sGray, "Gray"},
    {sSilver, "Silver"},
    {sRed, "Red"},
    {sLime, "Lime"},
    {sYellow, "Yellow"},
    {sBlue, "Blue"},
    {sFuchsia, "Fuchsia"},
    {sAqua, "Aqua"},
    {sWhite, "White"},
    {sScrollBar, "Scroll Bar"},
    {sBackground, "Background"},
    {sActiveCaption, "Active Caption"},
    {sInactiveCaption, "Inactive Caption"},
    {sMenu, "Menu Background"},
    {sWindow, "Window Background"},
    {sWindowFrame, "Window Frame"},
    {sMenuText, "Menu Text"},
    {sWindowText, "Window Text"},
    {sCaptionText, "Caption Text"},
    {sActiveBorder, "Active Border"},
    {sInactiveBorder, "Inactive Border"},
    {sAppWorkSpace, "Application Workspace"},
    {sHighlight, "Highlight Background"},
    {sHighlightText, "Highlight Text"},
    {sBtnFace, "Button Face"},
    {sBtnShadow, "Button Shadow"},
    {sGrayText, "Gray Text"},
    {sBtnText, "Button Text"},
    {sInactiveCaptionText, "Inactive Caption Text"},
    {sBtnHighlight, "Button Highlight"},
    {s3DDkShadow, "3D Dark Shadow"},
    {s3DLight, "3D Light"},
    {sInfoText, "Info Text"},
    {sInfoBk, "Info Background"},
    {sNone, "None"},
    {sDefault, "Default"},
};

struct TPrettyName {
  TColor Value;
  Word Id;
};

// Which colour gets which readable name. System colours are those of the
// Delphi 5 encoding, 0x80000000 plus the Windows index.
constexpr TPrettyName kPrettyNames[] = {
    {clBlack, sBlack},
    {clMaroon, sMaroon},
    {clGreen, sGreen},
    {clOlive, sOlive},
    {clNavy, sNavy},
    {clPurple, sPurple},
    {clTeal, sTeal},
    {clGray, sGray},
    {clSilver, sSilver},
    {clRed, sRed},
    {clLime, sLime},
    {clYellow, sYellow},
    {clBlue, sBlue},
    {clFuchsia, sFuchsia},
    {clAqua, sAqua},
    {clWhite, sWhite},
    {clScrollBar, sScrollBar},
    {clBackground, sBackground},
    {clActiveCaption, sActiveCaption},
    {clInactiveCaption, sInactiveCaption},
    {clMenu, sMenu},
    {clWindow, sWindow},
    {clWindowFrame, sWindowFrame},
    {clMenuText, sMenuText},
    {clWindowText, sWindowText},
    {clCaptionText, sCaptionText},
    {clActiveBorder, sActiveBorder},
    {clInactiveBorder, sInactiveBorder},
    {clAppWorkSpace, sAppWorkSpace},
    {clHighlight, sHighlight},
    {clHighlightText, sHighlightText},
    {clBtnFace, sBtnFace},
    {clBtnShadow, sBtnShadow},
    {clGrayText, sGrayText},
    {clBtnText, sBtnText},
    {clInactiveCaptionText, sInactiveCaptionText},
    {clBtnHighlight, sBtnHighlight},
    {cl3DDkShadow, s3DDkShadow},
    {cl3DLight, s3DLight},
    {clInfoText, sInfoText},
    {clInfoBk, sInfoBk},
    {clNone, sNone},
    {clDefault, sDefault},
};

const TColorBoxStyle kColorFlags{cbStandardColors, cbExtendedColors, cbSystemColors, cbCustomColor};

}  // namespace

const std::vector<TResStringRec>& ExtCtrlsForD5Strings() {
  return kStrings;
}

std::string LoadResString(Word Id) {
  for (const auto& R : kStrings)
    if (R.Id == Id)
      return R.Text;
  return {};
}

std::string ReadableColorName(const std::string& Ident, TColor Value) {
  for (const auto& P : kPrettyNames)
    if (P.Value == Value)
      return LoadResString(P.Id);
  std::string Result;
  const std::size_t Start = Ident.compare(0, 2, "cl") == 0 ? 2 : 0;
  for (std::size_t i = Start; i < Ident.size(); ++i) {
    if (Ident[i] >= 'A' && Ident[i] <= 'Z' && !Result.empty())
      Result += ' ';
    Result += Ident[i];
  }
  return Result;
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
  const TColor LSelectedColor = FSelectedColor;
  Items()->Clear();
  GetColorValues(TGetStrProc::Of<&TCustomColorBox::ColorCallBack>(this));
  auto DeleteColor = [this](TColor AColor) {
    for (int i = 0; i < Items()->Count(); ++i) {
      if (GetColor(i) == AColor) {
        Items()->Delete(i);
        return;
      }
    }
  };
  if (!FStyle.Contains(cbIncludeNone))
    DeleteColor(clNone);
  if (!FStyle.Contains(cbIncludeDefault))
    DeleteColor(clDefault);
  SetSelected(LSelectedColor);
}

void TCustomColorBox::ColorCallBack(const std::string& AName) {
  const TColor LColor = StringToColor(AName);
  const std::string LName =
      FStyle.Contains(cbPrettyNames) ? ReadableColorName(AName, LColor) : AName;
  Items()->AddObject(LName, TItemObject::FromInteger(LColor));
}

TColor TCustomColorBox::GetColor(int Index) const {
  return static_cast<TColor>(Items()->Objects(Index).AsInteger());
}

std::string TCustomColorBox::GetColorName(int Index) const {
  return Items()->Strings(Index);
}

TColor TCustomColorBox::GetSelected() const {
  if (!HandleAllocated())
    return FSelectedColor;
  return ItemIndex() != -1 ? GetColor(ItemIndex()) : NoColorSelected;
}

void TCustomColorBox::SetSelected(TColor AColor) {
  if (HandleAllocated()) {
    const int Count = Items()->Count();
    int Found = -1;
    for (int i = 0; i < Count && Found < 0; ++i)
      if (GetColor(i) == AColor)
        Found = i;
    const bool Custom = FStyle.Contains(cbCustomColor);
    if (Found == -1 && Custom && AColor != NoColorSelected && Count > 0) {
      Items()->SetObjects(0, TItemObject::FromInteger(AColor));
      SetItemIndex(0);
    } else if (Custom && Found == 0) {
      // Item 0 is the custom slot; a colour that it shares with a named item
      // further down selects the named item.
      int Named = 0;
      for (int i = 1; i < Count && Named == 0; ++i)
        if (GetColor(i) == AColor)
          Named = i;
      SetItemIndex(Named);
    } else {
      SetItemIndex(Found);
    }
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
  TColor Swatch = GetColor(Index);
  if (Swatch == clDefault)
    Swatch = FDefaultColorColor;
  else if (Swatch == clNone)
    Swatch = FNoneColorColor;
  C->Brush()->SetColor(Swatch);
  C->FillRect(LRect);

  // A light swatch needs a dark frame to stand out from the background; a
  // dark one is framed in its own colour, or in white on the highlight.
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

void TCustomColorBox::KeyPress(char& Key) {
  TCustomComboBox::KeyPress(Key);
  if (FStyle.Contains(cbCustomColor) && Key == '\r' && ItemIndex() == 0)
    Key = '\0';
}

bool TCustomColorBox::PickCustomColor() {
  auto Dialog = std::make_unique<TColorDialog>(nullptr);
  const TColor LColor = ColorToRGB(GetColor(0));
  Dialog->SetColor(LColor);
  Dialog->CustomColors()->SetText("ColorA=" + IntToHex(static_cast<std::uint32_t>(LColor), 8));
  const bool Result = Dialog->Execute();
  if (Result) {
    Items()->SetObjects(0, TItemObject::FromInteger(Dialog->Color()));
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
  // The box's own four carry their access; the inherited ones it publishes
  // follow in their published order.
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
          {"Anchors", std::nullopt},
          {"BevelEdges", std::nullopt},
          {"BevelInner", std::nullopt},
          {"BevelKind", std::nullopt},
          {"BevelOuter", std::nullopt},
          {"BiDiMode", std::nullopt},
          {"Color", std::nullopt},
          {"Constraints", std::nullopt},
          {"Ctl3D", std::nullopt},
          {"DropDownCount", std::nullopt},
          {"Enabled", std::nullopt},
          {"Font", std::nullopt},
          {"ItemHeight", std::nullopt},
          {"ParentBiDiMode", std::nullopt},
          {"ParentColor", std::nullopt},
          {"ParentCtl3D", std::nullopt},
          {"ParentFont", std::nullopt},
          {"ParentShowHint", std::nullopt},
          {"PopupMenu", std::nullopt},
          {"ShowHint", std::nullopt},
          {"TabOrder", std::nullopt},
          {"TabStop", std::nullopt},
          {"Visible", std::nullopt},
          {"OnChange", std::nullopt},
          {"OnClick", std::nullopt},
          {"OnContextPopup", std::nullopt},
          {"OnDblClick", std::nullopt},
          {"OnDragDrop", std::nullopt},
          {"OnDragOver", std::nullopt},
          {"OnDropDown", std::nullopt},
          {"OnEndDock", std::nullopt},
          {"OnEndDrag", std::nullopt},
          {"OnEnter", std::nullopt},
          {"OnExit", std::nullopt},
          {"OnKeyDown", std::nullopt},
          {"OnKeyPress", std::nullopt},
          {"OnKeyUp", std::nullopt},
          {"OnStartDock", std::nullopt},
          {"OnStartDrag", std::nullopt},
      }};
  return &Info;
}
