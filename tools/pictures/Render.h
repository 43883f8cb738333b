#pragma once

// `render`: the text picture of the palette area.

#include <string>

class TPageControl;
class TSimulatorState;
class TTabControl;

// The palette area as text, a few lines ending in a line break.
std::string Render(TSimulatorState& Sim);

// The page control the palette sits in, when it sits in one: the add-in's
// group bar, found from the palette, so the host needs no word of the add-in.
TPageControl* PaletteBar(TTabControl* Palette);
