#include "DialogDriver.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "Buttons.h"
#include "ClassRegistry.h"
#include "CodePage.h"
#include "ComCtrls.h"
#include "ControlClass.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "ScopeExit.h"
#include "StdCtrls.h"
#include "TypInfo.h"
#include "UserInput.h"
#if TABULON_HOST >= 6
#include "ColorBox.h"
#endif

namespace {
// The driver raises host exceptions, whose messages are Windows-1251 like
// all the host's text (the simulator converts them as it prints them), so
// what the user wrote (UTF-8) is converted as it is quoted in one.
std::string Quoted(const std::string& Utf8) {
  return "'" + Utf8ToWin1251(Utf8) + "'";
}

TJson Items(const TStrings* Items) {
  TJson R = TJson::array();
  for (int i = 0; i < Items->Count(); ++i)
    R.push_back(Win1251ToUtf8(Items->Get(i)));
  return R;
}

// The objects of a list: page lists for the group list, integers otherwise.
TJson Objects(const TStrings* List, bool PageLists) {
  TJson R = TJson::array();
  for (int i = 0; i < List->Count(); ++i) {
    const TItemObject Obj = List->Objects(i);
    if (!PageLists)
      R.push_back(Obj.AsInteger());
    else if (auto* Pages = dynamic_cast<TStrings*>(Obj.AsObject()); Pages != nullptr)
      R.push_back(Items(Pages));
    else
      R.push_back(nullptr);
  }
  return R;
}

// A published property of that name and type kind that can be read, as an
// object inspector finds it; nullptr when the control has none such.
const TPropInfo* Property(const TControl* C, const char* Name, TTypeKind Kind,
                          const char* TypeName = nullptr) {
  const TPropInfo* P = GetPropInfo(C, Name);
  if (P == nullptr || P->PropType == nullptr || P->GetProc == nullptr ||
      P->PropType->Kind != Kind ||
      (TypeName != nullptr && std::string(P->PropType->Name) != TypeName))
    return nullptr;
  return P;
}

// A whole number published as Value: what a spin edit shows.
const TPropInfo* ValueProperty(const TControl* C) {
  const TPropInfo* P = Property(C, "Value", tkInt64);
  return P != nullptr ? P : Property(C, "Value", tkInteger);
}

// Whether the box is the host's own colour box (hosts 6 and 7 have one).
bool IsHostColorBox(TControl* Box) {
#if TABULON_HOST >= 6
  return dynamic_cast<TCustomColorBox*>(Box) != nullptr;
#else
  (void)Box;
  return false;
#endif
}

// A colour published as Selected: what a colour box has chosen.
const TPropInfo* SelectedColorProperty(const TControl* C) {
  return Property(C, "Selected", tkInteger, "TColor");
}

// A list of items a user picks from with the mouse: a list box or a combo box.
struct TItemList {
  TStrings* (*Items)(TControl* C);
  int (*ItemIndex)(const TControl* C);
  // The item equal to Text (letter case ignored), as a user looks for it; -1.
  int (*Find)(TControl* C, const std::string& Text);
  // The user's click on the item.
  void (*Choose)(TControl* C, int Index);
  // Whether its items' objects are the groups' page lists. An item's object
  // may hold a number or a pointer to anything, and nothing in the object
  // tells which (the colour box's hold colours), so the list says.
  bool (*HoldsPageLists)(const TControl* C);
};

// What a user can do with a control of one host class and what the dump
// shows of it, keyed by the class's registration. The driver asks the
// entry, never the class, so a class the dialog starts to use is one more
// entry here.
struct TDrivenClass {
  const TComponentClass& Class;
  bool Sheet = false;  // sheet: its tab is clicked
  // click: whether a click does something (a label only with a handler).
  bool (*Clickable)(const TControl* C) = nullptr;
  // check: a box with two states; also the dump's "checked".
  bool (*Checked)(const TControl* C) = nullptr;
  // type: takes text key by key; also the dump's "text".
  std::string (*Text)(const TControl* C) = nullptr;
  // select: a list of items; also the dump's "items", "objects", "itemIndex".
  const TItemList* List = nullptr;
  // A caption the user reads: in the dump and in the list of controls.
  bool Caption = false;
};

const TItemList kListBox{
    [](TControl* C) { return Of<TCustomListBox>(C)->Items(); },
    [](const TControl* C) { return Of<TCustomListBox>(C)->ItemIndex(); },
    [](TControl* C, const std::string& Text) { return Of<TCustomListBox>(C)->FindExact(Text); },
    [](TControl* C, int Index) { ClickListItem(Of<TCustomListBox>(C), Index); }, IsGroupList};

const TItemList kComboBox{
    [](TControl* C) { return Of<TCustomComboBox>(C)->Items(); },
    [](const TControl* C) { return Of<TCustomComboBox>(C)->ItemIndex(); },
    [](TControl* C, const std::string& Text) {
      return Of<TCustomComboBox>(C)->Items()->IndexOf(Text);
    },
    [](TControl* C, int Index) { ChooseComboItem(Of<TCustomComboBox>(C), Index); },
    [](const TControl*) { return false; }};

// The first entry whose class the control is of applies; none of these
// classes derives from another, and the last entry's class is every
// control's.
const TDrivenClass kDrivenClasses[] = {
    {.Class = ClassOf<TTabSheet>(), .Sheet = true, .Caption = true},
    {.Class = ClassOf<TCheckBox>(),
     .Clickable = AnyControl,
     .Checked = [](const TControl* C) { return Of<TCheckBox>(C)->Checked(); },
     .Caption = true},
    {.Class = ClassOf<TButton>(), .Clickable = AnyControl, .Caption = true},
    {.Class = ClassOf<TLabel>(),
     .Clickable = [](const TControl* C) { return C->OnClick().Assigned(); },
     .Caption = true},
    {.Class = ClassOf<TGroupBox>(), .Caption = true},
    {.Class = ClassOf<TCustomEdit>(),
     .Text = [](const TControl* C) { return Of<TCustomEdit>(C)->Text(); }},
    {.Class = ClassOf<TCustomListBox>(), .List = &kListBox},
    {.Class = ClassOf<TCustomComboBox>(), .List = &kComboBox},
    {.Class = ClassOf<TControl>()},
};

// Which entry applies depends on the control's class alone, and a dialog's
// controls are of a few classes: each class's entry is found by casts once,
// then by the class's name. A cast is dear across the host's modules: it
// compares type names up the class's ancestors. The name, not the type's
// address, keys the entry, since a package unloaded may leave its address
// to another class; an entry found by name is taken at once for the type
// it was found for, and checked by its cast for another type of that name
// (two classes of separate units may share one).
const TDrivenClass& DrivenClass(const TControl* C) {
  struct TKnown {
    const TDrivenClass* Entry;
    const std::type_info* Type;
  };
  static std::map<std::string, TKnown, std::less<>> Known;
  const std::type_info& Type = typeid(*C);
  const std::string_view Name = Type.name();
  const auto It = Known.find(Name);
  if (It != Known.end() && It->second.Type == &Type)
    return *It->second.Entry;
  if (It != Known.end() && It->second.Entry->Class.Is(C)) {
    It->second.Type = &Type;
    return *It->second.Entry;
  }
  const TDrivenClass* Found = &kDrivenClasses[std::size(kDrivenClasses) - 1];
  for (const TDrivenClass& Entry : kDrivenClasses)
    if (Entry.Class.Is(C)) {
      Found = &Entry;
      break;
    }
  Known.insert_or_assign(std::string(Name), TKnown{Found, &Type});
  return *Found;
}

bool Clickable(const TControl* C) {
  const TDrivenClass& Entry = DrivenClass(C);
  return Entry.Clickable != nullptr && Entry.Clickable(C);
}

// The items of the control named Name, which the user selects among.
const TItemList& ItemListOf(const TControl* C, const std::string& Name) {
  const TItemList* List = DrivenClass(C).List;
  if (List == nullptr)
    throw Exception("control " + Quoted(Name) + " is not a list");
  return *List;
}
}  // namespace

