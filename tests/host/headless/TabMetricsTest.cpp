#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "../TabControls.h"
#include "CommCtrl.h"
#include "Seed.h"
#include "UserInput.h"
#include "WindowDrawing.h"

// The tab controls' rows, display rectangles and owner-drawn tabs in the
// headless platform's text metrics and display lists: the real platform's
// fonts measure otherwise.

namespace {

class TabMetrics : public TabControls {};

TEST_F(TabMetrics, RowCountFollowsWidthAndFont) {
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Form);
  EXPECT_EQ(Tabs->RowCount(), 0);
  // Five tabs of 40 pixels (28 of text, 12 of padding) in 80 pixels of room.
  Tabs->SetWidth(84);
  Tabs->Tabs()->SetText("AAAA\r\nAAAA\r\nAAAA\r\nAAAA\r\nAAAA");
  EXPECT_EQ(Tabs->RowCount(), 1) << "single-line";
  Tabs->SetMultiLine(true);
  EXPECT_EQ(Tabs->RowCount(), 3);
  Tabs->SetWidth(124);
  EXPECT_EQ(Tabs->RowCount(), 2);
  Tabs->SetWidth(84);
  Tabs->Font()->SetStyle({fsBold});
  EXPECT_EQ(Tabs->RowCount(), 5) << "bold tabs are wider";
  Tabs->Font()->SetStyle({});
  Tabs->Font()->SetSize(10);
  EXPECT_EQ(Tabs->RowCount(), 5);
  Tabs->Font()->SetSize(8);
  EXPECT_EQ(Tabs->RowCount(), 3);
  EXPECT_EQ(Tabs->TabRect(1).Width(), 40);
  Tabs->Tabs()->Clear();
  EXPECT_EQ(Tabs->RowCount(), 0);
}

TEST_F(TabMetrics, RowsFollowRenamedTabsAndTheSelectedRowComesToTheFront) {
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Form);
  Tabs->SetMultiLine(true);
  Tabs->SetWidth(124);  // three 40-pixel tabs a row
  Tabs->Tabs()->SetText("AAAA\r\nAAAA\r\nAAAA\r\nAAAA\r\nAAAA");
  auto FrontRow = [&] { return TabControlLayout(Tabs->Handle()).Rows.back(); };
  EXPECT_EQ(Tabs->RowCount(), 2);
  Tabs->SetTabIndex(4);
  EXPECT_EQ(FrontRow(), (std::vector<int>{3, 4}));
  Tabs->Tabs()->SetStrings(0, std::string(15, 'A'));  // a row of its own
  EXPECT_EQ(Tabs->RowCount(), 3);
  Tabs->SetTabIndex(1);
  EXPECT_EQ(FrontRow(), (std::vector<int>{1, 2, 3}));
  Tabs->SetTabIndex(0);
  EXPECT_EQ(FrontRow(), (std::vector<int>{0}));
  Tabs->Tabs()->SetStrings(0, "AAAA");
  EXPECT_EQ(Tabs->RowCount(), 2);
  Tabs->SetTabIndex(4);
  EXPECT_EQ(FrontRow(), (std::vector<int>{3, 4}));
  EXPECT_EQ(Tabs->DisplayRect().Top, 4 + 2 * TabControlLayout(Tabs->Handle()).TabHeight);
}

