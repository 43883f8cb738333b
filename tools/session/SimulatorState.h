#pragma once

// What the commands of tabulon-ide act on: one simulated IDE, the add-in's
// package while it is loaded, the dialog blocks, the streams the user
// reads, and the tally -v prints. The interpreter that runs lines of
// commands on it is TSimulator, which owns the dialog blocks.

#include <iosfwd>
#include <memory>
#include <string>

#include "Ide.h"
#include "UserText.h"

struct TSimulatorOptions {
  TIdeOptions Ide;
  std::string Hive;     // as given by --hive; empty for the default file
  std::string Package;  // the package module that `load` would load
  bool Echo = false;    // each command is printed ("> command") before it runs
};

class TDialogBlocks;
class TPicture;

class TSimulatorState {
 public:
  TSimulatorState(const TSimulatorOptions& Options, std::ostream& Out, std::ostream& Err);
  virtual ~TSimulatorState();
  TSimulatorState(const TSimulatorState&) = delete;
  TSimulatorState& operator=(const TSimulatorState&) = delete;

  TIde& Ide() { return *FIde; }
  TIdeMainForm* MainForm() { return FIde->MainForm(); }
  // The dialog blocks read so far and the dialog open now.
  virtual TDialogBlocks& Dialogs() = 0;
  // The add-in's package while it is loaded; nullptr otherwise.
  const TLoadedPackage* Package() const { return FPackage; }
  void SetPackage(const TLoadedPackage* Package) { FPackage = Package; }
  const TSimulatorOptions& Options() const { return FOptions; }
  // -v echoes a script's commands, not what the user types at -i's prompt.
  void SetEcho(bool On) { FOptions.Echo = On; }
  // What the user reads: UTF-8 only (see UserText.h).
  TUtf8Stream& Out() { return FOut; }
  TUtf8Stream& Err() { return FErr; }
  // The picture the last `snapshot` drew, kept for a look at what it holds
  // beyond the file's pixels; nullptr before the first. Shared, so that the
  // state keeps a picture without knowing what one is.
  const TPicture* LastPicture() const { return FLastPicture.get(); }
  void KeepPicture(std::shared_ptr<const TPicture> Picture) { FLastPicture = std::move(Picture); }

  // What ran, for the summary of -v: commands (each line of a dialog block
  // counts when it runs), and expects that held or failed.
  void CountCommand(const std::string& Line, int Depth);
  void CountExpect(bool Held) { ++(Held ? FExpectsHeld : FExpectsFailed); }
  // "12 commands, 5 expects held" and ", 1 failed" when one did.
  std::string Summary() const;

 private:
  TSimulatorOptions FOptions;
  TUtf8Stream FOut;
  TUtf8Stream FErr;
  std::unique_ptr<TIde> FIde;
  const TLoadedPackage* FPackage = nullptr;
  std::shared_ptr<const TPicture> FLastPicture;
  int FCommands = 0, FExpectsHeld = 0, FExpectsFailed = 0;
};
