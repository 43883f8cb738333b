#pragma once

// `snapshot FILE.svg`: a picture of the IDE's palette area, drawn from what
// the group bar and the palette recorded when they last painted.

#include <string>

class TSimulator;

std::string PaletteSnapshot(TSimulator& Sim);
