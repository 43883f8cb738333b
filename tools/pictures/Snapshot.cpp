#include "Snapshot.h"

#include <cctype>
#include <memory>
#include <ostream>

#include "CodePage.h"
#include "DialogBlock.h"
#include "DialogSnapshot.h"
#include "Forms.h"
#include "PictureFile.h"
#include "SimulatorState.h"
#include "WindowCapture.h"
#include "WindowPainter.h"

TPicture PaletteSnapshot(TSimulatorState& Sim) {
  TIdeMainForm* Form = Sim.MainForm();
  if (!Form->Showing())
    throw ECommandError("snapshot: the main form is not on the screen (use show)");
  // Paint what is waiting to be painted, so that every window's recording
  // shows the present state.
  Sim.Ide().App()->ProcessMessages();
  // The band of the form that holds the palette, wherever the add-in put it.
  TControl* Band = Form->Palette();
  while (Band->Parent() != nullptr && Band->Parent() != Form)
    Band = Band->Parent();
  if (Band->Parent() != Form)
    throw ECommandError("snapshot: the palette is not on the main form");
  TPicture Picture(Form->ClientWidth(), Band->Top() + Band->Height());
  TWindowPainter(Picture).PaintClient(Form->Handle(), 0, 0);
  return Picture;
}

namespace {

bool IsBmpName(const std::string& Path) {
  if (Path.size() < 4)
    return false;
  std::string Ext = Path.substr(Path.size() - 4);
  for (char& Ch : Ext)
    Ch = static_cast<char>(std::tolower(static_cast<unsigned char>(Ch)));
  return Ext == ".bmp";
}

// A .bmp snapshot is the real window's pixels, as the platform captures
// them: the settings dialog when it is open, the main form otherwise.
void SnapshotBmp(TSimulatorState& Sim, const std::string& Path, TCustomForm* Dialog) {
  if (!WindowCaptureAvailable())
    throw ECommandError(
        std::string("snapshot: a .bmp snapshot captures the real window and needs the win32 "
                    "build; ") +
        (PictureFilesAvailable() ? "this build writes SVG, PNG or PDF (FILE.svg, FILE.png, "
                                   "FILE.pdf)"
                                 : "this build writes no pictures (it was built without cairo)"));
  TWinControl* Window = Dialog;
  if (Window == nullptr) {
    if (!Sim.MainForm()->Showing())
      throw ECommandError("snapshot: the main form is not on the screen (use show)");
    Window = Sim.MainForm();
  }
  Sim.Ide().App()->ProcessMessages();
  try {
    WriteBmpFile(CaptureWindow(Window->Handle(), TCaptureSource::Screen), Utf8ToWin1251(Path));
  } catch (const ECaptureError& E) {
    throw ECommandError("snapshot: " + Win1251ToUtf8(E.what()));
  }
  Sim.Out() << "snapshot: " << TUtf8(Dialog != nullptr ? "the settings dialog" : "the main form")
            << " captured to " << TUtf8(Path) << "\n";
}

}  // namespace

void SnapshotCommand(TSimulatorState& Sim, const TArgs& A) {
  if (A.Words.size() != 1 || !A.Tail.empty() || A.Words[0].Text.empty())
    throw ECommandError(std::string("usage: ") + SnapshotSynopsis());
  const std::string& Path = A.Words[0].Text;
  if (IsBmpName(Path)) {
    SnapshotBmp(Sim, Path, Sim.Dialogs().OpenForm());
    return;
  }
  const bool BmpOnly = WindowCaptureAvailable() && !PictureFilesAvailable();
  if (BmpOnly)
    throw ECommandError(
        "snapshot: this build writes the real window's pixels as a .bmp file "
        "only, not '" +
        Path + "' (" + SnapshotSynopsis() + ")");
  if (PictureFormat(Path).empty())
    throw ECommandError(
        "snapshot writes SVG, PNG or PDF: the file name must end in .svg, .png "
        "or .pdf" +
        std::string(WindowCaptureAvailable() ? " (or .bmp for the real window's pixels)" : "") +
        ", not '" + Path + "'");
  TCustomForm* Dialog = Sim.Dialogs().OpenForm();
  auto Picture =
      std::make_unique<TPicture>(Dialog != nullptr ? DialogSnapshot(Dialog) : PaletteSnapshot(Sim));
  try {
    WritePicture(*Picture, Path);
  } catch (const EPictureError& E) {
    throw ECommandError(std::string("snapshot: ") + E.what());
  }
  Sim.KeepPicture(std::move(Picture));
  Sim.Out() << "snapshot: " << TUtf8(Dialog != nullptr ? "the settings dialog" : "the palette area")
            << " written to " << TUtf8(Path) << "\n";
}
