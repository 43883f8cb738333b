#pragma once

// The commands of what the IDE and its user do outside the add-in: the main
// form shown and activated, palette tabs clicked, time passing, packages
// installed and removed, keys held.

#include "Command.h"

void ShowCommand(TSimulatorState& Sim, const TArgs& A);
void ActivateCommand(TSimulatorState& Sim, const TArgs& A);
void DeactivateCommand(TSimulatorState& Sim, const TArgs& A);
void PageCommand(TSimulatorState& Sim, const TArgs& A);
void WaitCommand(TSimulatorState& Sim, const TArgs& A);
void InstallCommand(TSimulatorState& Sim, const TArgs& A);
void UninstallCommand(TSimulatorState& Sim, const TArgs& A);
void KeyCommand(TSimulatorState& Sim, const TArgs& A);
