#include "PaletteButtons.h"

#include <algorithm>
#include <cctype>

#include "Chrome.h"
#include "ComCtrls.h"
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

// A generic component glyph in Square: a white card with a coloured band
// along its top and the initials below it, framed in dark grey.
void Glyph(TPicture& P, const TRect& Square, const std::string& Name) {
  const TColor Color = GlyphColor(Name);
  P.FillRect(Square, clWhite);
  P.FillRect({Square.Left, Square.Top, Square.Right, Square.Top + 4}, Color);
  P.FrameRect(Square, clGray);
  const TFontDesc Font{"MS Sans Serif", 7, true};
  std::string Text = ComponentInitials(Name);
  const int Room = Square.Width() - 2;
  while (Text.size() > 1 && FontTextWidth(Font, Text) > Room)
    Text.pop_back();
  const int TW = FontTextWidth(Font, Text), TH = FontMetrics(Font).tmHeight;
  if (Text.empty() || TW > Room || TH > Square.Height() - 5)
    return;
  const int Below = Square.Top + 4;
  P.Text(Square.Left + (Square.Width() - TW) / 2, Below + (Square.Bottom - Below - TH) / 2, Text,
         {Font, false}, Color);
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

void DrawComponentButtons(TPicture& P, TCustomTabControl* Palette,
                          const std::vector<std::string>& Components) {
  if (Components.empty() || !Palette->HandleAllocated())
    return;
  const TTabLayout L = TabControlLayout(Palette->Handle());
  const int Top = (L.Rows.empty() ? 0 : 2 + static_cast<int>(L.Rows.size()) * L.TabHeight) + 3;
  const TRect Area{4, Top, Palette->Width() - 4, Palette->Height() - 3};
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
  P.BeginClip(Row);
  for (int i = 0; i < Count && Row.Left + i * Size < Row.Right; ++i) {
    const TRect B{Row.Left + i * Size, Row.Top, Row.Left + (i + 1) * Size, Row.Bottom};
    // Flat buttons, as the palette's are until the mouse is over them.
    P.FillRect(B, clBtnFace);
    const int Inset = 3;
    Glyph(P, {B.Left + Inset, B.Top + Inset, B.Right - Inset, B.Bottom - Inset},
          Components[static_cast<std::size_t>(i)]);
  }
  P.End();
  if (Scrolls) {
    DrawArrowButton(P, {Area.Left, Row.Top, Row.Left, Row.Bottom}, TArrow::Left, false);
    DrawArrowButton(P, {Row.Right, Row.Top, Area.Right, Row.Bottom}, TArrow::Right, true);
  }
}
