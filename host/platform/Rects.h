#pragma once

// Rectangle arithmetic the platform's drawing shares: clips, update parts
// and what a drawing reaches. A rectangle is empty when it has no pixel.

#include <algorithm>
#include <span>

#include "Windows.h"

inline bool IsEmpty(const TRect& R) {
  return R.Right <= R.Left || R.Bottom <= R.Top;
}

// The pixels both hold; an empty rectangle where they share none.
inline TRect Intersection(const TRect& A, const TRect& B) {
  TRect R{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
          std::min(A.Bottom, B.Bottom)};
  R.Right = std::max(R.Right, R.Left);
  R.Bottom = std::max(R.Bottom, R.Top);
  return R;
}

// The smallest rectangle that holds both.
inline TRect Bounds(const TRect& A, const TRect& B) {
  return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
          std::max(A.Bottom, B.Bottom)};
}

// Whether every pixel of Inner lies in Outer (an empty one lies anywhere).
inline bool Within(const TRect& Inner, const TRect& Outer) {
  return IsEmpty(Inner) || (Inner.Left >= Outer.Left && Inner.Top >= Outer.Top &&
                            Inner.Right <= Outer.Right && Inner.Bottom <= Outer.Bottom);
}

// The pixels of a line from (X1, Y1) to (X2, Y2), both ends included, as
// a pen of one pixel draws a horizontal or vertical one.
inline TRect LinePixels(int X1, int Y1, int X2, int Y2) {
  return {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2) + 1, std::max(Y1, Y2) + 1};
}

// The smallest rectangle whose edges pass through all the points (the
// points on its right and bottom edges lie outside it, as a polyline's box
// is given); empty for none.
inline TRect PointsBounds(std::span<const TPoint> Points) {
  if (Points.empty())
    return {};
  TRect R{Points[0].X, Points[0].Y, Points[0].X, Points[0].Y};
  for (const TPoint& P : Points)
    R = {std::min(R.Left, P.X), std::min(R.Top, P.Y), std::max(R.Right, P.X),
         std::max(R.Bottom, P.Y)};
  return R;
}

// Whether the rectangle has any pixel within Box.
inline bool Meets(const TRect& R, const TRect& Box) {
  return !IsEmpty(R) && R.Left < Box.Right && Box.Left < R.Right && R.Top < Box.Bottom &&
         Box.Top < R.Bottom;
}