// The rows follow tabs added and taken away at the end without a new
// layout; whatever happens to the tabs, they must equal the rows a control
// that never laid them out before finds for the same tabs.
TEST_F(TabMetrics, RowsKeptAcrossChangesEqualRowsLaidOutAfresh) {
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Form);
  Tabs->SetMultiLine(true);
  Tabs->SetWidth(200);
  const std::uint64_t Seed = TestSeed(7);
  SCOPED_TRACE(SeedNote(Seed));
  std::mt19937 Random(static_cast<std::uint32_t>(Seed));
  auto Pick = [&](int N) { return static_cast<int>(Random() % static_cast<unsigned>(N)); };
  auto Text = [&] { return std::string(static_cast<std::size_t>(1 + Pick(12)), 'A'); };
  for (int Step = 0; Step < 600; ++Step) {
    TStrings* T = Tabs->Tabs();
    const int Count = T->Count();
    switch (Count == 0 ? 0 : Pick(8)) {
      case 0:
      case 1:
        T->Add(Text());
        break;
      case 2:
        T->Insert(Pick(Count + 1), Text());
        break;
      case 3:
        T->Delete(Count - 1);
        break;
      case 4:
        T->Delete(Pick(Count));
        break;
      case 5:
        T->SetStrings(Pick(Count), Text());
        break;
      case 6:
        Tabs->SetWidth(100 + Pick(200));
        break;
      case 7:
        Tabs->SetMultiLine(Pick(4) != 0);
        break;
    }
    if (T->Count() > 0)
      Tabs->SetTabIndex(Pick(T->Count()));
    auto* Fresh = new TTabControl(Form);
    Fresh->SetParent(Form);
    Fresh->SetMultiLine(Tabs->MultiLine());
    Fresh->SetWidth(Tabs->Width());
    Fresh->Tabs()->Assign(T);
    Fresh->SetTabIndex(Tabs->TabIndex());
    // How far a single-line row is scrolled follows the selections made
    // before; the rows are compared from their first tab, to which the
    // left arrow takes them one tab a click.
    for (TTabControl* C : {Tabs, Fresh})
      for (int Click = 0; Click < T->Count(); ++Click)
        SendMessage(C->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    const TTabLayout Kept = TabControlLayout(Tabs->Handle());
    const TTabLayout Afresh = TabControlLayout(Fresh->Handle());
    ASSERT_EQ(Kept.Rows, Afresh.Rows) << "step " << Step;
    ASSERT_EQ(Kept.ItemRects, Afresh.ItemRects) << "step " << Step;
    ASSERT_EQ(Tabs->RowCount(), Fresh->RowCount()) << "step " << Step;
    delete Fresh;
  }
}

// A press on the up-down control's left or right arrow.
void PressArrow(HWND Arrows, bool Left) {
  const TWindowRecord* A = WindowRecord(Arrows);
  SendMessage(Arrows, WM_LBUTTONDOWN, MK_LBUTTON,
              MAKELPARAM(Left ? 2 : A->Width - 2, A->Height / 2));
  SendMessage(Arrows, WM_LBUTTONUP, 0, MAKELPARAM(Left ? 2 : A->Width - 2, A->Height / 2));
}

// The texts the control's window drew at its last paint.
int TextsDrawn(TWinControl* Control) {
  const TDisplayList* Drawn = WindowDrawing(Control->Handle());
  if (Drawn == nullptr)
    return 0;
  int Count = 0;
  for (const TDisplayItem& Item : Drawn->Items())
    Count += Item.Kind == TDisplayItem::dkText ? 1 : 0;
  return Count;
}

TEST_F(TabMetrics, OwnerDrawPaintsEveryVisibleTabOnAFreshCanvas) {
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
  ASSERT_EQ(Probe.Calls.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const TDrawCall& Call = Probe.Calls[i];
    EXPECT_EQ(Call.Index, static_cast<int>(i));
    EXPECT_EQ(Call.Rect, Pages->TabRect(Call.Index));
    EXPECT_EQ(Call.Active, Call.Index == 2) << "D is the third visible tab";
    EXPECT_EQ(Call.Font, Pages->Font()->Desc());
    EXPECT_EQ(Call.FontColor, clNavy);
    EXPECT_EQ(Call.BrushColor, Pages->Brush()->Color());
  }
  EXPECT_EQ(TextsDrawn(Pages), 3);
  App->ProcessMessages();
  EXPECT_EQ(Probe.Calls.size(), 3u) << "nothing invalidated, nothing painted";
  Pages->Invalidate();
  App->ProcessMessages();
  EXPECT_EQ(Probe.Calls.size(), 6u);
  EXPECT_EQ(TextsDrawn(Pages), 3) << "each paint starts a new picture";
}

