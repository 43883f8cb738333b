#include "Snapshot.h"

#include <algorithm>

#include "ComCtrls.h"
#include "CommCtrl.h"
#include "Dump.h"
#include "Simulator.h"
#include "Svg.h"

namespace {

constexpr int kMargin = 4;

// Where a control's client area starts, in the main form's coordinates.
TPoint OriginOf(TControl* Control, TControl* Form) {
  TPoint P{0, 0};
  for (TControl* C = Control; C != nullptr && C != Form; C = C->Parent()) {
    P.X += C->Left();
    P.Y += C->Top();
  }
  return P;
}

TRect Offset(const TRect& R, TPoint By) {
  return {R.Left + By.X, R.Top + By.Y, R.Right + By.X, R.Bottom + By.Y};
}

// A tab control as Windows draws its frame, then its tabs as its canvas
// recorded them: fills, texts in their fonts and colours, images.
void DrawTabControl(TSvgWriter& Svg, TCustomTabControl* Tabs, TPoint At) {
  const TTabLayout Layout = TabControlLayout(Tabs->Handle());
  int TabsBottom = 0;
  for (const TRect& R : Layout.ItemRects)
    TabsBottom = std::max(TabsBottom, R.Bottom);
  const TRect Body = Offset({0, TabsBottom, Tabs->Width(), Tabs->Height()}, At);
  Svg.Fill(Body, clBtnFace);
  Svg.Line(Body.Left, Body.Top, Body.Right - 1, Body.Top, clBtnHighlight);
  Svg.Line(Body.Left, Body.Top, Body.Left, Body.Bottom - 1, clBtnHighlight);
  Svg.Line(Body.Right - 1, Body.Top, Body.Right - 1, Body.Bottom - 1, clBtnShadow);
  Svg.Line(Body.Left, Body.Bottom - 1, Body.Right - 1, Body.Bottom - 1, clBtnShadow);

  for (const TDisplayItem& Item : Tabs->Canvas()->DisplayList().Items()) {
    const TRect R = Offset(Item.Rect, At);
    switch (Item.Kind) {
      case TDisplayItem::dkFillRect:
        Svg.Fill(R, static_cast<TColor>(Item.Color));
        break;
      case TDisplayItem::dkFrameRect:
        Svg.Frame(R, static_cast<TColor>(Item.Color));
        break;
      case TDisplayItem::dkText:
        Svg.Text(Item.X + At.X, Item.Y + At.Y, Item.Text, Item.Font,
                 static_cast<TColor>(Item.Color), R);
        break;
      case TDisplayItem::dkImage:
        Svg.Frame({Item.X + At.X, Item.Y + At.Y, Item.X + At.X + Item.ImageWidth,
                   Item.Y + At.Y + Item.ImageHeight},
                  Item.Enabled ? clBtnText : clGrayText);
        break;
      case TDisplayItem::dkSaveDC:
      case TDisplayItem::dkRestoreDC:
        break;
    }
  }
  // The raised edges of each tab; the chosen one stands out of the row.
  const int Selected = Tabs->TabIndex();
  for (std::size_t i = 0; i < Layout.ItemRects.size(); ++i) {
    const TRect R = Offset(Layout.ItemRects[i], At);
    const int Lift = static_cast<int>(i) == Selected ? 2 : 0;
    Svg.Line(R.Left, R.Top - Lift, R.Right - 1, R.Top - Lift, clBtnHighlight);
    Svg.Line(R.Left, R.Top - Lift, R.Left, R.Bottom - 1, clBtnHighlight);
    Svg.Line(R.Right - 1, R.Top - Lift, R.Right - 1, R.Bottom - 1, clBtnShadow);
  }
}

}  // namespace

std::string PaletteSnapshot(TSimulator& Sim) {
  TIdeMainForm* Form = Sim.MainForm();
  TTabControl* Palette = Form->Palette();
  TPageControl* Bar = PaletteBar(Palette);
  TCustomTabControl* Outer = Bar != nullptr ? static_cast<TCustomTabControl*>(Bar) : Palette;
  const TPoint At = OriginOf(Outer, Form);
  const TPoint Shift{kMargin - At.X, kMargin - At.Y};
  TSvgWriter Svg(Outer->Width() + 2 * kMargin, Outer->Height() + 2 * kMargin);
  Svg.Fill({0, 0, Outer->Width() + 2 * kMargin, Outer->Height() + 2 * kMargin}, clBtnFace);
  if (Bar != nullptr) {
    DrawTabControl(Svg, Bar, {At.X + Shift.X, At.Y + Shift.Y});
    const TPoint P = OriginOf(Palette, Form);
    DrawTabControl(Svg, Palette, {P.X + Shift.X, P.Y + Shift.Y});
  } else {
    DrawTabControl(Svg, Palette, {kMargin, kMargin});
  }
  return Svg.Finish();
}
