#pragma once

// The commands that act on the add-in: loading and unloading its package,
// the group bar, and its items in the menus.

#include "Command.h"

void LoadCommand(TSimulatorState& Sim, const TArgs& A);
void UnloadCommand(TSimulatorState& Sim, const TArgs& A);
void GroupCommand(TSimulatorState& Sim, const TArgs& A);
void PopupCommand(TSimulatorState& Sim, const TArgs& A);
void MenuCommand(TSimulatorState& Sim, const TArgs& A);
void ShortcutCommand(TSimulatorState& Sim, const TArgs& A);
