// The package's inspection entry: the expert's state as one JSON object in
// UTF-8, for the simulator's dump. It reads the expert; it changes nothing.
// The text is written as it goes: the master list alone holds every page
// of the palette.

#include <string>
#include <string_view>
#include <vector>

#include "CodePage.h"
#include "ExpertOptions.h"
#include "JsonText.h"
#include "PackageInfo.h"
#include "uConstORVExpertMPage.h"
#include "uORVExpertProbe.h"

namespace {

// The names of a tab control's tabs, from its text (one message) when that
// gives back each name as one line, else one by one.
void Tabs(TJsonText& J, TStrings* Tabs) {
  const std::string Text = Win1251ToUtf8(Tabs->Text());
  std::vector<std::string_view> Names;
  TStrings::ForEachTextLine(Text, [&Names](const char* First, const char* Last) {
    Names.emplace_back(First, static_cast<std::size_t>(Last - First));
  });
  J.BeginArray();
  if (static_cast<int>(Names.size()) == Tabs->Count() && Text.find('\0') == std::string::npos) {
    for (std::string_view Name : Names)
      J.Utf8(Name);
  } else {
    for (int i = 0; i < Tabs->Count(); ++i)
      J.Host(Tabs->Get(i));
  }
  J.EndArray();
}

void Timer(TJsonText& J, const char* Name, const TTimer* T) {
  J.Key(Name);
  J.BeginObject();
  J.Key("enabled");
  J.Bool(T->Enabled());
  J.Key("interval");
  J.Integer(T->Interval());
  J.EndObject();
}

void PaletteParent(TJsonText& J, const TORVExpertProbe& X) {
  TWinControl* Parent = X.Palette()->Parent();
  TPageControl* Bar = X.GroupBar();
  if (Parent == Bar) {
    J.Utf8("groupBar");
    return;
  }
  for (int i = 0; i < Bar->PageCount(); ++i) {
    if (Parent == Bar->Pages(i)) {
      J.Utf8("groupBar.sheets[" + std::to_string(i) + "]");
      return;
    }
  }
  J.Null();
}

void Options(TJsonText& J, const TORVExpert& Expert) {
  J.BeginObject();
  for (const TExpertOption& Option : ExpertOptions()) {
    const Integer Value = Option.Get(Expert);
    J.Key(Option.Name);
    if (Option.Kind == TExpertOption::okFlag)
      J.Bool(Value != 0);
    else
      J.Integer(Value);
  }
  J.EndObject();
}

void Expert(TJsonText& J, TORVExpert* Expert, const TORVExpertProbe& X) {
  J.BeginObject();
  J.Key("name");
  J.Host(Expert->GetName());
  J.Key("comment");
  J.Host(Expert->GetComment());
  J.Key("idString");
  J.Host(Expert->GetIDString());
  J.Key("menuText");
  J.Host(Expert->GetMenuText());
  J.Key("style");
  J.Utf8("esAddIn");
  J.Key("state");
  J.BeginArray();
  J.Utf8("esEnabled");
  if (Expert->GetState().Contains(esChecked))
    J.Utf8("esChecked");
  J.EndArray();
  J.Key("groupsActive");
  J.Bool(X.GroupsActive());
  J.Key("lastPageGroup");
  J.Host(X.LastPageGroup());
  J.Key("pageGroupHeight");
  J.Integer(X.PageGroupHeight());
  J.Key("registryRoot");
  J.Host(Const_sKeyNameDelphi);
  J.Key("registryKey");
  J.Host(Const_sKeyNameDelphi + Const_sKeyNameORVExpert);
  J.Key("drawColors");
  J.BeginObject();
  J.Key("clGrayText");
  J.Integer(clGrayText);
  J.Key("clInactiveCaption");
  J.Integer(clInactiveCaption);
  J.Key("clInactiveCaptionText");
  J.Integer(clInactiveCaptionText);
  J.EndObject();
  J.Key("options");
  Options(J, *Expert);
  J.EndObject();
}

void GroupBar(TJsonText& J, TPageControl* Bar) {
  J.BeginObject();
  J.Key("visible");
  J.Bool(Bar->Visible());
  J.Key("ownerDraw");
  J.Bool(Bar->OwnerDraw());
  J.Key("multiLine");
  J.Bool(Bar->MultiLine());
  J.Key("rowCount");
  J.Integer(Bar->RowCount());
  J.Key("height");
  J.Integer(Bar->Height());
  J.Key("fontColor");
  J.Integer(Bar->Font()->Color());
  J.Key("fontBold");
  J.Bool(Bar->Font()->Style().Contains(fsBold));
  J.Key("activeIndex");
  J.Integer(Bar->ActivePageIndex());
  // The index group #N takes: among the tabs shown, hidden sheets left out.
  J.Key("tabIndex");
  J.Integer(Bar->TabIndex());
  J.Key("firstTab");
  J.Integer(Bar->FirstTabInView());
  J.Key("sheets");
  J.BeginArray();
  for (int i = 0; i < Bar->PageCount(); ++i) {
    J.BeginObject();
    J.Key("caption");
    J.Host(Bar->Pages(i)->Caption());
    J.Key("tabVisible");
    J.Bool(Bar->Pages(i)->TabVisible());
    J.EndObject();
  }
  J.EndArray();
  J.EndObject();
}

// Each group's pages as the add-in holds them, sheet by sheet, the last
// sheet's (the pages of no group) left out: the simulator names the group
// that holds a page the palette does not show. Not a key of the dump.
void GroupPages(TJsonText& J, const TORVExpertProbe& X) {
  const std::vector<std::string>& Groups = X.PageGroupPages();
  J.BeginArray();
  for (std::size_t i = 0; i + 1 < Groups.size(); ++i) {
    J.BeginArray();
    TStrings::ForEachTextLine(
        Groups[i], [&J](const char* First, const char* End) { J.Host(std::string(First, End)); });
    J.EndArray();
  }
  J.EndArray();
}

std::string Describe(TORVExpert* Own) {
  const TORVExpertProbe X(Own);
  TJsonText J;
  J.BeginObject();
  J.Key("expert");
  Expert(J, Own, X);
  J.Key("groupBar");
  GroupBar(J, X.GroupBar());
  J.Key("master");
  J.BeginObject();
  J.Key("tabs");
  Tabs(J, X.Master()->Tabs());
  J.Key("tabIndex");
  J.Integer(X.Master()->TabIndex());
  J.EndObject();
  J.Key("timers");
  J.BeginObject();
  Timer(J, "paletteChange", X.PaletteChangeTimer());
  Timer(J, "groupSort", X.GroupSortTimer());
  J.EndObject();
  J.Key("paletteParent");
  PaletteParent(J, X);
  J.Key("groupPages");
  GroupPages(J, X);
  J.EndObject();
  return J.Text();
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
