// The group bar's owner-drawn tabs, read back from what the group bar's window
// recorded during a paint: colours, bold, the caption's place, the images, and
// what the host's tab painting hands to the expert's handler.

#include <memory>
#include <ostream>

#include "CommCtrl.h"
#include "EngineFixture.h"
#include "ImgList.h"
#include "TextMetrics.h"
#include "WindowDrawing.h"

static void PrintTo(const TRect& R, std::ostream* Os) {
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

// Fill, caption colour and bold of every tab, for both styles, with a
// disabled group among the active or the inactive tabs.
struct TStyleCase {
  const char* Name;
  bool Shadow;
  std::string Active;    // the selected group
  std::string Disabled;  // a group whose sheet is disabled, or ""
};
static void PrintTo(const TStyleCase& C, std::ostream* Os) {
  *Os << C.Name;
}

class DrawStyleTest : public DrawTest, public ::testing::WithParamInterface<TStyleCase> {};

TEST_P(DrawStyleTest, EveryTabIsFilledAndWrittenInItsStyle) {
  const TStyleCase& C = GetParam();
  Start(C.Shadow, false);
  ClickGroup(C.Active);
  if (!C.Disabled.empty())
    Sheet(C.Disabled)->SetEnabled(false);
  const TFontStyles BarStyle = Bar()->Font()->Style();

  const auto Tabs = Paint();
  ASSERT_EQ(Tabs.size(), 4u);
  for (const auto& T : Tabs) {
    const std::string Caption = Bar()->Tabs()->Get(T.TabIndex);
    SCOPED_TRACE(T.TabIndex);
    const bool Grey = Caption == C.Disabled;
    const bool Shaded = C.Shadow && !T.Active;
    EXPECT_EQ(T.Active, Caption == C.Active);

    ASSERT_EQ(T.Count(TDisplayItem::dkFillRect), 1);
    ASSERT_EQ(T.Count(TDisplayItem::dkText), 1);
    ASSERT_EQ(T.Items.front().Kind, TDisplayItem::dkFillRect);
    const TDisplayItem& Fill = *T.Find(TDisplayItem::dkFillRect);
    const TDisplayItem& Text = *T.Find(TDisplayItem::dkText);
    EXPECT_EQ(Fill.Rect, T.Rect);
    EXPECT_EQ(Fill.Color, Bits(Shaded ? clInactiveCaption : Bar()->Brush()->Color()));
    EXPECT_EQ(Text.Text, Caption);
    EXPECT_EQ(Text.Color, Bits(Shaded ? clInactiveCaptionText
                               : Grey ? clGrayText
                                      : Bar()->Font()->Color()));
    // The caption is written on the tab's own background.
    EXPECT_EQ(Text.BkColor, Fill.Color);
    EXPECT_TRUE(Text.Opaque);
    EXPECT_EQ(Text.Font.Bold, T.Active);
    EXPECT_EQ(Text.Font.Name, Bar()->Font()->Name());
    EXPECT_EQ(Text.Font.Size, Bar()->Font()->Size());
  }
  // The drawing changes the canvas, never the group bar's font.
  EXPECT_EQ(Bar()->Font()->Color(), clMaroon);
  EXPECT_EQ(Bar()->Font()->Style(), BarStyle);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, DrawStyleTest,
    ::testing::Values(TStyleCase{"Plain", false, kAlpha, ""},
                      TStyleCase{"Shadow", true, kAlpha, ""},
                      TStyleCase{"PlainSelectedLater", false, kGamma, ""},
                      TStyleCase{"ShadowSelectedLater", true, kGamma, ""},
                      TStyleCase{"PlainDisabledActive", false, kBeta, kBeta},
                      TStyleCase{"ShadowDisabledActive", true, kBeta, kBeta},
                      TStyleCase{"PlainDisabledInactive", false, kAlpha, kGamma},
                      TStyleCase{"ShadowDisabledInactive", true, kAlpha, kGamma}),
    [](const ::testing::TestParamInfo<TStyleCase>& Info) { return std::string(Info.param.Name); });

// Where the caption and the image go, with a regular or a bold group bar
// font, with and without an image list.
struct TPlaceCase {
  const char* Name;
  bool Bold;
  bool WithImages;
};
static void PrintTo(const TPlaceCase& C, std::ostream* Os) {
  *Os << C.Name;
}

class DrawPlaceTest : public DrawTest, public ::testing::WithParamInterface<TPlaceCase> {};

TEST_P(DrawPlaceTest, CaptionAndImageSitAtTheirInsets) {
  const TPlaceCase& C = GetParam();
  Start(true, C.Bold);
  EXPECT_EQ(Bar()->Font()->Style().Contains(fsBold), C.Bold);
  // Every sheet's image index, by tab: none, an image, an image on a
  // disabled page, and an index the list does not hold.
  const std::vector<int> ImageOf = {1, -1, 0, 5};
  if (C.WithImages) {
    Images = std::make_unique<TImageList>(nullptr);
    Images->SetWidth(20);
    Images->SetHeight(14);
    Images->AddImage("red");
    Images->AddImage("green");
    Bar()->SetImages(Images.get());
  }
  for (int i = 0; i < Bar()->PageCount(); ++i)
    Bar()->Pages(i)->SetImageIndex(ImageOf[static_cast<std::size_t>(i)]);
  Sheet(kGamma)->SetEnabled(false);
  const int Inset = C.Bold ? 6 : 2;

  const auto Tabs = Paint();
  ASSERT_EQ(Tabs.size(), 4u);
  for (const auto& T : Tabs) {
    SCOPED_TRACE(T.TabIndex);
    const int Image = ImageOf[static_cast<std::size_t>(T.TabIndex)];
    const bool Drawn = C.WithImages && Image >= 0;
    const TDisplayItem* Text = T.Find(TDisplayItem::dkText);
    ASSERT_NE(Text, nullptr);

    std::vector<TDisplayItem::TKind> Kinds;
    for (const auto& I : T.Items)
      Kinds.push_back(I.Kind);
    if (!Drawn) {
      EXPECT_EQ(Kinds, (std::vector{TDisplayItem::dkFillRect, TDisplayItem::dkText}));
    } else if (Image < Images->Count()) {
      // The image list notes the image, then draws its picture (a face and
      // a frame), inside the saved state.
      EXPECT_EQ(Kinds, (std::vector{TDisplayItem::dkFillRect, TDisplayItem::dkSaveDC,
                                    TDisplayItem::dkImage, TDisplayItem::dkFillRect,
                                    TDisplayItem::dkFrameRect, TDisplayItem::dkRestoreDC,
                                    TDisplayItem::dkText}));
      const TDisplayItem& Img = *T.Find(TDisplayItem::dkImage);
      EXPECT_EQ(Img.ImageIndex, Image);
      EXPECT_EQ(Img.X, T.Rect.Left + 4);
      EXPECT_EQ(Img.Y, T.Rect.Top + 2);
      EXPECT_EQ(Img.Enabled, Bar()->Tabs()->Get(T.TabIndex) != kGamma);
    } else {
      // The list draws nothing for an index it does not hold; the caption
      // still makes room for the image the tab asked for.
      EXPECT_EQ(Kinds, (std::vector{TDisplayItem::dkFillRect, TDisplayItem::dkSaveDC,
                                    TDisplayItem::dkRestoreDC, TDisplayItem::dkText}));
    }

    const int Shift = Drawn ? 20 + 4 : 0;
    EXPECT_EQ(Text->Rect, (TRect{T.Rect.Left + Shift + Inset, T.Rect.Top + 2, T.Rect.Right - Inset,
                                 T.Rect.Bottom - 2}));
    // One line, left-aligned at the top of the clip, clipped to it.
    EXPECT_EQ(Text->Format, DT_SINGLELINE);
    EXPECT_EQ(Text->X, Text->Rect.Left);
    EXPECT_EQ(Text->Y, Text->Rect.Top);

    // The host sizes every tab with the group bar's font, so with a bold
    // font each tab holds its caption in bold between the two insets.
    const std::string Caption = Bar()->Tabs()->Get(T.TabIndex);
    EXPECT_EQ(T.Rect.Width(), TabItemWidth(Bar()->Font()->Desc(), Caption));
    if (C.Bold) {
      TFontDesc BoldFont = Bar()->Font()->Desc();
      BoldFont.Bold = true;
      EXPECT_LE(FontTextWidth(BoldFont, Caption) + 2 * Inset, T.Rect.Width());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Places, DrawPlaceTest,
                         ::testing::Values(TPlaceCase{"Regular", false, false},
                                           TPlaceCase{"Bold", true, false},
                                           TPlaceCase{"RegularWithImages", false, true},
                                           TPlaceCase{"BoldWithImages", true, true}),
                         [](const ::testing::TestParamInfo<TPlaceCase>& Info) {
                           return std::string(Info.param.Name);
                         });

TEST_F(DrawTest, AnEmptyCaptionIsFilledAndNothingIsWritten) {
  for (bool Shadow : {false, true}) {
    SCOPED_TRACE(Shadow ? "shadow" : "plain");
    Start(Shadow, false);
    Sheet(kBeta)->SetCaption("");
    ASSERT_EQ(Bar()->Tabs()->Get(1), "");
    const auto Tabs = Paint();
    ASSERT_EQ(Tabs.size(), 4u);
    EXPECT_EQ(Tabs[1].Count(TDisplayItem::dkFillRect), 1);
    EXPECT_EQ(Tabs[1].Count(TDisplayItem::dkText), 0);
    // The neighbours are written as ever.
    EXPECT_EQ(Tabs[0].Count(TDisplayItem::dkText), 1);
    EXPECT_EQ(Tabs[2].Count(TDisplayItem::dkText), 1);
    Unload();
    Spy.Calls.clear();
  }
}

TEST_F(DrawTest, WithoutOwnerDrawTheHostDrawsTheTabsItself) {
  Start(true, true, false);
  EXPECT_FALSE(Bar()->OwnerDraw());
  const auto Tabs = Paint();
  EXPECT_TRUE(Tabs.empty());
  // The host's own picture: a fill in the group bar's brush and the caption
  // in the group bar's font for every tab, the selected one included; none of
  // the shading, the bold for the selected tab or the insets of the expert.
  const TTabLayout L = TabControlLayout(Bar()->Handle());
  // Each caption follows its tab's fill; the edges are the window's own.
  const TDisplayList* Drawn = WindowDrawing(Bar()->Handle());
  ASSERT_NE(Drawn, nullptr);
  std::vector<std::size_t> Texts;
  for (std::size_t k = 1; k < Drawn->Items().size(); ++k)
    if (Drawn->Items()[k].Kind == TDisplayItem::dkText)
      Texts.push_back(k);
  ASSERT_EQ(Texts.size(), L.ItemRects.size());
  for (std::size_t i = 0; i < L.ItemRects.size(); ++i) {
    SCOPED_TRACE(i);
    const TDisplayItem& Fill = Drawn->Items()[Texts[i] - 1];
    const TDisplayItem& Text = Drawn->Items()[Texts[i]];
    EXPECT_EQ(Fill.Rect, L.ItemRects[i]);
    EXPECT_EQ(Fill.Kind, TDisplayItem::dkFillRect);
    EXPECT_EQ(Fill.Color, Bits(Bar()->Brush()->Color()));
    EXPECT_EQ(Text.Kind, TDisplayItem::dkText);
    EXPECT_EQ(Text.Color, Bits(clMaroon));
    EXPECT_EQ(Text.Font, Bar()->Font()->Desc());
    EXPECT_EQ(Text.X, L.ItemRects[i].Left + 6);
    EXPECT_EQ(Text.Format, 0u);
  }

  // Turning it on again brings the expert's drawing back.
  Bar()->SetOwnerDraw(true);
  EXPECT_EQ(Paint().size(), L.ItemRects.size());
}

TEST_F(DrawTest, TheHostCallsTheHandlerOncePerVisibleTabOnAFreshCanvas) {
  Start(false, true);
  // A hidden group before a disabled one: the tabs count visible sheets
  // only, and the disabled state must come from the tab's own sheet.
  Sheet(kBeta)->SetTabVisible(false);
  Sheet(kGamma)->SetEnabled(false);
  ASSERT_EQ(GroupTabs(), (std::vector<std::string>{kAlpha, kGamma, kUngrouped}));
  const TFontDesc BarFont = Bar()->Font()->Desc();
  const TFontStyles BarStyle = Bar()->Font()->Style();

  for (const std::string& Selected : {kAlpha, kUngrouped, kGamma}) {
    SCOPED_TRACE(Selected);
    ClickGroup(Selected);
    const auto Tabs = Paint();
    const TTabLayout L = TabControlLayout(Bar()->Handle());
    ASSERT_EQ(Tabs.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      const TTabDraw& T = Tabs[static_cast<std::size_t>(i)];
      SCOPED_TRACE(i);
      EXPECT_EQ(T.TabIndex, i);
      EXPECT_EQ(T.Rect, L.ItemRects[static_cast<std::size_t>(i)]);
      EXPECT_EQ(T.Rect, Bar()->TabRect(i));
      EXPECT_EQ(T.Active, i == Bar()->TabIndex());
      EXPECT_EQ(T.Active, Bar()->Tabs()->Get(i) == Selected);
      // What the previous tab did to the canvas is gone.
      EXPECT_EQ(T.Font, BarFont);
      EXPECT_EQ(T.FontColor, clMaroon);
      EXPECT_EQ(T.FontStyle, BarStyle);
      EXPECT_EQ(T.BrushColor, Bar()->Brush()->Color());

      const TDisplayItem* Text = T.Find(TDisplayItem::dkText);
      ASSERT_NE(Text, nullptr);
      EXPECT_EQ(Text->Text, Bar()->Tabs()->Get(i));
      EXPECT_EQ(Text->Color, Bits(Bar()->Tabs()->Get(i) == kGamma ? clGrayText : clMaroon));
      EXPECT_EQ(Text->Font.Bold, T.Active);
    }
    EXPECT_EQ(Bar()->Font()->Desc(), BarFont);
    EXPECT_EQ(Bar()->Font()->Color(), clMaroon);
    EXPECT_EQ(Bar()->Font()->Style(), BarStyle);
  }
}

TEST_F(DrawTest, SystemColoursAreTheBuildsOwnValues) {
  const std::uint32_t Base = HostVersion >= 7 ? 0xFF000000u : 0x80000000u;
  EXPECT_EQ(Bits(clGrayText), Base + 0x11u);
  EXPECT_EQ(Bits(clInactiveCaption), Base + 0x03u);
  EXPECT_EQ(Bits(clInactiveCaptionText), Base + 0x13u);

  // The values reach the picture unresolved.
  Start(true, false);
  Sheet(kAlpha)->SetEnabled(false);
  const auto Tabs = Paint();
  ASSERT_EQ(Tabs.size(), 4u);
  ASSERT_TRUE(Tabs[0].Active);
  EXPECT_EQ(Tabs[0].Find(TDisplayItem::dkText)->Color, Base + 0x11u);
  EXPECT_EQ(Tabs[1].Find(TDisplayItem::dkFillRect)->Color, Base + 0x03u);
  EXPECT_EQ(Tabs[1].Find(TDisplayItem::dkText)->Color, Base + 0x13u);
}
