#include "Program.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <unordered_set>

#include "CodePage.h"
#include "Demo.h"
#include "Hive.h"
#include "Package.h"
#include "Simulator.h"

namespace {

class EUsage : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A place commands come from: one -e, a script file, or standard input.
struct TSource {
  std::string Name;  // "-e", the script's path, "stdin"
  std::vector<std::string> Lines;
  int FirstLine = 1;
  bool FromStdin = false;
};

struct TCommandLine {
  bool Help = false;
  std::optional<int> Host;
  TSimulatorOptions Options;
  std::vector<TSource> Sources;
};

std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> Lines;
  std::string Line;
  std::istringstream S(Text);
  while (std::getline(S, Line)) {
    if (!Line.empty() && Line.back() == '\r')
      Line.pop_back();
    Lines.push_back(Line);
  }
  return Lines;
}

std::string ReadFile(const std::string& Path, const std::string& What) {
  std::ifstream F(Path, std::ios::binary);
  if (!F)
    throw EUsage("cannot read " + What + " " + Path);
  std::ostringstream S;
  S << F.rdbuf();
  return S.str();
}

// One page caption a line, UTF-8; blank lines are skipped, blanks around a
// caption dropped. A caption Windows-1251 cannot hold, or one given twice,
// is an error: the palette would not be what the file says.
std::vector<std::string> ReadPalette(const std::string& Path) {
  std::string Text = ReadFile(Path, "palette file");
  if (Text.compare(0, 3, "\xEF\xBB\xBF") == 0)  // a UTF-8 byte order mark
    Text.erase(0, 3);
  std::vector<std::string> Pages;
  std::unordered_set<std::string> Seen;  // upper-cased: equal when AnsiSameText
  int LineNo = 0;
  for (const std::string& Line : SplitLines(Text)) {
    ++LineNo;
    const std::string Where = "--palette " + Path + " line " + std::to_string(LineNo) + ": ";
    const std::size_t First = Line.find_first_not_of(" \t");
    if (First == std::string::npos)
      continue;
    const std::string Caption = Line.substr(First, Line.find_last_not_of(" \t") - First + 1);
    std::string Host = Utf8ToWin1251(Caption);
    if (Win1251ToUtf8(Host) != Caption)
      throw EUsage(Where + "'" + Caption + "' holds characters that Windows-1251 cannot represent");
    if (!Seen.insert(AnsiUpperCase(Host)).second)
      throw EUsage(Where + "page '" + Caption + "' is listed twice");
    Pages.push_back(Host);
  }
  return Pages;
}

TCommandLine ParseCommandLine(const std::vector<std::string>& Args) {
  TCommandLine C;
  C.Options.Hive = DefaultHivePath();
  C.Options.Package = DefaultPackagePath();
  std::optional<std::string> Palette;
  bool OptionsEnded = false;
  bool StdinUsed = false;
  int ExpressionLine = 0;
  for (std::size_t i = 0; i < Args.size(); ++i) {
    std::string Arg = Args[i];
    std::optional<std::string> Inline;
    if (!OptionsEnded && Arg.compare(0, 2, "--") == 0 && Arg.find('=') != std::string::npos) {
      Inline = Arg.substr(Arg.find('=') + 1);
      Arg = Arg.substr(0, Arg.find('='));
    }
    auto Value = [&]() -> std::string {
      if (Inline)
        return *Inline;
      if (i + 1 >= Args.size())
        throw EUsage("option " + Arg + " needs a value");
      return Args[++i];
    };
    if (OptionsEnded || Arg == "-" || Arg.empty() || Arg[0] != '-') {
      TSource S;
      if (Arg == "-") {
        if (StdinUsed)
          throw EUsage("standard input can be read only once");
        StdinUsed = true;
        S.Name = "stdin";
        S.FromStdin = true;
      } else {
        S.Name = Arg;
        S.Lines = SplitLines(ReadFile(Arg, "script"));
      }
      C.Sources.push_back(std::move(S));
    } else if (Arg == "--") {
      OptionsEnded = true;
    } else if (Arg == "--help" || Arg == "-h") {
      C.Help = true;
    } else if (Arg == "--host") {
      const std::string V = Value();
      if (V != "5" && V != "6" && V != "7")
        throw EUsage("--host must be 5, 6 or 7, not '" + V + "'");
      if (C.Host && *C.Host != V[0] - '0')
        throw EUsage("--host is given twice");
      C.Host = V[0] - '0';
    } else if (Arg == "--hive") {
      C.Options.Hive = Value();
    } else if (Arg == "--palette") {
      Palette = Value();
    } else if (Arg == "--layout") {
      const std::string V = Value();
      if (V == "controlbar")
        C.Options.Ide.Layout = TPaletteLayout::ControlBar;
      else if (V == "panel")
        C.Options.Ide.Layout = TPaletteLayout::Panel;
      else
        throw EUsage("--layout must be controlbar or panel, not '" + V + "'");
    } else if (Arg == "--package") {
      C.Options.Package = Value();
      if (!std::filesystem::is_regular_file(C.Options.Package))
        throw EUsage("--package " + C.Options.Package + ": no such file");
    } else if (Arg == "-e") {
      TSource S;
      S.Name = "-e";
      S.Lines = SplitLines(Value());
      if (S.Lines.empty())
        S.Lines.push_back("");
      S.FirstLine = ExpressionLine + 1;
      ExpressionLine += static_cast<int>(S.Lines.size());
      C.Sources.push_back(std::move(S));
    } else {
      throw EUsage("unknown option '" + Args[i] + "'");
    }
  }
  if (Palette)
    C.Options.Ide.Pages = ReadPalette(*Palette);
  return C;
}

