#pragma once

// TImage of Delphi's ExtCtrls unit: a picture on its parent. The substitute
// keeps what the picture shows as a short description and its size in
// pixels, and paints a small picture of what the description names.

#include <string>

#include "Controls.h"

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  // What the picture shows ("a clock") and its own size.
  const std::string& Picture() const { return FPicture; }
  void SetPicture(const std::string& Description, int PictureWidth, int PictureHeight);
  int PictureWidth() const { return FPictureWidth; }
  int PictureHeight() const { return FPictureHeight; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

 protected:
  void Paint() override;

 private:
  std::string FPicture;
  int FPictureWidth = 0, FPictureHeight = 0;
  bool FStretch = false;
  bool FTransparent = false;
};
