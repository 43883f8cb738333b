#pragma once

// The tab controls' tests, on every platform and on the headless one alone,
// put their controls on a shown form.

#include <algorithm>
#include <string>
#include <vector>

#include "ApplicationTest.h"
#include "ComCtrls.h"
#include "Graphics.h"

class TabControls : public ApplicationTest {
 protected:
  void SetUp() override {
    ApplicationTest::SetUp();
    Form = ShownForm();
  }
  TPageControl* NewPages(const std::vector<std::string>& Captions) {
    auto* Pages = new TPageControl(Form);
    Pages->SetParent(Form);
    for (const std::string& C : Captions) {
      auto* Sheet = new TTabSheet(Pages);
      Sheet->SetCaption(C);
      Sheet->SetPageControl(Pages);
    }
    return Pages;
  }
  TForm* Form = nullptr;
};

// What an owner-drawn tab control asked its OnDrawTab handler to draw.
struct TDrawCall {
  int Index;
  TRect Rect;
  bool Active;
  TFontDesc Font;
  TColor FontColor;
  TColor BrushColor;
  std::string Caption;
};

struct TDrawProbe : TObject {
  std::vector<TDrawCall> Calls;
  void Draw(TCustomTabControl* Control, int Index, const TRect& R, bool Active) {
    TCanvas* C = Control->Canvas();
    Calls.push_back({Index, R, Active, C->Font()->Desc(), C->Font()->Color(), C->Brush()->Color(),
                     Control->Tabs()->Strings(Index)});
    // A handler that leaves its canvas changed must not affect the next tab.
    C->Font()->SetStyle({fsBold});
    C->Font()->SetColor(clRed);
    C->Brush()->SetColor(clYellow);
    C->TextOut(R.Left, R.Top, Control->Tabs()->Strings(Index));
  }
  // The calls by tab: the common controls draw the selected tab last.
  std::vector<TDrawCall> ByTab() const {
    std::vector<TDrawCall> Sorted = Calls;
    std::stable_sort(Sorted.begin(), Sorted.end(),
                     [](const TDrawCall& A, const TDrawCall& B) { return A.Index < B.Index; });
    return Sorted;
  }
};
