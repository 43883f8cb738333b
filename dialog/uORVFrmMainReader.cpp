// The form reader of the settings dialog: it builds the form from its
// layout table as the VCL's reader builds a form from its resource, creating
// each component by class name, setting the properties its row gives and
// finding the handlers its row names.

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "ClassRegistry.h"
#include "StringSwitch.h"
#include "uORVFrmMain.h"
#include "uORVFrmMainLayout.h"

namespace {
// The handlers a layout row may name, as the form reader finds published
// methods by name.
using TNotifyFactory = TNotifyEvent (*)(TFrmMainORVExpert*);
using TDrawFactory = TDrawItemEvent (*)(TFrmMainORVExpert*);
template <auto Method>
TNotifyEvent Notify(TFrmMainORVExpert* Form) {
  return TNotifyEvent::Of<Method>(Form);
}
template <auto Method>
TDrawItemEvent Draw(TFrmMainORVExpert* Form) {
  return TDrawItemEvent::Of<Method>(Form);
}

// The handler a factory makes, bound to the form; a name the form does not
// publish (no factory) is an error, as in the VCL's reader.
template <class TEvent>
TEvent Bound(TEvent (*Make)(TFrmMainORVExpert*), TFrmMainORVExpert* Form, const char* Name) {
  if (Make == nullptr)
    throw Exception(std::string("Method ") + Name + " not found");
  return Make(Form);
}

TNotifyEvent NotifyHandler(TFrmMainORVExpert* Form, const char* Name) {
  using F = TFrmMainORVExpert;
  const TNotifyFactory Make =
      StringSwitch<TNotifyFactory>(Name)
          .Case("FormCreate", &Notify<&F::FormCreate>)
          .Case("FormShow", &Notify<&F::FormShow>)
          .Case("FormDestroy", &Notify<&F::FormDestroy>)
          .Case("CheckBoxTimerRefreshPageGroupClick",
                &Notify<&F::CheckBoxTimerRefreshPageGroupClick>)
          .Case("CheckBoxTimerKeepSelectPageGroupClick",
                &Notify<&F::CheckBoxTimerKeepSelectPageGroupClick>)
          .Case("CheckBoxDrawGroupPageClick", &Notify<&F::CheckBoxDrawGroupPageClick>)
          .Case("LabelUrlClick", &Notify<&F::LabelUrlClick>)
          .Case("LBoxPageGroupClick", &Notify<&F::LBoxPageGroupClick>)
          .Case("LBoxPageGroupEnter", &Notify<&F::LBoxPageGroupEnter>)
          .Case("LBoxPagePalettePerPageGroupEnter", &Notify<&F::LBoxPagePalettePerPageGroupEnter>)
          .Case("BtnAddClick", &Notify<&F::BtnAddClick>)
          .Case("BtnDeleteClick", &Notify<&F::BtnDeleteClick>)
          .Case("BtnRenameClick", &Notify<&F::BtnRenameClick>)
          .Case("BtnMoveUpClick", &Notify<&F::BtnMoveUpClick>)
          .Case("BtnMoveDownClick", &Notify<&F::BtnMoveDownClick>)
          .Case("BtnMoveToLeftOneClick", &Notify<&F::BtnMoveToLeftOneClick>)
          .Case("BtnMoveToRightOneClick", &Notify<&F::BtnMoveToRightOneClick>)
          .Case("BtnMoveToLeftAllClick", &Notify<&F::BtnMoveToLeftAllClick>)
          .Case("BtnMoveToRightAllClick", &Notify<&F::BtnMoveToRightAllClick>)
          .Default(nullptr);
  return Bound(Make, Form, Name);
}

TDrawItemEvent DrawHandler(TFrmMainORVExpert* Form, const char* Name) {
  using F = TFrmMainORVExpert;
  const TDrawFactory Make = StringSwitch<TDrawFactory>(Name)
                                .Case("LBoxPagePalettePerPageGroupDrawItem",
                                      &Draw<&F::LBoxPagePalettePerPageGroupDrawItem>)
                                .Case("LBoxPagePaletteDrawItem", &Draw<&F::LBoxPagePaletteDrawItem>)
                                .Default(nullptr);
  return Bound(Make, Form, Name);
}

// What the reader does for one class of component, beside making it by its
// registration. The hooks get the component as the class the row names.
using TRowHook = void (*)(TFrmMainORVExpert* Form, TComponent* C, const TFormLayoutRow& Row);
struct TLayoutClass {
  const TComponentClass& Class;
  // Puts the control on its parent; nullptr for a component that is no
  // control (the image list), which gets only its After.
  TRowHook Place;
  // Before the caption and the font that every control takes from its row.
  TRowHook Before;
  // Left, top, width and height; nullptr where the parent places the
  // control (a tab sheet fills its page control, whichever sheet is shown).
  TRowHook Bounds;
  // The class's own properties.
  TRowHook After;
};

template <class T, void (*Fn)(TFrmMainORVExpert*, T*, const TFormLayoutRow&)>
void Typed(TFrmMainORVExpert* Form, TComponent* C, const TFormLayoutRow& Row) {
  Fn(Form, static_cast<T*>(C), Row);
}

TWinControl* RowParent(TFrmMainORVExpert* Form, const TFormLayoutRow& Row) {
  if (Row.Parent == nullptr || *Row.Parent == '\0')
    return Form;
  return As<TWinControl>(Form->FindComponent(Row.Parent));
}

void PlaceChild(TFrmMainORVExpert* Form, TControl* Ctl, const TFormLayoutRow& Row) {
  Ctl->SetParent(RowParent(Form, Row));
}

void PlaceSheet(TFrmMainORVExpert* Form, TTabSheet* Sheet, const TFormLayoutRow& Row) {
  Sheet->SetPageControl(As<TPageControl>(RowParent(Form, Row)));
}

void SetBoundsAndAlign(TFrmMainORVExpert*, TControl* Ctl, const TFormLayoutRow& Row) {
  if (Row.Width >= 0)
    Ctl->SetBounds(Row.Left, Row.Top, Row.Width, Row.Height);
  else
    Ctl->SetBounds(Row.Left, Row.Top, Ctl->Width(), Ctl->Height());
  Ctl->SetAlign(Row.Align);
}

// A label's size rule comes before its caption and font, so that they size
// it only when it is meant to size itself.
void LabelSizeRule(TFrmMainORVExpert*, TLabel* Label, const TFormLayoutRow& Row) {
  Label->SetAutoSize(Row.AutoSize);
  Label->SetAlignment(Row.Alignment);
  Label->SetCursor(Row.Cursor);
}

void PanelBorders(TFrmMainORVExpert*, TPanel* Panel, const TFormLayoutRow& Row) {
  if (Row.BevelOuter >= 0)
    Panel->SetBevelOuter(static_cast<TBevelCut>(Row.BevelOuter));
  if (Row.BorderStyle >= 0)
    Panel->SetBorderStyle(static_cast<TBorderStyle>(Row.BorderStyle));
}

void ButtonKind(TFrmMainORVExpert*, TBitBtn* Btn, const TFormLayoutRow& Row) {
  if (Row.Kind != 0)
    Btn->SetKind(static_cast<TBitBtnKind>(Row.Kind));
}

void ImagePicture(TFrmMainORVExpert*, TImage* Image, const TFormLayoutRow& Row) {
  Image->SetPicture(Row.Picture != nullptr ? Row.Picture : "", Row.PictureWidth, Row.PictureHeight);
  Image->SetStretch(Row.Stretch);
  Image->SetTransparent(Row.Transparent);
}

void ListItems(TFrmMainORVExpert* Form, TListBox* List, const TFormLayoutRow& Row) {
  if (Row.OwnerDrawFixed)
    List->SetStyle(lbOwnerDrawFixed);
  if (Row.ItemHeight > 0)
    List->SetItemHeight(Row.ItemHeight);
  if (Row.OnDrawItem != nullptr)
    List->SetOnDrawItem(DrawHandler(Form, Row.OnDrawItem));
}

void ColorList(TFrmMainORVExpert*, TColorBox* Box, const TFormLayoutRow& Row) {
  Box->SetStyle({cbStandardColors, cbExtendedColors, cbSystemColors, cbCustomColor});
  Box->SetSelected(Row.Selected);
  Box->SetDefaultColorColor(Row.DefaultColorColor);
  if (Row.ItemHeight > 0)
    Box->SetItemHeight(Row.ItemHeight);
}

void Icons(TFrmMainORVExpert*, TImageList* Images, const TFormLayoutRow&) {
  Images->SetWidth(16);
  Images->SetHeight(16);
  for (const char* Icon : FrmMainORVExpertIcons())
    Images->AddImage(Icon);
}

constexpr TRowHook Child = &Typed<TControl, PlaceChild>;
constexpr TRowHook Bounds = &Typed<TControl, SetBoundsAndAlign>;

// The classes the layout names, one entry each.
const TLayoutClass LayoutClasses[] = {
    {ClassOf<TLabel>(), Child, &Typed<TLabel, LabelSizeRule>, Bounds, nullptr},
    {ClassOf<TPanel>(), Child, nullptr, Bounds, &Typed<TPanel, PanelBorders>},
    {ClassOf<TBitBtn>(), Child, nullptr, Bounds, &Typed<TBitBtn, ButtonKind>},
    {ClassOf<TButton>(), Child, nullptr, Bounds, nullptr},
    {ClassOf<TPageControl>(), Child, nullptr, Bounds, nullptr},
    {ClassOf<TTabSheet>(), &Typed<TTabSheet, PlaceSheet>, nullptr, nullptr, nullptr},
    {ClassOf<TGroupBox>(), Child, nullptr, Bounds, nullptr},
    {ClassOf<TImage>(), Child, nullptr, Bounds, &Typed<TImage, ImagePicture>},
    {ClassOf<TCheckBox>(), Child, nullptr, Bounds, nullptr},
    {ClassOf<TColorBox>(), Child, nullptr, Bounds, &Typed<TColorBox, ColorList>},
    {ClassOf<TListBox>(), Child, nullptr, Bounds, &Typed<TListBox, ListItems>},
    {ClassOf<TImageList>(), nullptr, nullptr, nullptr, &Typed<TImageList, Icons>},
};

const TLayoutClass& LayoutClass(const char* Name) {
  const auto* Class =
      std::find_if(std::begin(LayoutClasses), std::end(LayoutClasses),
                   [Name](const TLayoutClass& Entry) { return Entry.Class.Name == Name; });
  if (Class == std::end(LayoutClasses))
    throw Exception(std::string("Class ") + Name + " not found");
  return *Class;
}

void CaptionAndFont(TControl* Ctl, const TFormLayoutRow& Row) {
  // What a control captioned at show holds until FormShow names it.
  const char* Caption = Row.ShowCaption != nullptr ? "X" : Row.Caption;
  if (Caption != nullptr)
    Ctl->SetCaption(Caption);
  if (Row.FontHeight == 0)
    return;
  Ctl->Font()->SetHeight(Row.FontHeight);
  TFontStyles Style;
  if (Row.FontBold)
    Style.Include(fsBold);
  if (Row.FontUnderline)
    Style.Include(fsUnderline);
  Ctl->Font()->SetStyle(Style);
  Ctl->Font()->SetColor(Row.FontColor);
}

// One component of the layout: created, named and given its row.
TComponent* MakeComponent(TFrmMainORVExpert* Form, const TFormLayoutRow& Row) {
  const TLayoutClass& Class = LayoutClass(Row.ClassName);
  TComponent* C = Class.Class.Create(Form);
  C->SetName(Row.Name);
  if (Class.Place == nullptr) {
    Class.After(Form, C, Row);
    return C;
  }
  auto* Ctl = static_cast<TControl*>(C);
  Class.Place(Form, Ctl, Row);
  if (Class.Before != nullptr)
    Class.Before(Form, Ctl, Row);
  CaptionAndFont(Ctl, Row);
  if (Class.Bounds != nullptr)
    Class.Bounds(Form, Ctl, Row);
  if (Class.After != nullptr)
    Class.After(Form, Ctl, Row);
  if (Row.OnClick != nullptr)
    Ctl->SetOnClick(NotifyHandler(Form, Row.OnClick));
  if (Row.OnEnter != nullptr)
    As<TWinControl>(Ctl)->SetOnEnter(NotifyHandler(Form, Row.OnEnter));
  return C;
}

template <class T>
void Bind(const TComponent* Form, T*& Field, const char* Name) {
  Field = As<T>(Form->FindComponent(Name));
  if (Field == nullptr)
    throw Exception(std::string("Component ") + Name + " not found");
}
}  // namespace

