#include "Help.h"

#include <algorithm>
#include <cstdlib>

#include <filesystem>
#include <sstream>
#include <vector>

#include "CommandHelp.h"
#include "Commands.h"
#include "DialogBlock.h"
#include "ExitStatus.h"
#include "OptionTable.h"
#include "ProgramFolder.h"
#include "Prompt.h"
#include "System.h"

namespace {

std::string OptionName(const TOption& O) {
  std::string Name = O.Short != nullptr ? O.Short : "";
  if (O.Long != nullptr)
    Name += (Name.empty() ? "" : ", ") + std::string(O.Long);
  if (O.Value != nullptr)
    Name += std::string(" ") + O.Value;
  return Name;
}
}  // namespace

namespace {

// "usage: tabulon-ide [--host 5|6|7] ...": every option of the table in
// brackets, wrapped to the terminal under the program's name.
std::string UsageLines() {
  std::string S = "usage: tabulon-ide";
  std::size_t Column = 18;
  std::vector<std::string> Words;
  for (const TOption& O : OptionTable()) {
    std::string Word = "[";
    Word += OptionName(O);
    Word += "]";
    if (O.Short != nullptr && std::string(O.Short) == "-e")
      Word += "...";
    Words.push_back(Word);
  }
  Words.emplace_back("[--]");
  Words.emplace_back("[SCRIPT]...");
  for (const std::string& Word : Words) {
    if (Column + Word.size() + 1 > TerminalWidth()) {
      S += "\n                  ";
      Column = 18;
    }
    S += " " + Word;
    Column += Word.size() + 1;
  }
  return S + "\n";
}

// The options of the table, each name in a column of 24 with its help
// beside it.
std::string OptionLines() {
  std::ostringstream S;
  for (const TOption& O : OptionTable()) {
    // A name too long for the column has its text on the lines below.
    const std::string Name = "  " + OptionName(O);
    if (Name.size() > 22)
      S << Name << "\n";
    std::istringstream Lines(O.Help);
    std::string Line;
    for (bool First = Name.size() <= 22; std::getline(Lines, Line); First = false)
      S << (First ? Name + std::string(24 - Name.size(), ' ') : std::string(24, ' ')) << Line
        << "\n";
  }
  return S.str();
}

// The exit statuses, for --help and the manual page.
const std::pair<int, const char*> kExitStatuses[] = {
    {kExitOk, "every command ran and every expect held"},
    {kExitExpectFailed, "an expect failed (the later lines still run)"},
    {kExitError,
     "a bad option, command, argument or input file, an error the IDE raised, or a dialog "
     "block or input answer that was never used: a script stops at that line, which the "
     "message names, and the refused command changed nothing; at the prompt a mistake is "
     "told and the session goes on, and 2 is the status only when the input ends with a "
     "dialog block unfinished or unused"},
    {kExitNotSaved,
     "settings could not be saved (the hive could not be written: each time is told "
     "with the file and the reason, and the later lines still run)"},
};
const char* const kStatusRule =
    "A script's status is the first of 2, 3, 1 that applies; the prompt's the first of 3, 1, "
    "2; with -i the greater of the script's and the prompt's.";

}  // namespace

