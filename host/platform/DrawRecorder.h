#pragma once

// What a device context keeps between calls (the objects selected, the
// colours, the origin and the clip) and what a recording one writes into
// its display list. Both backends' DCs hold one: the headless DC only
// records, the real one draws with gdi32 and records besides when it was
// made to record. Only the platform's own sources include this header.

#include <string_view>
#include <vector>

#include "DisplayList.h"
#include "Windows.h"
#include "WindowsGdi.h"

struct TDrawState {
  HFONT Font = nullptr;
  COLORREF TextColor = 0;
  COLORREF BkColor = 0xFFFFFF;
  int BkMode = OPAQUE;
  HBRUSH Brush = nullptr;
  HPEN Pen = nullptr;
  TPoint Origin;
  bool Clipped = false;
  TRect Clip;  // in device coordinates
};

class TDrawRecorder {
 public:
  TDisplayList* List = nullptr;
  TDrawState State;

  int Save();
  bool Restore(int SavedDC);
  // Narrows the clip to R, given in logical coordinates.
  int IntersectClip(const TRect& R);

  // Each takes logical coordinates and records in device ones; nothing is
  // recorded without a list.
  void Fill(const TRect& R, COLORREF Color);
  void Frame(const TRect& R, COLORREF Color);
  // A text with its top left at (X, Y), clipped to ClipRect when given.
  void Text(int X, int Y, const TRect* ClipRect, std::string_view Text, bool Opaque, UINT Format);
  void Polyline(const TPoint* Points, int Count);
  void Ellipse(const TRect& R);
  void Image(int X, int Y, const TImageNote& Note);

 private:
  TRect Device(const TRect& R) const;
  // The next item of the list with the clip in force; null without a list.
  TDisplayItem* Add(TDisplayItem::TKind Kind);
  std::vector<TDrawState> FSaved;
};
