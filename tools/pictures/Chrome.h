#pragma once

// What Windows 95 to 2000 draw themselves around a control's contents, for
// the pictures: raised edges, arrow buttons and scroll bars.

#include "Picture.h"

// Windows' two-pixel 3-D edge around R: an outer and an inner ring, each
// lit on the top and left and shaded on the bottom and right.
void DrawEdge(TPicture& P, const TRect& R, TColor OuterLit, TColor OuterShade, TColor InnerLit,
              TColor InnerShade);
// A raised button face over all of R.
void DrawRaisedFace(TPicture& P, const TRect& R);

enum class TArrow { Up, Down, Left, Right };

// A raised button with a small black triangle pointing the arrow's way
// (grey when disabled), as on scroll bars and combo boxes.
void DrawArrowButton(TPicture& P, const TRect& R, TArrow Arrow, bool Enabled);

// The width of a vertical scroll bar (SM_CXVSCROLL).
constexpr int kScrollBarWidth = 16;

// A vertical scroll bar over R for a list of Count rows that shows Shown of
// them from First: the two arrow buttons, the dotted track and the thumb,
// whose size and place tell which part of the list is shown.
void DrawVerticalScrollBar(TPicture& P, const TRect& R, int First, int Shown, int Count);
