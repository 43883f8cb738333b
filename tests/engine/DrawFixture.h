#pragma once

// A group bar whose owner-drawn tabs are read back from a recording of a
// paint, and a spy on the expert's tab drawing handler. The headless
// platform records each window's paints; the real one draws on the screen,
// so there the bar prints itself into a recording DC, which keeps what the
// VCL draws on the DC that the common controls hand to the owner.

#include <algorithm>
#include <memory>
#include <ostream>

#include "CommCtrl.h"
#include "EngineFixture.h"
#include "ImgList.h"
#include "TextMetrics.h"
#include "WindowCapture.h"
#include "WindowDrawing.h"

inline void PrintTo(const TRect& R, std::ostream* Os) {
  *Os << "{" << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << "}";
}

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
    // The recording of the paint under way holds what is drawn.
    const TDisplayList* Drawn = Printed != nullptr ? Printed : WindowDrawing(Bar->Handle());
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
  // The recording DC's list while the bar prints itself into it.
  const TDisplayList* Printed = nullptr;
  TDrawTabEvent Inner;
  std::vector<TTabDraw> Calls;
};

constexpr std::uint32_t Bits(TColor C) {
  return static_cast<std::uint32_t>(C);
}

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

  // Paints the group bar once, the way the application does, where the
  // platform keeps the paint's recording, or else prints it into a recording
  // DC: the tabs the handler was called for, with what each drew.
  std::vector<TTabDraw> Paint() {
    Spy.Calls.clear();
    if (WindowCaptureAvailable()) {
      TDisplayList List;
      const HDC DC = CreateRecordingDC(&List, nullptr);
      Spy.Printed = &List;
      EXPECT_EQ(PrintWindow(Bar()->Handle(), DC, 0), 1);
      Spy.Printed = nullptr;
      DeleteDC(DC);
      // The common controls draw the selected tab last, over its neighbours;
      // the tests look at the tabs in their order.
      std::stable_sort(
          Spy.Calls.begin(), Spy.Calls.end(),
          [](const TTabDraw& A, const TTabDraw& B) { return A.TabIndex < B.TabIndex; });
      return Spy.Calls;
    }
    const int Paints = Bar()->PaintCount();
    Bar()->Invalidate();
    App->ProcessMessages();
    EXPECT_EQ(Bar()->PaintCount(), Paints + 1);
    return Spy.Calls;
  }

  TDrawTabSpy Spy;
  std::unique_ptr<TImageList> Images;
};
