#pragma once

// Where the simulator's registry hive comes from: the one place that --hive
// reaches. ":memory:" is a hive that lives only as long as the run.

#include <memory>
#include <string>

#include "RegistryHive.h"

// The default hive file: $XDG_CONFIG_HOME/tabulon/HKEY_CURRENT_USER.reg,
// with ~/.config when XDG_CONFIG_HOME is not set.
std::string DefaultHivePath();

// Opens the hive that --hive names for the run that is starting; it is the
// current hive while it lives. Raises ERegistryException, naming the file
// and line, for a file that cannot be read or parsed.
std::unique_ptr<RegistryHive> OpenHive(const std::string& Path);
