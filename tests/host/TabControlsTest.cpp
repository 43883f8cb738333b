#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Seed.h"
#include "TabControls.h"
#include "UserInput.h"

namespace {

// Records what the change handler saw when it ran.
struct TChangeProbe : TObject {
  int Count = 0;
  TTabSheet* ActiveSeen = nullptr;
  int TabIndexSeen = -2;
  void Changed(TObject* Sender) {
    ++Count;
    if (auto* P = dynamic_cast<TPageControl*>(Sender))
      ActiveSeen = P->ActivePage();
    TabIndexSeen = static_cast<TCustomTabControl*>(Sender)->TabIndex();
  }
  TNotifyEvent Event() { return TNotifyEvent::Of<&TChangeProbe::Changed>(this); }
};

TEST_F(TabControls, OnlyAClickRaisesOnChange) {
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Form);
  Tabs->Tabs()->SetText("A\r\nB\r\nC");
  TChangeProbe Probe;
  Tabs->SetOnChange(Probe.Event());
  Tabs->SetTabIndex(2);
  Tabs->Tabs()->SetText("A\r\nB\r\nC\r\nD");
  EXPECT_EQ(Probe.Count, 0);
  EXPECT_EQ(Tabs->TabIndex(), 0) << "rewritten tabs start with the first one selected";
  ClickTab(Tabs, 1);
  EXPECT_EQ(Probe.Count, 1);
  EXPECT_EQ(Probe.TabIndexSeen, 1);
  ClickTab(Tabs, 1);
  EXPECT_EQ(Probe.Count, 1) << "the selected tab again changes nothing";
  EXPECT_THROW(ClickTab(Tabs, 4), EListError);

  auto* Pages = NewPages({"P0", "P1", "P2"});
  TChangeProbe PageProbe;
  Pages->SetOnChange(PageProbe.Event());
  Pages->SetActivePageIndex(1);
  Pages->SetActivePage(Pages->Pages(2));
  Pages->SetTabIndex(0);
  EXPECT_EQ(PageProbe.Count, 0);
  Pages->SetActivePageIndex(0);
  ClickTab(Pages, 2);
  EXPECT_EQ(PageProbe.Count, 1);
  EXPECT_EQ(PageProbe.ActiveSeen, Pages->Pages(2)) << "the clicked sheet is active first";
  EXPECT_EQ(Pages->ActivePageIndex(), 2);
  EXPECT_TRUE(Pages->Pages(2)->Visible());
  EXPECT_FALSE(Pages->Pages(0)->Visible());
}

TEST_F(TabControls, OnChangingCanRefuseAClick) {
  struct TRefuse : TObject {
    void Changing(TObject*, bool& Allow) { Allow = false; }
  } Refuse;
  auto* Pages = NewPages({"P0", "P1"});
  Pages->SetActivePageIndex(0);
  TChangeProbe Probe;
  Pages->SetOnChange(Probe.Event());
  Pages->SetOnChanging(TTabChangingEvent::Of<&TRefuse::Changing>(&Refuse));
  ClickTab(Pages, 1);
  EXPECT_EQ(Probe.Count, 0);
  EXPECT_EQ(Pages->ActivePageIndex(), 0);
  EXPECT_EQ(Pages->TabIndex(), 0);
}

