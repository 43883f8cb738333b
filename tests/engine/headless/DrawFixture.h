#pragma once

// A group bar whose owner-drawn tabs are read back from what its window
// recorded during a paint, and a spy on the expert's tab drawing handler.

#include <memory>
#include <ostream>

#include "CommCtrl.h"
#include "EngineFixture.h"
#include "ImgList.h"
#include "TextMetrics.h"
#include "WindowDrawing.h"

inline void PrintTo(const TRect& R, std::ostream* Os) {
  *Os << "{" << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << "}";
}

namespace {

// One call of the group bar's OnDrawTab as the host made it, with the canvas
// state it started from and what the call drew on the paint's DC.
struct TTabDraw {
  int TabIndex = -1;
  TRect Rect;
  bool Active = false;
  TFontDesc Font;
  TColor FontColor = 0;
  TFontStyles FontStyle;
  TColor BrushColor = 0;
  std::vector<TDisplayItem> Items;

  int Count(TDisplayItem::TKind Kind) const {
    int N = 0;
    for (const auto& I : Items)
      N += I.Kind == Kind ? 1 : 0;
    return N;
  }
  const TDisplayItem* Find(TDisplayItem::TKind Kind) const {
    for (const auto& I : Items)
      if (I.Kind == Kind)
        return &I;
    return nullptr;
  }
};

// Sits between the host and the expert's handler: notes every call and, after
// the expert has drawn, leaves the canvas in a state the expert never makes,
// so that anything the host fails to reset shows in the next call.
class TDrawTabSpy : public TObject {
 public:
  void Install(TPageControl* ABar) {
    Bar = ABar;
    Inner = Bar->OnDrawTab();
    Bar->SetOnDrawTab(TDrawTabEvent::Of<&TDrawTabSpy::DrawTab>(this));
  }
  void DrawTab(TCustomTabControl* Control, int TabIndex, const TRect& Rect, bool Active) {
    TCanvas* C = Bar->Canvas();
    TTabDraw D;
    D.TabIndex = TabIndex;
    D.Rect = Rect;
    D.Active = Active;
    D.Font = C->Font()->Desc();
    D.FontColor = C->Font()->Color();
    D.FontStyle = C->Font()->Style();
    D.BrushColor = C->Brush()->Color();
    // The window's recording of the paint under way holds what is drawn.
    const TDisplayList* Drawn = WindowDrawing(Bar->Handle());
    const std::size_t Before = Drawn != nullptr ? Drawn->Items().size() : 0;
    Inner(Control, TabIndex, Rect, Active);
    if (Drawn != nullptr)
      D.Items.assign(Drawn->Items().begin() + static_cast<std::ptrdiff_t>(Before),
                     Drawn->Items().end());
    Calls.push_back(D);
    C->Font()->SetColor(clLime);
    C->Font()->SetStyle(TFontStyles{}.Include(fsItalic).Include(fsBold));
    C->Font()->SetSize(14);
    C->Brush()->SetColor(clFuchsia);
  }

  TPageControl* Bar = nullptr;
  TDrawTabEvent Inner;
  std::vector<TTabDraw> Calls;
};

constexpr std::uint32_t Bits(TColor C) {
  return static_cast<std::uint32_t>(C);
}

}  // namespace

class DrawTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    MakeIde();
    WriteTimer("PagesSort", Stored({kAlpha, kBeta, kGamma}));
    WritePages(kAlpha, {"Standard", "Data Access"});
    WritePages(kBeta, {"System"});
    WritePages(kGamma, {"Samples", "Win32"});
  }
  void TearDown() override {
    if (Expert != nullptr)
      Bar()->SetImages(nullptr);
    EngineTest::TearDown();
  }

  // Loads the expert with the options as the store holds them.
  void Start(bool Shadow, bool BoldFont, bool OwnerDraw = true) {
    WriteTimer("PagesShadow", Shadow ? "1" : "0");
    WriteTimer("PagesGroupWidthFull", BoldFont ? "1" : "0");
    WriteTimer("PagesDraw", OwnerDraw ? "1" : "0");
    WriteTimer("PagesGroupColorFont", IntToStr(clMaroon));
    ShowIde();
    Load();
    ASSERT_EQ(GroupTabs(), (std::vector<std::string>{kAlpha, kBeta, kGamma, kUngrouped}));
    Spy.Install(Bar());
  }

  TPageControl* Bar() const { return Inspect().GroupBar(); }
  TTabSheet* Sheet(const std::string& Caption) const {
    for (int i = 0; i < Bar()->PageCount(); ++i)
      if (Bar()->Pages(i)->Caption() == Caption)
        return Bar()->Pages(i);
    ADD_FAILURE() << "no group sheet " << Caption;
    return nullptr;
  }

  // Paints the group bar once, the way the application does: the tabs the
  // handler was called for, with what each drew.
  std::vector<TTabDraw> Paint() {
    Spy.Calls.clear();
    const int Paints = Bar()->PaintCount();
    Bar()->Invalidate();
    App->ProcessMessages();
    EXPECT_EQ(Bar()->PaintCount(), Paints + 1);
    return Spy.Calls;
  }

  TDrawTabSpy Spy;
  std::unique_ptr<TImageList> Images;
};
