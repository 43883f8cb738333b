#include "Snapshot.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

#include "ControlPainter.h"
#include "DialogBlock.h"
#include "DialogSnapshot.h"
#include "Forms.h"

std::string PaletteSnapshot(TSimulator& Sim) {
  TIdeMainForm* Form = Sim.MainForm();
  if (!Form->Showing())
    throw ECommandError("snapshot: the main form is not on the screen (use show)");
  // Paint what is waiting to be painted, so that every display list shows
  // the present state.
  Sim.Ide().App()->ProcessMessages();
  // The band of the form that holds the palette, wherever the add-in put it.
  TControl* Band = Form->Palette();
  while (Band->Parent() != nullptr && Band->Parent() != Form)
    Band = Band->Parent();
  if (Band->Parent() != Form)
    throw ECommandError("snapshot: the palette is not on the main form");
  TSvgWriter Svg(Form->ClientWidth(), Band->Top() + Band->Height());
  TControlPainter Painter(Svg);
  Painter.Paint(Form, 0, 0);
  return Svg.Document();
}

void WriteSnapshotFile(const std::string& Path, const std::string& Text) {
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  if (Out)
    Out << Text;
  if (Out)
    Out.flush();
  if (!Out)
    throw ECommandError("snapshot: cannot write " + Path + ": " + std::strerror(errno));
}

void SnapshotCommand(TSimulator& Sim, const TArgs& A) {
  if (A.Words.size() != 1 || !A.Tail.empty() || A.Words[0].Text.empty())
    throw ECommandError("usage: snapshot FILE.svg");
  const std::string& Path = A.Words[0].Text;
  if (Path.size() < 4 || Path.compare(Path.size() - 4, 4, ".svg") != 0)
    throw ECommandError("snapshot writes SVG: the file name must end in .svg, not '" + Path + "'");
  TCustomForm* Dialog = Sim.Dialogs().OpenForm();
  const std::string Text = Dialog != nullptr ? DialogSnapshot(Dialog) : PaletteSnapshot(Sim);
  WriteSnapshotFile(Path, Text);
  Sim.Out() << "snapshot: " << (Dialog != nullptr ? "the settings dialog" : "the palette area")
            << " written to " << Path << "\n";
}
