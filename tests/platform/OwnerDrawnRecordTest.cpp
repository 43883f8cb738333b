#include <gtest/gtest.h>

#include <vector>

#include "DisplayList.h"
#include "OwnerDrawnTabs.h"

// A printed owner-drawn tab control is what its procedure drew, in the
// display list of the recording DC it was given: the real platform keeps
// the text its owner draws there as the headless one does.

namespace {

TEST(OwnerDrawnRecord, EachTabIsPaintedByTheProcedureIntoTheDisplayList) {
  TOwnerDrawnTabs Tabs(true);
  TDisplayList List;
  const HDC DC = CreateRecordingDC(&List, nullptr);
  ASSERT_EQ(PrintWindow(Tabs.Wnd, DC, 0), 1);
  Tabs.CheckDrawn();
  // The shadow, one pixel right and down, and the caption over it, both in
  // the control's font: the same calls that draw pixels on the real one.
  // The tabs' edges around them are the window class's own drawing.
  std::vector<TDisplayItem> Texts;
  for (const TDisplayItem& I : List.Items())
    if (I.Kind == TDisplayItem::dkText)
      Texts.push_back(I);
  ASSERT_EQ(Texts.size(), 2 * Tabs.Drawn.size());
  for (std::size_t i = 0; i < Tabs.Drawn.size(); ++i) {
    const DRAWITEMSTRUCT& Item = Tabs.Drawn[i];
    SCOPED_TRACE(Item.itemID);
    const TDisplayItem& Shadow = Texts[2 * i];
    const TDisplayItem& Caption = Texts[2 * i + 1];
    EXPECT_EQ(Caption.Text, Tabs.Captions[Item.itemID]);
    EXPECT_EQ(Shadow.Text, Caption.Text);
    EXPECT_EQ(Shadow.Color, TOwnerDrawnTabs::kShadow);
    EXPECT_EQ(Caption.Color, Item.itemID == TOwnerDrawnTabs::kSelectedTab
                                 ? TOwnerDrawnTabs::kSelected
                                 : TOwnerDrawnTabs::kCaption);
    EXPECT_FALSE(Caption.Opaque);
    EXPECT_EQ(Caption.Rect, Item.rcItem);
    EXPECT_EQ(Caption.Font, Tabs.Font.Desc);
    EXPECT_EQ(Shadow.X, Caption.X + 1);
    EXPECT_EQ(Shadow.Y, Caption.Y + 1);
  }
  // The DC has its own font back after the paint.
  EXPECT_EQ(SelectObject(DC, nullptr), SystemFont());
  DeleteDC(DC);
}

}  // namespace
