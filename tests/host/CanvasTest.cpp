#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayList.h"
#include "Graphics.h"

namespace {

// The canvas selects its font, brush and pen into its DC only when one of
// them changed or the DC is another; each drawing must still have them as
// they are now, on the canvas's own DC and on one lent to it.
TEST(Canvas, EachDrawingHasTheFontBrushAndPenAsTheyAreNow) {
  TCanvas C;
  for (const bool Lent : {false, true}) {
    SCOPED_TRACE(Lent ? "lent DC" : "own DC");
    TDisplayList Other;
    const HDC DC = Lent ? CreateRecordingDC(&Other, nullptr) : nullptr;
    if (Lent)
      C.SetHandle(DC);
    const TDisplayList& L = Lent ? Other : C.DisplayList();
    const auto Last = [&L] { return L.Items().back(); };
    C.Font()->SetColor(clRed);
    C.TextOut(0, 0, "a");
    EXPECT_EQ(Last().Color, static_cast<COLORREF>(clRed));
    C.Font()->SetColor(clBlue);
    C.Font()->SetStyle(TFontStyles().Include(fsBold));
    C.TextOut(0, 0, "b");
    EXPECT_EQ(Last().Color, static_cast<COLORREF>(clBlue));
    EXPECT_TRUE(Last().Font.Bold);
    C.Brush()->SetColor(clYellow);
    C.FillRect(TRect{0, 0, 2, 2});
    EXPECT_EQ(Last().Color, static_cast<COLORREF>(clYellow));
    C.Brush()->SetColor(clLime);
    C.FrameRect(TRect{0, 0, 2, 2});
    EXPECT_EQ(Last().Color, static_cast<COLORREF>(clLime));
    C.TextOut(0, 0, "c");
    EXPECT_TRUE(Last().Opaque);
    EXPECT_EQ(Last().BkColor, static_cast<COLORREF>(clLime));
    C.Brush()->SetStyle(bsClear);
    C.TextOut(0, 0, "d");
    EXPECT_FALSE(Last().Opaque);
    C.Pen()->SetColor(clRed);
    C.Polyline({{0, 0}, {1, 1}});
    EXPECT_EQ(Last().Color, static_cast<COLORREF>(clRed));
    C.Pen()->SetWidth(3);
    C.Polyline({{0, 0}, {1, 1}});
    EXPECT_EQ(Last().PenWidth, 3);
    if (Lent) {
      C.SetHandle(nullptr);
      DeleteDC(DC);
    }
  }
}

// A window's display list is cleared at each paint and its items kept for
// the next: a recording after a clear must hold what a new list would.

std::vector<TDisplayItem> Copied(const TDisplayList& List) {
  return {List.Items().begin(), List.Items().end()};
}

TEST(DisplayList, ARecordingAfterAClearHoldsWhatANewListWould) {
  TFontRecord Bold{TFontDesc{"Tahoma", 10, true}};
  const TPoint Points[]{{0, 0}, {5, 5}, {9, 2}};
  // Every field an item can carry, then items of other kinds or without a
  // font in the same places, and one more than before.
  const auto Rich = [&](TDisplayList& List) {
    const HDC DC = CreateRecordingDC(&List, nullptr);
    SelectObject(DC, static_cast<HGDIOBJ>(&Bold));
    SetTextColor(DC, 0x00112233);
    IntersectClipRect(DC, 1, 1, 50, 50);
    const TRect Cell{3, 4, 40, 20};
    ExtTextOutA(DC, 3, 4, ETO_CLIPPED, &Cell, "a caption", 9);
    const HPEN Pen = CreatePen(PS_SOLID, 3, 0x00123456);
    SelectObject(DC, Pen);
    Polyline(DC, Points, 3);
    GdiComment(DC, 2, 3, TImageNote{4, false, 16, 15, "an image"});
    SelectObject(DC, static_cast<HPEN>(nullptr));
    DeleteObject(Pen);
    DeleteDC(DC);
  };
  const auto Plain = [](TDisplayList& List) {
    const HDC DC = CreateRecordingDC(&List, nullptr);
    ExtTextOutA(DC, 0, 0, 0, nullptr, "x", 1);
    const HBRUSH Brush = CreateSolidBrush(0x00445566);
    for (int i = 0; i < 3; ++i)
      FillRect(DC, TRect{i, i, i + 2, i + 2}, Brush);
    DeleteObject(Brush);
    DeleteDC(DC);
  };
  TDisplayList Reused, Fresh;
  Rich(Reused);
  ASSERT_EQ(Reused.Count(), 3);
  ASSERT_EQ(Reused.Items()[0].Font, Bold.Desc);
  Reused.Clear();
  EXPECT_TRUE(Reused.Items().empty());
  Plain(Reused);
  Plain(Fresh);
  ASSERT_EQ(Fresh.Count(), 4);
  EXPECT_TRUE(Copied(Reused) == Copied(Fresh));
  EXPECT_TRUE(Reused.Items()[1].Points.empty());
  EXPECT_TRUE(Reused.Items()[2].Text.empty());
}

}  // namespace
