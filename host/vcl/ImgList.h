#pragma once

// Delphi's ImgList unit: a list of equally sized images. The substitute keeps
// a name for each image (what it shows) and draws a small picture of that,
// after a note of the image's index that a recording DC keeps.

#include <string>
#include <vector>

#include "Graphics.h"

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}
  ~TCustomImageList() override;

  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Count() const { return static_cast<int>(FImages.size()); }
  // Adds an image described by a short name ("green tick"); returns its index.
  int AddImage(const std::string& Description);
  const std::string& ImageDescription(int Index) const;

  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);

 private:
  int FWidth = 16, FHeight = 16;
  std::vector<std::string> FImages;
};

class TImageList : public TCustomImageList {
 public:
  explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
  ~TImageList() override;
};
