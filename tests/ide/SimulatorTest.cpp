#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "Json.h"
#include "Program.h"
#include "Simulator.h"

namespace {

struct TRun {
  int Status;
  std::string Out, Err;
};

TRun RunIde(const std::vector<std::string>& Args, const std::string& Stdin = "",
            bool Terminal = false) {
  std::istringstream In(Stdin);
  std::ostringstream Out, Err;
  const int Status = TabulonIdeMain(Args, In, Out, Err, Terminal);
  return {Status, Out.str(), Err.str()};
}

TJson LastDump(const std::string& Out) {
  const std::size_t Start = Out.rfind("\n{", Out.size() - 2);
  return TJson::Parse(Out.substr(Start == std::string::npos ? 0 : Start + 1));
}

}  // namespace

TEST(Json, ParsesWritesAndCompares) {
  const TJson J = TJson::Parse(
      R"( {"a":[1,2.5,-3e2,true,null],"b":{"x":"\u00e9\ud83d\ude00\"\\\n"},"c/d":1,"e~f":2} )");
  EXPECT_EQ(J.Write(),
            "{\"a\":[1,2.5,-300,true,null],\"b\":{\"x\":\"\xC3\xA9\xF0\x9F\x98\x80\\\"\\\\\\n\"},"
            "\"c/d\":1,\"e~f\":2}");
  EXPECT_EQ(TJson::Parse(J.Write()), J);
  EXPECT_EQ(TJson::Parse("{\"y\":1,\"x\":[1.0]}"), TJson::Parse("{\"x\":[1],\"y\":1}"));
  EXPECT_FALSE(TJson::Parse("[1,2]") == TJson::Parse("[2,1]"));
  EXPECT_FALSE(TJson::Parse("0") == TJson::Parse("false"));
  EXPECT_FALSE(TJson::Parse("\"1\"") == TJson::Parse("1"));
  EXPECT_EQ(TJson(std::string("\x01")).Write(), "\"\\u0001\"");

  struct TPointer {
    const char* Pointer;
    const char* Value;  // nullptr: no value there
  };
  const TPointer Pointers[] = {
      {"", nullptr},     {"/a/1", "2.5"},     {"/a/01", nullptr},
      {"/a/5", nullptr}, {"/a/-", nullptr},   {"/c~1d", "1"},
      {"/e~0f", "2"},    {"/b/x/y", nullptr}, {"/missing/deeper", nullptr},
  };
  for (const TPointer& P : Pointers) {
    const TJson* V = J.At(P.Pointer);
    if (std::string(P.Pointer).empty())
      EXPECT_EQ(V, &J);
    else if (P.Value == nullptr)
      EXPECT_EQ(V, nullptr) << P.Pointer;
    else
      EXPECT_EQ(V != nullptr ? V->Write() : "(none)", P.Value) << P.Pointer;
  }
  for (const char* Bad : {"a", "/a~2", "/x~"})
    EXPECT_THROW(J.At(Bad), EJsonError) << Bad;
  for (const char* Bad : {"", "[1,]", "{\"a\":1,\"a\":2}", "01", "\"\\ud800\"", "tru", "[1] 2",
                          "\"a\tb\"", "{\"a\" 1}", "-", "1."})
    EXPECT_THROW(TJson::Parse(Bad), EJsonError) << Bad;
}

