#pragma once

// A simulated IDE with the expert loaded into it, on a memory hive.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ApplicationTest.h"
#include "IdeMainForm.h"
#include "Registry.h"
#include "RegistryHive.h"
#include "StockPalette.h"
#include "TestText.h"
#include "UserInput.h"
#include "uConstORVExpertMPage.h"
#include "uORVExpertPageGroup.h"
#include "uORVExpertProbe.h"

// What the IDE's palette handler saw, readable in a failure message.
inline void PrintTo(const TPaletteLoad& Load, std::ostream* Out) {
  *Out << "{\"" << Load.Page << "\", " << Load.TabIndex << ", " << Load.TabCount << "}";
}

// A list as the store keeps it: every name followed by 0x1F 0x1F.
inline std::string Stored(const std::vector<std::string>& Names) {
  std::string S;
  for (const auto& N : Names)
    S += N + "\x1F\x1F";
  return S;
}

class EngineTest : public ApplicationTest {
 protected:
  void SetUp() override {
    ApplicationTest::SetUp();
    Hive = std::make_unique<RegistryHive>(":memory:");
  }

  void TearDown() override {
    delete Expert;
    Expert = nullptr;
    ApplicationTest::TearDown();
    Hive.reset();
  }

  TIdeMainForm* MakeIde(std::vector<std::string> Pages = {"Standard", "Additional", "Win32",
                                                          "System", "Data Access", "Samples"},
                        TPaletteLayout Layout = TPaletteLayout::ControlBar) {
    Ide = new TIdeMainForm(App, Layout, Pages);
    return Ide;
  }

  void Load() { Expert = new TORVExpert(); }
  void Unload() {
    delete Expert;
    Expert = nullptr;
  }
  TORVExpertProbe Inspect() const { return TORVExpertProbe(Expert); }

  // Writes raw values into the add-in's key, as another implementation or a
  // hand-edited hive would hold them.
  void WriteTimer(const std::string& Name, const std::string& Value) {
    Write("Timer", Name, Value);
  }
  void WritePages(const std::string& Group, const std::vector<std::string>& Pages) {
    Write("Pages", Group, Stored(Pages));
  }
  void Write(const std::string& Section, const std::string& Name, const std::string& Value) {
    TRegIniFile Reg;
    ASSERT_TRUE(Reg.OpenKey(Const_sKeyNameDelphi + Const_sKeyNameORVExpert, true));
    Reg.WriteString(Section, Name, Value);
    Reg.CloseKey();
  }
  std::string Read(const std::string& Section, const std::string& Name) {
    TRegIniFile Reg;
    if (!Reg.OpenKey(Const_sKeyNameDelphi + Const_sKeyNameORVExpert, false))
      return "<no key>";
    return Reg.ReadString(Section, Name, "<none>");
  }

  std::vector<std::string> PaletteTabs() const { return Lines(Ide->Palette()->Tabs()); }
  std::vector<std::string> GroupTabs() const { return Lines(Inspect().GroupBar()->Tabs()); }
  std::string ActiveGroup() const { return Inspect().GroupBar()->ActivePage()->Caption(); }
  std::string SelectedPage() const {
    const int I = Ide->Palette()->TabIndex();
    return I < 0 ? "" : Ide->Palette()->Tabs()->Get(I);
  }
  // The user clicks the group tab with this caption.
  void ClickGroup(const std::string& Caption) {
    TPageControl* Bar = Inspect().GroupBar();
    const int I = Bar->Tabs()->IndexOf(Caption);
    ASSERT_GE(I, 0) << "no visible group tab " << Caption;
    ClickTab(Bar, I);
  }
  void ClickPage(const std::string& Caption) {
    const int I = Ide->Palette()->Tabs()->IndexOf(Caption);
    ASSERT_GE(I, 0) << "no palette tab " << Caption;
    ClickTab(Ide->Palette(), I);
  }
  void ShowIde() {
    Ide->Show();
    Ide->SetActive(true);
  }
  // How long a test waits for N ticks of the palette watch, or for the sort
  // timer's: their intervals on the headless clock, which fires a timer on
  // the dot; on the real one, seconds more, however late a loaded machine
  // fires it.
#ifdef _WIN32
  static constexpr std::int64_t kLateBy = 20000;
#else
  static constexpr std::int64_t kLateBy = 0;
#endif
  std::int64_t WatchTicks(int N) const {
    return N * static_cast<std::int64_t>(Inspect().PaletteChangeTimer()->Interval()) + kLateBy;
  }
  // The palette watch's tick that takes the IDE's rewritten palette.
  void WaitForThePaletteTick() {
    ASSERT_TRUE(PassTimeUntil([this] { return Lines(Inspect().Master()->Tabs()) == Ide->Pages(); },
                              WatchTicks(1)))
        << "the palette watch never took the IDE's palette";
  }
  // Its tick that finds nothing new and stops it, at most one after the
  // tick that rebuilt.
  void WaitForTheWatchToStop() {
    ASSERT_TRUE(
        PassTimeUntil([this] { return !Inspect().PaletteChangeTimer()->Enabled(); }, WatchTicks(2)))
        << "the palette watch never stopped";
  }
  // The sort timer's tick, which stops it.
  void WaitForTheSortTick() {
    TTimer* Sort = Inspect().GroupSortTimer();
    ASSERT_TRUE(Sort->Enabled());
    ASSERT_TRUE(PassTimeUntil([Sort] { return !Sort->Enabled(); },
                              static_cast<std::int64_t>(Sort->Interval()) + kLateBy))
        << "the sort timer never fired";
  }

  std::unique_ptr<RegistryHive> Hive;
  TIdeMainForm* Ide = nullptr;
  TORVExpert* Expert = nullptr;
};
