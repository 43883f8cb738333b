#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <sstream>

#include "DialogDriver.h"
#include "OptionTable.h"
#include "Program.h"
#include "RunIde.h"
#include "Simulator.h"
#include "TempDir.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// A settings dialog opened by the user after the lines given.
std::vector<std::string> WithDialog(const std::vector<std::string>& Block) {
  std::vector<std::string> Args = {"--hive", ":memory:", "-e", "load",
                                   "-e",     "show",     "-e", "dialog"};
  for (const std::string& Line : Block)
    Args.insert(Args.end(), {"-e", Line});
  Args.insert(Args.end(), {"-e", "end", "-e", "menu component"});
  return Args;
}

// The dump's clock: the headless one's, the same in every run of the same
// lines; the real one's differs from run to run and is left out.
std::string WithoutRealTime(std::string Dump) {
#ifdef _WIN32
  const std::size_t At = Dump.find("\"time\":");
  if (At != std::string::npos)
    Dump.erase(At + 7, Dump.find(',', At) - At - 7);
#endif
  return Dump;
}

}  // namespace

// What a script meant to happen and did not is an error naming the line to
// mend, never a silent pass.
TEST(ScriptInput, BlocksAndAnswersNeverUsedAreErrorsAtTheirLines) {
  struct TCase {
    std::vector<std::string> Args;
    const char* Err;
    const char* NotErr;  // a line that did run and must not be named
  };
  const TCase Cases[] = {
      {{"-e", "load", "-e", "show", "-e", "dialog", "-e", "expect /dialog/tag 9", "-e", "end"},
       "tabulon-ide: -e:3: the dialog block never ran",
       "expect"},
      {{"-e", "load", "-e", "show", "-e", "dialog", "-e", "end", "-e", "dialog", "-e", "ok", "-e",
        "end", "-e", "menu component"},
       "tabulon-ide: -e:5: the dialog block never ran",
       "-e:3"},
      {{"-e", "load", "-e", "show", "-e", "dialog", "-e", "ok"},
       "-e:3: the dialog block has no end",
       "never ran"},
      {WithDialog({"input Extra", "ok"}), "-e:4: no input box took this answer", "-e:5"},
      {WithDialog({"input --cancel"}), "-e:4: no input box took this answer", "never ran"},
  };
  for (const TCase& C : Cases) {
    const TRun R = RunIde(C.Args);
    EXPECT_EQ(R.Status, kExitError) << C.Err << "\n" << R.Err;
    EXPECT_THAT(R.Err, HasSubstr(C.Err)) << R.Err;
    EXPECT_THAT(R.Err, Not(HasSubstr(C.NotErr))) << R.Err;
  }
  // An answer taken by its input box is no error. ("\xD0\x94\xD0\xB0" is
  // the group name "Да"; a name holds Cyrillic letters only.)
  const TRun Used = RunIde(
      WithDialog({"sheet TSGroupPage", "input \xD0\x94\xD0\xB0", "click BtnAdd",
                  "expect /dialog/controls/LBoxPageGroup/items [\"\xD0\x94\xD0\xB0\"]", "ok"}));
  EXPECT_EQ(Used.Status, kExitOk) << Used.Err;
}

