#include "DialogSnapshot.h"

#include "Forms.h"
#include "WindowPainter.h"

TDialogOrigin DialogClientOrigin(TCustomForm* Form) {
  const TRect Bounds = WindowPictureBounds(Form->Handle());
  return {-Bounds.Left, -Bounds.Top};
}

TPicture DialogSnapshot(TCustomForm* Form) {
  // Paint what is waiting to be painted, so that every window's recording
  // shows the present state.
  if (Application != nullptr)
    Application->ProcessMessages();
  const TRect Bounds = WindowPictureBounds(Form->Handle());
  TPicture Pic(Bounds.Width(), Bounds.Height());
  TWindowPainter(Pic).Paint(Form->Handle(), -Bounds.Left, -Bounds.Top);
  return Pic;
}