bool IsGroupList(const TControl* C) {
  return IsA<TCustomListBox>(C) && Of<TCustomListBox>(C)->Style() == lbStandard;
}

TCustomListBox* GroupList(TCustomForm* Form) {
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* C = dynamic_cast<TControl*>(Form->Components(i)); C != nullptr && IsGroupList(C))
      return Of<TCustomListBox>(C);
  return nullptr;
}

std::int32_t ParseColorValue(const std::string& Value) {
  Integer Color = 0;
  if (IdentToColor(Value, Color))
    return Color;
  std::string Digits = Value;
  int Base = 10;
  if (Digits.rfind("0x", 0) == 0 || Digits.rfind("0X", 0) == 0) {
    Digits = Digits.substr(2);
    Base = 16;
  } else if (!Digits.empty() && Digits[0] == '$') {
    Digits = Digits.substr(1);
    Base = 16;
  }
  try {
    std::size_t Used = 0;
    const long long N = std::stoll(Digits, &Used, Base);
    if (Used != Digits.size() || N < INT32_MIN || N > static_cast<long long>(UINT32_MAX))
      throw EConvertError("");
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(N));
  } catch (const std::exception&) {
    throw EConvertError(Quoted(Value) + " is not a colour: give a number or a name such as clRed");
  }
}