TEST_F(TabControls, HiddenTabsAndSheetIndexes) {
  auto* Pages = NewPages({"A", "B", "C", "D"});
  TTabSheet* B = Pages->Pages(1);
  TTabSheet* C = Pages->Pages(2);
  B->SetTabVisible(false);
  EXPECT_EQ(Pages->Tabs()->Text(), "A\r\nC\r\nD\r\n");
  EXPECT_EQ(B->TabIndex(), -1);
  EXPECT_EQ(C->TabIndex(), 1);
  EXPECT_EQ(C->PageIndex(), 2);
  Pages->SetActivePage(C);
  EXPECT_EQ(Pages->ActivePageIndex(), 2) << "sheets with hidden tabs count";
  EXPECT_EQ(Pages->TabIndex(), 1) << "tabs do not";
  ClickTab(Pages, 2);
  EXPECT_EQ(Pages->ActivePage(), Pages->Pages(3));

  // A sheet whose tab is hidden can still be made active from code.
  Pages->SetActivePage(B);
  EXPECT_EQ(Pages->ActivePageIndex(), 1);
  EXPECT_EQ(Pages->TabIndex(), -1);
  B->SetTabVisible(true);
  EXPECT_EQ(Pages->Tabs()->Text(), "A\r\nB\r\nC\r\nD\r\n");
  EXPECT_EQ(Pages->Tabs()->Objects(1).AsInteger(), reinterpret_cast<NativeInt>(B));

  // Hiding the active sheet's tab moves the selection to the tab now in its
  // place, and that sheet becomes active, as the VCL does.
  Pages->SetActivePage(C);
  C->SetTabVisible(false);
  EXPECT_EQ(Pages->ActivePage(), Pages->Pages(3));
  EXPECT_EQ(Pages->TabIndex(), 2);

  // A caption change reaches the tab.
  Pages->Pages(3)->SetCaption("Dd");
  EXPECT_EQ(Pages->Tabs()->Strings(2), "Dd");

  Pages->SetActivePageIndex(7);
  EXPECT_EQ(Pages->ActivePage(), nullptr);
  EXPECT_EQ(Pages->TabIndex(), -1);
}

TEST_F(TabControls, FreeingASheetActivatesTheNextVisibleSheet) {
  auto* Pages = NewPages({"A", "B", "C", "D"});
  Pages->Pages(1)->SetTabVisible(false);
  Pages->SetActivePageIndex(0);
  delete Pages->Pages(0);
  EXPECT_EQ(Pages->ActivePage()->Caption(), "C") << "B's tab is hidden";
  EXPECT_EQ(Pages->TabIndex(), Pages->ActivePage()->TabIndex());
  // As in the VCL, freeing any sheet activates the visible one after it.
  delete Pages->Pages(2);  // D
  EXPECT_EQ(Pages->ActivePage()->Caption(), "C");
  EXPECT_EQ(Pages->Tabs()->Text(), "C\r\n");
  delete Pages->Pages(1);  // C, the last visible one
  EXPECT_EQ(Pages->ActivePage(), nullptr);
  EXPECT_EQ(Pages->PageCount(), 1);
  EXPECT_EQ(Pages->Tabs()->Count(), 0);
  EXPECT_EQ(Pages->RowCount(), 0);
}

TEST_F(TabControls, PageIndexMovesSheetAndTab) {
  auto* Pages = NewPages({"A", "B", "C", "D"});
  TTabSheet* B = Pages->Pages(1);
  Pages->SetActivePage(B);
  B->SetPageIndex(3);
  EXPECT_EQ(Pages->Tabs()->Text(), "A\r\nC\r\nD\r\nB\r\n");
  EXPECT_EQ(Pages->Pages(3), B);
  EXPECT_EQ(Pages->ActivePage(), B);
  EXPECT_EQ(Pages->ActivePageIndex(), 3);
  EXPECT_EQ(Pages->TabIndex(), 3) << "the active sheet keeps its tab selected";
  Pages->Pages(0)->SetPageIndex(2);
  EXPECT_EQ(Pages->Tabs()->Text(), "C\r\nD\r\nA\r\nB\r\n");
  EXPECT_EQ(Pages->TabIndex(), 3);
  EXPECT_EQ(Pages->ActivePage(), B);
}

