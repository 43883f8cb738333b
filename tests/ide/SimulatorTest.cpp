#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "Help.h"
#include "Json.h"
#include "Program.h"
#include "RunIde.h"
#include "Simulator.h"
#include "Snapshot.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

TJson LastDump(const std::string& Out) {
  const std::size_t Start = Out.rfind("\n{", Out.size() - 2);
  return ParseJson(Out.substr(Start == std::string::npos ? 0 : Start + 1));
}

}  // namespace

TEST(Simulator, JsonStrictParseComparisonAndPointers) {
  const TJson J = ParseJson(R"( {"a":[1,2.5,-3e2,true,null],"b":{"x":"\u00e9"},"c/d":1,"e~f":2} )");
  // Objects compare regardless of key order, numbers by value; nothing else
  // is equal across types or orders.
  EXPECT_TRUE(JsonEqual(ParseJson("{\"y\":1,\"x\":[1.0]}"), ParseJson("{\"x\":[1],\"y\":1}")));
  EXPECT_FALSE(JsonEqual(ParseJson("[1,2]"), ParseJson("[2,1]")));
  EXPECT_FALSE(JsonEqual(ParseJson("0"), ParseJson("false")));
  EXPECT_FALSE(JsonEqual(ParseJson("\"1\""), ParseJson("1")));
  EXPECT_FALSE(JsonEqual(ParseJson("{\"x\":1}"), ParseJson("{\"x\":1,\"y\":null}")));

  struct TPointer {
    const char* Pointer;
    const char* Value;  // nullptr: no value there
  };
  const TPointer Pointers[] = {
      {"/a/1", "2.5"},       {"/a/01", nullptr},
      {"/a/5", nullptr},     {"/a/-", nullptr},
      {"/c~1d", "1"},        {"/e~0f", "2"},
      {"/b/x/y", nullptr},   {"/b/x", "\"\xC3\xA9\""},
      {"/missing", nullptr}, {"/missing/deeper", nullptr},
  };
  EXPECT_EQ(JsonAt(J, ""), &J);
  for (const TPointer& P : Pointers) {
    const TJson* V = JsonAt(J, P.Pointer);
    EXPECT_EQ(V != nullptr ? WriteJson(*V) : "(none)", P.Value != nullptr ? P.Value : "(none)")
        << P.Pointer;
  }
  for (const char* Bad : {"a", "/a~2", "/x~"})
    EXPECT_THROW(JsonAt(J, Bad), EJsonError) << Bad;
  for (const char* Bad : {"", "[1,]", "01", "\"\\ud800\"", "tru", "[1] 2", "\"a\tb\"", "{\"a\" 1}",
                          "-", "1.", "{\"a\":{\"b\":1,\"b\":2}}"})
    EXPECT_THROW(ParseJson(Bad), EJsonError) << Bad;
  // A number beyond a double is refused by name, not turned into null.
  try {
    ParseJson("[1e400]");
    ADD_FAILURE() << "1e400 was accepted";
  } catch (const EJsonError& E) {
    EXPECT_THAT(std::string(E.what()), HasSubstr("1e400")) << E.what();
  }
  // The same key in two objects is no duplicate.
  EXPECT_NO_THROW(ParseJson("[{\"a\":1},{\"a\":{\"a\":2}}]"));
}

