#pragma once

// The host's images know only what they show ("a clock", "green tick"):
// the image list and TImage draw them as small pictures of that, in the 16
// colours of the period's glyphs, with the canvas's pens and brushes.

#include <string>

#include "Graphics.h"

// An image list's image in R: a prohibition sign, a tick, a hand over a
// bar (red or yellow), or a plain framed square; greyed when disabled.
void DrawListImage(TCanvas* Canvas, const TRect& R, const std::string& Description, bool Enabled);

// A picture in R: a clock, letters with a pencil, rows of tabs. False,
// drawing nothing, for anything else or a rectangle too small for it.
bool DrawDescribedPicture(TCanvas* Canvas, const TRect& R, const std::string& Description);
