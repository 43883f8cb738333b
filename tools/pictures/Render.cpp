// `render`: the palette area as text. Each tab shows what its control
// painted: the texts drawn inside the tab's rectangle, with the fill and
// font they were drawn with. So an owner-drawn group bar appears as its
// drawing handler left it, not as the add-in's fields say. Where the
// platform keeps what a window drew at its last paint, that is read; where
// it draws on the screen, the control is asked to paint itself once more
// into a recording.

#include "Render.h"

#include <optional>

#include "ComCtrls.h"
#include "CommCtrl.h"
#include "Command.h"
#include "Dump.h"
#include "Picture.h"
#include "SimulatorState.h"
#include "Terminal.h"
#include "WindowDrawing.h"

namespace {

const char* const kLegend = "  marks: [chosen tab]  *bold*  :shaded:  (greyed)\n";

// One tab as drawn: its texts, marked by the first fill and the first text.
// A fill other than the control's own brush is a shaded tab. Nothing for a
// tab the control did not draw (one beyond the edge of a single-line row).
std::optional<std::string> DrawnTab(const TDisplayList& List, const TRect& TabRect,
                                    TColor ControlBrush) {
  std::string Text;
  bool Filled = false, Shaded = false, Bold = false, Grey = false, Written = false;
  // What is drawn within the tab: the real control hands its owner a
  // rectangle a little inside the tab's frame, or, for the raised selected
  // tab, a little larger; a drawing belongs to the tab its middle lies in.
  const auto Within = [&TabRect](const TRect& R) {
    const int X = (R.Left + R.Right) / 2, Y = (R.Top + R.Bottom) / 2;
    return Inside(R, TabRect) ||
           (R.Width() < 100000 && X >= TabRect.Left && X < TabRect.Right && Y >= TabRect.Top &&
            Y < TabRect.Bottom && R.Width() <= TabRect.Width() + 8);
  };
  for (const TDisplayItem& Item : List.Items()) {
    if (!Within(Item.Rect))
      continue;
    if (Item.Kind == TDisplayItem::dkFillRect && !Filled) {
      Filled = true;
      Shaded = Item.Color != static_cast<std::uint32_t>(ControlBrush);
    } else if (Item.Kind == TDisplayItem::dkText && !Item.Text.empty()) {
      if (!Written) {
        Bold = Item.Font.Bold;
        Grey = Item.Color == static_cast<std::uint32_t>(clGrayText);
        Written = true;
      }
      Text += UserText(Item.Text).Str();
    }
  }
  if (!Filled && !Written)
    return std::nullopt;
  if (Grey)
    Text = "(" + Text + ")";
  if (Bold)
    Text = "*" + Text + "*";
  if (Shaded)
    Text = ":" + Text + ":";
  return Text;
}

// The tabs of a control row by row, as it shows them; before its first
// paint, its captions.
void RenderTabs(std::string& Out, TCustomTabControl* Tabs) {
  const TTabLayout Layout = TabControlLayout(Tabs->Handle());
  const int Selected = Tabs->TabIndex();
  if (Layout.Rows.empty()) {
    Out += "  (no tabs)\n";
    return;
  }
  const bool Painted = Tabs->PaintCount() > 0;
  // What the control drew: its last paint, or a fresh one into a recording.
  TDisplayList Printed;
  const TDisplayList* Drawn = WindowDrawing(Tabs->Handle());
  if (Painted && Drawn == nullptr) {
    const HDC DC = CreateRecordingDC(&Printed, nullptr);
    PrintWindow(Tabs->Handle(), DC, 0);
    DeleteDC(DC);
    Drawn = &Printed;
  }
  // Long single-line rows wrap, so the picture fits the terminal.
  const std::size_t Width = TerminalWidth();
  for (const auto& Row : Layout.Rows) {
    std::string Line = "  |";
    for (int i : Row) {
      std::optional<std::string> Tab;
      if (Painted && Drawn != nullptr)
        Tab =
            DrawnTab(*Drawn, Layout.ItemRects[static_cast<std::size_t>(i)], Tabs->Brush()->Color());
      const std::string Caption = Tab ? *Tab : UserText(Tabs->Tabs()->Strings(i)).Str();
      const std::string Shown = i == Selected ? "[" + Caption + "]|" : " " + Caption + " |";
      if (Columns(Line) + Columns(Shown) > Width && Line.size() > 3) {
        Out += Line + "\n";
        Line = "  |";
      }
      Line += Shown;
    }
    Out += Line + "\n";
  }
}

std::string TabCount(TCustomTabControl* Tabs) {
  const int N = Tabs->Tabs()->Count();
  return std::to_string(N) + (N == 1 ? " tab" : " tabs");
}

std::string Selection(TCustomTabControl* Tabs) {
  const int Index = Tabs->TabIndex();
  if (Index < 0 || Index >= Tabs->Tabs()->Count())
    return "";
  // The tab's number among the tabs shown, as group #N and page #N take it.
  return ", selected tab #" + std::to_string(Index) + " " +
         UserText(Tabs->Tabs()->Strings(Index)).Str();
}

// Where a single-line row that overflows was scrolled to, when that is not
// its first tab.
std::string Scrolled(TCustomTabControl* Tabs) {
  const int First = Tabs->FirstTabInView();
  if (First == 0)
    return "";
  return ", scrolled to tab #" + std::to_string(First) + " " +
         UserText(Tabs->Tabs()->Strings(First)).Str();
}

}  // namespace

TPageControl* PaletteBar(TTabControl* Palette) {
  TWinControl* Parent = Palette->Parent();
  if (auto* Sheet = dynamic_cast<TTabSheet*>(Parent))
    return Sheet->PageControl();
  return dynamic_cast<TPageControl*>(Parent);
}

std::string Render(TSimulatorState& Sim) {
  TIdeMainForm* Form = Sim.MainForm();
  TTabControl* Palette = Form->Palette();
  const TJson Parent = PaletteParentName(Sim);
  std::string Out = "Delphi " + std::to_string(HostVersion) + " main form " +
                    (Form->Showing() ? "shown" : "not shown") + (Form->Active() ? ", active" : "") +
                    "\n";
  TPageControl* Bar = PaletteBar(Palette);
  if (Bar != nullptr) {
    Out += "group bar" + std::string(Bar->Showing() ? "" : " (not shown)") + ", " + TabCount(Bar) +
           Selection(Bar) + Scrolled(Bar) + "\n";
    RenderTabs(Out, Bar);
  }
  Out += "palette (" + (Parent.is_null() ? std::string("no parent") : Parent.get<std::string>()) +
         "), " + TabCount(Palette) + Selection(Palette) + Scrolled(Palette) + "\n";
  RenderTabs(Out, Palette);
  if (Bar != nullptr)
    Out += kLegend;
  return Out;
}
