#include "uORVFrmMain.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "Windows.h"
#include "uORVFrmMainLayout.h"

std::string RusToRus(const std::string& S) {
  std::string Result;
  Result.reserve(S.size());
  for (char Ch : S) {
    const auto B = static_cast<unsigned char>(Ch);
    if (B == 0x0A || B == 0x0D || B == 0x1F || B >= 0xC0)
      Result += Ch;
  }
  return Result;
}

namespace {
// The captions FormShow gives, by component name.
const std::vector<std::pair<const char*, const char*>>& ShowCaptions() {
  static const std::vector<std::pair<const char*, const char*>> Captions = {
      {"lblGP", "Palette page groups"},
      {"TSMain", "Options"},
      {"GroupBoxTimerPageGroup", "Timers"},
      {"lblTimer_Update", "Palette change delay"},
      {"CheckBoxTimerKeepSelectPageGroup", "Keep the chosen group"},
      {"CheckBoxTimerRefreshPageGroup", "Return to the first group"},
      {"CheckBoxTimerRefreshPagePalette", "Return to the first page"},
      {"Lbl_PeriodSortGroup", "Return after"},
      {"GroupBoxDrawGroupPage", "Group tabs"},
      {"CheckBoxDrawGroupPage_WidthFull", "Bold captions"},
      {"CheckBoxDrawGroupPage", "Draw the group tabs"},
      {"CheckBoxDrawGroupPageShadow", "Shade inactive tabs"},
      {"lblDrawFont", "Caption colour"},
      {"GroupBoxMultilinePages", "Rows of tabs"},
      {"CheckBoxMultilinePagesGroup", "Groups on several rows"},
      {"CheckBoxMultilinePalette", "Pages on several rows"},
      {"TSGroupPage", "Groups"},
      {"lblGP_0", "Groups"},
      {"lblGP_1", "Pages of the group"},
      {"lblGP_2", "Palette pages"},
      {"BtnAdd", "Add"},
      {"BtnDelete", "Delete"},
      {"BtnRename", "Rename"},
      {"BtnMoveUp", "Up"},
      {"BtnMoveDown", "Down"},
  };
  return Captions;
}

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

TNotifyEvent NotifyHandler(TFrmMainORVExpert* Form, const char* Name) {
  using F = TFrmMainORVExpert;
  static const std::map<std::string, TNotifyFactory> Handlers = {
      {"FormCreate", &Notify<&F::FormCreate>},
      {"FormShow", &Notify<&F::FormShow>},
      {"FormDestroy", &Notify<&F::FormDestroy>},
      {"CheckBoxTimerRefreshPageGroupClick", &Notify<&F::CheckBoxTimerRefreshPageGroupClick>},
      {"CheckBoxTimerKeepSelectPageGroupClick", &Notify<&F::CheckBoxTimerKeepSelectPageGroupClick>},
      {"CheckBoxDrawGroupPageClick", &Notify<&F::CheckBoxDrawGroupPageClick>},
      {"LabelUrlClick", &Notify<&F::LabelUrlClick>},
      {"LBoxPageGroupClick", &Notify<&F::LBoxPageGroupClick>},
      {"LBoxPageGroupEnter", &Notify<&F::LBoxPageGroupEnter>},
      {"LBoxPagePalettePerPageGroupEnter", &Notify<&F::LBoxPagePalettePerPageGroupEnter>},
      {"BtnAddClick", &Notify<&F::BtnAddClick>},
      {"BtnDeleteClick", &Notify<&F::BtnDeleteClick>},
      {"BtnRenameClick", &Notify<&F::BtnRenameClick>},
      {"BtnMoveUpClick", &Notify<&F::BtnMoveUpClick>},
      {"BtnMoveDownClick", &Notify<&F::BtnMoveDownClick>},
      {"BtnMoveToLeftOneClick", &Notify<&F::BtnMoveToLeftOneClick>},
      {"BtnMoveToRightOneClick", &Notify<&F::BtnMoveToRightOneClick>},
      {"BtnMoveToLeftAllClick", &Notify<&F::BtnMoveToLeftAllClick>},
      {"BtnMoveToRightAllClick", &Notify<&F::BtnMoveToRightAllClick>},
  };
  auto It = Handlers.find(Name);
  if (It == Handlers.end())
    throw Exception(std::string("Method ") + Name + " not found");
  return It->second(Form);
}

TDrawItemEvent DrawHandler(TFrmMainORVExpert* Form, const char* Name) {
  using F = TFrmMainORVExpert;
  static const std::map<std::string, TDrawFactory> Handlers = {
      {"LBoxPagePalettePerPageGroupDrawItem", &Draw<&F::LBoxPagePalettePerPageGroupDrawItem>},
      {"LBoxPagePaletteDrawItem", &Draw<&F::LBoxPagePaletteDrawItem>},
  };
  auto It = Handlers.find(Name);
  if (It == Handlers.end())
    throw Exception(std::string("Method ") + Name + " not found");
  return It->second(Form);
}

TComponent* CreateComponent(const std::string& ClassName, TComponent* Owner) {
  if (ClassName == "TLabel")
    return new TLabel(Owner);
  if (ClassName == "TPanel")
    return new TPanel(Owner);
  if (ClassName == "TBitBtn")
    return new TBitBtn(Owner);
  if (ClassName == "TButton")
    return new TButton(Owner);
  if (ClassName == "TPageControl")
    return new TPageControl(Owner);
  if (ClassName == "TTabSheet")
    return new TTabSheet(Owner);
  if (ClassName == "TGroupBox")
    return new TGroupBox(Owner);
  if (ClassName == "TImage")
    return new TImage(Owner);
  if (ClassName == "TCheckBox")
    return new TCheckBox(Owner);
  if (ClassName == "TColorBox")
    return new TColorBox(Owner);
  if (ClassName == "TListBox")
    return new TListBox(Owner);
  if (ClassName == "TImageList")
    return new TImageList(Owner);
  throw Exception("Class " + ClassName + " not found");
}

void ApplyRow(TFrmMainORVExpert* Form, TComponent* C, const TFormLayoutRow& Row) {
  auto* Ctl = dynamic_cast<TControl*>(C);
  if (Ctl == nullptr) {
    if (auto* Images = dynamic_cast<TImageList*>(C)) {
      Images->SetWidth(16);
      Images->SetHeight(16);
      for (const char* Icon : FrmMainORVExpertIcons())
        Images->AddImage(Icon);
    }
    return;
  }
  TWinControl* Parent = Form;
  if (Row.Parent != nullptr && *Row.Parent != '\0')
    Parent = As<TWinControl>(Form->FindComponent(Row.Parent));
  if (auto* Sheet = dynamic_cast<TTabSheet*>(Ctl))
    Sheet->SetPageControl(As<TPageControl>(Parent));
  else
    Ctl->SetParent(Parent);

  // A label's size rule comes first, so that its caption and font size it
  // only when it is meant to size itself.
  auto* Label = dynamic_cast<TLabel*>(Ctl);
  if (Label != nullptr) {
    Label->SetAutoSize(Row.AutoSize);
    Label->SetAlignment(Row.Alignment);
    Label->SetCursor(Row.Cursor);
  }
  if (Row.Caption != nullptr)
    Ctl->SetCaption(Row.Caption);
  if (Row.FontHeight != 0) {
    Ctl->Font()->SetHeight(Row.FontHeight);
    TFontStyles Style;
    if (Row.FontBold)
      Style.Include(fsBold);
    if (Row.FontUnderline)
      Style.Include(fsUnderline);
    Ctl->Font()->SetStyle(Style);
    Ctl->Font()->SetColor(Row.FontColor);
  }
  // A sheet's place is its page control's business: it fills the control's
  // client area, whichever sheet is shown, so it keeps the alignment it was
  // made with.
  if (dynamic_cast<TTabSheet*>(Ctl) == nullptr) {
    if (Row.Width >= 0)
      Ctl->SetBounds(Row.Left, Row.Top, Row.Width, Row.Height);
    else
      Ctl->SetBounds(Row.Left, Row.Top, Ctl->Width(), Ctl->Height());
    Ctl->SetAlign(Row.Align);
  }

  if (auto* Panel = dynamic_cast<TPanel*>(Ctl)) {
    if (Row.BevelOuter >= 0)
      Panel->SetBevelOuter(static_cast<TBevelCut>(Row.BevelOuter));
    if (Row.BorderStyle >= 0)
      Panel->SetBorderStyle(static_cast<TBorderStyle>(Row.BorderStyle));
  }
  if (auto* Btn = dynamic_cast<TBitBtn*>(Ctl); Btn != nullptr && Row.Kind != 0)
    Btn->SetKind(static_cast<TBitBtnKind>(Row.Kind));
  if (auto* Image = dynamic_cast<TImage*>(Ctl)) {
    Image->SetPicture(Row.Picture != nullptr ? Row.Picture : "", Row.PictureWidth,
                      Row.PictureHeight);
    Image->SetStretch(Row.Stretch);
    Image->SetTransparent(Row.Transparent);
  }
  if (auto* List = dynamic_cast<TListBox*>(Ctl)) {
    if (Row.OwnerDrawFixed)
      List->SetStyle(lbOwnerDrawFixed);
    if (Row.ItemHeight > 0)
      List->SetItemHeight(Row.ItemHeight);
    if (Row.OnDrawItem != nullptr)
      List->SetOnDrawItem(DrawHandler(Form, Row.OnDrawItem));
  }
  if (auto* Box = dynamic_cast<TColorBox*>(Ctl)) {
    Box->SetStyle({cbStandardColors, cbExtendedColors, cbSystemColors, cbCustomColor});
    Box->SetSelected(Row.Selected);
    Box->SetDefaultColorColor(Row.DefaultColorColor);
    if (Row.ItemHeight > 0)
      Box->SetItemHeight(Row.ItemHeight);
  }
  if (Row.OnClick != nullptr)
    Ctl->SetOnClick(NotifyHandler(Form, Row.OnClick));
  if (Row.OnEnter != nullptr)
    As<TWinControl>(Ctl)->SetOnEnter(NotifyHandler(Form, Row.OnEnter));
}

template <class T>
void Bind(const TComponent* Form, T*& Field, const char* Name) {
  Field = As<T>(Form->FindComponent(Name));
  if (Field == nullptr)
    throw Exception(std::string("Component ") + Name + " not found");
}
}  // namespace