bool TDialogDriver::Closed() const {
  return FForm->ModalResult() != mrNone || !FForm->Showing();
}

void TDialogDriver::CheckOpen() const {
  if (Closed())
    throw Exception("the settings dialog is closed");
}

TControl* TDialogDriver::Find(const std::string& Name) const {
  CheckOpen();
  auto* Control = dynamic_cast<TControl*>(FForm->FindComponent(Utf8ToWin1251(Name)));
  if (Control == nullptr)
    throw Exception("the settings dialog has no control " + Quoted(Name));
  return Control;
}

const TControl* TDialogDriver::FindOf(bool (*Matches)(const TControl* C)) const {
  for (int i = 0; i < FForm->ComponentCount(); ++i)
    if (auto* C = dynamic_cast<const TControl*>(FForm->Components(i));
        C != nullptr && !C->Name().empty() && Matches(C))
      return C;
  return nullptr;
}

TControl* TDialogDriver::Reachable(const std::string& Name) const {
  TControl* Control = Find(Name);
  // A sheet that is not shown is hidden too; the sheet to choose is the
  // more useful thing to tell.
  for (const TControl* C = Control; C != nullptr && C != FForm; C = C->Parent())
    if (auto* Sheet = dynamic_cast<const TTabSheet*>(C);
        Sheet != nullptr && Sheet->PageControl() != nullptr &&
        Sheet->PageControl()->ActivePage() != Sheet && Sheet != Control)
      throw Exception("control " + Quoted(Name) + " is on sheet '" + Sheet->Name() + "'" +
                      ", which is not shown (use sheet " + Sheet->Name() + ")");
  for (const TControl* C = Control; C != nullptr && C != FForm; C = C->Parent()) {
    if (!C->Visible())
      throw Exception("control " + Quoted(Name) + " is hidden");
    if (!C->Enabled())
      throw Exception("control " + Quoted(Name) + " is disabled");
  }
  return Control;
}

TWinControl* TDialogDriver::Focusable(const std::string& Name) const {
  TWinControl* W = Reachable(Name)->AsWinControl();
  if (W == nullptr || !W->TabStop() || !W->CanFocus())
    throw Exception("control " + Quoted(Name) + " cannot take the focus");
  return W;
}

void TDialogDriver::Sheet(const std::string& Name) {
  auto* Page = dynamic_cast<TTabSheet*>(Find(Name));
  if (Page == nullptr || Page->PageControl() == nullptr)
    throw Exception("control " + Quoted(Name) + " is not a sheet");
  TPageControl* Pages = Page->PageControl();
  Reachable(Pages->Name());
  if (!Page->TabVisible())
    throw Exception("sheet " + Quoted(Name) + " has no tab");
  ::ClickTab(Pages, Page->TabIndex());
}

