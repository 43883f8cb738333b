// The package's inspection entry: the expert's state as one JSON object in
// UTF-8, for the simulator's dump. It reads the expert; it changes nothing.

#include <nlohmann/json.hpp>

#include "CodePage.h"
#include "ExpertOptions.h"
#include "PackageInfo.h"
#include "uConstORVExpertMPage.h"
#include "uORVExpertProbe.h"

namespace {

// Members keep the order they are written in, as the dump shows them.
using TJson = nlohmann::ordered_json;

TJson Text(const std::string& Host) {
  return Win1251ToUtf8(Host);
}

TJson Strings(const TStrings* List) {
  TJson Out = TJson::array();
  for (int i = 0; i < List->Count(); ++i)
    Out.push_back(Text(List->Get(i)));
  return Out;
}

TJson Timer(const TTimer* T) {
  return {{"enabled", T->Enabled()}, {"interval", T->Interval()}};
}

TJson PaletteParent(const TORVExpertProbe& X) {
  TWinControl* Parent = X.Palette()->Parent();
  TPageControl* Bar = X.GroupBar();
  if (Parent == Bar)
    return "groupBar";
  for (int i = 0; i < Bar->PageCount(); ++i)
    if (Parent == Bar->Pages(i))
      return "groupBar.sheets[" + std::to_string(i) + "]";
  return nullptr;
}

TJson Options(const TORVExpert& Expert) {
  TJson Out = TJson::object();
  for (const TExpertOption& Option : ExpertOptions()) {
    const Integer Value = Option.Get(Expert);
    if (Option.Kind == TExpertOption::okFlag)
      Out[Option.Name] = Value != 0;
    else
      Out[Option.Name] = Value;
  }
  return Out;
}

TJson Expert(TORVExpert* Expert, const TORVExpertProbe& X) {
  TJson State = TJson::array({"esEnabled"});
  if (Expert->GetState().Contains(esChecked))
    State.push_back("esChecked");
  return {{"name", Text(Expert->GetName())},
          {"comment", Text(Expert->GetComment())},
          {"idString", Text(Expert->GetIDString())},
          {"menuText", Text(Expert->GetMenuText())},
          {"style", "esAddIn"},
          {"state", State},
          {"groupsActive", X.GroupsActive()},
          {"lastPageGroup", Text(X.LastPageGroup())},
          {"pageGroupHeight", X.PageGroupHeight()},
          {"registryRoot", Text(Const_sKeyNameDelphi)},
          {"registryKey", Text(Const_sKeyNameDelphi + Const_sKeyNameORVExpert)},
          {"drawColors",
           {{"clGrayText", clGrayText},
            {"clInactiveCaption", clInactiveCaption},
            {"clInactiveCaptionText", clInactiveCaptionText}}},
          {"options", Options(*Expert)}};
}

TJson GroupBar(TPageControl* Bar) {
  TJson Sheets = TJson::array();
  for (int i = 0; i < Bar->PageCount(); ++i)
    Sheets.push_back(
        {{"caption", Text(Bar->Pages(i)->Caption())}, {"tabVisible", Bar->Pages(i)->TabVisible()}});
  return {{"visible", Bar->Visible()},
          {"ownerDraw", Bar->OwnerDraw()},
          {"multiLine", Bar->MultiLine()},
          {"rowCount", Bar->RowCount()},
          {"height", Bar->Height()},
          {"fontColor", Bar->Font()->Color()},
          {"fontBold", Bar->Font()->Style().Contains(fsBold)},
          {"activeIndex", Bar->ActivePageIndex()},
          // The index group #N takes: among the tabs shown, hidden sheets
          // left out.
          {"tabIndex", Bar->TabIndex()},
          {"sheets", Sheets}};
}

// Each group's pages as the add-in holds them, sheet by sheet, the last
// sheet's (the pages of no group) left out: the simulator names the group
// that holds a page the palette does not show. Not a key of the dump.
TJson GroupPages(const TORVExpertProbe& X) {
  TJson Out = TJson::array();
  const std::vector<std::string>& Groups = X.PageGroupPages();
  for (std::size_t i = 0; i + 1 < Groups.size(); ++i) {
    TJson Pages = TJson::array();
    TStrings::ForEachTextLine(Groups[i], [&Pages](const char* First, const char* End) {
      Pages.push_back(Text(std::string(First, End)));
    });
    Out.push_back(std::move(Pages));
  }
  return Out;
}

// Control characters as \u00XX throughout, as the dump has always written
// them, where the library writes five of them as \b, \t, \n, \f and \r. In
// the library's output a backslash only ever starts an escape.
std::string ControlsAsCodes(const std::string& Json) {
  std::string Out;
  Out.reserve(Json.size());
  for (std::size_t i = 0; i < Json.size(); ++i) {
    if (Json[i] != '\\') {
      Out += Json[i];
      continue;
    }
    const char Next = Json[++i];
    const char* Code = Next == 'b'   ? "0008"
                       : Next == 't' ? "0009"
                       : Next == 'n' ? "000a"
                       : Next == 'f' ? "000c"
                       : Next == 'r' ? "000d"
                                     : nullptr;
    Out += '\\';
    if (Code != nullptr)
      Out.append("u").append(Code);
    else
      Out += Next;
  }
  return Out;
}

std::string Describe(TORVExpert* Own) {
  const TORVExpertProbe X(Own);
  const TJson State = {
      {"expert", Expert(Own, X)},
      {"groupBar", GroupBar(X.GroupBar())},
      {"master", {{"tabs", Strings(X.Master()->Tabs())}, {"tabIndex", X.Master()->TabIndex()}}},
      {"timers",
       {{"paletteChange", Timer(X.PaletteChangeTimer())},
        {"groupSort", Timer(X.GroupSortTimer())}}},
      {"paletteParent", PaletteParent(X)},
      {"groupPages", GroupPages(X)}};
  return ControlsAsCodes(State.dump());
}

}  // namespace

// Returns the state of an expert this package registered, or nullptr for an
// expert of another class. The text stays valid until the next call.
extern "C" const char* TabulonDescribeExpert(TIExpert* Expert) {
  static std::string Text;
  auto* Own = dynamic_cast<TORVExpert*>(Expert);
  if (Own == nullptr)
    return nullptr;
  Text = Describe(Own);
  return Text.c_str();
}
