#pragma once

// What a recording DC has drawn, in order: the headless platform's picture
// of a paint. Tests read it; the text renderer and the picture writer turn
// it into pictures. Places are the device's (the DC's origin applied), and
// each item carries the clip in force. Colours are kept as the drawing code
// gave them (system colours unresolved), so that a test can compare them
// with the constants.

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "Windows.h"

struct TDisplayItem {
  // An image is a note of what an image list drew (its picture is drawn
  // besides, with the other kinds).
  enum TKind {
    dkFillRect,
    dkFrameRect,
    dkText,
    dkImage,
    dkSaveDC,
    dkRestoreDC,
    dkPolyline,
    dkEllipse,
    // What a later paint of its place took back, as it drew the place
    // anew: it draws nothing.
    dkTakenBack
  };
  TKind Kind = dkFillRect;
  // The filled or framed area, an ellipse's box; for text the clip
  // ExtTextOut was given (or the whole plane).
  TRect Rect;
  // The DC's clip when Clipped.
  bool Clipped = false;
  TRect Clip;
  int X = 0, Y = 0;
  std::uint32_t Color = 0;    // fill, frame, text or pen colour
  std::uint32_t BkColor = 0;  // text background when Opaque, an ellipse's fill
  bool Opaque = false;
  std::vector<TPoint> Points;  // a polyline's
  int PenWidth = 1;
  UINT Format = 0;  // DrawTextA's format flags; 0 for the canvas's own text
  TFontDesc Font;
  std::string Text;  // the text drawn; for an image, what the image shows
  int ImageIndex = -1;
  bool Enabled = true;
  int ImageWidth = 0, ImageHeight = 0;
  friend bool operator==(const TDisplayItem&, const TDisplayItem&) = default;
};

class TDisplayList {
 public:
  // A new item of the kind at the end, filled in where it stays: a paint
  // records hundreds, and an item is large. A window's list is cleared at
  // each paint and filled again with much the same items, so the items of
  // the last paint are kept and blanked for reuse, texts and points keeping
  // their room, rather than destroyed and made anew.
  TDisplayItem& Add(TDisplayItem::TKind Kind) {
    if (FCount < FItems.size()) {
      TDisplayItem& Item = FItems[FCount++];
      Blank(Item);
      Item.Kind = Kind;
      return Item;
    }
    TDisplayItem& Item = FItems.emplace_back();
    ++FCount;
    Item.Kind = Kind;
    return Item;
  }
  void Clear() { FCount = 0; }
  // Marks the items that Drop holds for as taken back (dkTakenBack): they
  // keep their places, as moving the rest down costs more than a paint.
  template <typename TPredicate>
  void TakeBackIf(TPredicate Drop) {
    for (std::size_t i = 0; i < FCount; ++i)
      if (FItems[i].Kind != TDisplayItem::dkTakenBack && Drop(std::as_const(FItems[i])))
        FItems[i].Kind = TDisplayItem::dkTakenBack;
  }
  // Takes back each save of the DC and its restore that have nothing left
  // between them.
  void TakeBackEmptySaves() {
    FOpenSaves.clear();
    for (std::size_t i = 0; i < FCount; ++i) {
      TDisplayItem& I = FItems[i];
      if (I.Kind == TDisplayItem::dkSaveDC) {
        FOpenSaves.push_back({i, false});
      } else if (I.Kind == TDisplayItem::dkRestoreDC && !FOpenSaves.empty()) {
        const auto [Save, Drew] = FOpenSaves.back();
        FOpenSaves.pop_back();
        if (!Drew)
          FItems[Save].Kind = I.Kind = TDisplayItem::dkTakenBack;
        else if (!FOpenSaves.empty())
          FOpenSaves.back().second = true;
      } else if (I.Kind != TDisplayItem::dkTakenBack && !FOpenSaves.empty()) {
        FOpenSaves.back().second = true;
      }
    }
  }
  std::span<const TDisplayItem> Items() const { return {FItems.data(), FCount}; }
  int Count() const { return static_cast<int>(FCount); }

 private:
  // An item as a new one is, its texts and points keeping their room. Only
  // a text records a font (the recorder's Text), so no other kind has one
  // to give back.
  static void Blank(TDisplayItem& I) {
    if (I.Kind == TDisplayItem::dkText || I.Kind == TDisplayItem::dkTakenBack)
      I.Font = TFontDesc{};
    I.Rect = {};
    I.Clipped = false;
    I.Clip = {};
    I.X = I.Y = 0;
    I.Color = I.BkColor = 0;
    I.Opaque = false;
    I.Points.clear();
    I.PenWidth = 1;
    I.Format = 0;
    I.Text.clear();
    I.ImageIndex = -1;
    I.Enabled = true;
    I.ImageWidth = I.ImageHeight = 0;
  }

  std::vector<TDisplayItem> FItems;
  std::size_t FCount = 0;  // of FItems, those recorded since the last Clear
  // TakeBackEmptySaves's saves not yet restored: the item, and whether
  // anything is drawn after it.
  std::vector<std::pair<std::size_t, bool>> FOpenSaves;
};
