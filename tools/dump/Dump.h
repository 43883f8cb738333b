#pragma once

// The state of the simulated IDE as the `dump` command prints it, and the
// text picture of `render`.

#include <string>

#include "Json.h"

class TSimulator;
class TPageControl;
class TTabControl;

// One top-level key of the dump. Adding a key is adding one entry to the
// table in Dump.cpp; keys appear in table order.
struct TDumpKey {
  const char* Name;
  TJson (*Build)(TSimulator& Sim);
};

TJson Dump(TSimulator& Sim);

// What `palette.parent` says for the palette's present parent: "host" in
// its IDE place; later parents (the add-in's group bar) add their case to
// the table in Dump.cpp; anything else is named by class and name.
TJson PaletteParentName(TSimulator& Sim);

// The palette area as text, a few lines ending in a line break.
std::string Render(TSimulator& Sim);

// The page control the palette sits in, when it sits in one: the add-in's
// group bar, found from the palette, so the host needs no word of the add-in.
TPageControl* PaletteBar(TTabControl* Palette);