TEST(Simulator, JsonDifferencesNameOnlyWhatDiffers) {
  const TJson Expected =
      ParseJson("{\"same\":[1,2,3],\"x\":{\"y\":1,\"z~/\":\"a\"},\"gone\":true,\"list\":[1,2]}");
  const TJson Actual =
      ParseJson("{\"list\":[1,2,3],\"same\":[1,2,3],\"x\":{\"y\":2,\"z~/\":\"b\"},\"new\":null}");
  EXPECT_EQ(JsonDifferences("/p", Expected, &Actual),
            "  5 values differ:\n"
            "  /p/x/y: expected 1, actual 2\n"
            "  /p/x/z~0~1: expected \"a\", actual \"b\"\n"
            "  /p/gone: expected true, actual (no such value)\n"
            "  /p/list: expected [1,2], actual [1,2,3]\n"
            "  /p/new: expected (no such value), actual null");
  // Bounded: a few lines, and long values cut short.
  TJson Long = TJson::array(), Other = TJson::array();
  for (int i = 0; i < 50; ++i) {
    Long.push_back(std::string(200, 'a'));
    Other.push_back(i);
  }
  const std::string Many = JsonDifferences("", Long, &Other);
  EXPECT_THAT(Many, HasSubstr("  50 values differ:\n  /0: expected \"aaaa")) << Many;
  EXPECT_THAT(Many, HasSubstr("\n  ... and 40 more")) << Many;
  EXPECT_LT(Many.size(), 1500u);
  // A value against a value of another kind, or none, shows both whole.
  const TJson Seven = 7;
  EXPECT_EQ(JsonDifferences("/a", Seven, nullptr), "  expected: 7\n  actual:   (no such value)");
  EXPECT_EQ(JsonDifferences("/a", Expected, &Seven).substr(0, 22), "  expected: {\"same\":[1");
}

