#pragma once

// Where the simulator's registry hive comes from: the one place that --hive
// reaches. ":memory:" is a hive that lives only as long as the run. Also
// the commands that show and export it.

#include <memory>
#include <string>
#include <vector>

#include "Command.h"
#include "RegistryHive.h"

// Opens the hive that --hive names for the run that is starting (empty for
// the default file, whose folder is made on first use); it is the
// current hive while it lives. Raises ERegistryException, naming the file
// (and the line), for a path that is not a regular file and for a file that
// cannot be read or parsed. Report takes what the hive says of its own
// accord (see THiveReport); by default standard error does.
std::unique_ptr<RegistryHive> OpenHive(const std::string& Path, THiveReport Report = {});

// The saves of the current hive that failed since the last call, each
// naming the file and the reason; empty when there is no hive.
std::vector<std::string> TakeSaveFailures();

// registry: the hive as REGEDIT4 text.
void RegistryCommand(TSimulatorState& Sim, const TArgs& A);
// export [--unicode] FILE
void ExportCommand(TSimulatorState& Sim, const TArgs& A);