TEST(ScriptInput, FilesAreReadWithAnyLineEndAndRefusedWhenNotRegular) {
  TTempDir Dir;
  // Line 4 is the typo: each kind of line end must count the lines alike.
  for (const char* End : {"\n", "\r\n", "\r"}) {
    const std::string Script = Dir / "ends.tide";
    WriteBytes(Script, std::string("show") + End + "page #1" + End +
                           "expect /hostPalette/lastLoad/tabIndex 1" + End + "frobnicate" + End);
    const TRun R = RunIde({"--hive", ":memory:", Script});
    EXPECT_EQ(R.Status, kExitError);
    EXPECT_EQ(R.Err, "tabulon-ide: " + Script + ":4: unknown command 'frobnicate' (try 'help')\n");
  }
  // Latin-1 text is told as what it is, with its line, in scripts and
  // palettes alike, even in a comment.
  WriteBytes(Dir / "latin1.tide", "show\n# caf\xE9\n");
  WriteBytes(Dir / "latin1.palette", "Standard\nCaf\xE9\n");
  const TRun Script = RunIde({"--hive", ":memory:", Dir / "latin1.tide"});
  EXPECT_EQ(Script.Status, kExitError);
  EXPECT_THAT(Script.Err, HasSubstr("latin1.tide:2: invalid UTF-8 at byte 6 (0xE9)")) << Script.Err;
  const TRun Palette = RunIde({"--palette", Dir / "latin1.palette", "-e", "show"});
  EXPECT_EQ(Palette.Status, kExitError);
  EXPECT_THAT(Palette.Err, HasSubstr("latin1.palette:2: invalid UTF-8")) << Palette.Err;

  // A folder and a FIFO (which must not block, with no writer) are refused
  // with the reason, as script and as palette.
  std::vector<std::pair<std::string, std::string>> NotFiles = {
      {Dir.Path(), ": Is a directory"}, {Dir / "missing", ": " + NoSuchFileReason()}};
#ifndef _WIN32
  ASSERT_EQ(::mkfifo((Dir / "fifo").c_str(), 0600), 0);
  NotFiles.emplace_back(Dir / "fifo", ": is a FIFO, not a regular file");
#endif
  for (const auto& [Path, Reason] : NotFiles) {
    const TRun AsScript = RunIde({"--hive", ":memory:", Path});
    EXPECT_EQ(AsScript.Status, kExitError);
    EXPECT_THAT(AsScript.Err, HasSubstr("cannot read script " + Path + Reason)) << AsScript.Err;
    const TRun AsPalette = RunIde({"--hive", ":memory:", "--palette", Path, "-e", "show"});
    EXPECT_EQ(AsPalette.Status, kExitError);
    EXPECT_THAT(AsPalette.Err, HasSubstr("cannot read palette file " + Path + Reason))
        << AsPalette.Err;
  }
}

// -v shows each command before what it prints, a dialog block's lines as
// they run inside the dialog, and counts what ran and held.
TEST(ScriptInput, VerboseEchoesCommandsAndSums) {
  std::vector<std::string> Args = WithDialog({"expect /dialog/tag -1", "expect /dialog/tag 5"});
  Args.insert(Args.begin(), "-v");
  Args.insert(Args.end(), {"-e", "dump host", "-e", "expect /host 0"});
  const TRun R = RunIde(Args);
  EXPECT_EQ(R.Status, kExitExpectFailed) << R.Err;
  EXPECT_EQ(R.Out,
            "> load\n> show\n> menu component\n>   expect /dialog/tag -1\n"
            ">   expect /dialog/tag 5\n> dump host\n{\"host\":" +
                std::to_string(HostVersion) +
                "}\n> expect /host 0\n7 commands, 1 expect held, 2 failed\n");
  // A run that stops says so after the count.
  const TRun Stopped = RunIde({"--verbose", "-e", "show", "-e", "frobnicate", "-e", "show"});
  EXPECT_EQ(Stopped.Out, "> show\n1 command, 0 expects held; stopped at the error above\n");
}

