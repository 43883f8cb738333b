#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "Json.h"
#include "RenderedRow.h"
#include "SimulatorFixture.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// What render shows must be what dump says, after every step.
void ExpectRenderMatchesDump(const std::string& Render, const TJson& Dump,
                             const std::string& Step) {
  SCOPED_TRACE("after " + Step + "\n" + Render);
  const TRenderedRow Palette = ParseRow(Render, "palette (");
  ASSERT_TRUE(Palette.Present);
  EXPECT_THAT(Palette.Heading,
              HasSubstr("(" + Dump.at("/palette/parent"_json_pointer).get<std::string>() + ")"));
  const TJson& Tabs = Dump.at("/palette/tabs"_json_pointer);
  ASSERT_EQ(Palette.Tabs.size(), Tabs.size());
  for (std::size_t i = 0; i < Palette.Tabs.size(); ++i) {
    EXPECT_EQ(Palette.Tabs[i].Caption, Tabs[i]);
    EXPECT_EQ(Palette.Tabs[i].Chosen, Dump.at("/palette/tabIndex"_json_pointer) == i);
    EXPECT_FALSE(Palette.Tabs[i].Bold || Palette.Tabs[i].Shaded);
  }

  const TRenderedRow Bar = ParseRow(Render, "group bar");
  const bool OnBar =
      Dump.at("/palette/parent"_json_pointer).get<std::string>().rfind("groupBar", 0) == 0;
  ASSERT_EQ(Bar.Present, OnBar);
  if (!OnBar)
    return;
  const TJson& Sheets = Dump.at("/groupBar/sheets"_json_pointer);
  const int Active = Dump.at("/groupBar/activeIndex"_json_pointer).get<int>();
  const bool Shadow = Dump.at("/expert/options/PagesShadow"_json_pointer).get<bool>();
  std::size_t Shown = 0;
  for (std::size_t i = 0; i < Sheets.size(); ++i) {
    const TJson& Sheet = Sheets[i];
    if (!Sheet.at("tabVisible").get<bool>())
      continue;
    ASSERT_LT(Shown, Bar.Tabs.size());
    const TRenderedTab& Tab = Bar.Tabs[Shown++];
    const bool IsActive = static_cast<int>(i) == Active;
    EXPECT_EQ(Tab.Caption, Sheet.at("caption"));
    EXPECT_EQ(Tab.Chosen, IsActive) << Tab.Caption;
    EXPECT_EQ(Tab.Bold, IsActive) << Tab.Caption;
    EXPECT_EQ(Tab.Shaded, Shadow && !IsActive) << Tab.Caption;
  }
  EXPECT_EQ(Shown, Bar.Tabs.size());
}

}  // namespace

TEST(Render, ShowsWhatDumpSaysAfterEveryStep) {
  TMemorySimulator M;
  TSimulator& Sim = M.Sim;
  std::ostringstream &Out = M.Out, &Err = M.Err;

  const std::vector<std::string> Steps = {
      "show", "load",
      // Two groups made in the settings dialog, in the shadow style (a fresh
      // registry leaves it off until the dialog stores it).
      "dialog", "sheet TSGroupPage", "input Данные", "click BtnAdd", "input Основные",
      "click BtnAdd", "select LBoxPageGroup 0", "select LBoxPagePalette \"ADO\"",
      "click BtnMoveToLeftOne", "select LBoxPageGroup 1", "select LBoxPagePalette \"Win32\"",
      "click BtnMoveToLeftOne", "sheet TSMain", "check CheckBoxDrawGroupPageShadow on", "ok", "end",
      "menu palette", "group #1", "page #0", "group НетГруппы", "page #3",
      "install \"Tabulon Demo\"", "wait 50",
      // The plain style with a bold group bar font.
      "dialog", "check CheckBoxDrawGroupPageShadow off", "check CheckBoxDrawGroupPage_WidthFull on",
      "ok", "end", "menu component", "group #0", "deactivate", "activate", "unload"};
  bool Grouped = false;
  for (const std::string& Step : Steps) {
    ASSERT_EQ(Sim.RunLine(Step, Step), TLineResult::Ok) << Err.str();
    if (Sim.UnfinishedBlock() != "")
      continue;  // inside a dialog block nothing has happened yet
    Out.str("");
    ASSERT_EQ(Sim.RunLine("render", "render"), TLineResult::Ok) << Err.str();
    const std::string Render = Out.str();
    Out.str("");
    ASSERT_EQ(Sim.RunLine("dump", "dump"), TLineResult::Ok) << Err.str();
    const TJson Dump = ParseJson(Out.str());
    Grouped = Grouped || Render.find(":Данные:") != std::string::npos;
    ExpectRenderMatchesDump(Render, Dump, Step);
  }
  EXPECT_TRUE(Grouped) << "the steps never showed a shaded group tab";
}
