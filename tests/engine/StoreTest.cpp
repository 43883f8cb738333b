// The store: what import makes of the registry values, and the bytes that
// export writes.

#include "EngineFixture.h"

class Store : public EngineTest {};

TEST_F(Store, ImportGroupsThePaletteFromTheStore) {
  MakeIde();
  WriteTimer("PagesSort", Stored({kAlpha, kBeta}));
  // A page the palette lacks stays listed but is not shown; names match
  // without regard to letter case.
  WritePages(kAlpha, {"Win32", "Standard", "Servers"});
  WritePages(kBeta, {"system"});
  ShowIde();
  Load();
  auto X = Inspect();
  EXPECT_TRUE(X.GroupsActive());
  EXPECT_EQ(GroupTabs(), (std::vector<std::string>{kAlpha, kBeta, kUngrouped}));
  EXPECT_EQ(ActiveGroup(), kAlpha);
  EXPECT_EQ(PaletteTabs(), (std::vector<std::string>{"Win32", "Standard"}));
  EXPECT_EQ(SelectedPage(), "Win32");
  // The IDE saw the full palette with Win32 selected in it.
  ASSERT_TRUE(Ide->LastLoad().has_value());
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"Win32", 2, 6}));
  EXPECT_EQ(X.PageGroupPages().back(), "Additional\r\nData Access\r\nSamples\r\n");
  EXPECT_EQ(X.PageGroupPages()[0], "Win32\r\nStandard\r\nServers\r\n");
  // The palette shows the group's own spelling; the IDE gets its own page.
  ClickGroup(kBeta);
  EXPECT_EQ(PaletteTabs(), std::vector<std::string>{"system"});
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"System", 3, 6}));
}

TEST_F(Store, PagesMatchByWholeNameFirstEntryAndCyrillicCase) {
  // Примеры twice, in two spellings, and Ёлка, whose capital and small Ё lie
  // apart from the other letters of the code page.
  const std::string Samples = "\xCF\xF0\xE8\xEC\xE5\xF0\xFB";
  const std::string SAMPLES = "\xCF\xD0\xC8\xCC\xC5\xD0\xDB";
  MakeIde({"Standard", Samples, "\xA8\xEB\xEA\xE0", SAMPLES});
  WriteTimer("PagesSort", Stored({kAlpha}));
  WritePages(kAlpha, {SAMPLES, "Stand", "\xB8\xCB\xCA\xC0"});
  ShowIde();
  Load();
  // A name's first entry in the palette is the group's; a part of a name is
  // no match, so the later spelling stays ungrouped.
  EXPECT_EQ(PaletteTabs(), (std::vector<std::string>{SAMPLES, "\xB8\xCB\xCA\xC0"}));
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{Samples, 1, 4}));
  EXPECT_EQ(Inspect().PageGroupPages().back(), "Standard\r\n" + SAMPLES + "\r\n");
  ClickPage("\xB8\xCB\xCA\xC0");
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"\xA8\xEB\xEA\xE0", 2, 4}));
}

