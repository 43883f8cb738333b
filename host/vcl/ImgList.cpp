#include "ImgList.h"

#include "DescribedImages.h"

int TCustomImageList::AddImage(const std::string& Description) {
  FImages.push_back(Description);
  return Count() - 1;
}

const std::string& TCustomImageList::ImageDescription(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FImages[static_cast<std::size_t>(Index)];
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  // Drawing an index the list does not hold draws nothing, as the VCL does.
  if (Index < 0 || Index >= Count())
    return;
  // A recording keeps which image went where; the picture follows.
  Canvas->NoteImage(X, Y, Index, Enabled, FWidth, FHeight, ImageDescription(Index));
  DrawListImage(Canvas, {X, Y, X + FWidth, Y + FHeight}, ImageDescription(Index), Enabled);
}

// Defined here, so that the class's table of virtual functions is made
// once, in the host library, not again in every module that uses the class.
TCustomImageList::~TCustomImageList() = default;
TImageList::~TImageList() = default;
