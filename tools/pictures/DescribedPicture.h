#pragma once

// The host's images know only what their picture shows ("a clock"); for the
// pictures of the dialog they are drawn as small pictures of that, in the
// 16 colours of the period's glyphs.

#include <string>

#include "Picture.h"

// Draws what Description names, fitted into R: "a clock", "two letters and
// a pencil", "rows of tabs". False, drawing nothing, for anything else.
bool DrawDescribedPicture(TPicture& P, const TRect& R, const std::string& Description);