TEST(Simulator, ExitStatusesAndMessages) {
  struct TCase {
    std::vector<std::string> Args;
    int Status;
    std::string Err;
  };
  const TCase Cases[] = {
      {{"-e", "frobnicate"}, 2, "tabulon-ide: -e:1: unknown command 'frobnicate'"},
      {{"-e", "show", "-e", "page Nowhere"}, 2, "-e:2: there is no palette tab 'Nowhere'"},
      {{"-e", "show", "-e", "page #99"}, 2, "there is no palette tab #99"},
      {{"-e", "page Win32"}, 2, "the palette is not on the screen"},
      {{"-e", "activate"}, 2, "cannot be activated"},
      {{"-e", "wait -5"}, 2, "MS must be a whole number"},
      {{"-e", "key down LALT"}, 2, "unknown key 'LALT'"},
      {{"-e", "key sideways A"}, 2, "expected down or up"},
      {{"-e", "dump host now"}, 2, "dump: there is no key 'now' (the keys are host, time,"},
      {{"-e", "dialog", "-e", "dump host"}, 2, "dump shows the key 'dialog' only, not 'host'"},
      {{"-e", "install"}, 2, "usage: install PAGE..."},
      {{"-e", "install \"Win"}, 2, "unterminated quoted argument"},
      {{"-e", "install \xE6\x97\xA5"}, 2, "cannot represent"},
      {{"-e", "expect /host"}, 2, "usage: expect POINTER JSON"},
      {{"-e", "expect /host [7"}, 2, "invalid JSON"},
      {{"-e", "expect host 7"}, 2, "starts with '/'"},
      {{"-e", "expect /host 7", "-e", "expect /hostx 7", "-e", "expect /host 5"},
       1,
       "-e:2: expect /hostx 7 failed\n  expected: 7\n  actual:   (no such value)\n"},
      {{"--host", "8"}, 2, "--host must be 5, 6 or 7"},
      {{"--host", HostVersion == 7 ? "6" : "7", "-e", "show"}, 2, "build; run tabulon-ide --host"},
      {{"--layout", "side"}, 2, "--layout must be controlbar or panel"},
      {{"--palette", "/nonexistent"}, 2, "cannot read palette file /nonexistent"},
      {{"-x"}, 2, "unknown option '-x'"},
      {{"-e"}, 2, "option -e needs a value"},
      {{"--hive="}, 2, "option --hive needs a value"},
      {{"--hive", "", "-e", "show"}, 2, "option --hive needs a value"},
      {{"--verbose=no"}, 2, "option --verbose takes no value"},
      {{"-e", "--verbose=no"}, 2, "-e:1: unknown command '--verbose=no'"},
      {{"/nonexistent.tide"}, 2, "cannot read script /nonexistent.tide: " + NoSuchFileReason()},
      {{"--", "--version"}, 2, "cannot read script --version: " + NoSuchFileReason()},
      {{"--hive=:memory:", "-e", "# just a comment", "-e", "   "}, 0, ""},
      // Messages show what a line holds and give the hint that is needed.
      {{"-e", "show # the form"},
       2,
       "-e:1: show takes no arguments ('#' starts a comment only at the start of a line)"},
      {{"show"},
       2,
       "cannot read script show: " + NoSuchFileReason() + " (to run the command, give -e 'show')"},
      {{"-e", "frob\x1b[2J"}, 2, "unknown command 'frob\\x1b[2J'"},
      {{"-e", std::string("frob\0nicate", 11)}, 2, "unknown command 'frob\\0nicate'"},
      {{"-e", "show", "-e", "\xEF\xBB\xBFshow"}, 2, "-e:2: unknown command 'U+FEFFshow'"},
      {{"-e", "menu component"}, 2, "menu: the add-in is not loaded (use load)"},
      {{"--package", "/nonexistent.so"},
       2,
       "tabulon-ide: cannot read package /nonexistent.so: no such file\n"},
      {{"-e", "expect /host {\"a\":1,\"a\":2}"},
       2,
       "-e:1: expect: invalid JSON: the key 'a' is given twice in one object\n"},
      // A dialog block's lines are checked as they are read, before any
      // dialog has opened: the line to mend is named, not the one that ran it.
      {{"-e", "dialog", "-e", "select L ADO"},
       2,
       "-e:2: select: INDEX must be a whole number, not 'ADO' (a text is quoted: select L "
       "\"ADO\")\n"},
      {{"-e", "dialog", "-e", "check C yes"}, 2, "-e:2: usage: check NAME on|off\n"},
      {{"-e", "dialog", "-e", "key C F13"}, 2, "-e:2: key: unknown key 'F13' (Enter, Escape,"},
      {{"-e", "dialog", "-e", "sheet"}, 2, "-e:2: usage: sheet NAME\n"},
  };
  for (const TCase& C : Cases) {
    const TRun R = RunIde(C.Args);
    EXPECT_EQ(R.Status, C.Status) << C.Args.back() << "\n" << R.Err;
    EXPECT_THAT(R.Err, HasSubstr(C.Err)) << R.Err;
  }
  // Every failed expect is reported, the later lines still run.
  const TRun R = RunIde({"-e", "expect /host 1", "-e", "expect /time 1", "-e", "dump"});
  EXPECT_EQ(R.Status, 1);
  EXPECT_THAT(R.Err, HasSubstr("-e:1"));
  EXPECT_THAT(R.Err, HasSubstr("-e:2"));
  EXPECT_EQ(LastDump(R.Out)["host"], HostVersion);
}