void TDialogDriver::Click(const std::string& Name) {
  TControl* Control = Reachable(Name);
  if (!::Clickable(Control))
    throw Exception("control " + Quoted(Name) +
                    " is not a button, check box or link: use select, type or color");
  ClickControl(Control);
}

void TDialogDriver::Check(const std::string& Name, bool On) {
  TControl* Box = Reachable(Name);
  const TDrivenClass& Entry = DrivenClass(Box);
  if (Entry.Checked == nullptr)
    throw Exception("control " + Quoted(Name) + " is not a check box");
  if (Entry.Checked(Box) != On)
    ClickControl(Box);
}

void TDialogDriver::Focus(const std::string& Name) {
  TWinControl* W = Focusable(Name);
  FForm->FocusControl(W);
}

void TDialogDriver::Type(const std::string& Name, const std::string& Text) {
  TWinControl* W = Focusable(Name);
  if (DrivenClass(W).Text == nullptr)
    throw Exception("control " + Quoted(Name) + " takes no typed text");
  FForm->FocusControl(W);
  TypeText(W->Handle(), Utf8ToWin1251(Text));
}

namespace {
// The keys a script can press in a control; the loop makes the character
// of those that have one (Enter, Escape, Tab, Backspace).
struct TKeyName {
  const char* Name;
  Word VirtualKey;
};
constexpr TKeyName kKeyNames[] = {
    {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},        {"Up", VK_UP},
    {"Down", VK_DOWN},    {"Left", VK_LEFT},     {"Right", VK_RIGHT},    {"Home", VK_HOME},
    {"End", VK_END},      {"Delete", VK_DELETE}, {"Backspace", VK_BACK},
};
}  // namespace

std::string KeyNames() {
  std::string Names;
  for (const TKeyName& K : kKeyNames)
    Names += (Names.empty() ? "" : ", ") + std::string(K.Name);
  return Names;
}

bool IsKeyName(const std::string& Key) {
  for (const TKeyName& K : kKeyNames)
    if (Key == K.Name)
      return true;
  return false;
}

void TDialogDriver::KeyDown(const std::string& Name, const std::string& Key) {
  if (Key != "Up" && Key != "Down")
    throw Exception("unknown key " + Quoted(Key) + ": give Up or Down");
  PressKey(Name, Key);
}

void TDialogDriver::PressKey(const std::string& Name, const std::string& Key) {
  const TKeyName* Found = nullptr;
  for (const TKeyName& K : kKeyNames)
    if (Key == K.Name)
      Found = &K;
  if (Found == nullptr)
    throw Exception("unknown key " + Quoted(Key) + " (" + KeyNames() + ")");
  TWinControl* W = Focusable(Name);
  FForm->FocusControl(W);
  ::PressKey(W->Handle(), Found->VirtualKey);
}

void TDialogDriver::Select(const std::string& Name, int Index) {
  TControl* Control = Reachable(Name);
  const TItemList& List = ItemListOf(Control, Name);
  const int Count = List.Items(Control)->Count();
  if (Index < 0 || Index >= Count)
    throw Exception("control " + Quoted(Name) + " has no item " + std::to_string(Index) +
                    " (it has " + std::to_string(Count) + ")");
  List.Choose(Control, Index);
}

void TDialogDriver::Select(const std::string& Name, const std::string& Text) {
  TControl* Control = Reachable(Name);
  const int Index = ItemListOf(Control, Name).Find(Control, Utf8ToWin1251(Text));
  if (Index < 0)
    throw Exception("control " + Quoted(Name) + " has no item " + Quoted(Text));
  Select(Name, Index);
}

