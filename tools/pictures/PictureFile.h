#pragma once

// Writes a TPicture as a file through cairo: SVG, PNG or PDF by the file
// name's extension. Text is drawn in a real font (Liberation Sans, from
// Debian's fonts-liberation), stretched to the box the host's metrics gave
// it, and an SVG holds it as glyph outlines, so every viewer shows the same
// picture.

#include <stdexcept>
#include <string>

#include "Picture.h"
#include "SnapshotFormats.h"

class EPictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The formats WritePicture writes, as the extensions it takes: ".svg",
// ".png", ".pdf"; an empty string when Path has none of them.
std::string PictureFormat(const std::string& Path);

// Replaces the file at Path with the picture. EPictureError naming the file
// or the missing font when it cannot, or naming what to install in a build
// without cairo.
void WritePicture(const TPicture& Picture, const std::string& Path);
