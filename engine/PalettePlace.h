#pragma once

// Where the IDE keeps its palette: the palette and the two panels around it,
// their alignment, bounds and height constraints, and the palette's line
// and font settings. Taken before the expert touches anything, so that a
// construction that fails can give the IDE its palette back exactly as it
// was: the start-up may already have sized the panels for the group bar.

#include <array>

#include "ComCtrls.h"

class TPalettePlace {
 public:
  // Palette may be nullptr (the IDE has none): nothing is kept or put back.
  explicit TPalettePlace(TTabControl* Palette) : FPalette(Palette) {
    TControl* C = Palette;
    for (TSaved& S : FSaved) {
      S.Control = C;
      if (C == nullptr)
        continue;
      S.Align = C->Align();
      S.Bounds = C->BoundsRect();
      S.MinHeight = C->Constraints()->MinHeight();
      S.MaxHeight = C->Constraints()->MaxHeight();
      C = C->Parent();
    }
    if (Palette != nullptr) {
      FMultiLine = Palette->MultiLine();
      FParentFont = Palette->ParentFont();
    }
  }

  // The outer panel first: the inner ones are laid out inside it.
  void Restore() const {
    for (auto S = FSaved.rbegin(); S != FSaved.rend(); ++S) {
      if (S->Control == nullptr)
        continue;
      S->Control->SetAlign(S->Align);
      S->Control->Constraints()->SetMaxHeight(0);
      S->Control->Constraints()->SetMinHeight(S->MinHeight);
      S->Control->Constraints()->SetMaxHeight(S->MaxHeight);
      S->Control->SetBounds(S->Bounds.Left, S->Bounds.Top, S->Bounds.Right - S->Bounds.Left,
                            S->Bounds.Bottom - S->Bounds.Top);
    }
    if (FPalette != nullptr) {
      FPalette->SetMultiLine(FMultiLine);
      FPalette->SetParentFont(FParentFont);
    }
  }

 private:
  struct TSaved {
    TControl* Control = nullptr;
    TAlign Align = alNone;
    TRect Bounds;
    int MinHeight = 0, MaxHeight = 0;
  };
  TTabControl* FPalette;
  std::array<TSaved, 3> FSaved;
  bool FMultiLine = false;
  bool FParentFont = true;
};