// Each refusal says what happened and why, in exactly these words, and a
// long argument is cut in the message.
TEST(Simulator, RefusalsSayWhatHappenedAndWhy) {
  const std::string Long(200000, 'x');
  const std::vector<std::string> InDialog = {
      "--hive", ":memory:",         "-e", "load", "-e", "show", "-e", "menu component",
      "-e",     "sheet TSGroupPage"};
  const auto Dialog = [&InDialog](std::initializer_list<std::string> Lines) {
    std::vector<std::string> Args = InDialog;
    for (const std::string& L : Lines)
      Args.insert(Args.end(), {"-e", L});
    return Args;
  };
  struct TCase {
    std::vector<std::string> Args;
    int Status;
    std::string Err;  // all of standard error
  };
  const TCase Cases[] = {
      {{"-e", "expect bad json"},
       2,
       "tabulon-ide: -e:1: expect: 'bad' is not a JSON pointer: a JSON pointer starts with '/', "
       "as in /palette/tabs/0 (\"\" is the whole dump)\n"},
      {{"-e", "expect /host json"},
       2,
       "tabulon-ide: -e:1: expect: invalid JSON: json is no JSON value (a text goes in double "
       "quotes: \"json\")\n"},
      {{"-e", "show", "-e", "page " + Long},
       2,
       "tabulon-ide: -e:2: there is no palette tab '" + std::string(79, 'x') +
           "...(199882 characters left out)..." + std::string(39, 'x') + "'\n"},
      {{"/nonexistent.tide"},
       2,
       "tabulon-ide: cannot read script /nonexistent.tide: " + NoSuchFileReason() + "\n"},
      {{"-e", "sheet TSMain"},
       2,
       "tabulon-ide: -e:1: 'sheet' is a command of the settings dialog, and none is open: open "
       "one (menu component, shortcut) and the lines after it run in it until ok, cancel or "
       "close; or queue the lines in a dialog ... end block before\n"},
      {{"-e", "install \"A=B,,C\""},
       2,
       "tabulon-ide: -e:1: install: 'A=B,,C' has an empty component name "
       "(PAGE=COMPONENT,COMPONENT...)\n"},
      {{"-e", "show", "-e", "snapshot x.gif"},
       2,
#ifdef _WIN32
       "tabulon-ide: -e:2: snapshot: this build writes the real window's pixels as a .bmp file "
       "only, not 'x.gif' (snapshot FILE.bmp)\n"},
#else
       std::string("tabulon-ide: -e:2: snapshot writes SVG, PNG or PDF: the file name must end "
                   "in .svg, .png or .pdf, not 'x.gif'\n")},
#endif
      {{"-e", "snapshot"},
       2,
       std::string("tabulon-ide: -e:1: usage: ") + SnapshotSynopsis() + "\n"},
      {Dialog({"click BtnAdd", "Data", "ok"}), 0,
       "tabulon-ide: note: the dialog refused the group name 'Data' with a beep: its name filter "
       "keeps only Russian letters, and there are none\n"},
      {Dialog({"click BtnAdd", "Данные", "click BtnAdd", "input Данные", "ok"}), 0,
       "tabulon-ide: note: the dialog refused the group name 'Данные' with a beep: its name "
       "filter kept 'Данные', and a group of that name exists\n"},
      {Dialog({"click BtnMoveToLeftOne", "ok"}), 0,
       "tabulon-ide: note: the click on BtnMoveToLeftOne changed nothing in the dialog (nothing "
       "is selected in LBoxPageGroup, LBoxPagePalettePerPageGroup, LBoxPagePalette)\n"},
      {Dialog({"click BtnAdd", "Данные", "select LBoxPageGroup 0", "select LBoxPagePalette \"ADO\"",
               "click BtnMoveToLeftOne", "ok", "group НетГруппы", "page ADO"}),
       2,
       "tabulon-ide: -e:12: there is no palette tab 'ADO' in the group shown: the page is in "
       "the group 'Данные' (group Данные shows it)\n"},
  };
  for (const TCase& C : Cases) {
    const TRun R = RunIde(C.Args);
    EXPECT_EQ(R.Status, C.Status) << C.Args.back() << "\n" << R.Err;
    EXPECT_EQ(R.Err, C.Err);
  }
  // The usage line offers only what this build writes.
#ifdef _WIN32
  EXPECT_THAT(RunIde({"--help"}).Out, HasSubstr("snapshot FILE.bmp"));
#else
  EXPECT_THAT(RunIde({"--help"}).Out, Not(HasSubstr("FILE.bmp")));
#endif
}

