// The package's inspection entry: the expert's state as one JSON object in
// UTF-8, for the simulator's dump. It reads the expert; it changes nothing.

#include <sstream>

#include "CodePage.h"
#include "PackageInfo.h"
#include "uConstORVExpertMPage.h"
#include "uORVExpertProbe.h"

namespace {

std::string Quote(const std::string& Host) {
  std::string Out = "\"";
  for (char C : Win1251ToUtf8(Host)) {
    const auto B = static_cast<unsigned char>(C);
    if (C == '"' || C == '\\') {
      Out += '\\';
      Out += C;
    } else if (B < 0x20) {
      static const char* Hex = "0123456789abcdef";
      Out += "\\u00";
      Out += Hex[B >> 4];
      Out += Hex[B & 15];
    } else {
      Out += C;
    }
  }
  return Out + "\"";
}

const char* Bool(bool B) {
  return B ? "true" : "false";
}

std::string Strings(const TStrings* List) {
  std::string Out = "[";
  for (int i = 0; i < List->Count(); ++i)
    Out.append(i ? "," : "").append(Quote(List->Get(i)));
  return Out + "]";
}

std::string Timer(const TTimer* T) {
  std::ostringstream S;
  S << "{\"enabled\":" << Bool(T->Enabled()) << ",\"interval\":" << T->Interval() << "}";
  return S.str();
}

std::string PaletteParent(const TORVExpertProbe& X) {
  TWinControl* Parent = X.Palette()->Parent();
  TPageControl* Bar = X.GroupBar();
  if (Parent == Bar)
    return "\"groupBar\"";
  for (int i = 0; i < Bar->PageCount(); ++i)
    if (Parent == Bar->Pages(i))
      return "\"groupBar.sheets[" + std::to_string(i) + "]\"";
  return "null";
}

std::string Describe(TORVExpert* Expert) {
  const TORVExpertProbe X(Expert);
  TPageControl* Bar = X.GroupBar();
  std::ostringstream S;
  const TExpertState State = Expert->GetState();
  S << "{\"expert\":{\"name\":" << Quote(Expert->GetName())
    << ",\"comment\":" << Quote(Expert->GetComment())
    << ",\"idString\":" << Quote(Expert->GetIDString())
    << ",\"menuText\":" << Quote(Expert->GetMenuText())
    << ",\"style\":\"esAddIn\",\"state\":[\"esEnabled\""
    << (State.Contains(esChecked) ? ",\"esChecked\"" : "")
    << "],\"groupsActive\":" << Bool(X.GroupsActive())
    << ",\"lastPageGroup\":" << Quote(X.LastPageGroup())
    << ",\"pageGroupHeight\":" << X.PageGroupHeight()
    << ",\"registryRoot\":" << Quote(Const_sKeyNameDelphi)
    << ",\"registryKey\":" << Quote(Const_sKeyNameDelphi + Const_sKeyNameORVExpert)
    << ",\"drawColors\":{\"clGrayText\":" << clGrayText
    << ",\"clInactiveCaption\":" << clInactiveCaption
    << ",\"clInactiveCaptionText\":" << clInactiveCaptionText << "}"
    << ",\"options\":{"
    << "\"PageTimerRefreshInstallMSec\":" << X.PaletteChangeTimer()->Interval()
    << ",\"PageGroupTimerRun\":" << Bool(X.TimerRefreshPageGroup())
    << ",\"PagePaletteTimerRun\":" << Bool(X.TimerRefreshPagePalette())
    << ",\"PageTimerRefreshMSec\":" << X.GroupSortTimer()->Interval()
    << ",\"PagesDraw\":" << Bool(Bar->OwnerDraw()) << ",\"PagesShadow\":" << Bool(X.DrawTabShadow())
    << ",\"PagesGroupColorFont\":" << Bar->Font()->Color()
    << ",\"PagesGroupWidthFull\":" << Bool(Bar->Font()->Style().Contains(fsBold))
    << ",\"PagesGroupMultiLine\":" << Bool(Bar->MultiLine())
    << ",\"PagesPaletteMultiLine\":" << Bool(X.Palette()->MultiLine())
    << ",\"PageGroupKeep\":" << Bool(X.KeepSelectPageGroup()) << "}}";
  S << ",\"groupBar\":{\"visible\":" << Bool(Bar->Visible())
    << ",\"ownerDraw\":" << Bool(Bar->OwnerDraw()) << ",\"multiLine\":" << Bool(Bar->MultiLine())
    << ",\"rowCount\":" << Bar->RowCount() << ",\"height\":" << Bar->Height()
    << ",\"fontColor\":" << Bar->Font()->Color()
    << ",\"fontBold\":" << Bool(Bar->Font()->Style().Contains(fsBold)) << ",\"activeIndex\":"
    << Bar->ActivePageIndex()
    // The index group #N takes: among the tabs shown, hidden sheets left out.
    << ",\"tabIndex\":" << Bar->TabIndex() << ",\"sheets\":[";
  for (int i = 0; i < Bar->PageCount(); ++i)
    S << (i ? "," : "") << "{\"caption\":" << Quote(Bar->Pages(i)->Caption())
      << ",\"tabVisible\":" << Bool(Bar->Pages(i)->TabVisible()) << "}";
  S << "]}";
  S << ",\"master\":{\"tabs\":" << Strings(X.Master()->Tabs())
    << ",\"tabIndex\":" << X.Master()->TabIndex() << "}";
  S << ",\"timers\":{\"paletteChange\":" << Timer(X.PaletteChangeTimer())
    << ",\"groupSort\":" << Timer(X.GroupSortTimer()) << "}";
  S << ",\"paletteParent\":" << PaletteParent(X) << "}";
  return S.str();
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
