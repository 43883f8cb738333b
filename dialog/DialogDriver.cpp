#include "DialogDriver.h"

#include <sstream>

#include "Buttons.h"
#include "CodePage.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "StdCtrls.h"
#include "uORVExpert_CORVSpin.h"
#if TABULON_HOST >= 6
#include "ColorBox.h"
#else
#include "ExtCtrlsForD5.h"
#endif

namespace {
std::string Quoted(const std::string& Name) {
  return "\"" + Name + "\"";
}

std::string JsonString(const std::string& Win1251) {
  const std::string S = Win1251ToUtf8(Win1251);
  std::string R = "\"";
  for (char Ch : S) {
    const auto B = static_cast<unsigned char>(Ch);
    if (Ch == '"' || Ch == '\\') {
      R += '\\';
      R += Ch;
    } else if (B < 0x20) {
      static const char* Hex = "0123456789abcdef";
      R += "\\u00";
      R += Hex[B >> 4];
      R += Hex[B & 0xF];
    } else {
      R += Ch;
    }
  }
  return R + "\"";
}

std::string JsonBool(bool B) {
  return B ? "true" : "false";
}

std::string JsonItems(const TStrings* Items) {
  std::string R = "[";
  for (int i = 0; i < Items->Count(); ++i)
    R.append(i ? "," : "").append(JsonString(Items->Get(i)));
  return R + "]";
}

// The objects of a list: page lists for LBoxPageGroup, integers otherwise.
std::string JsonObjects(const TStrings* Items, bool PageLists) {
  std::string R = "[";
  for (int i = 0; i < Items->Count(); ++i) {
    R += i ? "," : "";
    const TItemObject Obj = Items->Objects(i);
    if (!PageLists)
      R += std::to_string(Obj.AsInteger());
    else if (auto* Pages = dynamic_cast<TStrings*>(Obj.AsObject()); Pages != nullptr)
      R += JsonItems(Pages);
    else
      R += "null";
  }
  return R + "]";
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
    throw Exception("The settings dialog is closed");
}

TControl* TDialogDriver::Find(const std::string& Name) const {
  CheckOpen();
  auto* Control = dynamic_cast<TControl*>(FForm->FindComponent(Utf8ToWin1251(Name)));
  if (Control == nullptr)
    throw Exception("The settings dialog has no control " + Quoted(Name));
  return Control;
}

TControl* TDialogDriver::Reachable(const std::string& Name) const {
  TControl* Control = Find(Name);
  for (const TControl* C = Control; C != nullptr && C != FForm; C = C->Parent()) {
    if (!C->Visible())
      throw Exception("Control " + Quoted(Name) + " is hidden");
    if (!C->Enabled())
      throw Exception("Control " + Quoted(Name) + " is disabled");
    if (auto* Sheet = dynamic_cast<const TTabSheet*>(C);
        Sheet != nullptr && Sheet->PageControl() != nullptr &&
        Sheet->PageControl()->ActivePage() != Sheet && Sheet != Control)
      throw Exception("Control " + Quoted(Name) + " is on sheet " + Quoted(Sheet->Name()) +
                      ", which is not shown");
  }
  return Control;
}

TWinControl* TDialogDriver::Focusable(const std::string& Name) const {
  auto* W = dynamic_cast<TWinControl*>(Reachable(Name));
  if (W == nullptr || !W->TabStop() || !W->CanFocus())
    throw Exception("Control " + Quoted(Name) + " cannot take the focus");
  return W;
}

void TDialogDriver::Sheet(const std::string& Name) {
  auto* Page = dynamic_cast<TTabSheet*>(Find(Name));
  if (Page == nullptr || Page->PageControl() == nullptr)
    throw Exception("Control " + Quoted(Name) + " is not a sheet");
  TPageControl* Pages = Page->PageControl();
  Reachable(Pages->Name());
  if (!Page->TabVisible())
    throw Exception("Sheet " + Quoted(Name) + " has no tab");
  Pages->ClickTab(Page->TabIndex());
}

void TDialogDriver::Click(const std::string& Name) {
  TControl* Control = Reachable(Name);
  const bool Clickable =
      dynamic_cast<TButton*>(Control) != nullptr || dynamic_cast<TCheckBox*>(Control) != nullptr ||
      (dynamic_cast<TLabel*>(Control) != nullptr && Control->OnClick().Assigned());
  if (!Clickable)
    throw Exception("Control " + Quoted(Name) +
                    " is not a button, check box or link: use select, type or color");
  Control->SimulateClick();
}

void TDialogDriver::Check(const std::string& Name, bool On) {
  auto* Box = dynamic_cast<TCheckBox*>(Reachable(Name));
  if (Box == nullptr)
    throw Exception("Control " + Quoted(Name) + " is not a check box");
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
    throw Exception("Control " + Quoted(Name) + " takes no typed text");
  FForm->FocusControl(W);
  for (char Ch : Utf8ToWin1251(Text))
    W->SimulateChar(Ch);
}

void TDialogDriver::KeyDown(const std::string& Name, const std::string& Key) {
  Word VirtualKey = 0;
  if (Key == "Up")
    VirtualKey = VK_UP;
  else if (Key == "Down")
    VirtualKey = VK_DOWN;
  else
    throw Exception("Unknown key " + Quoted(Key) + ": give Up or Down");
  TWinControl* W = Focusable(Name);
  FForm->FocusControl(W);
  W->SimulateKey(VirtualKey);
}

void TDialogDriver::Select(const std::string& Name, int Index) {
  TControl* Control = Reachable(Name);
  auto Check = [&](int Count) {
    if (Index < 0 || Index >= Count)
      throw Exception("Control " + Quoted(Name) + " has no item " + std::to_string(Index) +
                      " (it has " + std::to_string(Count) + ")");
  };
  if (auto* List = dynamic_cast<TCustomListBox*>(Control)) {
    Check(List->Items()->Count());
    List->SelectItemByUser(Index);
  } else if (auto* Combo = dynamic_cast<TCustomComboBox*>(Control)) {
    Check(Combo->Items()->Count());
    Combo->SelectItemByUser(Index);
  } else {
    throw Exception("Control " + Quoted(Name) + " is not a list");
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
    throw Exception("Control " + Quoted(Name) + " is not a list");
  if (Index < 0)
    throw Exception("Control " + Quoted(Name) + " has no item " + Quoted(Text));
  Select(Name, Index);
}

void TDialogDriver::Color(const std::string& Value) {
  const TColor Wanted = ParseColorValue(Value);
  const std::string Name = "ColorBoxPageGroup";
  auto* Box = dynamic_cast<TCustomColorBox*>(Reachable(Name));
  if (Box == nullptr)
    throw Exception("The settings dialog has no colour box");
  const bool HasCustom = Box->Style().Contains(cbCustomColor);
  // The custom item shows the last custom colour, which is not a listed one.
  for (int i = HasCustom ? 1 : 0; i < Box->Items()->Count(); ++i)
    if (Box->Colors(i) == Wanted) {
      Box->SelectItemByUser(i);
      return;
    }
#if TABULON_HOST >= 6
  if (HasCustom) {
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
#endif
  throw Exception("Colour " + Value + " is not listed in " + Quoted(Name) +
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

std::string TDialogDriver::DumpJson() const {
  std::ostringstream Out;
  auto* Pages = dynamic_cast<TPageControl*>(FForm->FindComponent("PageControlMain"));
  TTabSheet* Active = Pages != nullptr ? Pages->ActivePage() : nullptr;
  const TComponent* Up = FForm->FindComponent("BtnMoveUp");
  Out << "{\"activeSheet\":" << (Active != nullptr ? JsonString(Active->Name()) : "null")
      << ",\"tag\":" << FForm->Tag() << ",\"moveTarget\":" << (Up != nullptr ? Up->Tag() : 0)
      << ",\"controls\":{";
  bool First = true;
  for (int i = 0; i < FForm->ComponentCount(); ++i) {
    auto* C = dynamic_cast<TControl*>(FForm->Components(i));
    if (C == nullptr || C->Name().empty())
      continue;
    Out << (First ? "" : ",") << JsonString(C->Name()) << ":{\"enabled\":" << JsonBool(C->Enabled())
        << ",\"visible\":" << JsonBool(C->Visible());
    First = false;
    if (dynamic_cast<TLabel*>(C) || dynamic_cast<TButton*>(C) || dynamic_cast<TCheckBox*>(C) ||
        dynamic_cast<TGroupBox*>(C) || dynamic_cast<TTabSheet*>(C))
      Out << ",\"caption\":" << JsonString(C->Caption());
    if (auto* Box = dynamic_cast<TCheckBox*>(C))
      Out << ",\"checked\":" << JsonBool(Box->Checked());
    if (auto* Edit = dynamic_cast<TCustomEdit*>(C))
      Out << ",\"text\":" << JsonString(Edit->Text());
    if (auto* Spin = dynamic_cast<TORVExpert_CORVSpin*>(C))
      Out << ",\"value\":" << Spin->Value();
    if (auto* List = dynamic_cast<TCustomListBox*>(C))
      Out << ",\"items\":" << JsonItems(List->Items())
          << ",\"objects\":" << JsonObjects(List->Items(), C->Name() == "LBoxPageGroup")
          << ",\"itemIndex\":" << List->ItemIndex();
    if (auto* Combo = dynamic_cast<TCustomComboBox*>(C))
      Out << ",\"items\":" << JsonItems(Combo->Items())
          << ",\"objects\":" << JsonObjects(Combo->Items(), false)
          << ",\"itemIndex\":" << Combo->ItemIndex();
    if (auto* Box = dynamic_cast<TCustomColorBox*>(C))
      Out << ",\"selected\":" << Box->Selected();
    Out << "}";
  }
  Out << "}}";
  return Out.str();
}