// The prompt, fed through a stream as a program or a test feeds it: each
// mistake is reported as it is typed and costs nothing typed before it, and
// Ctrl-D ends with the status of what failed, not of a typo.
TEST(ScriptInput, PromptReportsTyposAtOnceAndEndsWithWhatFailed) {
  struct TCase {
    std::string Typed;
    int Status;
  };
  TTempDir Dir;
  const TCase Cases[] = {
      {"frobnicate\nshow\nexpect /mainForm/showing true\n", kExitOk},
      {"show\nexpect /host 0\nfrobnicate\n", kExitExpectFailed},
      {"load\nshow\ndialog\nok\nend\nmenu component\nfrobnicate\n", kExitNotSaved},
      {"load\ndialog\nok\nend\n", kExitError},
  };
  for (const TCase& C : Cases) {
    // Only a hive file can fail a save; Windows' registry takes a write or
    // refuses it at once.
#ifdef _WIN32
    if (C.Status == kExitNotSaved)
      continue;
#endif
    const TRun R =
        RunIde({"--hive", C.Status == kExitNotSaved ? Dir / "missing/hive.reg" : ":memory:"},
               C.Typed, true);
    EXPECT_EQ(R.Status, C.Status) << C.Typed << R.Err;
  }

  // A typo inside a typed block is told before the next prompt, and the
  // rest of the block runs when the dialog opens: its failed expect shows it.
  std::istringstream In(
      "load\nshow\ndialog\nfrobnicate\nhelp dialog\nexpect /dialog/tag 9\nend\n"
      "menu component\n");
  std::ostringstream Both;
  EXPECT_EQ(TabulonIdeMain({"--hive", ":memory:"}, In, Both, Both, true), kExitExpectFailed);
  const std::string Text = Both.str();
  const std::size_t Typo =
      Text.find("tabulon-ide: 'frobnicate' is not a command of the settings dialog");
  ASSERT_NE(Typo, std::string::npos) << Text;
  EXPECT_EQ(Text.rfind("dialog> ", Typo), Text.find("dialog> ")) << "told before the next line";
  EXPECT_THAT(Text, HasSubstr("tabulon-ide: expect /dialog/tag 9 failed")) << Text;
  EXPECT_THAT(Text, HasSubstr("settings dialog: closed\n")) << Text;
  EXPECT_THAT(Text.substr(0, Typo), HasSubstr("tabulon-ide> dialog> ")) << Text;
  // help answers inside the block too, and is not taken into it.
  EXPECT_THAT(Text.substr(Typo), HasSubstr("dialog> dialog ... end: the lines between"));
}

// help at the prompt lists every command under its kind, a line each,
// help all tells each in full, and help dialog names the dialog's controls
// once one has opened.
TEST(ScriptInput, HelpByKindAndTheDialogsControls) {
  const TRun Short = RunIde({"--hive", ":memory:"}, "help\n", true);
  for (const TCommand& C : Commands())
    EXPECT_THAT(Short.Out, HasSubstr("\n  " + std::string(C.Name) +
                                     std::string(12 - std::strlen(C.Name), ' ') + C.Summary + "\n"))
        << C.Name;
  EXPECT_LT(std::count(Short.Out.begin(), Short.Out.end(), '\n'), 45) << Short.Out;

  const TRun R =
      RunIde({"--hive", ":memory:"},
             "help dialog\nload\nshow\ndialog\nend\nmenu component\nhelp dialog\nhelp all\n", true);
  ASSERT_EQ(R.Status, kExitOk) << R.Err;
  const std::size_t Before = R.Out.find("No settings dialog has opened yet");
  const std::size_t After = R.Out.find("The controls of the settings dialog as it opened last:");
  ASSERT_NE(Before, std::string::npos) << R.Out;
  ASSERT_NE(After, std::string::npos) << R.Out;
  for (const char* Control : {"CheckBoxDrawGroupPage ", "LBoxPageGroup ", "BtnAdd "})
    EXPECT_THAT(R.Out.substr(After), HasSubstr(Control)) << Control;
  EXPECT_EQ(R.Out.find("BtnAdd", Before), R.Out.find("BtnAdd", After)) << "not known before";

  const std::string List = R.Out.substr(R.Out.find("The IDE and its user:"));
  const char* const Kinds[] = {
      "The IDE and its user:", "The add-in (after load):", "The settings dialog:", "Inspection:"};
  for (const TCommand& C : Commands()) {
    const std::size_t At = List.find(std::string("\n  ") + C.Synopsis + "\n");
    ASSERT_NE(At, std::string::npos) << C.Name;
    const std::size_t Kind = static_cast<std::size_t>(C.Kind);
    EXPECT_LT(List.find(Kinds[Kind]), At) << C.Name;
    if (Kind + 1 < std::size(Kinds)) {
      EXPECT_GT(List.find(Kinds[Kind + 1]), At) << C.Name;
    }
  }
}