TFrmMainORVExpert::TFrmMainORVExpert(TComponent* AOwner) : TForm(AOwner) {
  BuildFromLayout();
  DoCreate();
}

TFrmMainORVExpert::~TFrmMainORVExpert() {
  // OnDestroy sees the whole form, page lists and all.
  BeforeDestruction();
}

void TFrmMainORVExpert::BuildFromLayout() {
  const auto& Rows = FrmMainORVExpertLayout();
  const TFormLayoutRow& FormRow = Rows.front();
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

  std::vector<TComponent*> Made;
  for (std::size_t i = 1; i < Rows.size(); ++i) {
    TComponent* C = CreateComponent(Rows[i].ClassName, this);
    C->SetName(Rows[i].Name);
    ApplyRow(this, C, Rows[i]);
    Made.push_back(C);
  }
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

  for (const auto& Row : Rows)
    if (Row.ActivePage != nullptr)
      As<TPageControl>(FindComponent(Row.Name))
          ->SetActivePage(As<TTabSheet>(FindComponent(Row.ActivePage)));
  SetOnCreate(NotifyHandler(this, FormRow.OnCreate));
  SetOnShow(NotifyHandler(this, FormRow.OnShow));
  SetOnDestroy(NotifyHandler(this, FormRow.OnDestroy));
}

