#pragma once

// A simulator on a registry in memory, loading the add-in's package of this
// build, with its output kept for the test to read.

#include <memory>
#include <sstream>

#include "Hive.h"
#include "Package.h"
#include "Simulator.h"

inline TSimulatorOptions MemorySimulatorOptions() {
  TSimulatorOptions Options;
  Options.Hive = ":memory:";
  Options.Package = DefaultPackagePath();
  return Options;
}

struct TMemorySimulator {
  std::unique_ptr<RegistryHive> Hive = OpenHive(":memory:");
  std::ostringstream Out, Err;
  TSimulator Sim{MemorySimulatorOptions(), Out, Err};
};