// A sheet's tab index and a tab's image are looked up in a list of the
// showing sheets kept across changes; after any change they must be what
// walking the sheets gives, and the tabs must name the showing sheets.
TEST_F(TabControls, TabIndexesAndImagesFollowSheetsShownHiddenMovedAndFreed) {
  auto* Pages = NewPages({});
  const std::uint64_t Seed = TestSeed(11);
  SCOPED_TRACE(SeedNote(Seed));
  std::mt19937 Random(static_cast<std::uint32_t>(Seed));
  auto Pick = [&](int N) { return static_cast<int>(Random() % static_cast<unsigned>(N)); };
  for (int Step = 0; Step < 800; ++Step) {
    const int Count = Pages->PageCount();
    switch (Count == 0 ? 0 : Pick(6)) {
      case 0:
      case 1: {
        auto* Sheet = new TTabSheet(Pages);
        Sheet->SetCaption("S" + std::to_string(Step));
        Sheet->SetImageIndex(Step);
        Sheet->SetTabVisible(Pick(3) != 0);
        Sheet->SetPageControl(Pages);
        break;
      }
      case 2:
        delete Pages->Pages(Pick(3) == 0 ? Pick(Count) : Count - 1);
        break;
      case 3:
      case 4: {
        TTabSheet* Sheet = Pages->Pages(Pick(Count));
        Sheet->SetTabVisible(!Sheet->TabVisible());
        break;
      }
      case 5:
        Pages->Pages(Pick(Count))->SetPageIndex(Pick(Count));
        break;
    }
    std::string Captions;
    int Visible = 0;
    for (int i = 0; i < Pages->PageCount(); ++i) {
      TTabSheet* Sheet = Pages->Pages(i);
      ASSERT_EQ(Sheet->TabIndex(), Sheet->TabVisible() ? Visible : -1) << "step " << Step;
      if (!Sheet->TabVisible())
        continue;
      ASSERT_EQ(Pages->GetImageIndex(Visible++), Sheet->ImageIndex()) << "step " << Step;
      Captions += Sheet->Caption() + "\r\n";
    }
    ASSERT_EQ(Pages->GetImageIndex(Visible), -1);
    ASSERT_EQ(Pages->Tabs()->Text(), Captions) << "step " << Step;
  }
}

TEST_F(TabControls, ANewWindowKeepsThePageControlsTabsAndSheets) {
  auto* Pages = NewPages({"A", "B", "C"});
  Pages->Pages(0)->SetTabVisible(false);
  Pages->SetActivePageIndex(2);
  TChangeProbe Probe;
  Pages->SetOnChange(Probe.Event());
  Pages->SetMultiLine(true);
  Pages->SetOwnerDraw(true);
  EXPECT_EQ(Pages->Tabs()->Text(), "B\r\nC\r\n");
  EXPECT_EQ(Pages->TabIndex(), 1);
  EXPECT_EQ(Pages->ActivePageIndex(), 2);
  EXPECT_EQ(Probe.Count, 0);
  ClickTab(Pages, 0);
  EXPECT_EQ(Pages->ActivePage(), Pages->Pages(1)) << "the tabs still name their sheets";
  Pages->Pages(0)->SetTabVisible(true);
  EXPECT_EQ(Pages->Pages(0)->TabIndex(), 0);
  EXPECT_EQ(Pages->TabIndex(), 1);
  EXPECT_EQ(Pages->ActivePage(), Pages->Pages(1));
}

// A tab control's tabs are compared with a list whole, texts and objects,
// the way every list compares: each difference tells.
TEST_F(TabControls, TabsEqualAListWithObjectsOnlyWhenEveryTextAndObjectIs) {
  auto* Tabs = new TTabControl(Form);
  Tabs->SetParent(Form);
  TStringList List;
  List.SetText("A\r\nB");
  List.SetObjects(1, TItemObject::FromInteger(7));
  Tabs->Tabs()->Assign(&List);
  for (TStrings* Copy : {static_cast<TStrings*>(Tabs->Tabs()), static_cast<TStrings*>(&List)}) {
    TStringList Other;
    Other.Assign(&List);
    EXPECT_TRUE(Copy->EqualsWithObjects(&Other));
    Other.SetObjects(1, TItemObject::FromInteger(8));
    EXPECT_TRUE(Copy->Equals(&Other));
    EXPECT_FALSE(Copy->EqualsWithObjects(&Other)) << "an object differs";
    Other.SetObjects(1, TItemObject::FromInteger(7));
    Other.SetStrings(0, "a");
    EXPECT_FALSE(Copy->EqualsWithObjects(&Other)) << "letter case counts";
    Other.SetStrings(0, "A");
    Other.Add("C");
    EXPECT_FALSE(Copy->EqualsWithObjects(&Other)) << "one more entry";
  }
}

}  // namespace
