#include "DescribedPicture.h"

#include <algorithm>

namespace {

bool Names(const std::string& Description, const char* What) {
  return Description.find(What) != std::string::npos;
}

// A round white face with hour marks, and the two hands at ten past ten.
void Clock(TPicture& P, const TRect& R) {
  const int Radius = (std::min(R.Width(), R.Height()) - 1) / 2;
  const int CX = R.Left + R.Width() / 2, CY = R.Top + R.Height() / 2;
  P.Circle(CX, CY, Radius, clWhite, clBlack);
  for (const auto& [DX, DY] : {std::pair{0, -1}, {1, 0}, {0, 1}, {-1, 0}}) {
    const int X = CX + DX * (Radius - 2), Y = CY + DY * (Radius - 2);
    P.FillRect({X - (DX == 0 ? 0 : 1), Y - (DY == 0 ? 0 : 1), X + 1, Y + 1}, clNavy);
  }
  P.Polyline({{CX, CY}, {CX - Radius / 2, CY - Radius / 3}}, clBlack, 2);
  P.Polyline({{CX, CY}, {CX + Radius * 2 / 3, CY - Radius / 2}}, clBlack, 1);
  P.FillRect({CX - 1, CY - 1, CX + 1, CY + 1}, clRed);
}

// A capital and a small letter with a pencil across their corner.
void LettersAndPencil(TPicture& P, const TRect& R) {
  const TFontDesc Font{"MS Sans Serif", 10, true};
  P.Text(R.Left + 1, R.Top + 1, "Aa", {Font, false}, clNavy);
  // The pencil: a yellow body with a dark tip, from the lower right
  // towards the letters.
  const TPoint Tip{R.Left + R.Width() / 2, R.Bottom - 4};
  const TPoint End{R.Right - 2, R.Top + R.Height() / 3};
  P.Polyline({Tip, End}, clOlive, 4);
  P.Polyline({Tip, End}, clYellow, 2);
  P.Polyline({{Tip.X - 1, Tip.Y + 1}, {Tip.X + 2, Tip.Y - 1}}, clBlack, 2);
  P.FillRect({End.X - 1, End.Y - 2, End.X + 2, End.Y + 1}, clFuchsia);
}

// Two rows of small tabs, the front row offset as a multi-line tab
// control shows them.
void RowsOfTabs(TPicture& P, const TRect& R) {
  const int TabW = std::max(6, (R.Width() - 4) / 3), TabH = std::max(4, (R.Height() - 4) / 3);
  for (int Row = 0; Row < 2; ++Row) {
    const int Top = R.Top + 1 + Row * TabH;
    for (int i = 0; i < 3; ++i) {
      const int Left = R.Left + 1 + (Row == 0 ? 2 : 0) + i * TabW;
      if (Left + TabW > R.Right)
        break;
      const TRect Tab{Left, Top, Left + TabW - 1, Top + TabH + 1};
      P.FillRect(Tab, Row == 1 && i == 0 ? clWhite : clSilver);
      P.Line(Tab.Left, Tab.Top + 1, Tab.Left, Tab.Bottom - 1, clWhite);
      P.Line(Tab.Left + 1, Tab.Top, Tab.Right - 2, Tab.Top, clWhite);
      P.Line(Tab.Right - 1, Tab.Top + 1, Tab.Right - 1, Tab.Bottom - 1, clGray);
    }
  }
  // The page below the rows.
  const TRect Page{R.Left + 1, R.Top + 1 + 2 * TabH + 1, R.Right - 1, R.Bottom - 1};
  P.FillRect(Page, clSilver);
  P.Line(Page.Left, Page.Top, Page.Right - 1, Page.Top, clWhite);
  P.Line(Page.Left, Page.Top, Page.Left, Page.Bottom - 1, clWhite);
  P.Line(Page.Right - 1, Page.Top, Page.Right - 1, Page.Bottom - 1, clGray);
  P.Line(Page.Left, Page.Bottom - 1, Page.Right - 1, Page.Bottom - 1, clGray);
}

}  // namespace

bool DrawDescribedPicture(TPicture& P, const TRect& R, const std::string& Description) {
  if (R.Width() < 8 || R.Height() < 8)
    return false;
  if (Names(Description, "clock"))
    Clock(P, R);
  else if (Names(Description, "letters"))
    LettersAndPencil(P, R);
  else if (Names(Description, "tabs"))
    RowsOfTabs(P, R);
  else
    return false;
  return true;
}
