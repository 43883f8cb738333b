#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <type_traits>

#include "CodePage.h"
#include "Completion.h"
#include "RunIde.h"
#include "SimulatorFixture.h"
#include "UserText.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// What the types are for: host text reaches the user only through a
// conversion, and a plain std::string becomes neither type silently.
template <class T>
concept CanPrint = requires(TUtf8Stream& S, const T& Text) {
  S << Text;
};
static_assert(!CanPrint<std::string> && !CanPrint<const char*> && !CanPrint<THostText>);
static_assert(CanPrint<TUtf8> && CanPrint<char[14]> && CanPrint<int>);
static_assert(!std::is_convertible_v<std::string, TUtf8> &&
              !std::is_convertible_v<std::string, THostText>);
static_assert(!std::is_constructible_v<TUtf8, THostText> &&
              !std::is_convertible_v<THostText, std::string> &&
              !std::is_constructible_v<ECommandError, THostText>);

}  // namespace

// Host text becomes UTF-8 through UserText; Windows-1251 wrapped as UTF-8 by
// mistake shows as escapes, never as raw bytes.
TEST(Prompt, HostTextIsConvertedOrShownAsEscapes) {
  const std::string Group = "\xC3\xF0\xF3\xEF\xEF\xE0";  // "Группа" in Windows-1251
  EXPECT_EQ(UserText(THostText(Group)).Str(), "Группа");
  EXPECT_EQ(TUtf8(Group).Str(), "\\xc3\\xf0\\xf3\\xef\\xef\\xe0");
  EXPECT_EQ(TUtf8("Группа").Str(), "Группа");
  EXPECT_EQ(std::string(ECommandError("no '" + Group + "'").what()),
            "no '\\xc3\\xf0\\xf3\\xef\\xef\\xe0'");
}

// Tab's choices for a line, on an IDE whose add-in has the groups Данные
// (holding ADO) and НетГруппы, its settings dialog opened once.
TEST(Prompt, CompletionOffersWhatTheCommandTakes) {
  const std::unique_ptr<RegistryHive> Hive = OpenHive(":memory:");
  TSimulatorOptions Options = MemorySimulatorOptions();
  Options.Ide.Pages =
      std::vector<std::string>{"Standard", "Data Access",  "Data Controls", "DataSnap",
                               "ADO",      "Indy Clients", "Indy Misc",     "Win32"};
  std::ostringstream Out, Err;
  TSimulator Sim(Options, Out, Err);
  for (const char* Line :
       {"show", "load", "dialog", "sheet TSGroupPage", "input Данные", "click BtnAdd",
        "select LBoxPageGroup 0", "select LBoxPagePalette \"ADO\"", "click BtnMoveToLeftOne", "ok",
        "end", "menu component", "group НетГруппы"})
    ASSERT_EQ(Sim.RunLine(Line, "setup"), TLineResult::Ok) << Line << Err.str();
  struct TCase {
    const char* Before;
    bool InDialog;
    std::vector<std::string> Matches;
    const char* Edit;  // what replaces the line from the word's start; nullptr: a list
  };
  const TCase Cases[] = {
      {"", false, {}, nullptr},  // every command, listed
      {"sh", false, {"shortcut", "show"}, "sho"},
      {"group ", false, {"Данные", "НетГруппы"}, nullptr},
      {"group д", false, {"Данные"}, "Данные "},
      {"page Data", false, {"Data Access", "Data Controls", "DataSnap"}, nullptr},
      {"page Data C", false, {"Data Controls"}, "\"Data Controls\" "},
      {"page Indy", false, {}, "\"Indy "},
      {"page ADO", false, {}, nullptr},  // ADO is on the other group's palette
      {"page \"Dat", false, {"Data Access", "Data Controls", "DataSnap"}, "\"Data"},
      {"uninstall Indy", false, {}, "\"Indy "},
      {"check ", true, {}, "CheckBox"},
      {"select LBoxPage", true, {}, nullptr},
      {"key LBoxPageGroup E", true, {"End", "Enter", "Escape"}, nullptr},
      {"type Spin",
       true,
       {"SpinTimerInstallRefresh", "SpinTimerRefreshPagesInterval"},
       "SpinTimer"},
  };
  for (const TCase& C : Cases) {
    const TCompletion Found = Completions(Sim, C.Before, C.InDialog);
    if (!C.Matches.empty()) {
      EXPECT_EQ(Found.Matches, C.Matches) << C.Before;
    }
    const TCompletionEdit Edit = CompletionEdit(Found);
    EXPECT_EQ(Edit.Replace, C.Edit != nullptr) << C.Before;
    if (C.Edit != nullptr) {
      EXPECT_EQ(Edit.Text, C.Edit) << C.Before;
    }
  }
  // An empty line offers every command; check only check boxes, click
  // nothing that cannot be clicked.
  EXPECT_EQ(Completions(Sim, "", false).Matches.size(), Commands().size());
  for (const std::string& Name : Completions(Sim, "check ", true).Matches)
    EXPECT_EQ(Name.rfind("CheckBox", 0), 0u) << Name;
  const std::vector<std::string> Clickable = Completions(Sim, "click ", true).Matches;
  EXPECT_THAT(Clickable, testing::Contains("BtnAdd"));
  EXPECT_THAT(Clickable, testing::Not(testing::Contains("LBoxPageGroup")));
}

// Choices in columns, down then across, as wide as the terminal allows.
TEST(Prompt, ChoicesInColumns) {
  EXPECT_EQ(InColumns({"a", "bb", "ccc", "dddd", "e"}, 12), "a     dddd\nbb    e\nccc\n");
  EXPECT_EQ(InColumns({"Данные", "НетГруппы", "Основные"}, 40), "Данные     НетГруппы  Основные\n");
  EXPECT_EQ(InColumns({"a-long-name", "b"}, 5), "a-long-name\nb\n");
}

// install takes a page in quotes with its components after it, and page
// the rest of its line.
TEST(Prompt, PagesWithBlanks) {
  const TRun R = RunIde({"--hive", ":memory:", "-e", "show", "-e",
                         "install \"My Page\"=TMyButton,TMyEdit \"A=B\"", "-e",
                         "page Data Controls", "-e", "dump hostPalette"});
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_THAT(R.Out, HasSubstr("\"My Page\":[\"TMyButton\",\"TMyEdit\"],\"A\":[\"B\"]"));
  EXPECT_THAT(R.Out, HasSubstr("\"lastLoad\":{\"page\":\"Data Controls\""));
}
