#pragma once

// The picture of the open settings dialog for `snapshot FILE` inside a
// dialog block: the window as it painted itself, its frame and title bar
// around the form's client area, and every window on the screen below it.

#include "Picture.h"

class TCustomForm;

// The picture; the form's client area starts at DialogClientOrigin(Form).
TPicture DialogSnapshot(TCustomForm* Form);

struct TDialogOrigin {
  int X, Y;
};
// Where the client area's top-left corner lies in the picture: inside the
// dialog frame and below the title bar.
TDialogOrigin DialogClientOrigin(TCustomForm* Form);
