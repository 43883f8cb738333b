#include "Image.h"

#include <algorithm>

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
  Destroying();
}

void TImage::SetPicture(const std::string& Description, int PictureWidth, int PictureHeight) {
  FPicture = Description;
  FPictureWidth = PictureWidth;
  FPictureHeight = PictureHeight;
  Invalidate();
}

void TImage::SetStretch(bool Value) {
  FStretch = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  FTransparent = Value;
  Invalidate();
}

void TImage::Paint() {
  FCanvas->DisplayList().Clear();
  if (FPicture.empty())
    return;
  // A stretched picture fills the control; otherwise it keeps its own size,
  // cut at the control's edges.
  const int W = FStretch ? Width() : std::min(Width(), FPictureWidth);
  const int H = FStretch ? Height() : std::min(Height(), FPictureHeight);
  FCanvas->TextRect({0, 0, W, H}, 0, 0, FPicture);
}