TEST(Simulator, ExitStatusesAndMessages) {
  struct TCase {
    std::vector<std::string> Args;
    int Status;
    const char* Err;
  };
  const TCase Cases[] = {
      {{"-e", "frobnicate"}, 2, "tabulon-ide: -e line 1: unknown command 'frobnicate'"},
      {{"-e", "show", "-e", "page Nowhere"}, 2, "-e line 2: there is no palette tab 'Nowhere'"},
      {{"-e", "show", "-e", "page #99"}, 2, "there is no palette tab #99"},
      {{"-e", "page Win32"}, 2, "the palette is not on the screen"},
      {{"-e", "activate"}, 2, "cannot be activated"},
      {{"-e", "wait -5"}, 2, "MS must be a whole number"},
      {{"-e", "key down LALT"}, 2, "unknown key 'LALT'"},
      {{"-e", "key sideways A"}, 2, "expected down or up"},
      {{"-e", "dump now"}, 2, "dump takes no arguments"},
      {{"-e", "install"}, 2, "usage: install PAGE..."},
      {{"-e", "install \"Win"}, 2, "unterminated quoted argument"},
      {{"-e", "install \xE6\x97\xA5"}, 2, "cannot represent"},
      {{"-e", "expect /host"}, 2, "usage: expect POINTER JSON"},
      {{"-e", "expect /host [7"}, 2, "invalid JSON"},
      {{"-e", "expect host 7"}, 2, "starts with '/'"},
      {{"-e", "expect /host 7", "-e", "expect /hostx 7", "-e", "expect /host 5"},
       1,
       "-e line 2: expect /hostx 7 failed\n  expected: 7\n  actual:   (no such value)\n"},
      {{"--host", "8"}, 2, "--host must be 5, 6 or 7"},
      {{"--host", HostVersion == 7 ? "6" : "7", "-e", "show"}, 2, "build; run tabulon-ide --host"},
      {{"--layout", "side"}, 2, "--layout must be controlbar or panel"},
      {{"--palette", "/nonexistent"}, 2, "cannot read palette file /nonexistent"},
      {{"--package", "/nonexistent.so"}, 2, "no such file"},
      {{"-x"}, 2, "unknown option '-x'"},
      {{"-e"}, 2, "option -e needs a value"},
      {{"/nonexistent.tide"}, 2, "cannot read script /nonexistent.tide"},
      {{"--hive=:memory:", "-e", "# just a comment", "-e", "   "}, 0, ""},
  };
  for (const TCase& C : Cases) {
    const TRun R = RunIde(C.Args);
    EXPECT_EQ(R.Status, C.Status) << C.Args.back() << "\n" << R.Err;
    EXPECT_NE(R.Err.find(C.Err), std::string::npos) << R.Err;
  }
  // Every failed expect is reported, the later lines still run.
  const TRun R = RunIde({"-e", "expect /host 1", "-e", "expect /time 1", "-e", "dump"});
  EXPECT_EQ(R.Status, 1);
  EXPECT_NE(R.Err.find("-e line 1"), std::string::npos);
  EXPECT_NE(R.Err.find("-e line 2"), std::string::npos);
  EXPECT_EQ(LastDump(R.Out).Find("host")->AsInteger(), HostVersion);
}

TEST(Simulator, ARefusedCommandChangesNothing) {
  TSimulatorOptions O;
  O.Ide.Pages = std::vector<std::string>{"Standard", "Win32"};
  std::ostringstream Out, Err;
  TSimulator Sim(O, Out, Err);
  EXPECT_EQ(Sim.RunLine("show", "t"), TLineResult::Ok);
  EXPECT_EQ(Sim.RunLine("uninstall Standard Missing", "t line 2"), TLineResult::Error);
  EXPECT_NE(Err.str().find("t line 2: there is no palette page 'Missing' to remove"),
            std::string::npos);
  EXPECT_EQ(Sim.RunLine("install New \"\"", "t"), TLineResult::Error);
  EXPECT_EQ(Sim.MainForm()->Pages(), (std::vector<std::string>{"Standard", "Win32"}));
  EXPECT_EQ(Sim.MainForm()->Loads(), 0);

  EXPECT_EQ(Sim.RunLine("key down LSHIFT", "t"), TLineResult::Ok);
  EXPECT_TRUE(KeyboardState().IsDown(VK_LSHIFT));
  EXPECT_EQ(Sim.RunLine("key up LSHIFT", "t"), TLineResult::Ok);
  EXPECT_FALSE(KeyboardState().IsDown(VK_LSHIFT));
  EXPECT_EQ(Sim.RunLine("wait 120", "t"), TLineResult::Ok);
  EXPECT_EQ(Sim.Ide().App()->Now(), 120);
}

