#include "DialogDriver.h"

#include <algorithm>
#include <vector>

#include "Buttons.h"
#include "CodePage.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "StdCtrls.h"
#include "TypInfo.h"
#if TABULON_HOST >= 6
#include "ColorBox.h"
#endif

namespace {
std::string Quoted(const std::string& Name) {
  return "'" + Name + "'";
}

TJson Items(const TStrings* Items) {
  TJson R = TJson::array();
  for (int i = 0; i < Items->Count(); ++i)
    R.push_back(Win1251ToUtf8(Items->Get(i)));
  return R;
}

// The objects of a list: page lists for LBoxPageGroup, integers otherwise.
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
bool IsHostColorBox(TCustomComboBox* Box) {
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
}  // namespace

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
    throw EConvertError("'" + Value + "' is not a colour: give a number or a name such as clRed");
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

TControl* TDialogDriver::Reachable(const std::string& Name) const {
  TControl* Control = Find(Name);
  // A sheet that is not shown is hidden too; the sheet to choose is the
  // more useful thing to tell.
  for (const TControl* C = Control; C != nullptr && C != FForm; C = C->Parent())
    if (auto* Sheet = dynamic_cast<const TTabSheet*>(C);
        Sheet != nullptr && Sheet->PageControl() != nullptr &&
        Sheet->PageControl()->ActivePage() != Sheet && Sheet != Control)
      throw Exception("control " + Quoted(Name) + " is on sheet " + Quoted(Sheet->Name()) +
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
  auto* W = dynamic_cast<TWinControl*>(Reachable(Name));
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
  Pages->ClickTab(Page->TabIndex());
}

void TDialogDriver::Click(const std::string& Name) {
  TControl* Control = Reachable(Name);
  const bool Clickable =
      dynamic_cast<TButton*>(Control) != nullptr || dynamic_cast<TCheckBox*>(Control) != nullptr ||
      (dynamic_cast<TLabel*>(Control) != nullptr && Control->OnClick().Assigned());
  if (!Clickable)
    throw Exception("control " + Quoted(Name) +
                    " is not a button, check box or link: use select, type or color");
  Control->SimulateClick();
}

void TDialogDriver::Check(const std::string& Name, bool On) {
  auto* Box = dynamic_cast<TCheckBox*>(Reachable(Name));
  if (Box == nullptr)
    throw Exception("control " + Quoted(Name) + " is not a check box");
  if (Box->Checked() != On)
    Box->SimulateClick();
}

void TDialogDriver::Focus(const std::string& Name) {
  TWinControl* W = Focusable(Name);
  FForm->FocusControl(W);
}

void TDialogDriver::Type(const std::string& Name, const std::string& Text) {
  TWinControl* W = Focusable(Name);
  if (dynamic_cast<TCustomEdit*>(W) == nullptr)
    throw Exception("control " + Quoted(Name) + " takes no typed text");
  FForm->FocusControl(W);
  for (char Ch : Utf8ToWin1251(Text))
    W->SimulateChar(Ch);
}

namespace {
// The keys a script can press in a control, and the character the keyboard
// sends with each (0: none).
struct TKeyName {
  const char* Name;
  Word VirtualKey;
  char Char;
};
constexpr TKeyName kKeyNames[] = {
    {"Enter", VK_RETURN, '\r'}, {"Escape", VK_ESCAPE, '\x1b'}, {"Tab", VK_TAB, '\t'},
    {"Up", VK_UP, 0},           {"Down", VK_DOWN, 0},          {"Left", VK_LEFT, 0},
    {"Right", VK_RIGHT, 0},     {"Home", VK_HOME, 0},          {"End", VK_END, 0},
    {"Delete", VK_DELETE, 0},   {"Backspace", VK_BACK, '\b'},
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
    throw Exception("unknown key '" + Key + "': give Up or Down");
  PressKey(Name, Key);
}

void TDialogDriver::PressKey(const std::string& Name, const std::string& Key) {
  const TKeyName* Found = nullptr;
  for (const TKeyName& K : kKeyNames)
    if (Key == K.Name)
      Found = &K;
  if (Found == nullptr)
    throw Exception("unknown key '" + Key + "' (" + KeyNames() + ")");
  TWinControl* W = Focusable(Name);
  FForm->FocusControl(W);
  // As the keyboard does it: the key goes down, its character follows, the
  // key comes up.
  SendMessage(W->Handle(), WM_KEYDOWN, Found->VirtualKey, 0);
  if (Found->Char != 0 && !Closed())
    W->SimulateChar(Found->Char);
  if (!Closed())
    SendMessage(W->Handle(), WM_KEYUP, Found->VirtualKey, 0);
}

void TDialogDriver::Select(const std::string& Name, int Index) {
  TControl* Control = Reachable(Name);
  auto Check = [&](int Count) {
    if (Index < 0 || Index >= Count)
      throw Exception("control " + Quoted(Name) + " has no item " + std::to_string(Index) +
                      " (it has " + std::to_string(Count) + ")");
  };
  if (auto* List = dynamic_cast<TCustomListBox*>(Control)) {
    Check(List->Items()->Count());
    List->SelectItemByUser(Index);
  } else if (auto* Combo = dynamic_cast<TCustomComboBox*>(Control)) {
    Check(Combo->Items()->Count());
    Combo->SelectItemByUser(Index);
  } else {
    throw Exception("control " + Quoted(Name) + " is not a list");
  }
}

void TDialogDriver::Select(const std::string& Name, const std::string& Text) {
  TControl* Control = Reachable(Name);
  const std::string S = Utf8ToWin1251(Text);
  int Index = -1;
  if (auto* List = dynamic_cast<TCustomListBox*>(Control))
    Index = List->FindExact(S);
  else if (auto* Combo = dynamic_cast<TCustomComboBox*>(Control))
    Index = Combo->Items()->IndexOf(S);
  else
    throw Exception("control " + Quoted(Name) + " is not a list");
  if (Index < 0)
    throw Exception("control " + Quoted(Name) + " has no item " + Quoted(Text));
  Select(Name, Index);
}

void TDialogDriver::Color(const std::string& Value) {
  const TColor Wanted = ParseColorValue(Value);
  const std::string Name = "ColorBoxPageGroup";
  auto* Box = dynamic_cast<TCustomComboBox*>(Reachable(Name));
  if (Box == nullptr || SelectedColorProperty(Box) == nullptr)
    throw Exception("the settings dialog has no colour box");
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
  for (int i = Asks ? 1 : 0; i < Box->Items()->Count(); ++i)
    if (static_cast<TColor>(Box->Items()->Objects(i).AsInteger()) == Wanted) {
      Box->SelectItemByUser(i);
      return;
    }
  if (Asks) {
    // The user picks the custom item and answers the colour dialog.
    const TApplication::TColorDriver Previous = Application->ColorDriver();
    struct Restore {
      TApplication::TColorDriver Previous;
      ~Restore() { Application->SetColorDriver(std::move(Previous)); }
    } R{Previous};
    Application->SetColorDriver([Wanted](Integer& Color) {
      Color = Wanted;
      return true;
    });
    Box->SelectItemByUser(0);
    return;
  }
  throw Exception("colour " + Quoted(Value) + " is not listed in " + Quoted(Name) +
                  ", and this colour box asks for no custom colour");
}

void TDialogDriver::Ok() {
  Click("BitBtn2");
}

void TDialogDriver::Cancel() {
  Click("BitBtn1");
}

void TDialogDriver::CloseBox() {
  CheckOpen();
  FForm->Close();
}

namespace {
// The block commands that act on a control, by what it is; "" for none.
std::string Actions(TControl* C) {
  std::string A;
  const auto Add = [&A](const char* Action) { A += std::string(A.empty() ? "" : ", ") + Action; };
  if (dynamic_cast<TTabSheet*>(C) != nullptr)
    Add("sheet");
  if (dynamic_cast<TCheckBox*>(C) != nullptr)
    Add("check");
  if (dynamic_cast<TButton*>(C) != nullptr || dynamic_cast<TCheckBox*>(C) != nullptr ||
      (dynamic_cast<TLabel*>(C) != nullptr && C->OnClick().Assigned()))
    Add("click");
  if (dynamic_cast<TCustomEdit*>(C) != nullptr)
    Add("type");
  if (dynamic_cast<TCustomListBox*>(C) != nullptr || dynamic_cast<TCustomComboBox*>(C) != nullptr)
    Add("select");
  if (SelectedColorProperty(C) != nullptr)
    Add("color");
  if (auto* W = dynamic_cast<TWinControl*>(C);
      W != nullptr && W->TabStop() && dynamic_cast<TTabSheet*>(C) == nullptr)
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
      if (dynamic_cast<TTabSheet*>(P) != nullptr)
        Sheet = Win1251ToUtf8(P->Name());
    const std::string Actions = ::Actions(C);
    if (Actions.empty())
      continue;
    TRow Row{Win1251ToUtf8(C->Name()), C->ClassName(), Actions, ""};
    if (dynamic_cast<TButton*>(C) || dynamic_cast<TCheckBox*>(C) || dynamic_cast<TLabel*>(C) ||
        dynamic_cast<TTabSheet*>(C))
      Row.Caption = Quoted(Win1251ToUtf8(C->Caption()));
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
  auto* Pages = dynamic_cast<TPageControl*>(FForm->FindComponent("PageControlMain"));
  TTabSheet* Active = Pages != nullptr ? Pages->ActivePage() : nullptr;
  const TComponent* Up = FForm->FindComponent("BtnMoveUp");
  TJson J = TJson::object();
  J["activeSheet"] = Active != nullptr ? TJson(Win1251ToUtf8(Active->Name())) : TJson(nullptr);
  J["tag"] = FForm->Tag();
  J["moveTarget"] = Up != nullptr ? Up->Tag() : 0;
  TJson& Controls = J["controls"] = TJson::object();
  for (int i = 0; i < FForm->ComponentCount(); ++i) {
    auto* C = dynamic_cast<TControl*>(FForm->Components(i));
    if (C == nullptr || C->Name().empty())
      continue;
    TJson& Out = Controls[Win1251ToUtf8(C->Name())];
    Out["enabled"] = C->Enabled();
    Out["visible"] = C->Visible();
    if (dynamic_cast<TLabel*>(C) || dynamic_cast<TButton*>(C) || dynamic_cast<TCheckBox*>(C) ||
        dynamic_cast<TGroupBox*>(C) || dynamic_cast<TTabSheet*>(C))
      Out["caption"] = Win1251ToUtf8(C->Caption());
    if (auto* Box = dynamic_cast<TCheckBox*>(C))
      Out["checked"] = Box->Checked();
    if (auto* Edit = dynamic_cast<TCustomEdit*>(C))
      Out["text"] = Win1251ToUtf8(Edit->Text());
    if (const TPropInfo* Value = ValueProperty(C))
      Out["value"] = Value->GetProc(C);
    if (auto* List = dynamic_cast<TCustomListBox*>(C)) {
      Out["items"] = Items(List->Items());
      Out["objects"] = Objects(List->Items(), C->Name() == "LBoxPageGroup");
      Out["itemIndex"] = List->ItemIndex();
    }
    if (auto* Combo = dynamic_cast<TCustomComboBox*>(C)) {
      Out["items"] = Items(Combo->Items());
      Out["objects"] = Objects(Combo->Items(), false);
      Out["itemIndex"] = Combo->ItemIndex();
    }
    if (const TPropInfo* Selected = SelectedColorProperty(C))
      Out["selected"] = static_cast<TColor>(Selected->GetProc(C));
  }
  return J;
}