// The texts a window's picture shows, left to right, a bold one marked:
// what a paint took back again is not shown.
std::vector<std::string> TextsShown(TWinControl* Control) {
  std::vector<std::pair<int, std::string>> Shown;
  for (const TDisplayItem& Item : WindowDrawing(Control->Handle())->Items())
    if (Item.Kind == TDisplayItem::dkText)
      Shown.push_back({Item.X, Item.Font.Bold ? "*" + Item.Text + "*" : Item.Text});
  std::sort(Shown.begin(), Shown.end());
  std::vector<std::string> Texts;
  for (const auto& [X, Text] : Shown)
    Texts.push_back(Text);
  return Texts;
}

// A click on a tab in view draws again only the two tabs whose look
// changed and their neighbours, as the common controls do, on the picture
// the bar has; that picture shows what a whole paint shows, again and
// again.
TEST_F(TabMetrics, AClickInViewRedrawsOnlyTheChangedTabs) {
  auto* Pages = NewPages({"A", "B", "C", "D", "E", "F", "G", "H"});
  Pages->SetWidth(600);
  TDrawProbe Probe;
  Pages->SetOnDrawTab(TDrawTabEvent::Of<&TDrawProbe::Draw>(&Probe));
  Pages->SetOwnerDraw(true);
  App->ProcessMessages();
  for (const auto& [From, To] : {std::pair{0, 5}, std::pair{5, 6}, std::pair{6, 0}}) {
    SCOPED_TRACE(std::to_string(From) + " to " + std::to_string(To));
    ASSERT_EQ(Pages->TabIndex(), From);
    Probe.Calls.clear();
    ClickTab(Pages, To);
    App->ProcessMessages();
    std::vector<int> Drawn;
    for (const TDrawCall& Call : Probe.Calls)
      Drawn.push_back(Call.Index);
    std::sort(Drawn.begin(), Drawn.end());
    std::vector<int> Expected;
    for (int i = 0; i < 8; ++i)
      if (std::abs(i - From) <= 1 || std::abs(i - To) <= 1)
        Expected.push_back(i);
    EXPECT_EQ(Drawn, Expected);
    const std::vector<std::string> Shown = TextsShown(Pages);
    Pages->Invalidate();
    App->ProcessMessages();
    EXPECT_EQ(Shown, TextsShown(Pages));
    EXPECT_EQ(Shown.size(), 8u);
  }
}

// A single-line bar shows the tabs that fit its width and paints only those
// (a palette of thousands of pages would otherwise draw them all on every
// click); the one cut by the edge is painted, and a multi-line bar, whose
// rows all fit, paints every tab.
TEST_F(TabMetrics, OnlyTabsInViewArePainted) {
  std::vector<std::string> Captions;
  for (int i = 0; i < 40; ++i)
    Captions.push_back("Page" + std::to_string(i));
  auto* Pages = NewPages(Captions);
  Pages->SetWidth(300);
  TDrawProbe Probe;
  Pages->SetOnDrawTab(TDrawTabEvent::Of<&TDrawProbe::Draw>(&Probe));
  Pages->SetOwnerDraw(true);
  App->ProcessMessages();
  ASSERT_FALSE(Probe.Calls.empty());
  const TDrawCall& Last = Probe.Calls.back();
  EXPECT_LT(Probe.Calls.size(), Captions.size());
  EXPECT_LT(Last.Rect.Left, 300);
  EXPECT_GE(Last.Rect.Right, 300) << "the tab cut by the edge is painted too";
  for (std::size_t i = 0; i < Probe.Calls.size(); ++i)
    EXPECT_EQ(Probe.Calls[i].Index, static_cast<int>(i));

  Probe.Calls.clear();
  Pages->SetMultiLine(true);
  App->ProcessMessages();
  EXPECT_EQ(Probe.Calls.size(), Captions.size());
}