TEST(Simulator, DumpIndentedOrOfSomeKeys) {
  const TRun R = RunIde({"-e", "show", "-e", "dump --pretty host mainForm", "-e",
                         "dump mainForm host", "-e", "dump --pretty"});
  ASSERT_EQ(R.Status, 0) << R.Err;
  // The named keys in the order given, indented by two.
  const std::string Host = std::to_string(HostVersion);
  const std::string Pretty = "{\n  \"host\": " + Host +
                             ",\n  \"mainForm\": {\n    \"showing\": true,\n    \"active\": true,";
  EXPECT_EQ(R.Out.rfind(Pretty, 0), 0u) << R.Out;
  const std::size_t Line = R.Out.find("\n{\"mainForm\":{");
  ASSERT_NE(Line, std::string::npos) << R.Out;
  const TJson Some = ParseJson(R.Out.substr(Line + 1, R.Out.find('\n', Line + 1) - Line - 1));
  EXPECT_EQ(Some.size(), 2u);
  EXPECT_EQ(Some["host"], HostVersion);
  // The whole dump, indented, reads back as the one-line one.
  const TJson All = ParseJson(R.Out.substr(R.Out.find("\n{\n", Line) + 1));
  EXPECT_EQ(All.size(), 13u);
  EXPECT_EQ(All["mainForm"], Some["mainForm"]);
}

// A whole dump passes the add-in's part on as its package wrote it, so that
// text must be what the dump's own writer makes of the same value: every
// escape and character of a page name as that writer writes it.
TEST(Simulator, TheDumpLineIsWhatItsValueWritesBackTo) {
  const std::string Path =
      testing::TempDir() + "tabulon_escapes_test" + std::to_string(HostVersion) + ".txt";
  {
    std::ofstream F(Path, std::ios::binary);
    F << "Std\nA\"q\nB\\s\nC\tt\nD\x01\x08\x0c\x1f\x7f"
         "e\n\xD0\xA1\xD0\xB5/x\n";
  }
  const TRun R = RunIde({"--palette", Path, "-e", "show", "-e", "load", "-e", "dump"});
  ASSERT_EQ(R.Status, 0) << R.Err;
  const std::string Line = R.Out.substr(0, R.Out.find('\n'));
  EXPECT_EQ(WriteJson(ParseJson(Line)), Line);
  EXPECT_THAT(Line, HasSubstr("\"master\":{\"tabs\":[\"Std\",\"A\\\"q\",\"B\\\\s\",\"C\\tt\","));
}

TEST(Simulator, ARefusedCommandChangesNothing) {
  TSimulatorOptions O;
  O.Ide.Pages = std::vector<std::string>{"Standard", "Win32"};
  std::ostringstream Out, Err;
  TSimulator Sim(O, Out, Err);
  EXPECT_EQ(Sim.RunLine("show", "t"), TLineResult::Ok);
  EXPECT_EQ(Sim.RunLine("uninstall Standard Missing", "t:2"), TLineResult::Error);
  EXPECT_THAT(Err.str(), HasSubstr("t:2: there is no palette page 'Missing' to remove"));
  EXPECT_EQ(Sim.RunLine("install New \"\"", "t"), TLineResult::Error);
  EXPECT_EQ(Sim.MainForm()->Pages(), (std::vector<std::string>{"Standard", "Win32"}));
  EXPECT_EQ(Sim.MainForm()->Loads(), 0);

  EXPECT_EQ(Sim.RunLine("key down LSHIFT", "t"), TLineResult::Ok);
  EXPECT_TRUE(KeyboardState().IsDown(VK_LSHIFT));
  EXPECT_EQ(Sim.RunLine("key up LSHIFT", "t"), TLineResult::Ok);
  EXPECT_FALSE(KeyboardState().IsDown(VK_LSHIFT));
  EXPECT_EQ(Sim.RunLine("wait 120", "t"), TLineResult::Ok);
  // The headless clock moves by what was waited for, the real one by at
  // least that.
#ifdef _WIN32
  EXPECT_GE(Sim.Ide().App()->Now(), 120);
#else
  EXPECT_EQ(Sim.Ide().App()->Now(), 120);
#endif
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
  const TJson First = ParseJson(R.Out.substr(0, R.Out.find('\n')));
  EXPECT_EQ(First.at("/hostPalette/lastLoad/page"_json_pointer), "#3");
  EXPECT_EQ(WriteJson(First.at("/palette/tabs"_json_pointer)),
            "[\"Standard\",\"#3\",\"\xD0\xA1\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB8\xD1\x81\"]");
  const TJson Later = ParseJson(R.Out.substr(Second, R.Out.find('\n', Second) - Second));
  EXPECT_EQ(WriteJson(Later.at("/hostPalette/lastLoad"_json_pointer)),
            "{\"page\":\"\xD0\xA1\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB8\xD1\x81\",\"tabIndex\":2,"
            "\"tabCount\":3}");
  EXPECT_EQ(Later.at("/hostPalette/loads"_json_pointer), 3);
  EXPECT_THAT(R.Out,
              HasSubstr("| Standard | #3 |[\xD0\xA1\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB8\xD1\x81]|"))
      << R.Out;

  {
    std::ofstream F(Path, std::ios::binary);
    F << "Win32\nwin32\n";
  }
  const TRun Twice = RunIde({"--palette", Path, "-e", "show"});
  EXPECT_EQ(Twice.Status, 2);
  EXPECT_THAT(Twice.Err, HasSubstr(":2: page 'win32' is listed twice"));
  std::remove(Path.c_str());
}

