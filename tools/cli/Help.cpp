#include "Help.h"

#include <algorithm>
#include <cstdlib>

#include <filesystem>
#include <sstream>
#include <vector>

#include "CommandHelp.h"
#include "Commands.h"
#include "DialogBlock.h"
#include "OptionTable.h"
#include "ProgramFolder.h"
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
// brackets, wrapped before column 80 under the program's name.
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
    if (Column + Word.size() + 1 > 80) {
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

}  // namespace

std::string HelpText() {
  std::ostringstream S;
  S << UsageLines()
    << "\n"
       "Runs a simulated Delphi IDE and the commands given to it.\n\noptions:\n"
    << OptionLines();
  S << "  SCRIPT                run the commands in the file SCRIPT ('-': standard\n"
       "                        input)\n"
       "  --                    the words after it are scripts, even those that start\n"
       "                        with -\n"
       "\n"
       "-e commands and scripts run in the order given. With neither, standard input\n"
       "is the script when it is not a terminal (a pipe, a file); a terminal gets a\n"
       "prompt, with line editing, Tab completion and the history of earlier sessions\n"
       "(in $XDG_CONFIG_HOME/tabulon/history). -i gives the prompt after the scripts.\n"
       "At the prompt Ctrl-C cancels the line, Ctrl-D leaves, and a settings dialog\n"
       "opened with no dialog block queued is driven live ('dialog>'). --tour runs\n"
       "the tour first, on an IDE of its own with a registry in memory.\n"
       "\n"
       "Commands, one a line ('#' at the start of a line begins a comment; arguments\n"
       "with blanks go in double quotes):\n\n"
    << CommandList(Commands())
    << "\n"
       "expect: POINTER is a JSON pointer (RFC 6901) into the dump, \"\" for all of it;\n"
       "JSON is the rest of the line; objects compare regardless of key order. A failed\n"
       "expect prints the line and both values, or, for two objects or arrays, the\n"
       "pointers and values that differ; the later lines still run, and the exit\n"
       "status becomes 1.\n"
       "\n"
       "dialog ... end: the lines between are what the user does in the next settings\n"
       "dialog, run inside its modal loop when a later command (menu, shortcut) opens\n"
       "it; without ok or cancel at its end the dialog is closed. NAME is a control's\n"
       "component name ('controls' in a block, or 'help dialog' at the prompt, lists\n"
       "them); inside a block dump prints {\"dialog\":...} and snapshot draws the\n"
       "dialog. A block that no command opened, and an input answer that no input\n"
       "box took before its dialog closed, are errors.\n"
       "\n"
       "Text in and out is UTF-8; scripts may end their lines with LF, CR LF or CR.\n"
       "Messages about a line say FILE:LINE (-e:N for the N-th -e line, -:N for\n"
       "standard input); at the prompt they name no place.\n"
       "\n"
       "exit status:\n"
       "  0  every command ran and every expect held\n"
       "  1  an expect failed (the later lines still run)\n"
       "  2  a bad option, command, argument or input file, an error the IDE raised,\n"
       "     or a dialog block or input answer that was never used: a script stops at\n"
       "     that line, which the message names, and the refused command changed\n"
       "     nothing; at the prompt a mistake is told and the session goes on, and 2\n"
       "     is the status only when Ctrl-D leaves a dialog block unfinished or unused\n"
       "  3  settings could not be saved (the hive file could not be written: each time\n"
       "     is told with the file and the reason, and the later lines still run)\n"
       "A script's status is the first of 2, 3, 1 that applies; the prompt's the first\n"
       "of 3, 1, 2; with -i the greater of the script's and the prompt's.\n";
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
  S += ".SH EXIT STATUS\n.nf\n" + Roff(Help.substr(Help.find("exit status:\n") + 13)) + ".fi\n";
  return S;
}