// Runs the lines of one source; false when the run must stop (status 2).
bool RunSource(TSimulator& Sim, const TSource& Source, std::istream& In, bool& ExpectFailed) {
  auto RunOne = [&](const std::string& Line, int LineNo) {
    switch (Sim.RunLine(Line, Source.Name + " line " + std::to_string(LineNo))) {
      case TLineResult::Ok:
        return true;
      case TLineResult::ExpectFailed:
        ExpectFailed = true;
        return true;
      case TLineResult::Error:
        return false;
    }
    return false;
  };
  if (Source.FromStdin) {
    std::string Line;
    for (int LineNo = 1; std::getline(In, Line); ++LineNo) {
      if (!Line.empty() && Line.back() == '\r')
        Line.pop_back();
      if (!RunOne(Line, LineNo))
        return false;
    }
    return true;
  }
  for (std::size_t i = 0; i < Source.Lines.size(); ++i)
    if (!RunOne(Source.Lines[i], Source.FirstLine + static_cast<int>(i)))
      return false;
  return true;
}

// The status of a run that was not stopped: unsaved settings outweigh a
// failed expect, since they are lost for good.
int EndStatus(const TSimulator& Sim, bool ExpectFailed) {
  return Sim.SettingsNotSaved() ? kExitNotSaved : ExpectFailed ? kExitExpectFailed : kExitOk;
}

int Interactive(TSimulator& Sim, std::istream& In, std::ostream& Out) {
  Out << "tabulon-ide: the Delphi " << HostVersion
      << " IDE is running; its main form is not shown yet.\n"
         "Type 'show' to show it, 'help' for the commands, Ctrl-D to leave.\n";
  bool Failed = false, ExpectFailed = false;
  std::string Line;
  for (int LineNo = 1;; ++LineNo) {
    Out << "tabulon-ide> " << std::flush;
    if (!std::getline(In, Line))
      break;
    // A mistake at the prompt is reported and the session goes on.
    switch (Sim.RunLine(Line, "line " + std::to_string(LineNo))) {
      case TLineResult::Ok:
        break;
      case TLineResult::ExpectFailed:
        ExpectFailed = true;
        break;
      case TLineResult::Error:
        Failed = true;
        break;
    }
  }
  Out << "\n";
  return Failed ? kExitError : EndStatus(Sim, ExpectFailed);
}

}  // namespace