TEST(Simulator, TheTourOnAskingThenAPromptOnAFreshIde) {
  // The tour groups the stock palette of every version and picks up a package.
  const TRun Tour = RunIde({"--tour"});
  EXPECT_EQ(Tour.Status, 0) << Tour.Err;
  EXPECT_EQ(Tour.Err, "");
  for (const char* Shown :
       {"| ADO | Data Access |[Data Controls]|", "page Data Controls, tab", "Tabulon Demo |"})
    EXPECT_THAT(Tour.Out, HasSubstr(Shown)) << Shown << "\n" << Tour.Out;
    // The group tabs' captions, as RenderTest's picture names them.
#ifndef _WIN32
  for (const char* Shown : {"|[*НетГруппы*]|", "| :Основные: |[*Данные*]| :НетГруппы: |"})
    EXPECT_THAT(Tour.Out, HasSubstr(Shown)) << Shown << "\n" << Tour.Out;
#endif
  EXPECT_THAT(Tour.Out, Not(HasSubstr("tabulon-ide> "))) << "no prompt without a terminal";

  // At a prompt a mistake is reported and the session goes on, on an IDE
  // of its own: the tour's groups and package are not there. The tour keeps
  // to the stock palette; the palette given is the prompt's.
  const std::string Palette =
      testing::TempDir() + "tabulon_tour_palette" + std::to_string(HostVersion) + ".txt";
  {
    std::ofstream F(Palette, std::ios::binary);
    F << "Alpha\nBeta\n";
  }
  const TRun Prompt = RunIde({"--tour", "--hive", ":memory:", "--palette", Palette},
                             "frobnicate\nshow\nexpect /mainForm/showing true\n"
                             "expect /package/loaded false\nexpect /palette/parent \"host\"\n"
                             "expect /palette/tabs [\"Alpha\",\"Beta\"]\n",
                             true);
  std::remove(Palette.c_str());
  EXPECT_EQ(Prompt.Status, 0) << "a typo reported at once does not fail the session";
  EXPECT_THAT(Prompt.Out, HasSubstr("That is the tour."));
  EXPECT_THAT(Prompt.Out, HasSubstr("tabulon-ide> "));
  EXPECT_THAT(Prompt.Err, HasSubstr("tabulon-ide: unknown command 'frobnicate'"))
      << "at the prompt the line was just typed: no place is named";
  EXPECT_THAT(Prompt.Err, Not(HasSubstr("expect"))) << Prompt.Err;

  // Commands from standard input, named "-"; standard input that is not a
  // terminal is the script when nothing else is given, an empty one too.
  for (const std::vector<std::string>& Args : {std::vector<std::string>{"-"}, {}}) {
    const TRun Piped =
        RunIde(Args, "show\npage #1\nexpect /hostPalette/lastLoad/tabIndex 1\ndump\n");
    EXPECT_EQ(Piped.Status, 0) << Piped.Err;
    EXPECT_EQ(LastDump(Piped.Out).at("/mainForm/showing"_json_pointer), true);
    const TRun Bad = RunIde(Args, "show\nfrobnicate\n");
    EXPECT_EQ(Bad.Status, 2);
    EXPECT_THAT(Bad.Err, HasSubstr("-:2: unknown command"));
    EXPECT_THAT(Bad.Out, Not(HasSubstr("tour"))) << Bad.Out;
  }
  const TRun Empty = RunIde({}, "");
  EXPECT_EQ(Empty.Status, 0);
  EXPECT_EQ(Empty.Out + Empty.Err, "");

  // -i: the scripts, then the prompt on the same IDE; standard input is the
  // prompt's. The status is the worse of the two.
  const TRun Both = RunIde({"-i", "--hive", ":memory:", "-e", "show", "-e", "expect /host 0"},
                           "expect /mainForm/showing true\n");
  EXPECT_EQ(Both.Status, kExitExpectFailed) << Both.Err;
  EXPECT_THAT(Both.Out, HasSubstr("tabulon-ide> ")) << Both.Out;
  EXPECT_THAT(Both.Err, Not(HasSubstr("showing"))) << Both.Err;
}