TEST_F(Store, GroupOrderIsDecodedAndFiltered) {
  struct TCase {
    const char* Name;
    std::string PagesSort;
    std::vector<std::string> Groups;
  };
  const std::vector<TCase> Cases = {
      {"pairs", Stored({kAlpha, kBeta}), {kAlpha, kBeta}},
      {"single separator", kAlpha + "\x1F" + kBeta, {kAlpha, kBeta}},
      {"empty lines",
       "\x1F\x1F" + kAlpha + "\x1F\x1F\x1F\x1F" + kBeta + "\x1F\x1F\x1F\x1F",
       {kAlpha, kBeta}},
      {"Latin, digits and blanks dropped", Stored({"Standard", kAlpha + " 1x", "  "}), {kAlpha}},
      {"Cyrillic words run together", Stored({"\xC0\xEB \xF4\xE0"}), {kAlpha}},
      {"empty store", "", {}},
      {"same name twice", Stored({kAlpha, kAlpha}), {kAlpha, kAlpha}},
      // "аЛФА": the dialog no longer makes such names, but a store that holds
      // them loads as ever, both groups reading the one value.
      {"same name in another case",
       Stored({kAlpha, "\xE0\xCB\xD4\xC0"}),
       {kAlpha, "\xE0\xCB\xD4\xC0"}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    MakeIde();
    WriteTimer("PagesSort", C.PagesSort);
    WritePages(kAlpha, {"Samples"});
    WritePages(kBeta, {"Win32"});
    ShowIde();
    Load();
    std::vector<std::string> Expected = C.Groups;
    std::vector<std::string> Captions;
    for (int i = 0; i < Inspect().GroupBar()->PageCount(); ++i)
      Captions.push_back(Inspect().GroupBar()->Pages(i)->Caption());
    Expected.push_back(kUngrouped);
    EXPECT_EQ(Captions, Expected);
    for (std::size_t i = 0; i < C.Groups.size(); ++i)
      EXPECT_EQ(Inspect().PageGroupPages()[i],
                AnsiSameText(C.Groups[i], kAlpha) ? "Samples\r\n" : "Win32\r\n");
    EXPECT_TRUE(Inspect().GroupsActive());
    if (C.Groups.empty()) {
      EXPECT_EQ(PaletteTabs(), Ide->Pages());
    }
    Unload();
    delete Ide;
    Ide = nullptr;
  }
}

// The master list is copied from the palette's tabs, and the index built
// from their text. A page name with a line break or a NUL in it is split or
// cut in that text: the master list then holds the names as the index has
// them, entry for entry, so that the IDE still gets the page chosen.
TEST_F(Store, PageNamesThatTheTextSplitsKeepMasterAndIndexInStep) {
  const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> Cases = {
      {{"Standard", "Data\rAccess", "Win32"}, {"Standard", "Data", "Access", "Win32"}},
      {{"Standard", "Win32", std::string("Sa\0mples", 8)}, {"Standard", "Win32", "Sa"}},
  };
  for (const auto& [Pages, Master] : Cases) {
    MakeIde(Pages);
    WriteTimer("PagesSort", Stored({kAlpha}));
    WritePages(kAlpha, {"Win32"});
    ShowIde();
    Load();
    EXPECT_EQ(Lines(Inspect().Master()->Tabs()), Master);
    const int Win32 =
        static_cast<int>(std::find(Master.begin(), Master.end(), "Win32") - Master.begin());
    EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"Win32", Win32, static_cast<int>(Master.size())}));
    Unload();
    delete Ide;
    Ide = nullptr;
  }
}

TEST_F(Store, WithoutTheKeyGroupingStaysOff) {
  MakeIde();
  ShowIde();
  const int Loads = Ide->Loads();
  Load();
  EXPECT_FALSE(Inspect().GroupsActive());
  EXPECT_EQ(GroupTabs(), std::vector<std::string>{kUngrouped});
  EXPECT_EQ(PaletteTabs(), Ide->Pages());
  EXPECT_EQ(Ide->Loads(), Loads + 1);
  EXPECT_EQ(Read("Timer", "PagesSort"), "<no key>");
  // A palette choice goes straight to the IDE and starts no timer. The wait
  // is well beyond the install timer's 50 ms, so that on the real platform
  // too the timer has run before the click.
  App->AdvanceTime(200);
  ClickPage("Samples");
  EXPECT_EQ(*Ide->LastLoad(), (TPaletteLoad{"Samples", 5, 6}));
  EXPECT_FALSE(Inspect().PaletteChangeTimer()->Enabled());
}

