// Where the caption and the image go, with a regular or a bold group bar
// font, with and without an image list, read back from what the group bar's
// window recorded during a paint.

#include "DrawFixture.h"

struct TPlaceCase {
  const char* Name;
  bool Bold;
  bool WithImages;
};
static void PrintTo(const TPlaceCase& C, std::ostream* Os) {
  *Os << C.Name;
}

class DrawPlaces : public DrawTest, public ::testing::WithParamInterface<TPlaceCase> {};

TEST_P(DrawPlaces, CaptionAndImageSitAtTheirInsets) {
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
  }
}

INSTANTIATE_TEST_SUITE_P(Places, DrawPlaces,
                         ::testing::Values(TPlaceCase{"Regular", false, false},
                                           TPlaceCase{"Bold", true, false},
                                           TPlaceCase{"RegularWithImages", false, true},
                                           TPlaceCase{"BoldWithImages", true, true}),
                         [](const ::testing::TestParamInfo<TPlaceCase>& Info) {
                           return std::string(Info.param.Name);
                         });