// The launcher finds --host through the simulators' option table, so that
// the value of another option is never taken for it.
TEST(ScriptInput, HostArgumentAsTheOptionTableReadsIt) {
  struct TCase {
    std::vector<std::string> Args;
    std::optional<std::string> Host;
  };
  const TCase Cases[] = {
      {{"-e", "show"}, std::nullopt},
      {{"--host", "5", "-e", "show"}, "5"},
      {{"--host=6"}, "6"},
      {{"-e", "--host", "--hive", "--host"}, std::nullopt},
      {{"-ve", "--host", "x.tide"}, std::nullopt},
      {{"-e--host", "--host", "6"}, "6"},
      {{"--host", "5", "--host", "6"}, "6"},
      {{"--", "--host", "5"}, std::nullopt},
      {{"a.tide", "--host"}, ""},
  };
  for (const TCase& C : Cases)
    EXPECT_EQ(HostArgument(C.Args), C.Host) << C.Args.front() << " " << C.Args.back();
  for (const TOption& O : OptionTable())
    EXPECT_EQ(FindOption(O.Long != nullptr ? O.Long : O.Short), &O);
}

// At the prompt a dialog opened with no block queued is driven live: each
// line runs at once, a typo costs nothing done before it, and the prompt
// says how the dialog ended and what the group-name filter did.
TEST(ScriptInput, LiveDialogAtThePrompt) {
  const TRun R = RunIde({"--hive", ":memory:"},
                        "load\nmenu component\nshow\nmenu component\n"
                        "check CheckBoxDrawGroupPageShadow on\nclick BtnAd\nsheet TSMain\n"
                        "sheet TSGroupPage\ninput \"My Группа\"\nclick BtnAdd\n"
                        "type SpinTimerInstallRefresh 1\nsheet TSMain\n"
                        "type SpinTimerInstallRefresh 2000\nkey SpinTimerInstallRefresh Backspace\n"
                        "key SpinTimerInstallRefresh Escape\nexpect "
                        "/dialog/controls/SpinTimerInstallRefresh/value 200\n"
                        "ok\nexpect /expert/options/PagesShadow true\n"
                        "dump groupBar\nshortcut\nclose\n",
                        true);
  EXPECT_EQ(R.Status, kExitOk) << R.Err;
  const char* const Told[] = {
      "tabulon-ide: menu: the main form is not shown (use show)\n",
      "tabulon-ide: the settings dialog has no control 'BtnAd'\n",
      "tabulon-ide: note: the group name 'My Группа' became 'Группа': the dialog keeps only the "
      "Russian letters of a group name\n",
      "tabulon-ide: control 'SpinTimerInstallRefresh' is on sheet 'TSMain', which is not shown "
      "(use sheet TSMain)\n"};
  std::size_t At = 0;
  for (const char* T : Told) {
    At = R.Err.find(T, At);
    EXPECT_NE(At, std::string::npos) << T << "\n" << R.Err;
  }
  EXPECT_THAT(R.Err, Not(HasSubstr("failed"))) << R.Err;
  EXPECT_THAT(R.Out, HasSubstr("dialog> settings dialog: OK\ntabulon-ide> ")) << R.Out;
  EXPECT_THAT(R.Out, HasSubstr("\"caption\":\"Группа\"")) << R.Out;
  // The empty group's sheet is hidden: group #N counts the tabs shown, as
  // tabIndex does; activeIndex counts the sheets.
  EXPECT_THAT(R.Out, HasSubstr("\"activeIndex\":1,\"tabIndex\":0,")) << R.Out;
  EXPECT_THAT(R.Out, HasSubstr("dialog> settings dialog: closed\n")) << R.Out;
}

