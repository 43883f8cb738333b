#pragma once

// The picture of the open settings dialog for `snapshot FILE` inside a
// dialog block: the window with its frame and title bar at the size of the
// form, and every control on the screen where it lies, in its present state.

#include "Picture.h"

class TCustomForm;

// The picture; the form's client area starts at DialogClientOrigin().
TPicture DialogSnapshot(TCustomForm* Form);

struct TDialogOrigin {
  int X, Y;
};
// Where the client area's top-left corner lies in the picture: inside the
// dialog frame and below the title bar.
TDialogOrigin DialogClientOrigin();
