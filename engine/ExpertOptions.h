#pragma once

// The expert's options, one row each. The row says everything the add-in
// does with an option: its value name in the registry (which is also its key
// in the simulator's dump), its default when the store has none, where the
// expert keeps it, and how the settings dialog edits it. The store's import
// and export, the settings command's exchange with the dialog, the probe,
// the package's description and the benchmarks all walk this one table. An
// option is added by adding its row, the expert's field that keeps it and
// the row of its check box in the dialog's layout, which names the option
// and carries the box's caption; nowhere else.
//
// The table is in the order in which the store reads and writes the values
// and the dump lists them. The dialog exchange has an order of its own, kept
// in two columns: the dialog's check-box rules run as the boxes are set, so
// the setter order decides which dependent boxes end up checked (the keep box
// comes last and has the last word), and after OK the values are applied in
// the order the settings command has always used.

#include <span>
#include <vector>

#include "System.h"

class TORVExpert;
class TFrmMainORVExpert;

struct TExpertOption {
  enum TKind {
    // A signed decimal number: an interval in milliseconds, a colour value.
    okInteger,
    // "1" or "0" in the store; any non-zero number reads as on.
    okFlag,
  };

  // The value name in section "Timer" of the store and the dump's key.
  const char* Name;
  TKind Kind;
  // What the import applies when the store has no value (a flag as 0 or 1).
  Integer Default;
  // The expert's live value and how it is applied (a flag as 0 or 1).
  Integer (*Get)(const TORVExpert& Expert);
  void (*Set)(TORVExpert& Expert, Integer Value);
  // The dialog's accessor pair for the option, where the dialog defines
  // one; nullptr for both where the option's check box is bound to it by
  // the dialog's layout.
  Integer (*GetFrm)(const TFrmMainORVExpert& Dialog);
  void (*SetFrm)(TFrmMainORVExpert& Dialog, Integer Value);
  // Position of the option among the values put into the dialog before it
  // is shown, and among those taken from it after OK.
  int ToDialogStep;
  int FromDialogStep;

  // The option's value in the dialog, and the value put there.
  Integer FromDialog(const TFrmMainORVExpert& Dialog) const;
  void ToDialog(TFrmMainORVExpert& Dialog, Integer Value) const;
};

// The table, in store order.
std::span<const TExpertOption> ExpertOptions();

// The row of a value name, or nullptr.
const TExpertOption* FindExpertOption(const char* Name);

// The rows ordered by one of the two dialog columns.
std::vector<const TExpertOption*> ExpertOptionsInStep(int TExpertOption::*Step);