void TDialogDriver::Color(const std::string& Value) {
  const TColor Wanted = ParseColorValue(Value);
  CheckOpen();
  const TControl* Found = FindOf([](const TControl* C) {
    return DrivenClass(C).List != nullptr && SelectedColorProperty(C) != nullptr;
  });
  if (Found == nullptr)
    throw Exception("the settings dialog has no colour box");
  const std::string Name = Win1251ToUtf8(Found->Name());
  TControl* Box = Reachable(Name);
  const TItemList* List = DrivenClass(Box).List;
  const TStrings* Items = List->Items(Box);
  const TPropInfo* Style = Property(Box, "Style", tkSet);
  const bool HasCustom =
      Style != nullptr &&
      std::string(",").append(GetSetProp(Box, "Style")).append(",").find(",cbCustomColor,") !=
          std::string::npos;
  // The host's own colour box shows its custom item as "Custom..." and asks
  // for a colour when it is chosen; that item is no listed colour. In a box
  // without such an item, the first item is a listed colour that doubles as
  // the slot for a foreign one, and the user chooses it like any other.
  const bool Asks = HasCustom && IsHostColorBox(Box);
  for (int i = Asks ? 1 : 0; i < Items->Count(); ++i)
    if (static_cast<TColor>(Items->Objects(i).AsInteger()) == Wanted) {
      List->Choose(Box, i);
      return;
    }
  if (Asks) {
    // The user picks the custom item and answers the colour dialog.
    TApplication::TColorDriver Previous = Application->ColorDriver();
    ScopeExit Restore([&] { Application->SetColorDriver(std::move(Previous)); });
    Application->SetColorDriver([Wanted](Integer& Color) {
      Color = Wanted;
      return true;
    });
    List->Choose(Box, 0);
    return;
  }
  throw Exception("colour " + Quoted(Value) + " is not listed in " + Quoted(Name) +
                  ", and this colour box asks for no custom colour");
}

void TDialogDriver::Ok() {
  CheckOpen();
  const TControl* Button = FindOf(
      [](const TControl* C) { return IsA<TButton>(C) && Of<TButton>(C)->ModalResult() == mrOk; });
  if (Button == nullptr)
    throw Exception("the dialog has no button that ends it with OK");
  Click(Win1251ToUtf8(Button->Name()));
}

void TDialogDriver::Cancel() {
  CheckOpen();
  // A Close button leaves a dialog as Cancel does: its form's close ends
  // the modal loop with mrCancel.
  const TControl* Button = FindOf([](const TControl* C) {
    return (IsA<TButton>(C) && Of<TButton>(C)->ModalResult() == mrCancel) ||
           (IsA<TBitBtn>(C) && Of<TBitBtn>(C)->Kind() == bkClose);
  });
  if (Button == nullptr)
    throw Exception("the dialog has no Cancel or Close button");
  Click(Win1251ToUtf8(Button->Name()));
}

void TDialogDriver::CloseBox() {
  CheckOpen();
  PostMessage(FForm->Handle(), WM_CLOSE, 0, 0);
  Application->ProcessMessages();
}

namespace {
// The block commands that act on a control, by what it is; "" for none.
std::string Actions(TControl* C) {
  const TDrivenClass& Entry = DrivenClass(C);
  std::string A;
  const auto Add = [&A](const char* Action) { A += std::string(A.empty() ? "" : ", ") + Action; };
  if (Entry.Sheet)
    Add("sheet");
  if (Entry.Checked != nullptr)
    Add("check");
  if (Clickable(C))
    Add("click");
  if (Entry.Text != nullptr)
    Add("type");
  if (Entry.List != nullptr)
    Add("select");
  if (SelectedColorProperty(C) != nullptr)
    Add("color");
  // A sheet takes the focus, but as the page control's tab: the user
  // chooses it with sheet.
  if (TWinControl* W = C->AsWinControl(); W != nullptr && W->TabStop() && !Entry.Sheet)
    Add("focus, keydown");
  return A;
}
}  // namespace