TEST(Simulator, HelpListsEveryOptionAndCommand) {
  const TRun R = RunIde({"--help"});
  EXPECT_EQ(R.Status, 0);
  for (const char* Option :
       {"--host", "--hive", "--palette", "--layout", "--package", "-e COMMAND", "SCRIPT", "\n  -i ",
        "\n  --  ", "\n  0  ", "\n  1  ", "\n  2  ", "\n  3  ", "Ctrl-C", "Ctrl-D"})
    EXPECT_THAT(R.Out, HasSubstr(Option)) << Option;
  for (const TCommand& C : Commands())
    EXPECT_THAT(R.Out, HasSubstr(std::string("\n  ") + C.Synopsis + "\n")) << C.Name;
  EXPECT_THAT(R.Out, HasSubstr("later lines still run"));
  // Wrapped to the terminal's width, 80 columns where there is none.
  const TRun Dialog = RunIde({"--hive", ":memory:"}, "help dialog\nhelp\n", true);
  const TRun Render = RunIde({"-e", "show", "-e", "render"});
  std::string Shown = R.Out + Dialog.Out + Render.Out;
  // (The stream's prompt stands where a terminal has the typed line.)
  for (std::size_t At; (At = Shown.find("tabulon-ide> ")) != std::string::npos;)
    Shown.erase(At, 13);
  std::istringstream Lines(Shown);
  std::string Line;
  while (std::getline(Lines, Line)) {
    std::size_t Columns = 0;
    for (char Ch : Line)
      Columns += (static_cast<unsigned char>(Ch) & 0xC0) != 0x80;
    EXPECT_LE(Columns, TerminalWidth()) << Line;
  }
  // A message on a terminal: a line that fits keeps its blanks; a longer one
  // breaks at blanks, later lines indented, columns counted in characters.
  const std::pair<std::string, std::string> Messages[] = {
      {"  expected:  7", "  expected:  7\n"},
      {"a: unknown command 'frob' (try 'help')", "a: unknown command\n  'frob' (try\n  'help')\n"},
      {"группа: имя 'Группа'", "группа: имя 'Группа'\n"},
      {"x: 'a-word-longer-than-the-width' y", "x:\n  'a-word-longer-than-the-width'\n  y\n"}};
  for (const auto& [In, Out] : Messages)
    EXPECT_EQ(WrapMessage(In, 20), Out) << In;
}
