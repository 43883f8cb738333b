#include "DescribedImages.h"

#include <algorithm>

namespace {

bool Names(const std::string& Description, const char* What) {
  return Description.find(What) != std::string::npos;
}

// The drawing steps the pictures are made of, on the canvas, which gets its
// font, brush and pen back afterwards: an image is drawn in the middle of
// its owner's drawing.
class TInk {
 public:
  explicit TInk(TCanvas* Canvas) : C(Canvas) {
    FFont.Assign(*C->Font());
    FBrush.Assign(*C->Brush());
    FPenColor = C->Pen()->Color();
    FPenWidth = C->Pen()->Width();
  }
  ~TInk() {
    C->Font()->Assign(FFont);
    C->Brush()->Assign(FBrush);
    C->Pen()->SetColor(FPenColor);
    C->Pen()->SetWidth(FPenWidth);
  }
  TInk(const TInk&) = delete;
  TInk& operator=(const TInk&) = delete;
  void Fill(const TRect& R, TColor Color) {
    C->Brush()->SetColor(Color);
    C->FillRect(R);
  }
  void Frame(const TRect& R, TColor Color) {
    C->Brush()->SetColor(Color);
    C->FrameRect(R);
  }
  // The pixels from (X1, Y1) to (X2, Y2), both ends included.
  void Line(int X1, int Y1, int X2, int Y2, TColor Color) {
    Fill({std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2) + 1, std::max(Y1, Y2) + 1}, Color);
  }
  void Polyline(const std::vector<TPoint>& Points, TColor Color, int Width) {
    C->Pen()->SetColor(Color);
    C->Pen()->SetWidth(Width);
    C->Polyline(Points);
  }
  void Circle(int CX, int CY, int Radius, TColor Fill, TColor Stroke) {
    C->Brush()->SetColor(Fill);
    C->Pen()->SetColor(Stroke);
    C->Pen()->SetWidth(1);
    C->Ellipse({CX - Radius, CY - Radius, CX + Radius, CY + Radius});
  }
  void Text(int X, int Y, const std::string& Text, const TFontDesc& Font, TColor Color) {
    C->Font()->SetName(Font.Name);
    C->Font()->SetSize(Font.Size);
    C->Font()->SetStyle(Font.Bold ? TFontStyles{fsBold} : TFontStyles{});
    C->Font()->SetColor(Color);
    C->Brush()->SetStyle(bsClear);
    C->TextOut(X, Y, Text);
  }

 private:
  TCanvas* C;
  TFont FFont;
  TBrush FBrush;
  TColor FPenColor;
  int FPenWidth;
};

// A round white face with hour marks, and the two hands at ten past ten.
void Clock(TInk& P, const TRect& R) {
  const int Radius = (std::min(R.Width(), R.Height()) - 1) / 2;
  const int CX = R.Left + R.Width() / 2, CY = R.Top + R.Height() / 2;
  P.Circle(CX, CY, Radius, clWhite, clBlack);
  for (const auto& [DX, DY] : {std::pair{0, -1}, {1, 0}, {0, 1}, {-1, 0}}) {
    const int X = CX + DX * (Radius - 2), Y = CY + DY * (Radius - 2);
    P.Fill({X - (DX == 0 ? 0 : 1), Y - (DY == 0 ? 0 : 1), X + 1, Y + 1}, clNavy);
  }
  P.Polyline({{CX, CY}, {CX - Radius / 2, CY - Radius / 3}}, clBlack, 2);
  P.Polyline({{CX, CY}, {CX + Radius * 2 / 3, CY - Radius / 2}}, clBlack, 1);
  P.Fill({CX - 1, CY - 1, CX + 1, CY + 1}, clRed);
}

// A capital and a small letter with a pencil across their corner.
void LettersAndPencil(TInk& P, const TRect& R) {
  P.Text(R.Left + 1, R.Top + 1, "Aa", {"MS Sans Serif", 10, true}, clNavy);
  // The pencil: a yellow body with a dark tip, from the lower right
  // towards the letters.
  const TPoint Tip{R.Left + R.Width() / 2, R.Bottom - 4};
  const TPoint End{R.Right - 2, R.Top + R.Height() / 3};
  P.Polyline({Tip, End}, clOlive, 4);
  P.Polyline({Tip, End}, clYellow, 2);
  P.Polyline({{Tip.X - 1, Tip.Y + 1}, {Tip.X + 2, Tip.Y - 1}}, clBlack, 2);
  P.Fill({End.X - 1, End.Y - 2, End.X + 2, End.Y + 1}, clFuchsia);
}

