// Group switching and palette filtering: the palette follows the group, the
// IDE sees the full palette.

#include "EngineFixture.h"

namespace {

// An IDE palette handler that fails on demand, as a broken package's could.
class TFailingHandler : public TObject {
 public:
  void Change(TObject*) {
    if (Fail)
      throw Exception("palette handler failed");
  }
  bool Fail = false;
};

}  // namespace

class Switch : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    MakeIde();
    WriteTimer("PagesSort", Stored({kAlpha, kBeta, kGamma}));
    // The group's own order, not the IDE's.
    WritePages(kAlpha, {"Data Access", "Servers", "Standard"});
    WritePages(kBeta, {"System"});
    WritePages(kGamma, {"Samples", "Win32"});
  }
};

TEST_F(Switch, ThePaletteShowsTheGroupAndTheIdeTheFullPalette) {
  ShowIde();
  Load();
  EXPECT_EQ(PaletteTabs(), (std::vector<std::string>{"Data Access", "Standard"}));
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"Data Access", 4, 6}));
  EXPECT_EQ(Lines(Inspect().Master()->Tabs()), Ide->Pages());

  ClickPage("Standard");
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"Standard", 0, 6}));
  EXPECT_EQ(Inspect().Master()->TabIndex(), 0);
  // The palette answers for itself again once the IDE's handler is done.
  EXPECT_EQ(Ide->Palette()->Tabs()->Count(), 2);
  EXPECT_EQ(SelectedPage(), "Standard");
  EXPECT_TRUE(Inspect().PaletteChangeTimer()->Enabled());

  App->ProcessMessages();
  const int Paints = Inspect().GroupBar()->PaintCount();
  const int Sizes = Ide->SizeMessages();
  ClickGroup(kGamma);
  App->ProcessMessages();
  EXPECT_EQ(Ide->Palette()->Parent(), Inspect().GroupBar()->ActivePage());
  EXPECT_EQ(PaletteTabs(), (std::vector<std::string>{"Samples", "Win32"}));
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"Samples", 5, 6}));
  // One switch, one picture of the group bar, no layout of the main form.
  EXPECT_EQ(Inspect().GroupBar()->PaintCount(), Paints + 1);
  EXPECT_EQ(Ide->SizeMessages(), Sizes);

  ClickGroup(kUngrouped);
  EXPECT_EQ(PaletteTabs(), (std::vector<std::string>{"Additional"}));
}

TEST_F(Switch, ThePaletteGetsItsOwnWindowBackWhenTheIdeHandlerFails) {
  TFailingHandler Handler;
  Ide->Palette()->SetOnChange(TNotifyEvent::Of<&TFailingHandler::Change>(&Handler));
  ShowIde();
  Load();
  Handler.Fail = true;
  const int Index = Ide->Palette()->Tabs()->IndexOf("Standard");
  EXPECT_THROW(ClickTab(Ide->Palette(), Index), Exception);
  // Every question to the palette is its own again, not the master list's.
  EXPECT_EQ(Ide->Palette()->Tabs()->Count(), 2);
  EXPECT_EQ(SelectedPage(), "Standard");
  Handler.Fail = false;
  Unload();
  EXPECT_EQ(PaletteTabs(), Ide->Pages());
}

TEST_F(Switch, KeptGroupWinsAfterEveryRebuild) {
  for (bool Keep : {true, false}) {
    SCOPED_TRACE(Keep ? "keep on" : "keep off");
    WriteTimer("PageGroupKeep", Keep ? "1" : "0");
    WriteTimer("PageGroupTimerRun", "1");
    ShowIde();
    Load();
    ClickGroup(kGamma);
    EXPECT_EQ(Inspect().LastPageGroup(), Keep ? kGamma : "");
    // The IDE rebuilds its palette; the tick rebuilds the groups.
    Ide->InstallPages({"Tabulon"});
    WaitForThePaletteTick();
    EXPECT_EQ(ActiveGroup(), Keep ? kGamma : kAlpha);
    // The sort timer returns to the kept or the first group as well: its
    // ten seconds of real time, however late they end.
    ClickGroup(kBeta);
    Ide->SetActive(false);
    WaitForTheSortTick();
    EXPECT_EQ(ActiveGroup(), Keep ? kBeta : kAlpha);
    Unload();
    Ide->UninstallPages({"Tabulon"});
  }
}

TEST_F(Switch, AGroupThatLosesItsPagesIsHidden) {
  ShowIde();
  Load();
  ClickGroup(kBeta);
  Ide->UninstallPages({"System"});
  WaitForThePaletteTick();
  EXPECT_EQ(GroupTabs(), (std::vector<std::string>{kAlpha, kGamma, kUngrouped}));
  EXPECT_EQ(ActiveGroup(), kAlpha);
  EXPECT_EQ(PaletteTabs(), (std::vector<std::string>{"Data Access", "Standard"}));
  // Its stored list survives: the page comes back with its package.
  Ide->InstallPages({"System"});
  WaitForThePaletteTick();
  EXPECT_EQ(GroupTabs(), (std::vector<std::string>{kAlpha, kBeta, kGamma, kUngrouped}));
  EXPECT_EQ(Inspect().PageGroupPages()[1], "System\r\n");
}

TEST_F(Switch, TheIdeSeesItsOwnRebuildUntilTheTick) {
  ShowIde();
  Load();
  ClickGroup(kGamma);
  ClickPage("Samples");
  // The IDE removes a page before the selected one and announces its new
  // palette: it reads its own five pages, Samples now fourth.
  Ide->UninstallPages({"Additional"});
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"Samples", 4, 5}));
  // A group click before the tick works from the new list already.
  ClickGroup(kAlpha);
  EXPECT_EQ(PaletteTabs(), (std::vector<std::string>{"Data Access", "Standard"}));
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"Data Access", 3, 5}));
  EXPECT_EQ(Lines(Inspect().Master()->Tabs()), Ide->Pages());
  // The IDE publishes the same pages again: the group stays and gets its
  // own pages back at the tick.
  ClickGroup(kGamma);
  Ide->InstallPages({"samples"});
  EXPECT_EQ(PaletteTabs(), Ide->Pages());
  EXPECT_TRUE(PassTimeUntil([this] { return PaletteTabs() != Ide->Pages(); }, WatchTicks(1)));
  EXPECT_EQ(ActiveGroup(), kGamma);
  EXPECT_EQ(PaletteTabs(), (std::vector<std::string>{"Samples", "Win32"}));
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"Samples", 4, 5}));
}