// A block typed after a dialog has opened once checks control names and
// argument forms line by line; each bad line is told at once and dropped,
// and the lines typed before it still run.
TEST(ScriptInput, TypedBlockChecksEachLineAsItIsEntered) {
  const TRun R = RunIde({"--hive", ":memory:"},
                        "load\nshow\nmenu component\nclose\ndialog\n"
                        "check CheckBoxDrawGroupPageShadow on\nclick BtnAd\n"
                        "select LBoxPageGroup ADO\ncheck CheckBoxDrawGroupPageShadow yes\n"
                        "keydown LBoxPageGroup Left\nkey LBoxPageGroup F13\nsheet TSOther\n"
                        "ok\nend\nmenu component\nexpect /expert/options/PagesShadow true\n",
                        true);
  EXPECT_EQ(R.Status, kExitOk) << R.Err;
  EXPECT_EQ(R.Err,
            "tabulon-ide: the settings dialog has no control 'BtnAd' ('help dialog' lists them)\n"
            "tabulon-ide: select: INDEX must be a whole number, not 'ADO' (a text is quoted: "
            "select LBoxPageGroup \"ADO\")\n"
            "tabulon-ide: usage: check NAME on|off\n"
            "tabulon-ide: usage: keydown NAME Up|Down\n"
            "tabulon-ide: key: unknown key 'F13' (" +
                KeyNames() +
                ")\n"
                "tabulon-ide: the settings dialog has no control 'TSOther' ('help dialog' lists "
                "them)\n");
}

// A session typed at the prompt, saved as it was typed, replays from
// standard input to the same state: the dialog that menu component opens
// takes the lines after it, its input box the line after the click. A
// script that ends with the dialog open closes it, and a line the dialog
// refuses stops the script at that line.
TEST(ScriptInput, ATypedSessionReplaysAsAScript) {
  const std::string Typed =
      "load\nshow\nmenu component\nsheet TSGroupPage\nclick BtnAdd\nДанные\n"
      "select LBoxPageGroup 0\nselect LBoxPagePalette \"ADO\"\nclick BtnMoveToLeftOne\n"
      "click BtnAdd\ninput --cancel\nok\ngroup Данные\ndump\n";
  const TRun AtPrompt = RunIde({"--hive", ":memory:"}, Typed, true);
  const TRun Replayed = RunIde({"--hive", ":memory:"}, Typed);
  ASSERT_EQ(AtPrompt.Status, kExitOk) << AtPrompt.Err;
  ASSERT_EQ(Replayed.Status, kExitOk) << Replayed.Err;
  EXPECT_THAT(AtPrompt.Out, HasSubstr("input> ")) << AtPrompt.Out;
  const std::string Dump = WithoutRealTime(Replayed.Out.substr(Replayed.Out.rfind("{\"host\"")));
  EXPECT_THAT(Dump, HasSubstr("\"palette\":{\"parent\":\"groupBar.sheets[0]\",\"tabs\":[\"ADO\"]"));
  EXPECT_EQ(WithoutRealTime(AtPrompt.Out.substr(AtPrompt.Out.rfind("{\"host\""))),
            Dump + "tabulon-ide> \n");

  const TRun Open = RunIde({"--hive", ":memory:", "-e", "load", "-e", "show", "-e",
                            "menu component", "-e", "check CheckBoxDrawGroupPageShadow on"});
  EXPECT_EQ(Open.Status, kExitOk) << Open.Err;
  const TRun Stopped =
      RunIde({"--hive", ":memory:"}, "load\nshow\nmenu component\nclick BtnAd\nok\nshow\n");
  EXPECT_EQ(Stopped.Status, kExitError);
  EXPECT_EQ(Stopped.Err,
            "tabulon-ide: -:4: the settings dialog has no control 'BtnAd' (in the dialog opened "
            "at -:3)\n");
}
