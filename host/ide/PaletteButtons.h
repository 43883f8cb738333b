#pragma once

// The IDE's component palette: a tab control of pages that shows the
// components of the page the IDE loaded last as a row of buttons below its
// tabs, each with a glyph of its own, and scroll arrows at the ends when
// the row is longer than the palette is wide. The palette paints the
// buttons itself after its window has drawn the tabs.

#include <functional>
#include <string>
#include <vector>

#include "ComCtrls.h"

// What a glyph shows of a component: the initials of the words of its class
// name without the T ("TMainMenu" is "MM", "TADOConnection" "AC"), at most
// two letters.
std::string ComponentInitials(const std::string& ClassName);

class TIdePalette : public TTabControl {
 public:
  // Components answers the components of the page shown.
  using TComponentsOfPage = std::function<std::vector<std::string>()>;
  TIdePalette(TComponent* AOwner, TComponentsOfPage Components);

 protected:
  bool PaintsItself() const override { return true; }
  void PaintWindow(HDC DC) override;
  // A page chosen on the palette has been loaded once its change is
  // handled: the palette draws that page's buttons. The window marks only
  // the tabs it changed, and whoever loaded the page may have marked
  // whatever window the palette's handle held meanwhile.
  void Change() override;

 private:
  void DrawButtons(TCanvas* Canvas, const std::vector<std::string>& Components);
  TComponentsOfPage FComponents;
};