void TFrmMainORVExpert::FormCreate(TObject* Sender) {
  (void)Sender;
  SetTag(-1);
  SpinTimerInstallRefresh = new TORVExpert_CORVSpin(this);
  SpinTimerInstallRefresh->SetName("SpinTimerInstallRefresh");
  SpinTimerInstallRefresh->SetParent(GroupBoxTimerPageGroup);
  SpinTimerRefreshPagesInterval = new TORVExpert_CORVSpin(this);
  SpinTimerRefreshPagesInterval->SetName("SpinTimerRefreshPagesInterval");
  SpinTimerRefreshPagesInterval->SetParent(GroupBoxTimerPageGroup);
  // Each spin edit stands level with its "MSec" label, which is to its right.
  const std::pair<TORVExpert_CORVSpin*, TLabel*> Spins[] = {
      {SpinTimerInstallRefresh, Lbl_UpdateMS}, {SpinTimerRefreshPagesInterval, Lbl_PeriodMS}};
  for (auto [Spin, MSec] : Spins) {
    Spin->SetLeft(Lbl_PeriodSortGroup->Left());
    Spin->SetWidth(109);
    Spin->SetTop(MSec->Top() - Spin->Height() / 4);
    Spin->SetAlignment(taRightJustify);
    Spin->SetPlasOnly(true);
  }
  PageControlMain->SetActivePage(TSMain);
}

