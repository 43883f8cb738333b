#pragma once

// Deterministic text metrics: one table of character heights and widths per
// font, so that tab widths, row counts and minimum heights come out the same
// on every machine. The figures follow MS Sans Serif at 96 pixels per inch,
// scaled for other sizes; the system font has fixed figures of its own.

#include <string>
#include <string_view>

#include "Windows.h"

int FontTextWidth(const TFontDesc& Font, std::string_view Text);
TEXTMETRIC FontMetrics(const TFontDesc& Font);
