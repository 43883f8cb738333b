#pragma once

// The command interpreter of tabulon-ide: one simulated IDE and the commands
// a script, -e or the prompt give it. Every command checks all of its
// arguments before it acts, so a refused command changes nothing.

#include <memory>
#include <string>

#include "Commands.h"
#include "SimulatorState.h"

enum class TLineResult { Ok, ExpectFailed, Error };

class TSimulator : public TSimulatorState {
 public:
  TSimulator(const TSimulatorOptions& Options, std::ostream& Out, std::ostream& Err);
  ~TSimulator() override;

  // Runs one line; Where names it in messages as FILE:LINE ("-e:2",
  // "a.tide:7"). Reports problems on the error stream itself.
  TLineResult RunLine(const std::string& Line, const std::string& Where);

  TDialogBlocks& Dialogs() override { return *FDialogs; }
  // Where a dialog block began that has no end yet; empty when none.
  std::string UnfinishedBlock() const;
  // At the end of the input: reports a block that has no end and the blocks
  // that never ran, since no command opened a dialog after them, and
  // forgets them; true when there was any.
  bool ReportUnusedBlocks();
  // The same for the finished blocks only: a block being typed goes on at
  // the prompt that follows the scripts (-i).
  bool ReportQueuedBlocks();
  // At the prompt: how each settings dialog ended is told on the output.
  void SetInteractive(bool On) { FInteractive = On; }
  // Whether settings could not be saved at some line (each time was
  // reported on the error stream as it happened).
  bool SettingsNotSaved() const { return FSettingsNotSaved; }

 private:
  // Reports the hive's failed saves; true when Raised is one of them.
  bool ReportSaveFailures(const TUtf8& Prefix, const std::string& Raised);

  std::unique_ptr<TDialogBlocks> FDialogs;
  bool FSettingsNotSaved = false;
  bool FInteractive = false;
};