void TFrmMainORVExpert::FormShow(TObject* Sender) {
  (void)Sender;
  TStrings* Palette = LBoxPagePalette->Items();
  for (int i = 0; i < Palette->Count(); ++i)
    Palette->SetObjects(i, TItemObject::FromInteger(0));
  for (int g = 0; g < LBoxPageGroup->Items()->Count(); ++g) {
    const TStringList* Pages = GroupPages(g);
    for (int p = 0; Pages != nullptr && p < Pages->Count(); ++p)
      AddUsage(LBoxPagePalette->FindExact(Pages->Get(p)), 1);
  }
  SpinTimerRefreshPagesInterval->SetEnabled(CheckBoxTimerRefreshPageGroup->Checked() ||
                                            CheckBoxTimerRefreshPagePalette->Checked());
  CheckBoxDrawGroupPageShadow->SetEnabled(CheckBoxDrawGroupPage->Checked());
  for (const auto& [Name, Text] : ShowCaptions())
    As<TControl>(FindComponent(Name))->SetCaption(Text);
}

void TFrmMainORVExpert::FormDestroy(TObject* Sender) {
  (void)Sender;
  TStrings* Groups = LBoxPageGroup->Items();
  for (int i = 0; i < Groups->Count(); ++i) {
    delete GroupPages(i);
    Groups->SetObjects(i, TItemObject());
  }
}

void TFrmMainORVExpert::FrmInit_Create() {
  TStrings* Groups = LBoxPageGroup->Items();
  for (int i = 0; i < Groups->Count(); ++i)
    Groups->SetObjects(i, new TStringList());
}

TStringList* TFrmMainORVExpert::GroupPages(int Index) const {
  return LBoxPageGroup->Items()->ObjectAs<TStringList>(Index);
}

int TFrmMainORVExpert::UsageCount(int PaletteIndex) const {
  return static_cast<int>(LBoxPagePalette->Items()->Objects(PaletteIndex).AsInteger());
}

void TFrmMainORVExpert::AddUsage(int PaletteIndex, int Delta) {
  if (PaletteIndex < 0)
    return;
  LBoxPagePalette->Items()->SetObjects(PaletteIndex,
                                       TItemObject::FromInteger(UsageCount(PaletteIndex) + Delta));
}

void TFrmMainORVExpert::WriteBack() {
  GroupPages(LBoxPageGroup->ItemIndex())->SetText(LBoxPagePalettePerPageGroup->Items()->Text());
}

namespace {
// The largest interval a timer holds: TTimer.Interval is a 32-bit value,
// and Windows holds a longer one at USER_TIMER_MAXIMUM (0x7FFFFFFF) anyway.
// A longer delay typed in the dialog is held there rather than cut to its
// low 32 bits, which would make it negative or short.
constexpr Int64 MaxTimerInterval = 0x7FFFFFFF;

Integer TimerInterval(Int64 Value) {
  return static_cast<Integer>(std::clamp<Int64>(Value, 0, MaxTimerInterval));
}
}  // namespace

