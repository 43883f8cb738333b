#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CommCtrl.h"
#include "TabControls.h"

// The tab controls' widths, rows, scrolling and owner-drawn tabs, in
// relations that hold with every platform's fonts; the figures in pixels
// are the headless platform's own.

namespace {

class TabLayout : public TabControls {};

TEST_F(TabLayout, AWiderCaptionOrFontGivesWiderTabsAndMoreRows) {
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Form);
  Tabs->SetWidth(600);
  // Captions long enough that the text, not a least tab width, sizes a tab.
  const std::string C(12, 'A');
  Tabs->Tabs()->SetText(C + "\r\n" + C + "\r\n" + C + "\r\n" + C + "\r\n" + C);
  const int Narrow = Tabs->TabRect(0).Width();
  ASSERT_GT(Narrow, 0);
  EXPECT_EQ(Tabs->TabRect(1).Width(), Narrow);
  Tabs->Tabs()->SetStrings(1, C + C);
  EXPECT_GT(Tabs->TabRect(1).Width(), Narrow);
  Tabs->Tabs()->SetStrings(1, C);
  EXPECT_EQ(Tabs->TabRect(1).Width(), Narrow) << "renamed back, measured afresh";
  Tabs->Font()->SetStyle({fsBold});
  EXPECT_GT(Tabs->TabRect(0).Width(), Narrow) << "bold tabs are wider";
  Tabs->Font()->SetStyle({});

  // Room for two tabs and a half a row.
  Tabs->SetMultiLine(true);
  EXPECT_EQ(Tabs->RowCount(), 1);
  Tabs->SetWidth(2 * Narrow + Narrow / 2);
  const int Rows = Tabs->RowCount();
  EXPECT_GE(Rows, 3);
  Tabs->Font()->SetSize(12);
  EXPECT_GT(Tabs->RowCount(), Rows) << "a larger font, wider tabs, more rows";
  Tabs->Font()->SetSize(8);
  EXPECT_EQ(Tabs->RowCount(), Rows);
  Tabs->Tabs()->Clear();
  EXPECT_EQ(Tabs->RowCount(), 0);

  // Only visible sheets make tabs and rows.
  auto* Pages = NewPages({C, C, C});
  Pages->SetMultiLine(true);
  Pages->SetWidth(2 * Narrow + Narrow / 2);
  EXPECT_EQ(Pages->RowCount(), 2);
  Pages->Pages(0)->SetTabVisible(false);
  EXPECT_EQ(Pages->RowCount(), 1);
  Pages->Pages(1)->SetTabVisible(false);
  Pages->Pages(2)->SetTabVisible(false);
  EXPECT_EQ(Pages->RowCount(), 0);
}

// A text replaces every tab in one go: what is left must be what clearing
// and adding each line leaves, rows laid out afresh, the chosen tab (in the
// row next to the client area) and the images asked for.
TEST_F(TabLayout, SetTextReplacesTabsRowsSelectionAndImages) {
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Form);
  const std::string C(12, 'A');
  Tabs->Tabs()->SetText(C + "\r\n" + C + "\r\n" + C + "\r\n" + C);
  // Measured in one row: the real platform stretches multi-line tabs to
  // fill their rows.
  Tabs->SetWidth(2 * Tabs->TabRect(0).Width() + Tabs->TabRect(0).Width() / 2);
  Tabs->SetMultiLine(true);
  const int Rows = Tabs->RowCount();
  ASSERT_EQ(Rows, 2);
  const auto FrontRow = [&] { return TabControlLayout(Tabs->Handle()).Rows.back(); };
  for (const int Chosen : {3, 1, 0}) {
    Tabs->SetTabIndex(Chosen);
    const auto Front = FrontRow();
    EXPECT_NE(std::find(Front.begin(), Front.end(), Chosen), Front.end()) << Chosen;
  }
  Tabs->Tabs()->SetStrings(0, C + C + C);
  const int Renamed = Tabs->RowCount();
  EXPECT_GT(Renamed, Rows) << "a renamed tab is measured afresh";

  Tabs->SetTabIndex(3);
  Tabs->Tabs()->SetText(C + "\rB\n\nC");
  EXPECT_EQ(Tabs->Tabs()->Text(), C + "\r\nB\r\n\r\nC\r\n");
  EXPECT_LT(Tabs->RowCount(), Renamed);
  EXPECT_EQ(Tabs->TabIndex(), 0);
  for (int i = 0; i < 4; ++i) {
    TCItem Item;
    Item.Mask = TCIF_IMAGE;
    ASSERT_EQ(SendMessage(Tabs->Handle(), TCM_GETITEM, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&Item)),
              1);
    EXPECT_EQ(Item.Image, i) << "a tab control's own image index is its tab's";
  }
  Tabs->Tabs()->SetText("");
  EXPECT_EQ(Tabs->Tabs()->Count(), 0);
  EXPECT_EQ(Tabs->TabIndex(), -1);
  EXPECT_EQ(Tabs->RowCount(), 0);
}