TEST_F(Store, ExportWritesTheStoreByteForByte) {
  MakeIde();
  ShowIde();
  Load();
  Write("Pages", "\xD1\xF2\xE0\xF0\xE0\xFF", Stored({"Old"}));  // "Старая": a deleted group
  TStringList Groups;
  TStringList AlphaPages, NamelessPages, BetaPages;
  AlphaPages.SetText("Win32\r\nStandard\r\n");
  NamelessPages.SetText("Samples\r\n");
  // A line break inside a name is stored as a separator too.
  NamelessPages.Add("Lone\rCR\nLF");
  Groups.AddObject(kAlpha, &AlphaPages);
  Groups.AddObject("", &NamelessPages);
  Groups.AddObject(kBeta, &BetaPages);
  ASSERT_TRUE(Inspect().Export(&Groups));

  EXPECT_EQ(Read("Pages", kAlpha), "Win32\x1F\x1FStandard\x1F\x1F");
  EXPECT_EQ(Read("Pages", ""),
            "Samples\x1F\x1FLone\x1F"
            "CR\x1FLF\x1F\x1F");  // the unnamed value
  EXPECT_EQ(Read("Pages", kBeta), "");
  EXPECT_EQ(Read("Pages", "\xD1\xF2\xE0\xF0\xE0\xFF"), "<none>");
  EXPECT_EQ(Read("Timer", "PagesSort"), kAlpha + "\x1F\x1F\x1F\x1F" + kBeta + "\x1F\x1F");
  const std::string Colour = HostVersion == 7   ? "-16777190"
                             : HostVersion == 6 ? "-2147483622"
                                                : "26";
  const std::vector<std::pair<std::string, std::string>> Options = {
      {"PageTimerRefreshInstallMSec", "50"},
      {"PageGroupTimerRun", "0"},
      {"PagePaletteTimerRun", "0"},
      {"PageTimerRefreshMSec", "10000"},
      {"PagesDraw", "1"},
      {"PagesShadow", "0"},
      {"PagesGroupColorFont", Colour},
      {"PagesGroupWidthFull", "0"},
      {"PagesGroupMultiLine", "0"},
      {"PagesPaletteMultiLine", "0"},
      {"PageGroupKeep", "0"}};
  for (const auto& [Name, Text] : Options)
    EXPECT_EQ(Read("Timer", Name), Text) << Name;

  // Read back by a new expert: the nameless group is gone, its page shows
  // in the ungrouped tab, the empty group is hidden.
  Unload();
  Load();
  EXPECT_EQ(GroupTabs(), (std::vector<std::string>{kAlpha, kUngrouped}));
  EXPECT_EQ(Inspect().GroupBar()->PageCount(), 3);
  EXPECT_FALSE(Inspect().Flag("PagesShadow"));
  ClickGroup(kUngrouped);
  EXPECT_EQ(PaletteTabs(),
            (std::vector<std::string>{"Additional", "System", "Data Access", "Samples"}));
}

TEST_F(Store, OptionsAreReadWithTheirDefaults) {
  MakeIde();
  WriteTimer("PagesSort", Stored({kAlpha}));
  WritePages(kAlpha, {"Win32"});
  WriteTimer("PageTimerRefreshMSec", "2500");
  WriteTimer("PagesGroupWidthFull", "7");  // any non-zero number is true
  WriteTimer("PageGroupKeep", "");         // empty text gives the default
  WriteTimer("PagesGroupColorFont", "255");
  ShowIde();
  Load();
  auto X = Inspect();
  EXPECT_EQ(X.PaletteChangeTimer()->Interval(), 50);
  EXPECT_EQ(X.GroupSortTimer()->Interval(), 2500);
  EXPECT_TRUE(X.GroupBar()->OwnerDraw());
  EXPECT_TRUE(X.Flag("PagesShadow"));
  EXPECT_EQ(X.GroupBar()->Font()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(X.GroupBar()->Font()->Color(), clRed);
  EXPECT_FALSE(X.Flag("PageGroupKeep"));
}

TEST_F(Store, DelaysAreReadAsTheirTimersCanRunThem) {
  struct TCase {
    std::string PaletteWatch, GroupSort;
    int PaletteWatchInterval, GroupSortInterval;
  };
  // The palette watch must tick; the sort delay's 0 means no return to the
  // start position. Negatives come from a hand-edited store or from an older
  // version whose delays wrapped.
  const TCase Cases[] = {
      {"0", "0", 1, 0},
      {"-2147483648", "-5", 1, 0},
      {"2147483647", "2147483647", 2147483647, 2147483647},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.PaletteWatch);
    MakeIde();
    WriteTimer("PagesSort", Stored({kAlpha}));
    WriteTimer("PageTimerRefreshInstallMSec", C.PaletteWatch);
    WriteTimer("PageTimerRefreshMSec", C.GroupSort);
    ShowIde();
    Load();
    EXPECT_EQ(Inspect().PaletteChangeTimer()->Interval(), C.PaletteWatchInterval);
    EXPECT_EQ(Inspect().GroupSortTimer()->Interval(), C.GroupSortInterval);
    Unload();
    delete Ide;
    Ide = nullptr;
  }
}
