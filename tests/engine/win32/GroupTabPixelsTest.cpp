#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "WindowCapture.h"

// The group bar on a real form: the tab control asks its parent to draw
// each tab (WM_DRAWITEM), the parent hands it back to the group bar, whose
// canvas draws on the DC Windows lent, through the add-in's handler. The
// form's captured pixels show the caption in the configured colour, and in
// the shadow style every tab but the selected one shaded instead.

namespace {

constexpr COLORREF kCaption = 0x00C000;  // green, in no theme's tabs

struct TTabPixels {
  int Caption = 0;    // pixels in the caption's colour
  COLORREF Fill = 0;  // the commonest colour: the tab's background
};

class GroupTabPixels : public EngineTest {
 protected:
  // The tabs of the group bar as the captured form shows them, the
  // selected one first.
  std::vector<TTabPixels> Capture(bool Shadow) {
    WriteTimer("PagesSort", Stored({kAlpha, kBeta, kGamma}));
    WritePages(kAlpha, {"Standard", "Data Access"});
    WritePages(kBeta, {"System"});
    WritePages(kGamma, {"Samples", "Win32"});
    WriteTimer("PagesShadow", Shadow ? "1" : "0");
    WriteTimer("PagesGroupColorFont", IntToStr(static_cast<int>(kCaption)));
    MakeIde();
    ShowIde();
    Load();
    App->ProcessMessages();
    TPageControl* Bar = Inspect().GroupBar();
    EXPECT_TRUE(IsWindowVisible(Bar->Handle()));
    const TWindowPixels P = CaptureWindow(Ide->Handle());
    // The bar's place in the form's client area, and the client area's in
    // the captured window with its frame and menu bar.
    TRect Frame{0, 0, 0, 0};
    AdjustWindowRectEx(Frame, GetWindowStyle(Ide->Handle()), GetMenu(Ide->Handle()) != nullptr, 0);
    int X = -Frame.Left, Y = -Frame.Top;
    for (TControl* C = Bar; C != Ide && C != nullptr; C = C->Parent()) {
      X += C->Left();
      Y += C->Top();
    }
    std::vector<TTabPixels> Tabs;
    const int Selected = Bar->TabIndex();
    for (int i = 0; i < Bar->Tabs()->Count(); ++i) {
      TRect R = Bar->TabRect(i);
      std::map<COLORREF, int> Seen;
      for (int Py = std::max(Y + R.Top, 0); Py < std::min(Y + R.Bottom, P.Height); ++Py)
        for (int Px = std::max(X + R.Left, 0); Px < std::min(X + R.Right, P.Width); ++Px)
          ++Seen[P.At(Px, Py)];
      TTabPixels T;
      T.Caption = Seen[kCaption];
      int Most = 0;
      for (const auto& [Colour, Count] : Seen)
        if (Count > Most)
          Most = Count, T.Fill = Colour;
      Tabs.insert(i == Selected ? Tabs.begin() : Tabs.end(), T);
    }
    Unload();
    delete Ide;
    Ide = nullptr;
    return Tabs;
  }
};

TEST_F(GroupTabPixels, TheCaptionsColourAndTheShadowAreInTheFormsPixels) {
  ASSERT_TRUE(WindowCaptureAvailable());
  const std::vector<TTabPixels> Plain = Capture(false);
  const std::vector<TTabPixels> Shaded = Capture(true);
  ASSERT_EQ(Plain.size(), 4u);
  ASSERT_EQ(Shaded.size(), Plain.size());
  for (std::size_t i = 0; i < Plain.size(); ++i) {
    SCOPED_TRACE(i == 0 ? "the selected tab" : "tab " + std::to_string(i));
    // Plain: every caption in the configured colour on the bar's own fill.
    EXPECT_GT(Plain[i].Caption, 10);
    EXPECT_EQ(Plain[i].Fill, Plain[0].Fill);
    if (i == 0) {
      // The selected tab is drawn the same in both styles.
      EXPECT_GT(Shaded[i].Caption, 10);
      EXPECT_EQ(Shaded[i].Fill, Plain[i].Fill);
    } else {
      // Shaded: the inactive caption's colours instead, on a fill of their
      // own, the same on every inactive tab.
      EXPECT_EQ(Shaded[i].Caption, 0);
      EXPECT_NE(Shaded[i].Fill, Plain[i].Fill);
      EXPECT_EQ(Shaded[i].Fill, Shaded[1].Fill);
    }
  }
}

}  // namespace