// A single-line row of more tabs than fit scrolls to keep the chosen tab
// wholly inside the control, and shows every tab from the first once they
// fit. (The real platform's up-down control is the common controls' own
// window, which the host does not know.)
TEST_F(TabLayout, AnOverflowingRowKeepsTheChosenTabInView) {
  std::vector<std::string> Captions;
  for (int i = 0; i < 21; ++i)
    Captions.push_back("Group" + std::to_string(i));
  auto* Pages = NewPages(Captions);
  Pages->SetWidth(300);
  App->ProcessMessages();
  const auto WhollyShown = [&](int Index) {
    const TRect R = Pages->TabRect(Index);
    // comctl32 gives a tab left of the first in view an empty rectangle.
    return R.Left >= 0 && R.Right > R.Left && R.Right <= Pages->Width();
  };
  EXPECT_TRUE(WhollyShown(0));
  EXPECT_FALSE(WhollyShown(20));
  for (const int Chosen : {20, 10, 2}) {
    SCOPED_TRACE(Chosen);
    Pages->SetActivePageIndex(Chosen);
    App->ProcessMessages();
    EXPECT_EQ(Pages->ActivePageIndex(), Chosen);
    EXPECT_TRUE(WhollyShown(Chosen));
    const int First = Pages->FirstTabInView();
    EXPECT_TRUE(WhollyShown(First) && (First == 0 || !WhollyShown(First - 1))) << First;
    EXPECT_LE(First, Chosen);
  }
  EXPECT_GT(Pages->TabRect(20).Left, Pages->Width()) << "the row's end is out of view";

  Pages->SetWidth(3000);
  App->ProcessMessages();
  EXPECT_EQ(Pages->FirstTabInView(), 0);
  EXPECT_GE(Pages->TabRect(0).Left, 0);
  EXPECT_LE(Pages->TabRect(20).Right, 3000);
}

TEST_F(TabLayout, ASheetFillsTheDisplayRectBelowEveryRow) {
  auto* Pages = NewPages({"AAAA", "AAAA", "AAAA"});
  Pages->SetBounds(0, 0, 300, 120);
  TTabSheet* Sheet = Pages->Pages(0);
  Pages->SetActivePage(Sheet);
  EXPECT_EQ(Sheet->BoundsRect(), Pages->DisplayRect());
  const int OneRow = Pages->DisplayRect().Top;
  EXPECT_GT(OneRow, 0);
  Pages->SetWidth(Pages->TabRect(0).Width() * 2 + Pages->TabRect(0).Width() / 2);
  Pages->SetMultiLine(true);
  EXPECT_EQ(Pages->RowCount(), 2);
  EXPECT_GT(Pages->DisplayRect().Top, OneRow);
  EXPECT_EQ(Sheet->BoundsRect(), Pages->DisplayRect()) << "more rows, smaller sheet";
  Pages->SetActivePageIndex(1);
  EXPECT_EQ(Pages->Pages(1)->BoundsRect(), Pages->DisplayRect()) << "sized when it is shown";
}

// The owner draw is asked once per visible tab with its caption and state,
// each on the control's own font and brush, however the previous tab left
// the canvas.
TEST_F(TabLayout, OwnerDrawIsAskedOncePerVisibleTabOnAFreshCanvas) {
  auto* Pages = NewPages({"A", "B", "C", "D"});
  Pages->SetWidth(400);
  Pages->Font()->SetSize(10);
  Pages->Font()->SetColor(clNavy);
  Pages->Pages(1)->SetTabVisible(false);
  Pages->SetActivePageIndex(3);
  TDrawProbe Probe;
  Pages->SetOnDrawTab(TDrawTabEvent::Of<&TDrawProbe::Draw>(&Probe));
  Pages->SetOwnerDraw(true);
  App->ProcessMessages();
  const std::vector<std::string> Visible = {"A", "C", "D"};
  for (const int Paint : {1, 2}) {
    SCOPED_TRACE(Paint);
    const auto Calls = Probe.ByTab();
    ASSERT_EQ(Calls.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      const TDrawCall& Call = Calls[i];
      SCOPED_TRACE(i);
      EXPECT_EQ(Call.Index, static_cast<int>(i));
      EXPECT_EQ(Call.Caption, Visible[i]);
      TRect Outer = Pages->TabRect(Call.Index);
      InflateRect(Outer, 3, 3);
      EXPECT_TRUE(Call.Rect.Left >= Outer.Left && Call.Rect.Right <= Outer.Right &&
                  Call.Rect.Top >= Outer.Top && Call.Rect.Bottom <= Outer.Bottom);
      EXPECT_EQ(Call.Active, Call.Caption == "D");
      EXPECT_EQ(Call.Font, Pages->Font()->Desc());
      EXPECT_EQ(Call.FontColor, clNavy);
      EXPECT_EQ(Call.BrushColor, Pages->Brush()->Color());
    }
    Probe.Calls.clear();
    Pages->Invalidate();
    App->ProcessMessages();
  }
}

// A single-line bar paints only the tabs in view (a palette of thousands
// of pages would otherwise draw them all on every click), from the first
// to the one cut by the edge; a multi-line bar, whose rows all fit, paints
// every tab.
TEST_F(TabLayout, OnlyTabsInViewArePainted) {
  std::vector<std::string> Many;
  for (int i = 0; i < 40; ++i)
    Many.push_back("Page" + std::to_string(i));
  auto* Row = NewPages(Many);
  Row->SetWidth(300);
  TDrawProbe InView;
  Row->SetOnDrawTab(TDrawTabEvent::Of<&TDrawProbe::Draw>(&InView));
  Row->SetOwnerDraw(true);
  App->ProcessMessages();
  const auto Shown = InView.ByTab();
  ASSERT_FALSE(Shown.empty());
  EXPECT_LT(Shown.size(), Many.size());
  for (std::size_t i = 0; i < Shown.size(); ++i)
    EXPECT_EQ(Shown[i].Index, static_cast<int>(i));
  EXPECT_LT(Row->TabRect(static_cast<int>(Shown.size()) - 1).Left, 300);
  InView.Calls.clear();
  Row->SetMultiLine(true);
  App->ProcessMessages();
  EXPECT_EQ(InView.ByTab().size(), Many.size());
}

}  // namespace
