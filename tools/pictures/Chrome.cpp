#include "Chrome.h"

#include <algorithm>

void DrawEdge(TPicture& P, const TRect& R, TColor OuterLit, TColor OuterShade, TColor InnerLit,
              TColor InnerShade) {
  P.Line(R.Left, R.Top, R.Right - 2, R.Top, OuterLit);
  P.Line(R.Left, R.Top, R.Left, R.Bottom - 2, OuterLit);
  P.Line(R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1, OuterShade);
  P.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1, OuterShade);
  P.Line(R.Left + 1, R.Top + 1, R.Right - 3, R.Top + 1, InnerLit);
  P.Line(R.Left + 1, R.Top + 1, R.Left + 1, R.Bottom - 3, InnerLit);
  P.Line(R.Left + 1, R.Bottom - 2, R.Right - 2, R.Bottom - 2, InnerShade);
  P.Line(R.Right - 2, R.Top + 1, R.Right - 2, R.Bottom - 2, InnerShade);
}

void DrawRaisedFace(TPicture& P, const TRect& R) {
  P.FillRect(R, clBtnFace);
  DrawEdge(P, R, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow);
}

void DrawArrowButton(TPicture& P, const TRect& R, TArrow Arrow, bool Enabled) {
  DrawRaisedFace(P, R);
  const TColor Ink = Enabled ? clBtnText : clGrayText;
  const int CX = (R.Left + R.Right - 1) / 2, CY = (R.Top + R.Bottom - 1) / 2;
  // A triangle four pixels high (seven wide at its base), centred.
  for (int i = 0; i < 4; ++i) {
    switch (Arrow) {
      case TArrow::Up:
        P.Line(CX - i, CY - 2 + i, CX + i, CY - 2 + i, Ink);
        break;
      case TArrow::Down:
        P.Line(CX - 3 + i, CY - 1 + i, CX + 3 - i, CY - 1 + i, Ink);
        break;
      case TArrow::Left:
        P.Line(CX - 2 + i, CY - i, CX - 2 + i, CY + i, Ink);
        break;
      case TArrow::Right:
        P.Line(CX - 1 + i, CY - 3 + i, CX - 1 + i, CY + 3 - i, Ink);
        break;
    }
  }
}

void DrawVerticalScrollBar(TPicture& P, const TRect& R, int First, int Shown, int Count) {
  const int W = R.Width();
  const TRect Up{R.Left, R.Top, R.Right, R.Top + W};
  const TRect Down{R.Left, R.Bottom - W, R.Right, R.Bottom};
  // The track: Windows dithers the face and highlight colours, which looks
  // from a step back like the grey between them.
  const TRect Track{R.Left, Up.Bottom, R.Right, Down.Top};
  P.FillRect(Track, static_cast<TColor>(0xE0E0E0));
  const bool Scrolls = Count > Shown && Shown > 0;
  DrawArrowButton(P, Up, TArrow::Up, Scrolls && First > 0);
  DrawArrowButton(P, Down, TArrow::Down, Scrolls && First + Shown < Count);
  if (!Scrolls || Track.Height() < 8)
    return;
  const int Size = std::max(8, Track.Height() * Shown / Count);
  const int Top = Track.Top + (Track.Height() - Size) * First / std::max(1, Count - Shown);
  DrawRaisedFace(P, {R.Left, Top, R.Right, Top + Size});
}
