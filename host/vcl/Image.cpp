#include "Image.h"

#include <algorithm>

#include "DescribedImages.h"

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
  if (FPicture.empty())
    return;
  // A stretched picture fills the control; otherwise it keeps its own size,
  // cut at the control's edges. Only the picture's description is known: a
  // small picture of what it names, or, for anything else, a framed box
  // that names it.
  const int W = FStretch ? Width() : std::min(Width(), FPictureWidth);
  const int H = FStretch ? Height() : std::min(Height(), FPictureHeight);
  if (DrawDescribedPicture(FCanvas.get(), {0, 0, W, H}, FPicture))
    return;
  if (!FTransparent) {
    FCanvas->Brush()->SetColor(clWindow);
    FCanvas->FillRect({0, 0, W, H});
  }
  FCanvas->Brush()->SetColor(clGray);
  FCanvas->FrameRect({0, 0, W, H});
  FCanvas->Font()->SetName("Small Fonts");
  FCanvas->Font()->SetSize(5);
  FCanvas->Font()->SetStyle({});
  FCanvas->Font()->SetColor(clGray);
  FCanvas->Brush()->SetStyle(bsClear);
  FCanvas->TextOut(2, 1, FPicture);
}
