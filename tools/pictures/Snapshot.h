#pragma once

// `snapshot FILE.svg|png|pdf`: a picture of what is on the screen. Outside a
// dialog block it is the IDE's palette area (the add-in's group bar above
// the palette while the add-in is loaded, the palette alone otherwise);
// inside one, the settings dialog that is open. `snapshot FILE.bmp` is the
// real window's pixels instead (the main form, or the open dialog), which
// only a build on the real platform has.

#include <string>

#include "Command.h"
#include "Picture.h"
#include "SnapshotFormats.h"

// The palette area of the main form: the form's full width, from its top to
// the bottom of the band that holds the palette. Raises ECommandError while
// the main form is not on the screen.
TPicture PaletteSnapshot(TSimulatorState& Sim);

void SnapshotCommand(TSimulatorState& Sim, const TArgs& A);
