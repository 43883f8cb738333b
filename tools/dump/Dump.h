#pragma once

// The state of the simulated IDE as the `dump` command prints it: the IDE's
// own parts, and the add-in's as its package describes them; inside a
// dialog, the dialog's.

#include "Json.h"

class TSimulatorState;

TJson Dump(TSimulatorState& Sim);

// What `palette.parent` says for the palette's present parent: "host" in
// its IDE place; later parents (the add-in's group bar) add their case to
// the table in Dump.cpp; anything else is named by class and name.
TJson PaletteParentName(TSimulatorState& Sim);
