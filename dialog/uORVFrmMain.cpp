#include "uORVFrmMain.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "NameIndex.h"
#include "StringSwitch.h"
#include "Windows.h"
#include "uORVFrmMainLayout.h"

std::string RusToRus(const std::string& S) {
  std::string Result(S.size(), '\0');
  const auto Last = std::copy_if(S.begin(), S.end(), Result.begin(), [](char Ch) {
    const auto B = static_cast<unsigned char>(Ch);
    return B == 0x0A || B == 0x0D || B == 0x1F || B >= 0xC0;
  });
  Result.erase(Last, Result.end());
  return Result;
}

TFrmMainORVExpert::TFrmMainORVExpert(TComponent* AOwner) : TForm(AOwner) {
  BuildFromLayout();
  DoCreate();
}

TFrmMainORVExpert::~TFrmMainORVExpert() {
  // OnDestroy sees the whole form, page lists and all.
  BeforeDestruction();
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
  if (!FUsageCounted)
    CountUsage();
  SpinTimerRefreshPagesInterval->SetEnabled(CheckBoxTimerRefreshPageGroup->Checked() ||
                                            CheckBoxTimerRefreshPagePalette->Checked());
  CheckBoxDrawGroupPageShadow->SetEnabled(CheckBoxDrawGroupPage->Checked());
  for (const TFormLayoutRow& Row : FrmMainORVExpertLayout())
    if (Row.ShowCaption != nullptr)
      As<TControl>(FindComponent(Row.Name))->SetCaption(Row.ShowCaption);
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

namespace {
// Whether a list's text gives back its items one a line, so that the n-th
// line of the text is the n-th item: no item holds a line break (which
// would make two lines of it) or a NUL (which would end the text).
bool OneLineEach(const std::string& Text, int Lines, int Items) {
  return Lines == Items && Text.find('\0') == std::string::npos;
}
}  // namespace

// Each palette page's usage count: the number of entries of all groups'
// page lists that the palette list's exact-match search finds it for. The
// palette's names are indexed once (the whole name, any letter case, the
// first of equal ones, as that search finds them), each group's entries are
// looked up in one pass over its list's text, and each palette item's object
// is written once. A list that its text does not give back one item a line
// is searched item by item instead.
void TFrmMainORVExpert::CountUsage() {
  TStrings* Palette = LBoxPagePalette->Items();
  const int Count = Palette->Count();
  std::vector<NativeInt> Uses(static_cast<std::size_t>(Count), 0);
  auto Use = [&Uses](int Found) {
    if (Found >= 0)
      ++Uses[static_cast<std::size_t>(Found)];
  };
  NameIndex Names;
  const std::string PaletteText = Palette->Text();
  Names.Rebuild(PaletteText);
  const bool Indexed = OneLineEach(PaletteText, Names.Count(), Count);
  std::vector<int> Found;
  for (int g = 0; g < LBoxPageGroup->Items()->Count(); ++g) {
    const TStringList* Pages = GroupPages(g);
    if (Pages == nullptr)
      continue;
    if (Indexed) {
      const std::string Text = Pages->Text();
      Found.clear();
      Names.FindLines(Text,
                      [&Found](int Index, const char*, const char*) { Found.push_back(Index); });
      if (OneLineEach(Text, static_cast<int>(Found.size()), Pages->Count())) {
        for (int Index : Found)
          Use(Index);
        continue;
      }
    }
    for (int p = 0; p < Pages->Count(); ++p)
      Use(LBoxPagePalette->FindExact(Pages->Get(p)));
  }
  for (int i = 0; i < Count; ++i)
    Palette->SetObjects(i, TItemObject::FromInteger(Uses[static_cast<std::size_t>(i)]));
}

void TFrmMainORVExpert::SetPalettePages(const std::string& Text,
                                        const std::vector<NativeInt>& Uses) {
  TStrings* Palette = LBoxPagePalette->Items();
  Palette->SetText(Text);
  const int Count = Palette->Count();
  FUsageCounted = Count == static_cast<int>(Uses.size());
  if (FUsageCounted)
    for (int i = 0; i < Count; ++i)
      Palette->SetObjects(i, TItemObject::FromInteger(Uses[static_cast<std::size_t>(i)]));
  // The counts travel with their items as the list sorts them: equal names
  // keep their order, so the first of them, the one an exact-match search
  // finds, is the one counted.
  LBoxPagePalette->SetSorted(true);
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

bool TFrmMainORVExpert::GetFrmOption(const char* Name) const {
  return OptionBox(Name)->Checked();
}
void TFrmMainORVExpert::SetFrmOption(const char* Name, bool Value) {
  OptionBox(Name)->SetChecked(Value);
}

TCheckBox* TFrmMainORVExpert::OptionBox(const char* Name) const {
  const TFormLayoutRow* Row = StringSwitch<const TFormLayoutRow*>(Name)
                                  .Rows(FrmMainORVExpertLayout(), &TFormLayoutRow::Option)
                                  .Default(nullptr);
  if (Row == nullptr)
    throw Exception(std::string("No control of the settings dialog holds option ") + Name);
  return As<TCheckBox>(FindComponent(Row->Name));
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