TEST(Simulator, PagesByNumberCaptionAndQuotedHash) {
  const std::string Path =
      testing::TempDir() + "tabulon_palette_test" + std::to_string(HostVersion) + ".txt";
  {
    std::ofstream F(Path, std::ios::binary);
    // "\xEF\xBB\xBF" is a byte order mark; "Сервис" (Cyrillic) in UTF-8.
    F << "\xEF\xBB\xBFStandard\r\n#3\n\n  \xD0\xA1\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB8\xD1\x81  \n";
  }
  const TRun R = RunIde({"--palette", Path, "-e", "show", "-e", "page \"#3\"", "-e", "dump", "-e",
                         "page #0", "-e", "page \xD1\x81\xD0\x95\xD0\xA0\xD0\x92\xD0\x98\xD0\xA1",
                         "-e", "dump", "-e", "render"});
  ASSERT_EQ(R.Status, 0) << R.Err;
  const std::size_t Second = R.Out.find("\n{") + 1;
  const TJson First = TJson::Parse(R.Out.substr(0, R.Out.find('\n')));
  EXPECT_EQ(First.At("/hostPalette/lastLoad/page")->AsString(), "#3");
  EXPECT_EQ(First.At("/palette/tabs")->Write(),
            "[\"Standard\",\"#3\",\"\xD0\xA1\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB8\xD1\x81\"]");
  const TJson Later = TJson::Parse(R.Out.substr(Second, R.Out.find('\n', Second) - Second));
  EXPECT_EQ(Later.At("/hostPalette/lastLoad")->Write(),
            "{\"page\":\"\xD0\xA1\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB8\xD1\x81\",\"tabIndex\":2,"
            "\"tabCount\":3}");
  EXPECT_EQ(Later.At("/hostPalette/loads")->AsInteger(), 3);
  EXPECT_NE(R.Out.find("| Standard | #3 |[\xD0\xA1\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB8\xD1\x81]|"),
            std::string::npos)
      << R.Out;

  {
    std::ofstream F(Path, std::ios::binary);
    F << "Win32\nwin32\n";
  }
  const TRun Twice = RunIde({"--palette", Path, "-e", "show"});
  EXPECT_EQ(Twice.Status, 2);
  EXPECT_NE(Twice.Err.find("line 2: page 'win32' is listed twice"), std::string::npos);
  std::remove(Path.c_str());
}

TEST(Simulator, WithoutCommandsTheTourRunsThenAPromptOnAFreshIde) {
  // The tour groups the stock palette of every version and picks up a package.
  const TRun Tour = RunIde({});
  EXPECT_EQ(Tour.Status, 0) << Tour.Err;
  EXPECT_EQ(Tour.Err, "");
  for (const char* Shown :
       {"|[*НетГруппы*]|", "| :Основные: |[*Данные*]| :НетГруппы: |",
        "| ADO | Data Access |[Data Controls]|", "page Data Controls, tab", "Tabulon Demo |"})
    EXPECT_NE(Tour.Out.find(Shown), std::string::npos) << Shown << "\n" << Tour.Out;
  EXPECT_EQ(Tour.Out.find("tabulon-ide> "), std::string::npos) << "no prompt without a terminal";

  // At a prompt a mistake is reported and the session goes on, on an IDE
  // of its own: the tour's groups and package are not there. The tour keeps
  // to the stock palette; the palette given is the prompt's.
  const std::string Palette =
      testing::TempDir() + "tabulon_tour_palette" + std::to_string(HostVersion) + ".txt";
  {
    std::ofstream F(Palette, std::ios::binary);
    F << "Alpha\nBeta\n";
  }
  const TRun Prompt = RunIde({"--hive", ":memory:", "--palette", Palette},
                             "frobnicate\nshow\nexpect /mainForm/showing true\n"
                             "expect /package/loaded false\nexpect /palette/parent \"host\"\n"
                             "expect /palette/tabs [\"Alpha\",\"Beta\"]\n",
                             true);
  std::remove(Palette.c_str());
  EXPECT_EQ(Prompt.Status, 2);
  EXPECT_NE(Prompt.Out.find("That is the tour."), std::string::npos);
  EXPECT_NE(Prompt.Out.find("tabulon-ide> "), std::string::npos);
  EXPECT_NE(Prompt.Err.find("line 1: unknown command"), std::string::npos);
  EXPECT_EQ(Prompt.Err.find("expect"), std::string::npos) << Prompt.Err;

  // Commands from standard input, named "-".
  const TRun Piped =
      RunIde({"-"}, "show\npage #1\nexpect /hostPalette/lastLoad/tabIndex 1\ndump\n");
  EXPECT_EQ(Piped.Status, 0) << Piped.Err;
  EXPECT_TRUE(LastDump(Piped.Out).At("/mainForm/showing")->AsBool());
  const TRun Bad = RunIde({"-"}, "show\nfrobnicate\n");
  EXPECT_EQ(Bad.Status, 2);
  EXPECT_NE(Bad.Err.find("stdin line 2: unknown command"), std::string::npos);
}

TEST(Simulator, HelpListsEveryOptionAndCommand) {
  const TRun R = RunIde({"--help"});
  EXPECT_EQ(R.Status, 0);
  for (const char* Option :
       {"--host", "--hive", "--palette", "--layout", "--package", "-e COMMAND", "SCRIPT"})
    EXPECT_NE(R.Out.find(Option), std::string::npos) << Option;
  for (const TCommand& C : Commands())
    EXPECT_NE(R.Out.find(std::string("\n  ") + C.Synopsis + "\n"), std::string::npos) << C.Name;
  EXPECT_NE(R.Out.find("later lines still run"), std::string::npos);
}