// Two rows of small tabs, the front row offset as a multi-line tab
// control shows them.
void RowsOfTabs(TInk& P, const TRect& R) {
  const int TabW = std::max(6, (R.Width() - 4) / 3), TabH = std::max(4, (R.Height() - 4) / 3);
  for (int Row = 0; Row < 2; ++Row) {
    const int Top = R.Top + 1 + Row * TabH;
    for (int i = 0; i < 3; ++i) {
      const int Left = R.Left + 1 + (Row == 0 ? 2 : 0) + i * TabW;
      if (Left + TabW > R.Right)
        break;
      const TRect Tab{Left, Top, Left + TabW - 1, Top + TabH + 1};
      P.Fill(Tab, Row == 1 && i == 0 ? clWhite : clSilver);
      P.Line(Tab.Left, Tab.Top + 1, Tab.Left, Tab.Bottom - 1, clWhite);
      P.Line(Tab.Left + 1, Tab.Top, Tab.Right - 2, Tab.Top, clWhite);
      P.Line(Tab.Right - 1, Tab.Top + 1, Tab.Right - 1, Tab.Bottom - 1, clGray);
    }
  }
  // The page below the rows.
  const TRect Page{R.Left + 1, R.Top + 1 + 2 * TabH + 1, R.Right - 1, R.Bottom - 1};
  P.Fill(Page, clSilver);
  P.Line(Page.Left, Page.Top, Page.Right - 1, Page.Top, clWhite);
  P.Line(Page.Left, Page.Top, Page.Left, Page.Bottom - 1, clWhite);
  P.Line(Page.Right - 1, Page.Top, Page.Right - 1, Page.Bottom - 1, clGray);
  P.Line(Page.Left, Page.Bottom - 1, Page.Right - 1, Page.Bottom - 1, clGray);
}

}  // namespace

void DrawListImage(TCanvas* Canvas, const TRect& R, const std::string& What, bool Enabled) {
  TInk P(Canvas);
  const auto Ink = [Enabled](TColor C) { return Enabled ? C : clGray; };
  const int W = R.Width(), H = R.Height();
  if (Names(What, "prohibition")) {
    const int CX = R.Left + W / 2, CY = R.Top + H / 2, Radius = std::min(W, H) / 2 - 2;
    P.Circle(CX, CY, Radius, clWhite, Ink(clRed));
    P.Polyline(
        {{CX - Radius / 2 - 1, CY - Radius / 2 - 1}, {CX + Radius / 2 + 1, CY + Radius / 2 + 1}},
        Ink(clRed), 2);
  } else if (Names(What, "tick")) {
    P.Polyline(
        {{R.Left + 3, R.Top + H / 2}, {R.Left + W / 2 - 1, R.Bottom - 4}, {R.Right - 3, R.Top + 3}},
        Ink(clGreen), 3);
  } else if (Names(What, "hand")) {
    // A hand over a bar: the hand's colour says which way it moves a page.
    P.Fill({R.Left + 1, R.Bottom - 4, R.Right - 1, R.Bottom - 1}, Ink(clAqua));
    P.Frame({R.Left + 1, R.Bottom - 4, R.Right - 1, R.Bottom - 1}, Ink(clTeal));
    const TRect Hand{R.Left + W / 4, R.Top + 2, R.Right - W / 4, R.Bottom - 6};
    P.Fill(Hand, Ink(Names(What, "red") ? clRed : clYellow));
    P.Frame(Hand, Ink(clMaroon));
  } else {
    P.Fill(R, clSilver);
    P.Frame(R, clGray);
  }
}

bool DrawDescribedPicture(TCanvas* Canvas, const TRect& R, const std::string& Description) {
  if (R.Width() < 8 || R.Height() < 8)
    return false;
  TInk P(Canvas);
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
