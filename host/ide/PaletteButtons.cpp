#include "PaletteButtons.h"

#include <algorithm>
#include <cctype>

#include "ScopeExit.h"
#include "TextMetrics.h"

namespace {

bool Upper(char C) {
  return std::isupper(static_cast<unsigned char>(C)) != 0;
}

bool Lower(char C) {
  return std::islower(static_cast<unsigned char>(C)) != 0;
}

// The colours of a 16-colour glyph; each component takes one by its name,
// so that neighbours differ and a component looks the same everywhere.
constexpr TColor kGlyphColors[] = {clNavy, clTeal, clMaroon, clGreen, clPurple, clOlive, clBlue};

TColor GlyphColor(const std::string& Name) {
  unsigned Sum = 0;
  for (char C : Name)
    Sum = Sum * 31 + static_cast<unsigned char>(C);
  return kGlyphColors[Sum % std::size(kGlyphColors)];
}

// The drawing steps of the buttons, on the palette's canvas.
void Fill(TCanvas* C, const TRect& R, TColor Color) {
  C->Brush()->SetColor(Color);
  C->FillRect(R);
}

// A generic component glyph in Square: a white card with a coloured band
// along its top and the initials below it, framed in dark grey.
void Glyph(TCanvas* C, const TRect& Square, const std::string& Name) {
  const TColor Color = GlyphColor(Name);
  Fill(C, Square, clWhite);
  Fill(C, {Square.Left, Square.Top, Square.Right, Square.Top + 4}, Color);
  C->Brush()->SetColor(clGray);
  C->FrameRect(Square);
  const TFontDesc Font{"MS Sans Serif", 7, true};
  std::string Text = ComponentInitials(Name);
  const int Room = Square.Width() - 2;
  while (Text.size() > 1 && FontTextWidth(Font, Text) > Room)
    Text.pop_back();
  const int TW = FontTextWidth(Font, Text), TH = FontMetrics(Font).tmHeight;
  if (Text.empty() || TW > Room || TH > Square.Height() - 5)
    return;
  const int Below = Square.Top + 4;
  C->Font()->SetName(Font.Name);
  C->Font()->SetSize(Font.Size);
  C->Font()->SetStyle({fsBold});
  C->Font()->SetColor(Color);
  C->Brush()->SetStyle(bsClear);
  C->TextOut(Square.Left + (Square.Width() - TW) / 2, Below + (Square.Bottom - Below - TH) / 2,
             Text);
}

// A raised button with a small triangle pointing left or right (grey when
// disabled), as at the ends of a row that scrolls.
void ArrowButton(TCanvas* C, const TRect& R, bool Left, bool Enabled) {
  Fill(C, R, clBtnFace);
  C->DrawEdge(R, EDGE_RAISED, BF_RECT);
  C->Brush()->SetColor(Enabled ? clBtnText : clGrayText);
  const int CX = (R.Left + R.Right - 1) / 2, CY = (R.Top + R.Bottom - 1) / 2;
  // A triangle four pixels wide (seven high at its base), centred.
  for (int i = 0; i < 4; ++i) {
    if (Left)
      C->FillRect({CX - 2 + i, CY - i, CX - 1 + i, CY + i + 1});
    else
      C->FillRect({CX - 1 + i, CY - 3 + i, CX + i, CY + 4 - i});
  }
}

}  // namespace

std::string ComponentInitials(const std::string& ClassName) {
  const std::string Name = ClassName.size() > 1 && ClassName[0] == 'T' && Upper(ClassName[1])
                               ? ClassName.substr(1)
                               : ClassName;
  std::string Out;
  for (std::size_t i = 0; i < Name.size() && Out.size() < 2; ++i) {
    const char C = Name[i];
    if (!std::isalnum(static_cast<unsigned char>(C)))
      continue;
    // A word begins at the start, after a small letter, and where a capital
    // is followed by a small letter ("ADOConnection": A, then C).
    const bool Starts = Out.empty() ? true
                                    : Upper(C) && ((i > 0 && Lower(Name[i - 1])) ||
                                                   (i + 1 < Name.size() && Lower(Name[i + 1]) &&
                                                    i > 0 && Upper(Name[i - 1])));
    if (Starts)
      Out += static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
  }
  return Out;
}

TIdePalette::TIdePalette(TComponent* AOwner, TComponentsOfPage Components)
    : TTabControl(AOwner), FComponents(std::move(Components)) {}

void TIdePalette::Change() {
  TTabControl::Change();
  Invalidate();
}

void TIdePalette::PaintWindow(HDC DC) {
  // The window draws the tabs; the buttons go over its client area.
  TTabControl::PaintWindow(DC);
  const std::vector<std::string> Components =
      FComponents ? FComponents() : std::vector<std::string>();
  if (Components.empty())
    return;
  TCanvas Canvas;
  const int Saved = SaveDC(DC);
  ScopeExit GiveBack([&] {
    Canvas.SetHandle(nullptr);
    RestoreDC(DC, Saved);
  });
  Canvas.SetHandle(DC);
  DrawButtons(&Canvas, Components);
}

void TIdePalette::DrawButtons(TCanvas* Canvas, const std::vector<std::string>& Components) {
  const TTabLayout L = TabControlLayout(Handle());
  const int Top = (L.Rows.empty() ? 0 : 2 + static_cast<int>(L.Rows.size()) * L.TabHeight) + 3;
  const TRect Area{4, Top, Width() - 4, Height() - 3};
  // Buttons of 28 pixels square, as the IDE's, or as high as the palette
  // has room for.
  const int Size = std::min(28, Area.Height());
  if (Size < 12)
    return;
  const int Count = static_cast<int>(Components.size());
  const bool Scrolls = Count * Size > Area.Width();
  constexpr int kArrow = 12;
  const TRect Row{Area.Left + (Scrolls ? kArrow : 0), Area.Top, Area.Right - (Scrolls ? kArrow : 0),
                  Area.Top + Size};
  // The first buttons are shown; the arrows scroll the row.
  const int Saved = SaveDC(Canvas->Handle());
  Canvas->IntersectClip(Row);
  for (int i = 0; i < Count && Row.Left + i * Size < Row.Right; ++i) {
    const TRect B{Row.Left + i * Size, Row.Top, Row.Left + (i + 1) * Size, Row.Bottom};
    // Flat buttons, as the palette's are until the mouse is over them.
    Fill(Canvas, B, clBtnFace);
    const int Inset = 3;
    Glyph(Canvas, {B.Left + Inset, B.Top + Inset, B.Right - Inset, B.Bottom - Inset},
          Components[static_cast<std::size_t>(i)]);
  }
  RestoreDC(Canvas->Handle(), Saved);
  if (Scrolls) {
    ArrowButton(Canvas, {Area.Left, Row.Top, Row.Left, Row.Bottom}, true, false);
    ArrowButton(Canvas, {Row.Right, Row.Top, Area.Right, Row.Bottom}, false, true);
  }
}