std::string HelpText() {
  std::ostringstream S;
  S << UsageLines() << "\n"
    << Paragraph("Runs a simulated Delphi IDE and the commands given to it.") << "\noptions:\n"
    << OptionLines();
  S << "  SCRIPT                run the commands in the file SCRIPT ('-': standard\n"
       "                        input)\n"
       "  --                    the words after it are scripts, even those that start\n"
       "                        with -\n"
       "\n"
    << Paragraph(
           "-e commands and scripts run in the order given. With neither, standard input "
           "is the script when it is not a terminal (a pipe, a file); a terminal gets a "
           "prompt, with " +
           PromptFeatures() +
           ". -i gives the prompt after the scripts. At the prompt Ctrl-C cancels the "
           "line, " +
           LeaveKeys() +
           " leaves, and an input box asks for its answer there ('input>'). A "
           "settings dialog opened with no dialog block queued is driven live, at the "
           "prompt ('dialog>') and in a script alike: the lines after the command that "
           "opened it run in it until ok, cancel or close, so a session typed at the "
           "prompt replays as a script; in a script an input box takes the next line "
           "as its answer. --tour runs the tour first, on an IDE of its own with a "
           "registry in memory.")
    << "\n"
    << Paragraph(
           "Commands, one a line ('#' at the start of a line begins a comment; arguments "
           "with blanks go in double quotes):")
    << "\n"
    << CommandList(Commands()) << "\n"
    << Paragraph(
           "expect: POINTER is a JSON pointer (RFC 6901) into the dump, \"\" for all of "
           "it; JSON is the rest of the line; objects compare regardless of key order. A "
           "failed expect prints the line and both values, or, for two objects or "
           "arrays, the pointers and values that differ; the later lines still run, and "
           "the exit status becomes 1.")
    << "\n"
    << Paragraph(
           "dialog ... end: the lines between are what the user does in the next settings "
           "dialog, run inside its modal loop when a later command (menu, shortcut) "
           "opens it; without ok or cancel at its end the dialog is closed. NAME is a "
           "control's component name ('controls' in a dialog, or 'help dialog' at the "
           "prompt, lists them); inside a dialog dump prints {\"dialog\":...} and "
           "snapshot draws the dialog. A block that no command opened, and an input "
           "answer that no input box took before its dialog closed, are errors.")
    << "\n"
    << Paragraph(
           "Text in and out is UTF-8; scripts may end their lines with LF, CR LF or CR. "
           "Messages about a line say FILE:LINE (-e:N for the N-th -e line, -:N for "
           "standard input); at the prompt they name no place.")
    << "\nexit status:\n";
  for (const auto& [Status, Meaning] : kExitStatuses)
    S << "  " << Status << Paragraph(Meaning, 5).substr(3);
  S << Paragraph(kStatusRule);
  return S.str();
}

std::string VersionText() {
  std::string Builds;
  const std::string Folder = ProgramFolder();
  for (int V = 5; V <= 7; ++V) {
    const std::string Program = Folder + "/" + ProgramFileName("tabulon-ide-" + std::to_string(V));
    if (V == HostVersion || IsProgram(Program))
      Builds += (Builds.empty() ? "" : ", ") + std::string("Delphi ") + std::to_string(V);
  }
  return std::string("tabulon-ide ") + TABULON_VERSION + "\nhost builds: " + Builds +
         " (this is the Delphi " + std::to_string(HostVersion) + " build)\n";
}

namespace {
// Text for roff: backslashes and minus signs escaped, and a line that would
// start with a control character protected.
std::string Roff(const std::string& Text) {
  std::string S;
  bool LineStart = true;
  for (char Ch : Text) {
    if (LineStart && (Ch == '.' || Ch == '\''))
      S += "\\&";
    if (Ch == '\\')
      S += "\\e";
    else if (Ch == '-')
      S += "\\-";
    else
      S += Ch;
    LineStart = Ch == '\n';
  }
  return S;
}
}  // namespace