void TFrmMainORVExpert::BuildFromLayout() {
  const auto& Rows = FrmMainORVExpertLayout();
  SetFormProperties(Rows.front());
  std::vector<TComponent*> Made;
  for (std::size_t i = 1; i < Rows.size(); ++i)
    Made.push_back(MakeComponent(this, Rows[i]));
  // Tab orders are applied per parent from the lowest up, so that each one
  // lands in its final slot.
  std::vector<std::size_t> ByTabOrder;
  for (std::size_t i = 1; i < Rows.size(); ++i)
    if (Rows[i].TabOrder >= 0)
      ByTabOrder.push_back(i);
  std::stable_sort(ByTabOrder.begin(), ByTabOrder.end(), [&](std::size_t L, std::size_t R) {
    return Rows[L].TabOrder < Rows[R].TabOrder;
  });
  for (std::size_t i : ByTabOrder)
    As<TWinControl>(Made[i - 1])->SetTabOrder(Rows[i].TabOrder);
  // The reader calls Loaded once the streamed properties are set; the
  // colour box fills its list there.
  for (TComponent* C : Made)
    if (auto* Box = dynamic_cast<TColorBox*>(C))
      Box->Loaded();
  BindControls();

  for (const auto& Row : Rows)
    if (Row.ActivePage != nullptr)
      As<TPageControl>(FindComponent(Row.Name))
          ->SetActivePage(As<TTabSheet>(FindComponent(Row.ActivePage)));
  SetOnCreate(NotifyHandler(this, Rows.front().OnCreate));
  SetOnShow(NotifyHandler(this, Rows.front().OnShow));
  SetOnDestroy(NotifyHandler(this, Rows.front().OnDestroy));
}

