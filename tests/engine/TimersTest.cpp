// The palette-change and sort timers, the hooks on activation, and the
// group bar's height.

#include "EngineFixture.h"

class Timers : public EngineTest {};

TEST_F(Timers, APackageInstalledLaterIsPickedUpByTheTick) {
  MakeIde();
  WriteTimer("PagesSort", Stored({kAlpha}));
  WritePages(kAlpha, Ide->Pages());  // every page grouped: the ungrouped tab is hidden
  ShowIde();
  Load();
  EXPECT_EQ(GroupTabs(), std::vector<std::string>{kAlpha});
  const int Sizes = Ide->SizeMessages();
  Ide->InstallPages({"Tabulon"});
  // Until the tick, the IDE's rewrite is on the palette as it is.
  EXPECT_EQ(Lines(Inspect().Master()->Tabs()).size(), 6u);
  WaitForThePaletteTick();
  EXPECT_EQ(GroupTabs(), (std::vector<std::string>{kAlpha, kUngrouped}));
  EXPECT_EQ(Inspect().PageGroupPages().back(), "Tabulon\r\n");
  EXPECT_EQ(PaletteTabs().size(), 6u);
  // The rebuild laid the main form out at most once.
  EXPECT_LE(Ide->SizeMessages() - Sizes, 1);
  // The next tick finds nothing new.
  const auto Before = Inspect().PageGroupPages();
  WaitForTheWatchToStop();
  EXPECT_EQ(Inspect().PageGroupPages(), Before);
}

TEST_F(Timers, OnlyARealChangeOfThePaletteRebuilds) {
  MakeIde();
  WriteTimer("PagesSort", "");  // the key exists: grouping on, all pages ungrouped
  ShowIde();
  Load();
  WaitForTheWatchToStop();
  App->ProcessMessages();
  const int Paints = Inspect().GroupBar()->PaintCount();
  // The IDE rewrites the palette with the list that was shown: no rebuild.
  Ide->InstallPages({});
  WaitForTheWatchToStop();
  EXPECT_EQ(Inspect().GroupBar()->PaintCount(), Paints);
  // The palette still counts as the expert's fill: a page chosen on it
  // reaches the IDE through the master list's selection.
  ClickTab(Ide->Palette(), 2);
  EXPECT_EQ(Inspect().Master()->TabIndex(), 2);
  // A difference in letter case only is a change.
  Ide->Palette()->Tabs()->SetStrings(0, "standard");
  Inspect().PaletteChangeTimer()->SetEnabled(true);
  EXPECT_TRUE(PassTimeUntil([this] { return Inspect().Master()->Tabs()->Get(0) == "standard"; },
                            WatchTicks(1)));
  EXPECT_GT(Inspect().GroupBar()->PaintCount(), Paints);
}

TEST_F(Timers, TicksDoNothingWhileGroupingIsOff) {
  MakeIde();
  ShowIde();
  Load();
  ASSERT_FALSE(Inspect().GroupsActive());
  Ide->Palette()->Tabs()->SetStrings(0, "Changed");
  Ide->Palette()->SetMultiLine(true);
  Ide->Palette()->SetWidth(120);
  ASSERT_TRUE(Inspect().PaletteChangeTimer()->Enabled());
  App->AdvanceTime(50);
  EXPECT_EQ(Inspect().Master()->Tabs()->Get(0), "Standard");
  EXPECT_EQ(Inspect().PageGroupHeight(), 80);
}

