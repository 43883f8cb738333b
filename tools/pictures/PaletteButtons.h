#pragma once

// The IDE palette's row of component buttons, for the pictures: the host's
// tab control knows pages only, the IDE puts the loaded page's components
// on it as buttons, each with a glyph of its own, and scroll arrows at the
// ends when the row is longer than the palette is wide.

#include <string>
#include <vector>

#include "Picture.h"

class TCustomTabControl;

// What a glyph shows of a component: the initials of the words of its class
// name without the T ("TMainMenu" is "MM", "TADOConnection" "AC"), at most
// two letters.
std::string ComponentInitials(const std::string& ClassName);

// Draws the buttons in Palette's client area, in the palette's coordinates.
void DrawComponentButtons(TPicture& P, TCustomTabControl* Palette,
                          const std::vector<std::string>& Components);