std::string TDialogDriver::Controls() const {
  struct TRow {
    std::string Name, Class, Actions, Caption;
  };
  // Sheets in the order the form holds them; "" for the form itself.
  std::vector<std::pair<std::string, std::vector<TRow>>> Groups{{"", {}}};
  std::size_t NameWidth = 0, ClassWidth = 0, ActionWidth = 0;
  for (int i = 0; i < FForm->ComponentCount(); ++i) {
    auto* C = dynamic_cast<TControl*>(FForm->Components(i));
    if (C == nullptr || C->Name().empty())
      continue;
    std::string Sheet;
    for (TControl* P = C->Parent(); P != nullptr && Sheet.empty(); P = P->Parent())
      if (DrivenClass(P).Sheet)
        Sheet = Win1251ToUtf8(P->Name());
    const std::string Actions = ::Actions(C);
    if (Actions.empty())
      continue;
    TRow Row{Win1251ToUtf8(C->Name()), C->ClassName(), Actions, ""};
    if (DrivenClass(C).Caption)
      Row.Caption = "'" + Win1251ToUtf8(C->Caption()) + "'";
    NameWidth = std::max(NameWidth, Row.Name.size());
    ClassWidth = std::max(ClassWidth, Row.Class.size());
    ActionWidth = std::max(ActionWidth, Row.Actions.size());
    auto Group = std::find_if(Groups.begin(), Groups.end(),
                              [&Sheet](const auto& G) { return G.first == Sheet; });
    if (Group == Groups.end())
      Group = Groups.insert(Groups.end(), {Sheet, {}});
    Group->second.push_back(std::move(Row));
  }
  const auto Pad = [](const std::string& S, std::size_t Width) {
    return S + std::string(Width - S.size() + 2, ' ');
  };
  std::string Text;
  // The form's own controls (OK, Close) last: they are what ends a block.
  std::rotate(Groups.begin(), Groups.begin() + 1, Groups.end());
  for (const auto& [Sheet, Rows] : Groups) {
    if (Rows.empty())
      continue;
    Text += Sheet.empty() ? "on the form itself:\n" : "on sheet " + Sheet + ":\n";
    for (const TRow& R : Rows) {
      std::string Line = "    " + Pad(R.Name, NameWidth) + Pad(R.Class, ClassWidth) +
                         (R.Caption.empty() ? R.Actions : Pad(R.Actions, ActionWidth) + R.Caption);
      Text += Line + "\n";
    }
  }
  return Text;
}

TJson TDialogDriver::Dump() const {
  const TControl* Pages = FindOf(IsA<TPageControl>);
  const TTabSheet* Active = Pages != nullptr ? Of<TPageControl>(Pages)->ActivePage() : nullptr;
  TJson J = TJson::object();
  J["activeSheet"] = Active != nullptr ? TJson(Win1251ToUtf8(Active->Name())) : TJson(nullptr);
  J["tag"] = FForm->Tag();
  TJson& Controls = J["controls"] = TJson::object();
  for (int i = 0; i < FForm->ComponentCount(); ++i) {
    auto* C = dynamic_cast<TControl*>(FForm->Components(i));
    if (C == nullptr || C->Name().empty())
      continue;
    TJson& Out = Controls[Win1251ToUtf8(C->Name())];
    Out["enabled"] = C->Enabled();
    Out["visible"] = C->Visible();
    // As a form file stores it: only where it is not the default 0.
    if (C->Tag() != 0)
      Out["tag"] = C->Tag();
    const TDrivenClass& Entry = DrivenClass(C);
    if (Entry.Caption)
      Out["caption"] = Win1251ToUtf8(C->Caption());
    if (Entry.Checked != nullptr)
      Out["checked"] = Entry.Checked(C);
    if (Entry.Text != nullptr)
      Out["text"] = Win1251ToUtf8(Entry.Text(C));
    if (const TPropInfo* Value = ValueProperty(C))
      Out["value"] = Value->GetProc(C);
    if (const TItemList* List = Entry.List) {
      Out["items"] = Items(List->Items(C));
      Out["objects"] = Objects(List->Items(C), List->HoldsPageLists(C));
      Out["itemIndex"] = List->ItemIndex(C);
    }
    if (const TPropInfo* Selected = SelectedColorProperty(C))
      Out["selected"] = static_cast<TColor>(Selected->GetProc(C));
  }
  return J;
}
