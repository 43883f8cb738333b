#pragma once

// The tour that tabulon-ide gives when it is started without commands: the
// stock palette of its IDE version grouped in the settings dialog, a group
// and a page chosen, a package installed and picked up.

#include <ostream>

class TSimulator;

// Runs the tour on Sim, telling the user what happens before each step;
// false when a step failed (the simulator has reported it).
bool RunDemo(TSimulator& Sim, std::ostream& Out);
