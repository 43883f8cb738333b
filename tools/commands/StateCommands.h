#pragma once

// The commands that show the state: the dump, an expect on it, and the
// text picture of the palette area. (snapshot draws a picture file; registry
// and export show the hive.)

#include "Command.h"

void DumpCommand(TSimulatorState& Sim, const TArgs& A);
void ExpectCommand(TSimulatorState& Sim, const TArgs& A);
void RenderCommand(TSimulatorState& Sim, const TArgs& A);
