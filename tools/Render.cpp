#include "CommCtrl.h"
#include "Dump.h"
#include "Simulator.h"

namespace {

// Long single-line palettes wrap here, so the picture fits a terminal.
constexpr std::size_t kWidth = 100;

void RenderTabs(std::string& Out, TCustomTabControl* Tabs) {
  const TTabLayout Layout = TabControlLayout(Tabs->Handle());
  const int Selected = Tabs->TabIndex();
  if (Layout.Rows.empty()) {
    Out += "  (no tabs)\n";
    return;
  }
  for (const auto& Row : Layout.Rows) {
    std::string Line = "  |";
    for (int i : Row) {
      const std::string Caption = UserText(Tabs->Tabs()->Strings(i));
      const std::string Tab = i == Selected ? "[" + Caption + "]|" : " " + Caption + " |";
      if (Line.size() + Tab.size() > kWidth && Line.size() > 3) {
        Out += Line + "\n";
        Line = "  |";
      }
      Line += Tab;
    }
    Out += Line + "\n";
  }
}

}  // namespace

std::string Render(TSimulator& Sim) {
  TIdeMainForm* Form = Sim.MainForm();
  TTabControl* Palette = Form->Palette();
  const TJson Parent = PaletteParentName(Sim);
  std::string Out = "Delphi " + std::to_string(HostVersion) + " main form " +
                    (Form->Showing() ? "shown" : "not shown") + (Form->Active() ? ", active" : "") +
                    "\n";
  Out += "palette (" + (Parent.IsNull() ? std::string("no parent") : Parent.AsString()) + "), " +
         std::to_string(Palette->Tabs()->Count()) + " tabs";
  const int Index = Palette->TabIndex();
  if (Index >= 0 && Index < Palette->Tabs()->Count())
    Out += ", selected #" + std::to_string(Index) + " " + UserText(Palette->Tabs()->Strings(Index));
  Out += "\n";
  RenderTabs(Out, Palette);
  return Out;
}
