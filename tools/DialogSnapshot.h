#pragma once

// The picture of the open settings dialog for `snapshot FILE.svg` inside a
// dialog block: the window with its frame and title bar at the size of the
// form, and every control on the screen where it lies, in its present state.

#include <string>

class TCustomForm;

// The SVG document; the form's client area starts at DialogClientOrigin().
std::string DialogSnapshot(TCustomForm* Form);

struct TDialogOrigin {
  int X, Y;
};
// Where the client area's top-left corner lies in the picture: inside the
// dialog frame and below the title bar.
TDialogOrigin DialogClientOrigin();
