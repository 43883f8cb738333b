#include "TextMetrics.h"

#include <array>

namespace {

// Widths of MS Sans Serif 8 pt, regular, for the printable ASCII bytes 0x20
// to 0x7E. Cyrillic letters take the width of a capital or small Latin letter
// of similar shape: 7 for capitals, 5 for small ones.
constexpr std::array<int, 95> kAscii8 = {
    // space ! " # $ % & ' ( ) * + , - . /
    3, 3, 4, 6, 6, 8, 7, 2, 3, 3, 4, 6, 3, 3, 3, 3,
    // 0-9
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6,
    // : ; < = > ? @
    3, 3, 6, 6, 6, 6, 11,
    // A-Z
    7, 7, 8, 8, 7, 6, 8, 8, 2, 5, 7, 6, 8, 8, 8, 7, 8, 8, 7, 6, 8, 7, 10, 7, 7, 7,
    // [ \ ] ^ _ `
    3, 3, 3, 5, 6, 3,
    // a-z
    5, 6, 5, 6, 5, 3, 6, 6, 2, 2, 5, 2, 8, 6, 6, 6, 6, 3, 5, 3, 6, 5, 8, 5, 5, 5,
    // { | } ~
    3, 2, 3, 6};

constexpr int CharWidth8(unsigned char C) {
  if (C >= 0x20 && C <= 0x7E)
    return kAscii8[C - 0x20];
  if (C >= 0xC0 && C <= 0xDF)
    return 7;
  if (C >= 0xE0)
    return 5;
  if (C == 0xA8)
    return 7;
  if (C == 0xB8)
    return 5;
  return C < 0x20 ? 0 : 6;
}

bool IsSystemFont(const TFontDesc& Font) {
  return Font.Name == "System";
}

}  // namespace

int FontTextWidth(const TFontDesc& Font, std::string_view Text) {
  // Every tab of a palette of thousands is measured when the palette is
  // laid out: the font is told once per text, and each byte's width, bold
  // or not, is one look-up.
  using TWidths = std::array<unsigned char, 256>;
  static constexpr auto Table = [](int Bold, int System) {
    TWidths W{};
    for (int C = 0; C < 256; ++C) {
      const int Width = C < 0x20     ? 0
                        : System > 0 ? 7
                                     : CharWidth8(static_cast<unsigned char>(C)) + Bold;
      W[static_cast<std::size_t>(C)] = static_cast<unsigned char>(Width);
    }
    return W;
  };
  static constexpr TWidths Regular = Table(0, 0), Bold = Table(1, 0), System = Table(0, 1);
  const bool IsSystem = IsSystemFont(Font);
  const TWidths& Widths = IsSystem ? System : Font.Bold ? Bold : Regular;
  int Width8 = 0;
  for (char Ch : Text)
    Width8 += Widths[static_cast<unsigned char>(Ch)];
  if (IsSystem || Font.Size == 8)
    return Width8;
  return (Width8 * Font.Size + 4) / 8;
}

TEXTMETRIC FontMetrics(const TFontDesc& Font) {
  TEXTMETRIC M;
  if (IsSystemFont(Font)) {
    M.tmHeight = 16;
    M.tmAscent = 13;
    M.tmAveCharWidth = 7;
    M.tmMaxCharWidth = 14;
  } else {
    // 8 pt is 11 pixels of character height plus 2 of internal leading.
    const int Pixels = (Font.Size * 96 + 36) / 72;
    M.tmHeight = Pixels + 2;
    M.tmAscent = (M.tmHeight * 11 + 6) / 13;
    M.tmAveCharWidth = (5 * Font.Size + 4) / 8 + (Font.Bold ? 1 : 0);
    M.tmMaxCharWidth = (11 * Font.Size + 4) / 8 + (Font.Bold ? 1 : 0);
  }
  M.tmDescent = M.tmHeight - M.tmAscent;
  return M;
}
