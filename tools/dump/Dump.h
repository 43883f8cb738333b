#pragma once

// The state of the simulated IDE as the `dump` command prints it: the IDE's
// own parts, and the add-in's as its package describes them; inside a
// dialog, the dialog's.

#include <string>
#include <vector>

#include "Json.h"

class TSimulatorState;

TJson Dump(TSimulatorState& Sim);

// The dump as the `dump` command prints it: the Keys named (all when none)
// on one line, or spread over lines with Pretty. Raises ECommandError for a
// key the dump does not have.
std::string DumpText(TSimulatorState& Sim, const std::vector<std::string>& Keys, bool Pretty);

// What `palette.parent` says for the palette's present parent: "host" in
// its IDE place; later parents (the add-in's group bar) add their case to
// the table in Dump.cpp; anything else is named by class and name.
TJson PaletteParentName(TSimulatorState& Sim);