void TFrmMainORVExpert::SetFormProperties(const TFormLayoutRow& FormRow) {
  SetName(FormRow.Name);
  SetCaption(FormRow.Caption);
  SetBorderStyle(bsDialog);
  // Centred on the desktop when shown; the stored position is not used.
  SetPosition(poDesktopCenter);
  SetColor(clBtnFace);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  Font()->SetColor(clWindowText);
  Font()->SetCharset(DEFAULT_CHARSET);
  SetBounds(FormRow.Left, FormRow.Top, FormRow.Width, FormRow.Height);
  SetClientWidth(FormRow.Width);
  SetClientHeight(FormRow.Height);
}

// The fields of the controls, found by the names the layout gives them.
void TFrmMainORVExpert::BindControls() {
  Bind(this, Label1, "Label1");
  Bind(this, lblGP, "lblGP");
  Bind(this, LabelUrl, "LabelUrl");
  Bind(this, PnlBottom, "PnlBottom");
  Bind(this, BitBtn2, "BitBtn2");
  Bind(this, BitBtn1, "BitBtn1");
  Bind(this, PnlClient, "PnlClient");
  Bind(this, PageControlMain, "PageControlMain");
  Bind(this, TSMain, "TSMain");
  Bind(this, GroupBoxTimerPageGroup, "GroupBoxTimerPageGroup");
  Bind(this, Image4, "Image4");
  Bind(this, lblTimer_Update, "lblTimer_Update");
  Bind(this, Lbl_UpdateMS, "Lbl_UpdateMS");
  Bind(this, CheckBoxTimerKeepSelectPageGroup, "CheckBoxTimerKeepSelectPageGroup");
  Bind(this, CheckBoxTimerRefreshPageGroup, "CheckBoxTimerRefreshPageGroup");
  Bind(this, CheckBoxTimerRefreshPagePalette, "CheckBoxTimerRefreshPagePalette");
  Bind(this, Lbl_PeriodSortGroup, "Lbl_PeriodSortGroup");
  Bind(this, Lbl_PeriodMS, "Lbl_PeriodMS");
  Bind(this, GroupBoxDrawGroupPage, "GroupBoxDrawGroupPage");
  Bind(this, Image1, "Image1");
  Bind(this, CheckBoxDrawGroupPage_WidthFull, "CheckBoxDrawGroupPage_WidthFull");
  Bind(this, CheckBoxDrawGroupPage, "CheckBoxDrawGroupPage");
  Bind(this, CheckBoxDrawGroupPageShadow, "CheckBoxDrawGroupPageShadow");
  Bind(this, lblDrawFont, "lblDrawFont");
  Bind(this, ColorBoxPageGroup, "ColorBoxPageGroup");
  Bind(this, GroupBoxMultilinePages, "GroupBoxMultilinePages");
  Bind(this, Image3, "Image3");
  Bind(this, CheckBoxMultilinePagesGroup, "CheckBoxMultilinePagesGroup");
  Bind(this, CheckBoxMultilinePalette, "CheckBoxMultilinePalette");
  Bind(this, TSGroupPage, "TSGroupPage");
  Bind(this, lblGP_0, "lblGP_0");
  Bind(this, lblGP_1, "lblGP_1");
  Bind(this, lblGP_2, "lblGP_2");
  Bind(this, LBoxPageGroup, "LBoxPageGroup");
  Bind(this, BtnAdd, "BtnAdd");
  Bind(this, BtnDelete, "BtnDelete");
  Bind(this, BtnRename, "BtnRename");
  Bind(this, BtnMoveUp, "BtnMoveUp");
  Bind(this, BtnMoveDown, "BtnMoveDown");
  Bind(this, LBoxPagePalettePerPageGroup, "LBoxPagePalettePerPageGroup");
  Bind(this, BtnMoveToLeftOne, "BtnMoveToLeftOne");
  Bind(this, BtnMoveToRightOne, "BtnMoveToRightOne");
  Bind(this, LBoxPagePalette, "LBoxPagePalette");
  Bind(this, BtnMoveToLeftAll, "BtnMoveToLeftAll");
  Bind(this, BtnMoveToRightAll, "BtnMoveToRightAll");
  Bind(this, ImageList1, "ImageList1");
}
