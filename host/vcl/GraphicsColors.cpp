#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "Graphics.h"

namespace {

struct TIdentMapEntry {
  TColor Value;
  std::string_view Name;
};

// The named colours in the order the host's Graphics unit keeps them, which is
// the order GetColorValues reports and a colour box lists them. Delphi 5 has
// the sixteen standard colours, the system colours by Windows index, then
// clNone. Delphi 6 and 7 add the four extended colours and list the system
// colours alphabetically, with clDefault and clNone sorted in among them.
constexpr TIdentMapEntry kColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
#if TABULON_HOST == 5
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
#else
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
#if TABULON_HOST >= 7
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
#endif
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
#endif
};

// GetSysColor of the substitute: the classic "Windows Standard" scheme of
// Windows 95/98, as 0x00BBGGRR, so that ColorToRGB gives the same answer on
// every machine. Index 25 has no colour in Win32.
constexpr std::array<TColor, 31> kSystemColors = {
    0xC0C0C0,  // COLOR_SCROLLBAR
    0x808000,  // COLOR_BACKGROUND: teal desktop
    0x800000,  // COLOR_ACTIVECAPTION: navy
    0x808080,  // COLOR_INACTIVECAPTION
    0xC0C0C0,  // COLOR_MENU
    0xFFFFFF,  // COLOR_WINDOW
    0x000000,  // COLOR_WINDOWFRAME
    0x000000,  // COLOR_MENUTEXT
    0x000000,  // COLOR_WINDOWTEXT
    0xFFFFFF,  // COLOR_CAPTIONTEXT
    0xC0C0C0,  // COLOR_ACTIVEBORDER
    0xC0C0C0,  // COLOR_INACTIVEBORDER
    0x808080,  // COLOR_APPWORKSPACE
    0x800000,  // COLOR_HIGHLIGHT: navy
    0xFFFFFF,  // COLOR_HIGHLIGHTTEXT
    0xC0C0C0,  // COLOR_BTNFACE
    0x808080,  // COLOR_BTNSHADOW
    0x808080,  // COLOR_GRAYTEXT
    0x000000,  // COLOR_BTNTEXT
    0xC0C0C0,  // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF,  // COLOR_BTNHIGHLIGHT
    0x000000,  // COLOR_3DDKSHADOW
    0xC0C0C0,  // COLOR_3DLIGHT
    0x000000,  // COLOR_INFOTEXT
    0xE1FFFF,  // COLOR_INFOBK: pale yellow
    0x000000,  // index 25, unused
    0x800000,  // COLOR_HOTLIGHT: navy
    0xD08410,  // COLOR_GRADIENTACTIVECAPTION
    0xB5B5B5,  // COLOR_GRADIENTINACTIVECAPTION
    0x800000,  // COLOR_MENUHILIGHT: the highlight of the classic scheme
    0xC0C0C0,  // COLOR_MENUBAR: the menu colour of the classic scheme
};

}  // namespace

Integer ColorToRGB(TColor Color) {
  // Both system colour encodings are negative; the low byte is the index.
  if (Color >= 0)
    return Color;
  const auto Index = static_cast<std::size_t>(static_cast<std::uint32_t>(Color) & 0xFF);
  return Index < kSystemColors.size() ? kSystemColors[Index] : 0;
}

bool ColorToIdent(Integer Color, std::string& Ident) {
  for (const auto& E : kColors) {
    if (E.Value == Color) {
      Ident = std::string(E.Name);
      return true;
    }
  }
  return false;
}

bool IdentToColor(const std::string& Ident, Integer& Color) {
  // A colour box looks up every name it lists, so the names are compared
  // in place. They are ASCII, and no other byte of the code page folds to
  // an ASCII letter, so folding ASCII letters alone is AnsiSameText here.
  const auto Fold = [](char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 32) : C; };
  for (const auto& E : kColors) {
    if (std::equal(E.Name.begin(), E.Name.end(), Ident.begin(), Ident.end(),
                   [&Fold](char L, char R) { return Fold(L) == Fold(R); })) {
      Color = E.Value;
      return true;
    }
  }
  return false;
}

std::string ColorToString(TColor Color) {
  std::string Result;
  if (ColorToIdent(Color, Result))
    return Result;
  char Buf[16];
  std::snprintf(Buf, sizeof Buf, "$%08X", static_cast<unsigned>(static_cast<std::uint32_t>(Color)));
  return Buf;
}

TColor StringToColor(const std::string& S) {
  TColor Result;
  if (IdentToColor(S, Result))
    return Result;
  return StrToInt(S);
}

void GetColorValues(TGetStrProc Proc) {
  for (const auto& E : kColors)
    Proc(std::string(E.Name));
}