std::string HelpText() {
  std::ostringstream S;
  S << "usage: tabulon-ide [--host 5|6|7] [--hive FILE|:memory:] [--palette FILE]\n"
       "                   [--layout controlbar|panel] [--package FILE] [-e COMMAND]... "
       "[SCRIPT]\n"
       "\n"
       "Runs a simulated Delphi IDE and the commands given to it.\n"
       "\n"
       "options:\n"
       "  --host 5|6|7        the IDE version (default 7)\n"
       "  --hive FILE         the registry hive file (default " +
           DefaultHivePath() +
           ");\n"
           "                      :memory: for a hive that is gone when the run ends;\n"
           "                      a REGEDIT4 or a regedit 5.00 (UTF-16LE) file, written\n"
           "                      back in its own format\n"
           "  --palette FILE      the palette's pages, one caption a line, UTF-8\n"
           "                      (default: the stock pages of that IDE version)\n"
           "  --layout L          where the palette sits: controlbar (default), a band of\n"
           "                      the IDE's control bar, or panel, a panel in a panel\n"
           "  --package FILE      the package module to load (default: the one built for\n"
           "                      that host)\n"
           "  -e COMMAND          run COMMAND; may be repeated\n"
           "  SCRIPT              run the commands in the file SCRIPT ('-': standard input)\n"
           "  -h, --help          show this text\n"
           "\n"
           "-e commands and scripts run in the order given. With neither, a short tour\n"
           "runs on an IDE of its own with a registry in memory; then a terminal gets a\n"
           "prompt, on a fresh IDE with the options given.\n"
           "\n"
           "commands (one a line; '#' at the start of a line begins a comment; arguments\n"
           "with blanks go in double quotes):\n";
  for (const TCommand& C : Commands())
    S << "  " << C.Synopsis << "\n      " << C.Help << "\n";
  S << "\n"
       "expect: POINTER is a JSON pointer (RFC 6901) into the dump, \"\" for all of it;\n"
       "JSON is the rest of the line; objects compare regardless of key order. A failed\n"
       "expect prints the line and both values, or, for two objects or arrays, the\n"
       "pointers and values that differ; the later lines still run, and the exit\n"
       "status becomes 1.\n"
       "\n"
       "dialog ... end: the lines between are what the user does in the next settings\n"
       "dialog, run inside its modal loop when a later command (menu, shortcut) opens\n"
       "it; without ok or cancel at its end the dialog is closed. Inside a block:\n"
       "  sheet TSMain|TSGroupPage   click NAME   check NAME on|off   focus NAME\n"
       "  type NAME TEXT   keydown NAME Up|Down   select NAME INDEX|\"TEXT\"\n"
       "  input TEXT | input --cancel (the answer to the next input box)\n"
       "  color VALUE   wait MS   dump [--pretty]   expect POINTER JSON\n"
       "  snapshot FILE.svg\n"
       "  ok   cancel\n"
       "NAME is a control's component name; inside a block dump prints {\"dialog\":...}\n"
       "and snapshot draws the dialog.\n"
       "\n"
       "Text in and out is UTF-8.\n"
       "\n"
       "exit status: 0 when every command ran and every expect held; 1 when an expect\n"
       "failed; 2 on a bad option, command or argument, or an error the IDE raised:\n"
       "the run stops at that line, which the message names, and the command that\n"
       "was refused changed nothing; 3 when settings could not be saved (the hive\n"
       "file could not be written: each time is reported with the file and the\n"
       "reason, and the later lines still run; 3 outweighs 1).\n";
  return S.str();
}

int TabulonIdeMain(const std::vector<std::string>& Args, std::istream& In, std::ostream& Out,
                   std::ostream& Err, bool InIsTerminal) {
  TCommandLine C;
  try {
    C = ParseCommandLine(Args);
    if (C.Help) {
      Out << HelpText();
      return kExitOk;
    }
    if (C.Host && *C.Host != HostVersion)
      throw EUsage("this program is the host-" + std::to_string(HostVersion) +
                   " build; run tabulon-ide --host " + std::to_string(*C.Host));
  } catch (const std::exception& E) {
    Err << "tabulon-ide: " << E.what() << "\nTry 'tabulon-ide --help'.\n";
    return kExitError;
  }

  if (C.Sources.empty()) {
    // The tour runs on an IDE of its own with a registry in memory, so that
    // it never writes its groups into the user's hive, and on the stock
    // palette and this build's package, whose pages and behaviour its steps
    // name; --palette and --package are for the prompt that follows.
    try {
      const std::unique_ptr<RegistryHive> TourHive = OpenHive(":memory:");
      TSimulatorOptions Tour = C.Options;
      Tour.Hive = ":memory:";
      Tour.Ide.Pages.reset();
      Tour.Package = DefaultPackagePath();
      TSimulator Sim(Tour, Out, Err);
      if (!RunDemo(Sim, Out))
        return kExitError;
    } catch (const Exception& E) {
      Err << "tabulon-ide: the IDE raised an error: " << Win1251ToUtf8(E.Message()) << "\n";
      return kExitError;
    } catch (const std::exception& E) {
      Err << "tabulon-ide: the tour failed: " << E.what() << "\n";
      return kExitError;
    }
    if (!InIsTerminal)
      return kExitOk;
    Out << "\n";
  }

  std::unique_ptr<RegistryHive> Hive;
  try {
    Hive = OpenHive(C.Options.Hive);
  } catch (const std::exception& E) {
    Err << "tabulon-ide: " << E.what() << "\n";
    return kExitError;
  }
  HiveLockWait LockWait;
  LockWait.Notice = [&Err](const std::string& Message) {
    Err << "tabulon-ide: " << Message << "\n" << std::flush;
  };
  Hive->SetLockWait(LockWait);

  try {
    TSimulator Sim(C.Options, Out, Err);
    if (C.Sources.empty())
      return Interactive(Sim, In, Out);
    bool ExpectFailed = false;
    for (const TSource& Source : C.Sources)
      if (!RunSource(Sim, Source, In, ExpectFailed))
        return kExitError;
    if (const std::string Began = Sim.UnfinishedBlock(); !Began.empty()) {
      Err << "tabulon-ide: " << Began << ": the dialog block has no end\n";
      return kExitError;
    }
    return EndStatus(Sim, ExpectFailed);
  } catch (const Exception& E) {
    Err << "tabulon-ide: the IDE raised an error: " << Win1251ToUtf8(E.Message()) << "\n";
  } catch (const std::exception& E) {
    Err << "tabulon-ide: internal error: " << E.what() << "\n";
  }
  return kExitError;
}
