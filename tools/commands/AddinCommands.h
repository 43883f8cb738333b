#pragma once

// The commands that act on the add-in: loading and unloading its package,
// the group bar, the menus and the registry it keeps its groups in.

#include "Json.h"
#include "Simulator.h"

void LoadCommand(TSimulator& Sim, const TArgs& A);
void UnloadCommand(TSimulator& Sim, const TArgs& A);
void GroupCommand(TSimulator& Sim, const TArgs& A);
void PopupCommand(TSimulator& Sim, const TArgs& A);
void MenuCommand(TSimulator& Sim, const TArgs& A);
void ShortcutCommand(TSimulator& Sim, const TArgs& A);
void RegistryCommand(TSimulator& Sim, const TArgs& A);

// The state of the loaded add-in as its package describes it; null JSON
// values when no package is loaded.
TJson AddinState(TSimulator& Sim);
// A tab of a tab control named by caption (letter case ignored) or "#N".
int FindTab(TCustomTabControl* Tabs, const TWord& Word, const char* What);