std::string ManPage() {
  std::string S = ".TH TABULON-IDE 1 \"\" \"tabulon-ide " TABULON_VERSION
                  "\" \"User Commands\"\n"
                  ".SH NAME\ntabulon\\-ide \\- a simulated Delphi IDE for the Tabulon add-in\n"
                  ".SH SYNOPSIS\n.B tabulon\\-ide\n";
  for (const TOption& O : OptionTable())
    S.append("[").append(Roff(OptionName(O))).append("]\n");
  S.append("[")
      .append(Roff("--"))
      .append("] [SCRIPT | ")
      .append(Roff("-"))
      .append("]...\n.SH DESCRIPTION\n");
  const std::string Help = HelpText();
  // The prose of --help between the options and the commands.
  const std::size_t Prose = Help.find("\n\n", Help.find("\n  --  "));
  S += Roff(Help.substr(Prose + 2, Help.find("Commands, one a line") - Prose - 2));
  S += ".SH OPTIONS\n";
  for (const TOption& O : OptionTable()) {
    std::string Text = O.Help;
    for (char& Ch : Text)
      if (Ch == '\n')
        Ch = ' ';
    S += ".TP\n.B " + Roff(OptionName(O)) + "\n" + Roff(Text) + "\n";
  }
  S += ".SH COMMANDS\n";
  for (const TCommand& C : Commands())
    S += ".TP\n.B " + Roff(C.Synopsis) + "\n" + Roff(C.Help) + "\n";
  S += ".SH DIALOG BLOCKS\n";
  for (const TDialogCommand& D : DialogCommands())
    S += ".TP\n.B " + Roff(D.Synopsis) + "\n" + Roff(D.Help) + "\n";
  S += ".SH EXIT STATUS\n";
  for (const auto& [Status, Meaning] : kExitStatuses)
    S += ".TP\n.B " + std::to_string(Status) + "\n" + Roff(Meaning) + "\n";
  S += ".PP\n" + Roff(kStatusRule) + "\n";
  S += ".SH ENVIRONMENT\n"
       ".TP\n.B XDG_CONFIG_HOME\n"
       "The folder that holds the tabulon folder of the default hive and the prompt's "
       "history; " +
       Roff("~/.config") +
       " when it is unset, empty or not an absolute path.\n"
       ".TP\n.B HOME\nThe home folder, for " +
       Roff("~/.config") +
       "; the password database's when it is unset.\n"
       ".TP\n.B COLUMNS\n"
       "The width that help, messages and the prompt's output are wrapped to when the "
       "output is no terminal (80 when unset; never under 40).\n"
       ".TP\n.B EDITRC\n"
       "The libedit settings file the prompt reads, instead of " +
       Roff("~/.editrc") + ".\n";
  S += ".SH FILES\n"
       ".TP\n.I $XDG_CONFIG_HOME/tabulon/HKEY_CURRENT_USER.reg\n"
       "The default hive: the simulated registry's " +
       Roff("HKEY_CURRENT_USER") +
       ", as a file regedit imports.\n"
       ".TP\n.I NAME.lock\n"
       "Beside the hive file: the lock that writers take; an empty file that stays.\n"
       ".TP\n.I .NAME.tabulon\\-XXXXXX.tmp\n"
       "Beside the hive file while it is saved; a writer that was killed leaves one, and the "
       "next writer removes it.\n"
       ".TP\n.I $XDG_CONFIG_HOME/tabulon/history\n"
       "The prompt's history, written as each line is entered.\n"
       ".TP\n.I ~/.editrc\n"
       "libedit's settings, read when the prompt starts.\n";
  // Each example a command to type: .nf keeps its lines, "\e" is a
  // backslash and "\-" a minus sign, as roff writes them.
  S += ".SH EXAMPLES\n"
       "Run a script on the example groups:\n"
       ".PP\n.RS 4\n.nf\n"
       "tabulon\\-ide \\-\\-hive examples/groups.reg examples/tour.tide\n"
       ".fi\n.RE\n.PP\n"
       "The same from standard input, which is the script when it is no terminal:\n"
       ".PP\n.RS 4\n.nf\n"
       "tabulon\\-ide \\-\\-hive examples/groups.reg < examples/tour.tide\n"
       ".fi\n.RE\n.PP\n"
       "Show the IDE, load the add-in and check the group bar, on a hive in memory:\n"
       ".PP\n.RS 4\n.nf\n"
       "tabulon\\-ide \\-\\-hive :memory: \\-e show \\-e load \\e\n"
       "    \\-e 'expect /groupBar/visible true'\n"
       ".fi\n.RE\n.PP\n"
       "A session typed at the prompt, replayed from a pipe: the settings dialog that menu "
       "component opens takes the lines after it, up to cancel; controls lists the names "
       "its other commands take:\n"
       ".PP\n.RS 4\n.nf\n"
       "printf '%s\\en' load show 'menu component' controls cancel \\e\n"
       "    'expect /package/loaded true' |\n"
       "  tabulon\\-ide \\-\\-hive :memory:\n"
       ".fi\n.RE\n";
  return S;
}