Integer TFrmMainORVExpert::GetFrmGetTimerInstallRefresh() const {
  return TimerInterval(SpinTimerInstallRefresh->Value());
}
void TFrmMainORVExpert::SetFrmGetTimerInstallRefresh(Integer Value) {
  SpinTimerInstallRefresh->SetValue(static_cast<Int64>(Value));
}
Integer TFrmMainORVExpert::GetFrmGetTimerRefreshPagesInterval() const {
  return TimerInterval(SpinTimerRefreshPagesInterval->Value());
}
void TFrmMainORVExpert::SetFrmGetTimerRefreshPagesInterval(Integer Value) {
  SpinTimerRefreshPagesInterval->SetValue(static_cast<Int64>(Value));
}
bool TFrmMainORVExpert::GetFrmGetTimerRefreshGroupPage() const {
  return CheckBoxTimerRefreshPageGroup->Checked();
}
void TFrmMainORVExpert::SetFrmGetTimerRefreshGroupPage(bool Value) {
  CheckBoxTimerRefreshPageGroup->SetChecked(Value);
}
bool TFrmMainORVExpert::GetFrmTimerRefreshPagePalette() const {
  return CheckBoxTimerRefreshPagePalette->Checked();
}
void TFrmMainORVExpert::SetFrmTimerRefreshPagePalette(bool Value) {
  CheckBoxTimerRefreshPagePalette->SetChecked(Value);
}
bool TFrmMainORVExpert::GetFrmPageGroup_OwnerDraw() const {
  return CheckBoxDrawGroupPage->Checked();
}
void TFrmMainORVExpert::SetFrmPageGroup_OwnerDraw(bool Value) {
  CheckBoxDrawGroupPage->SetChecked(Value);
}
bool TFrmMainORVExpert::GetFrmPageGroup_DrawTabShadow() const {
  return CheckBoxDrawGroupPageShadow->Checked();
}
void TFrmMainORVExpert::SetFrmPageGroup_DrawTabShadow(bool Value) {
  CheckBoxDrawGroupPageShadow->SetChecked(Value);
}
TColor TFrmMainORVExpert::GetFrmColorPageGroup() const {
  return ColorBoxPageGroup->Selected();
}
void TFrmMainORVExpert::SetFrmColorPageGroup(TColor Value) {
  ColorBoxPageGroup->SetSelected(Value);
}
bool TFrmMainORVExpert::GetFrmMultilinePageGroup() const {
  return CheckBoxMultilinePagesGroup->Checked();
}
void TFrmMainORVExpert::SetFrmMultilinePageGroup(bool Value) {
  CheckBoxMultilinePagesGroup->SetChecked(Value);
}
bool TFrmMainORVExpert::GetFrmPagePalette_Multiline() const {
  return CheckBoxMultilinePalette->Checked();
}
void TFrmMainORVExpert::SetFrmPagePalette_Multiline(bool Value) {
  CheckBoxMultilinePalette->SetChecked(Value);
}
bool TFrmMainORVExpert::GetFrmPageGroup_WidthFull() const {
  return CheckBoxDrawGroupPage_WidthFull->Checked();
}
void TFrmMainORVExpert::SetFrmPageGroup_WidthFull(bool Value) {
  CheckBoxDrawGroupPage_WidthFull->SetChecked(Value);
}

void TFrmMainORVExpert::CheckBoxTimerRefreshPageGroupClick(TObject* Sender) {
  (void)Sender;
  const bool On =
      CheckBoxTimerRefreshPageGroup->Checked() || CheckBoxTimerRefreshPagePalette->Checked();
  SpinTimerRefreshPagesInterval->SetEnabled(On);
  Lbl_PeriodSortGroup->SetEnabled(On);
  Lbl_PeriodMS->SetEnabled(On);
  // Returning to the first group includes returning to its first page.
  if (CheckBoxTimerRefreshPageGroup->Checked())
    CheckBoxTimerRefreshPagePalette->SetChecked(true);
}

void TFrmMainORVExpert::CheckBoxTimerKeepSelectPageGroupClick(TObject* Sender) {
  (void)Sender;
  // Keeping the chosen group and returning to the first one exclude each
  // other.
  if (CheckBoxTimerKeepSelectPageGroup->Checked()) {
    CheckBoxTimerRefreshPageGroup->SetChecked(false);
    CheckBoxTimerRefreshPageGroup->SetEnabled(false);
  } else {
    CheckBoxTimerRefreshPageGroup->SetEnabled(true);
  }
}

void TFrmMainORVExpert::CheckBoxDrawGroupPageClick(TObject* Sender) {
  (void)Sender;
  // The shadow belongs to the add-in's own tab drawing; its state is kept
  // while it cannot be changed.
  CheckBoxDrawGroupPageShadow->SetEnabled(CheckBoxDrawGroupPage->Checked());
}

void TFrmMainORVExpert::LabelUrlClick(TObject* Sender) {
  (void)Sender;
  // A failure of the shell to open the page is not the dialog's concern.
  (void)ShellExecute(nullptr, nullptr, LabelUrl->Caption().c_str(), nullptr, nullptr,
                     SW_SHOWNORMAL);
}