TEST_F(Timers, GroupBarHeightFollowsTheRows) {
  MakeIde();
  // Ten Cyrillic groups of one page each wrap a multi-line group bar
  // onto a second row; a narrow multi-line palette takes three rows.
  std::vector<std::string> Names;
  std::string Name = kAlpha;
  for (int i = 0; i < 10; ++i) {
    Name += "\xE0\xE1\xE2";  // "абв": every name is longer than the one before
    Names.push_back(Name);
    WritePages(Name, {"Win32"});
  }
  WriteTimer("PagesSort", Stored(Names));
  ShowIde();
  Load();
  auto X = Inspect();
  EXPECT_EQ(X.GroupBar()->RowCount(), 1);
  EXPECT_EQ(X.GroupBar()->Height(), 80);
  EXPECT_EQ(X.PageGroupHeight(), 80);

  X.GroupBar()->SetMultiLine(true);
  ASSERT_EQ(X.GroupBar()->RowCount(), 2);
  X.GroupBar()->Perform(WM_SIZE, 0, 0);
  EXPECT_EQ(X.PageGroupHeight(), 98);
  EXPECT_EQ(X.GroupBar()->Height(), 98);
  EXPECT_EQ(Ide->PaletteHome()->Height(), 98);
  EXPECT_EQ(Ide->PaletteHome()->Constraints()->MaxHeight(), 98);

  // A narrow palette band: the ungrouped pages take three palette rows.
  X.GroupBar()->SetMultiLine(false);
  Ide->PaletteHome()->SetWidth(160);
  ClickGroup(kUngrouped);
  Ide->Palette()->SetMultiLine(true);
  ASSERT_EQ(Ide->Palette()->RowCount(), 3);
  X.GroupBar()->Perform(WM_SIZE, 0, 0);
  EXPECT_EQ(X.PageGroupHeight(), 110);
  EXPECT_EQ(X.GroupBar()->Height(), 110);
  // A sizing that computes the height last applied only puts the palette
  // back to filling its sheet.
  Ide->Palette()->SetAlign(alNone);
  X.GroupBar()->Perform(WM_SIZE, 0, 0);
  EXPECT_EQ(Ide->Palette()->Align(), alClient);
  EXPECT_EQ(X.PageGroupHeight(), 110);
}

TEST_F(Timers, SortTimerFollowsActivationAndTheOptions) {
  MakeIde();
  WriteTimer("PagesSort", Stored({kAlpha, kBeta}));
  WritePages(kAlpha, {"Win32", "System"});
  WritePages(kBeta, {"Samples", "Standard"});
  ShowIde();
  Load();
  auto X = Inspect();
  // Both options off: deactivation leaves the sort timer off.
  Ide->SetActive(false);
  EXPECT_FALSE(X.GroupSortTimer()->Enabled());
  EXPECT_EQ(Ide->HostCalls("mainForm.OnDeactivate"), 1);
  Ide->SetActive(true);

  // Only the palette option: the group stays, the palette returns to its
  // first page.
  WriteTimer("PagePaletteTimerRun", "1");
  Unload();
  Load();
  ClickGroup(kBeta);
  ClickPage("Standard");
  Ide->SetActive(false);
  EXPECT_TRUE(Inspect().GroupSortTimer()->Enabled());
  Ide->SetActive(true);
  EXPECT_FALSE(Inspect().GroupSortTimer()->Enabled());
  Ide->SetActive(false);
  WaitForTheSortTick();
  EXPECT_EQ(ActiveGroup(), kBeta);
  EXPECT_EQ(SelectedPage(), "Samples");
  EXPECT_EQ(Ide->LastLoad()->Page, "Samples");
  EXPECT_FALSE(Inspect().GroupSortTimer()->Enabled());

  // The group option: back to the first group.
  WriteTimer("PageGroupTimerRun", "1");
  Ide->SetActive(true);
  Unload();
  Load();
  ClickGroup(kBeta);
  Ide->SetActive(false);
  WaitForTheSortTick();
  EXPECT_EQ(ActiveGroup(), kAlpha);
  EXPECT_EQ(SelectedPage(), "Win32");
}

TEST_F(Timers, TheSortTickSeesARewriteTheWatchHasNotTickedYet) {
  MakeIde();
  WriteTimer("PagesSort", Stored({kAlpha, kBeta}));
  WritePages(kAlpha, {"Win32"});
  WritePages(kBeta, {"Samples"});
  WriteTimer("PageGroupKeep", "1");
  WriteTimer("PageGroupTimerRun", "1");
  WriteTimer("PageTimerRefreshInstallMSec", "2000");
  WriteTimer("PageTimerRefreshMSec", "100");
  ShowIde();
  Load();
  ClickGroup(kBeta);
  Ide->UninstallPages({"Samples"});
  WaitForThePaletteTick();
  ASSERT_EQ(ActiveGroup(), kAlpha);
  // The kept group's page is back; the sort tick comes before the watch's.
  Ide->InstallPages({"Samples"});
  Ide->SetActive(false);
  WaitForTheSortTick();
  EXPECT_EQ(ActiveGroup(), kBeta);
  EXPECT_EQ(PaletteTabs(), std::vector<std::string>{"Samples"});
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"Samples", 5, 6}));
}
