#pragma once

// Where the simulator's registry hive comes from: the one place that --hive
// reaches. ":memory:" is a hive that lives only as long as the run.

#include <string>

// The default hive file: $XDG_CONFIG_HOME/tabulon/HKEY_CURRENT_USER.reg,
// with ~/.config when XDG_CONFIG_HOME is not set.
std::string DefaultHivePath();

// Opens the hive that --hive names for the run that is starting. Raises
// std::invalid_argument when it cannot.
//
// The registry is not connected yet: this accepts ":memory:" and the default
// file, and does nothing else with them. Wiring TRegistry to the hive goes
// here.
void OpenHive(const std::string& Path);
