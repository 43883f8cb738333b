#pragma once

// The command interpreter of tabulon-ide: one simulated IDE and the commands
// a script, -e or the prompt give it. Every command checks all of its
// arguments before it acts, so a refused command changes nothing.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "Ide.h"
#include "Script.h"
#include "UserText.h"

struct TSimulatorOptions {
  TIdeOptions Ide;
  std::string Hive;     // as given by --hive; empty for the default file
  std::string Package;  // the package module that `load` would load
  bool Echo = false;    // each command is printed ("> command") before it runs
};

// The words of a command line after the command's name. A command that
// takes raw text at its end (expect's JSON) gets that text in Tail.
struct TArgs {
  std::string Command;
  std::vector<TWord> Words;
  std::string Tail;
};

// An expect that did not hold: the script goes on, the status becomes 1.
class EExpectFailed : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

class TSimulator;
class TDialogBlocks;
class TPicture;

// What a command is about, for the lists of commands in --help and at the
// prompt: what the user or the IDE does, what the user does with the
// add-in, the settings dialog, and what shows the state.
enum class TCommandKind { Ide, Addin, Dialog, Inspection };

// One entry per command. Adding a command is adding one entry to the table
// in Commands.cpp.
struct TCommand {
  TCommandKind Kind;
  const char* Name;
  const char* Synopsis;  // as --help shows it
  const char* Help;      // one line
  // -1: every argument is a word; N: N words, then the rest of the line raw.
  int WordsBeforeTail;
  void (*Run)(TSimulator& Sim, const TArgs& Args);
};
const std::vector<TCommand>& Commands();
const TCommand* FindCommand(const std::string& Name);

enum class TLineResult { Ok, ExpectFailed, Error };

class TSimulator {
 public:
  TSimulator(const TSimulatorOptions& Options, std::ostream& Out, std::ostream& Err);
  ~TSimulator();

  // Runs one line; Where names it in messages as FILE:LINE ("-e:2",
  // "a.tide:7"). Reports problems on the error stream itself.
  TLineResult RunLine(const std::string& Line, const std::string& Where);

  TIde& Ide() { return *FIde; }
  // The dialog blocks read so far and the dialog open now.
  TDialogBlocks& Dialogs() { return *FDialogs; }
  // Where a dialog block began that has no end yet; empty when none.
  std::string UnfinishedBlock() const;
  // At the end of the input: reports a block that has no end and the blocks
  // that never ran, since no command opened a dialog after them, and
  // forgets them; true when there was any.
  bool ReportUnusedBlocks();
  // The same for the finished blocks only: a block being typed goes on at
  // the prompt that follows the scripts (-i).
  bool ReportQueuedBlocks();
  // The add-in's package while it is loaded; nullptr otherwise.
  const TLoadedPackage* Package() const { return FPackage; }
  void SetPackage(const TLoadedPackage* Package) { FPackage = Package; }
  TIdeMainForm* MainForm() { return FIde->MainForm(); }
  const TSimulatorOptions& Options() const { return FOptions; }
  // -v echoes a script's commands, not what the user types at -i's prompt.
  void SetEcho(bool On) { FOptions.Echo = On; }
  // At the prompt: how each settings dialog ended is told on the output.
  void SetInteractive(bool On) { FInteractive = On; }
  TUtf8Stream& Out() { return FOut; }
  TUtf8Stream& Err() { return FErr; }
  // Whether settings could not be saved at some line (each time was
  // reported on the error stream as it happened).
  bool SettingsNotSaved() const { return FSettingsNotSaved; }
  // The picture the last `snapshot` drew, kept for a look at what it holds
  // beyond the file's pixels; nullptr before the first.
  const TPicture* LastPicture() const { return FLastPicture.get(); }
  void KeepPicture(std::unique_ptr<TPicture> Picture);

  // What ran, for the summary of -v: commands (each line of a dialog block
  // counts when it runs), and expects that held or failed.
  void CountCommand(const std::string& Line, int Depth);
  void CountExpect(bool Held) { ++(Held ? FExpectsHeld : FExpectsFailed); }
  // "12 commands, 5 expects held" and ", 1 failed" when one did.
  std::string Summary() const;

 private:
  // Reports the hive's failed saves; true when Raised is one of them.
  bool ReportSaveFailures(const TUtf8& Prefix, const std::string& Raised);

  TSimulatorOptions FOptions;
  TUtf8Stream FOut;
  TUtf8Stream FErr;
  std::unique_ptr<TIde> FIde;
  const TLoadedPackage* FPackage = nullptr;
  std::unique_ptr<TDialogBlocks> FDialogs;
  std::unique_ptr<TPicture> FLastPicture;
  bool FSettingsNotSaved = false;
  bool FInteractive = false;
  int FCommands = 0, FExpectsHeld = 0, FExpectsFailed = 0;
};

// Raises ECommandError when the command was given arguments.
void NoArguments(const TArgs& A);

// A non-negative decimal number of at most nine digits; ECommandError else.
int ParseCount(const std::string& Text, const std::string& What);
