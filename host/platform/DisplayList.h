#pragma once

// What a canvas has drawn, in order: the substitute's picture of a paint.
// Tests read it; the text renderer and the SVG writer turn it into pictures.
// Colours are kept as the host colour values the drawing code used (system
// colours unresolved), so that a test can compare them with the constants.

#include <cstdint>
#include <string>
#include <vector>

#include "Windows.h"

struct TDisplayItem {
  static TDisplayItem Of(int Kind) {
    TDisplayItem Item;
    Item.Kind = static_cast<TKind>(Kind);
    return Item;
  }
  enum TKind { dkFillRect, dkFrameRect, dkText, dkImage, dkSaveDC, dkRestoreDC };
  TKind Kind = dkFillRect;
  TRect Rect;  // the filled or framed area; for text and images the clip
  int X = 0, Y = 0;
  std::uint32_t Color = 0;    // fill, frame or text colour
  std::uint32_t BkColor = 0;  // text background when Opaque
  bool Opaque = false;
  UINT Format = 0;  // DrawTextA's format flags; 0 for the canvas's own text
  TFontDesc Font;
  std::string Text;  // the text drawn; for an image, what the image shows
  int ImageIndex = -1;
  bool Enabled = true;
  int ImageWidth = 0, ImageHeight = 0;
};

class TDisplayList {
 public:
  void Add(const TDisplayItem& Item) { FItems.push_back(Item); }
  void Clear() { FItems.clear(); }
  const std::vector<TDisplayItem>& Items() const { return FItems; }
  int Count() const { return static_cast<int>(FItems.size()); }

 private:
  std::vector<TDisplayItem> FItems;
};