// A single-line row of more tabs than fit shows the up-down control at its
// right end and keeps the selected tab wholly in view beside it, whether
// code or the user chose it; the arrows scroll the row a tab at a time, no
// further than the last tab needs, and the control goes once the tabs fit.
TEST_F(TabMetrics, AnOverflowingRowScrollsAndKeepsTheSelectedTabInView) {
  std::vector<std::string> Captions;
  for (int i = 0; i < 21; ++i)
    Captions.push_back("Group" + std::to_string(i));
  auto* Pages = NewPages(Captions);
  Pages->SetWidth(300);
  App->ProcessMessages();
  const HWND Arrows = TabArrows(Pages);
  ASSERT_NE(Arrows, nullptr);
  const TWindowRecord* A = WindowRecord(Arrows);
  EXPECT_EQ(A->Left + A->Width, 300);
  const int Shown = 300 - kTabScrollerWidth;
  const auto WhollyShown = [&](int Index) {
    const TRect R = Pages->TabRect(Index);
    return R.Left >= 0 && R.Right <= Shown;
  };
  const auto FirstShown = [&] {
    int i = 0;
    while (Pages->TabRect(i).Left < 0)
      ++i;
    return i;
  };
  EXPECT_EQ(FirstShown(), 0);
  // The arrows show the row's place after every step, whoever moved it:
  // code, the arrows themselves, or a scroll message from elsewhere.
  const auto ArrowsInStep = [&] { return SendMessage(Arrows, UDM_GETPOS32, 0, 0) == FirstShown(); };

  Pages->SetActivePageIndex(20);
  App->ProcessMessages();
  EXPECT_TRUE(WhollyShown(20));
  EXPECT_GT(Pages->TabRect(20).Right, Shown - 20) << "scrolled no further than needed";
  const int Last = FirstShown();
  EXPECT_GT(Last, 0);
  EXPECT_EQ(SendMessage(Arrows, UDM_GETPOS32, 0, 0), Last);
  // The right arrow can go no further; the left one brings one tab back.
  PressArrow(Arrows, false);
  EXPECT_EQ(FirstShown(), Last);
  PressArrow(Arrows, true);
  EXPECT_EQ(FirstShown(), Last - 1);
  EXPECT_TRUE(ArrowsInStep());

  // A click on the first tab in view after scrolling back to the start.
  // The arrows are drawn again only as one of them greys or comes back.
  App->ProcessMessages();
  ASSERT_GT(Last, 2);
  for (int i = 0; i < Last - 1; ++i) {
    PressArrow(Arrows, true);
    EXPECT_EQ(GetUpdateRect(Arrows, nullptr, 0) != 0, FirstShown() == 0) << i;
    App->ProcessMessages();
  }
  EXPECT_EQ(FirstShown(), 0);
  EXPECT_TRUE(ArrowsInStep());
  Pages->SetActivePageIndex(10);
  App->ProcessMessages();
  EXPECT_TRUE(WhollyShown(10));
  EXPECT_TRUE(ArrowsInStep());
  const int Scrolled = FirstShown();
  ASSERT_GT(Scrolled, 0);
  EXPECT_GT(Pages->TabRect(10).Right + Pages->TabRect(Scrolled - 1).Width(), Shown)
      << "scrolled no further than needed";
  ClickTab(Pages, 2);
  App->ProcessMessages();
  EXPECT_EQ(Pages->ActivePageIndex(), 2);
  EXPECT_TRUE(WhollyShown(2));
  EXPECT_TRUE(ArrowsInStep());

  Pages->SetWidth(3000);
  App->ProcessMessages();
  EXPECT_EQ(TabArrows(Pages), nullptr);
  EXPECT_EQ(FirstShown(), 0);
  // Arrows made anew learn the whole range, not only what changed.
  Pages->SetWidth(300);
  App->ProcessMessages();
  ASSERT_NE(TabArrows(Pages), nullptr);
  int High = 0;
  SendMessage(TabArrows(Pages), UDM_GETRANGE32, 0, reinterpret_cast<LPARAM>(&High));
  EXPECT_EQ(High, Last);
}

}  // namespace
