// The group bar's owner-drawn tabs, in the plain or the shadow style.

#include "ImgList.h"
#include "uORVExpertPageGroup.h"

void TORVExpert::prvEvenTabDraw_DrawTab(TCustomTabControl* Control, int TabIndex, const TRect& Rect,
                                        bool Active) {
  (void)Control;
  if (FDrawTabShadow)
    prvEvenTabDraw_Shadow(TabIndex, Rect, Active);
  else
    prvEvenTabDraw_Default(TabIndex, Rect, Active);
}

namespace {

// The sheet whose tab has this index among the visible tabs. A sheet's
// tab index is its page index less the hidden tabs before it, so the sheet
// lies at TabIndex or after it, at least as far after a sheet as that
// sheet's tab index falls short: the bar need not be asked for each tab it
// paints. An index no sheet has goes to the bar, which keeps each tab's
// sheet with the tab, as the VCL does.
TTabSheet* SheetOfTab(TPageControl* Bar, int TabIndex) {
  for (int Page = TabIndex; Page >= 0 && Page < Bar->PageCount();) {
    TTabSheet* Sheet = Bar->Pages(Page);
    const int Tab = Sheet->TabIndex();
    if (Tab == TabIndex)
      return Sheet;
    Page += Tab >= 0 && Tab < TabIndex ? TabIndex - Tab : 1;
  }
  return reinterpret_cast<TTabSheet*>(Bar->Tabs()->Objects(TabIndex).AsInteger());
}

// The steps the two styles share, around the style's own font and brush.
void DrawGroupTab(TPageControl* Bar, int TabIndex, const TRect& Rect, bool Active, bool Shadow) {
  TCanvas* Canvas = Bar->Canvas();
  TTabSheet* Sheet = SheetOfTab(Bar, TabIndex);
  const bool PageEnabled = Sheet == nullptr || Sheet->Enabled();
  if (!PageEnabled)
    Canvas->Font()->SetColor(clGrayText);
  TFontStyles Style = Canvas->Font()->Style();
  if (Active) {
    Canvas->Font()->SetStyle(Style.Include(fsBold));
  } else {
    if (Shadow) {
      Canvas->Brush()->SetColor(clInactiveCaption);
      Canvas->Font()->SetColor(clInactiveCaptionText);
    }
    Canvas->Font()->SetStyle(Style.Exclude(fsBold));
  }

  TRect R = Rect;
  Canvas->FillRect(R);
  // Without an image list no tab has an image: its index is not asked for.
  const int Image = Bar->Images() != nullptr ? Bar->GetImageIndex(TabIndex) : -1;
  if (Image >= 0) {
    const HDC DC = Canvas->Handle();
    SaveDC(DC);
    Bar->Images()->Draw(Canvas, Rect.Left + 4, Rect.Top + 2, Image, PageEnabled);
    RestoreDC(Canvas->Handle(), -1);
    R.Left += Bar->Images()->Width() + 4;
  }
  // The sheet's caption is its tab's text; asking the sheet spares the bar
  // a message for every tab it paints.
  const std::string Caption = Sheet != nullptr ? Sheet->Caption() : Bar->Tabs()->Get(TabIndex);
  if (Bar->Font()->Style().Contains(fsBold))
    InflateRect(R, -6, -2);
  else
    InflateRect(R, -2, -2);
  DrawTextA(Canvas->Handle(), Caption.c_str(), static_cast<int>(Caption.size()), R, DT_SINGLELINE);
}

}  // namespace

void TORVExpert::prvEvenTabDraw_Default(int TabIndex, const TRect& Rect, bool Active) {
  DrawGroupTab(FPageGroup, TabIndex, Rect, Active, false);
}

void TORVExpert::prvEvenTabDraw_Shadow(int TabIndex, const TRect& Rect, bool Active) {
  DrawGroupTab(FPageGroup, TabIndex, Rect, Active, true);
}
