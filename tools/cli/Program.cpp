#include "Program.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <unordered_set>

#include "CodePage.h"
#include "Completion.h"
#include "Demo.h"
#include "DialogBlock.h"
#include "Help.h"
#include "Hive.h"
#include "HiveError.h"
#include "HiveText.h"
#include "OptionTable.h"
#include "Package.h"
#include "Prompt.h"
#include "ScopeExit.h"
#include "Script.h"
#include "Simulator.h"

namespace {

class EUsage : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A file the command line names cannot be read: the message says why, and
// the options are not what is wrong.
class EInputFile : public EUsage {
  using EUsage::EUsage;
};

// A place commands come from: the -e lines, a script file, or standard input.
struct TSource {
  std::string Name;  // in messages: "-e", the script's path, "-"
  std::vector<std::string> Lines;
  int FirstLine = 1;
  bool FromStdin = false;
};

struct TCommandLine {
  bool Help = false, Version = false, Verbose = false, Tour = false, Interactive = false;
  std::optional<int> Host;
  TSimulatorOptions Options;
  std::vector<TSource> Sources;
};

std::string ReadFile(const std::string& Path, const std::string& What) {
  try {
    return ReadInputFile(Path);
  } catch (const std::exception& E) {
    throw EInputFile("cannot read " + What + " " + Path + ": " + E.what());
  }
}

// One page caption a line, UTF-8; blank lines are skipped, blanks around a
// caption dropped. A caption Windows-1251 cannot hold, or one given twice,
// is an error: the palette would not be what the file says.
std::vector<std::string> ReadPalette(const std::string& Path) {
  std::string Text = ReadFile(Path, "palette file");
  DropByteOrderMark(Text);
  std::vector<std::string> Pages;
  std::unordered_set<std::string> Seen;  // upper-cased: equal when AnsiSameText
  int LineNo = 0;
  for (const std::string& Line : SplitLines(Text)) {
    ++LineNo;
    // Only a line that is refused is named: a palette has thousands.
    auto Where = [&] { return Path + ":" + std::to_string(LineNo) + ": "; };
    if (const std::string Problem = Utf8Problem(Line); !Problem.empty())
      throw EInputFile(Where() + Problem);
    const std::size_t First = Line.find_first_not_of(" \t");
    if (First == std::string::npos)
      continue;
    const std::string Caption = Line.substr(First, Line.find_last_not_of(" \t") - First + 1);
    std::string Host = Utf8ToWin1251(Caption);
    if (Win1251ToUtf8(Host) != Caption)
      throw EInputFile(Where() + "'" + Caption +
                       "' holds characters that Windows-1251 cannot represent");
    if (!Seen.insert(AnsiUpperCase(Host)).second)
      throw EInputFile(Where() + "page '" + Caption + "' is listed twice");
    Pages.push_back(Host);
  }
  return Pages;
}

// The options of the table, and SCRIPT, as CLI11 reads them. Each option
// collects all its values, so that the order of -e and SCRIPT words, which
// is the order the commands run in, can be read back from the parse order.
struct TParser {
  CLI::App App;
  std::map<const CLI::Option*, const TOption*> Entries;
  CLI::Option* Scripts = nullptr;
  std::vector<std::string> Ignored;  // where CLI11 stores values; read from results()

  TParser() {
    // The options are GNU-style on every system: on Windows, CLI11 would
    // otherwise take a script's path written with slashes (/work/a.tide,
    // as Wine passes one) for a "/option".
    App.allow_windows_style_options(false);
    App.set_help_flag();
    App.allow_extras();
    for (const TOption& O : OptionTable()) {
      std::string Names = O.Short != nullptr ? O.Short : "";
      if (O.Long != nullptr)
        Names += (Names.empty() ? "" : ",") + std::string(O.Long);
      CLI::Option* Option = O.Value != nullptr
                                ? App.add_option(Names, Ignored)->allow_extra_args(false)
                                : App.add_flag(Names);
      Entries[Option] = &O;
    }
    Scripts = App.add_option("SCRIPT", Ignored);
  }
};

TSource ScriptSource(const std::string& Arg, bool& StdinUsed) {
  TSource S;
  if (Arg == "-") {
    if (StdinUsed)
      throw EUsage("standard input can be read only once");
    StdinUsed = true;
    S.Name = "-";
    S.FromStdin = true;
    return S;
  }
  std::string Text;
  try {
    Text = ReadFile(Arg, "script");
  } catch (const EInputFile& E) {
    // "tabulon-ide show": a command given where a script's name goes.
    const std::string First = Arg.substr(0, Arg.find(' '));
    if (FindCommand(First) != nullptr && !std::filesystem::exists(Arg))
      throw EInputFile(std::string(E.what()) + " (to run the command, give -e '" + Arg + "')");
    throw;
  }
  DropByteOrderMark(Text);
  S.Name = Arg;
  S.Lines = SplitLines(Text);
  return S;
}

// "--hive=" gives no value; CLI11 would take the next word for it. And
// CLI11 would read "--verbose=no" as a flag that is set.
void CheckInlineValues(const std::vector<std::string>& Args) {
  for (const TLongOption& L : LongOptions(Args)) {
    if (L.Inline && L.Option->Value == nullptr)
      throw EUsage(std::string("option ") + L.Option->Long + " takes no value");
    if (L.Inline && L.Value->empty())
      throw EUsage(std::string("option ") + L.Option->Long + " needs a value");
  }
}

// What the options read so far leave for the end of the command line.
struct TOptionsRead {
  std::optional<std::string> Palette;  // read once every option is known
  bool StdinUsed = false;
  int ExpressionLine = 0;  // -e lines so far, all of them one source
};

// One option of the table with its value, in the order given.
void ApplyOption(TCommandLine& C, const std::string& Name, const std::string& V,
                 TOptionsRead& Read) {
  if (Name == "--help") {
    C.Help = true;
  } else if (Name == "--version") {
    C.Version = true;
  } else if (Name == "--verbose") {
    C.Verbose = true;
  } else if (Name == "--tour") {
    C.Tour = true;
  } else if (Name == "-i") {
    C.Interactive = true;
  } else if (Name == "--host") {
    if (V != "5" && V != "6" && V != "7")
      throw EUsage("--host must be 5, 6 or 7, not '" + V + "'");
    if (C.Host && *C.Host != V[0] - '0')
      throw EUsage("--host is given twice");
    C.Host = V[0] - '0';
  } else if (Name == "--hive") {
    // An unset variable ("--hive $HIVE") must not fall back to the user's
    // real hive, which the run would then write.
    if (V.empty())
      throw EUsage("option --hive needs a value (a file, or :memory:)");
    C.Options.Hive = V;
  } else if (Name == "--palette") {
    if (V.empty())
      throw EUsage("option --palette needs a value");
    Read.Palette = V;
  } else if (Name == "--layout") {
    if (V == "controlbar")
      C.Options.Ide.Layout = TPaletteLayout::ControlBar;
    else if (V == "panel")
      C.Options.Ide.Layout = TPaletteLayout::Panel;
    else
      throw EUsage("--layout must be controlbar or panel, not '" + V + "'");
  } else if (Name == "--package") {
    C.Options.Package = V;
    if (!std::filesystem::is_regular_file(C.Options.Package))
      throw EInputFile("cannot read package " + C.Options.Package + ": no such file");
  } else if (Name == "-e") {
    // All -e lines count as one source, "-e:N" the N-th of them; -e lines
    // side by side are read as one, so that a dialog one opens takes the
    // next.
    std::vector<std::string> Lines = SplitLines(V);
    if (Lines.empty())
      Lines.push_back("");
    Read.ExpressionLine += static_cast<int>(Lines.size());
    if (C.Sources.empty() || C.Sources.back().Name != "-e") {
      TSource S;
      S.Name = "-e";
      S.FirstLine = Read.ExpressionLine - static_cast<int>(Lines.size()) + 1;
      C.Sources.push_back(std::move(S));
    }
    auto& To = C.Sources.back().Lines;
    To.insert(To.end(), Lines.begin(), Lines.end());
  }
}

TCommandLine ParseCommandLine(const std::vector<std::string>& Args) {
  CheckInlineValues(Args);
  TParser P;
  // CLI11 reads the words from the back of the vector it is given, popping
  // each as it takes it (its parse of argc and argv reverses them so), so
  // the words go to it last first.
  std::vector<std::string> Reversed(Args.rbegin(), Args.rend());
  try {
    P.App.parse(Reversed);
  } catch (const CLI::ArgumentMismatch& E) {
    const std::string What = E.what();
    throw EUsage("option " + What.substr(0, What.find(':')) + " needs a value");
  } catch (const CLI::ParseError& E) {
    throw EUsage(E.what());
  }
  // CLI11 keeps the "--" that ends the options among what it did not use;
  // the words after it are scripts.
  for (const std::string& Extra : P.App.remaining())
    if (Extra != "--")
      throw EUsage("unknown option '" + Extra + "'");

  TCommandLine C;
  C.Options.Package = DefaultPackagePath();
  TOptionsRead Read;
  std::map<const CLI::Option*, std::size_t> Used;
  for (const CLI::Option* Option : P.App.parse_order()) {
    const std::size_t Index = Used[Option]++;
    if (Option == P.Scripts) {
      C.Sources.push_back(ScriptSource(Option->results().at(Index), Read.StdinUsed));
      continue;
    }
    const TOption& O = *P.Entries.at(Option);
    ApplyOption(C, O.Long != nullptr ? O.Long : O.Short,
                O.Value != nullptr ? Option->results().at(Index) : "", Read);
  }
  if (Read.Palette)
    C.Options.Ide.Pages = ReadPalette(*Read.Palette);
  return C;
}

// The lines of one source, one at a time, each with where it is
// ("a.tide:7"), for the run and for a settings dialog it opens live.
class TSourceLines {
 public:
  TSourceLines(const TSource& Source, std::istream& In) : FSource(Source), FStdin(In) {}
  bool Next(std::string& Line, std::string& Where) {
    if (FSource.FromStdin) {
      if (!FStdin.Next(Line))
        return false;
      if (FNext == 0)
        DropByteOrderMark(Line);
    } else {
      if (FNext >= FSource.Lines.size())
        return false;
      Line = FSource.Lines[FNext];
    }
    Where = FSource.Name + ":" + std::to_string(FSource.FirstLine + static_cast<int>(FNext));
    ++FNext;
    return true;
  }

 private:
  const TSource& FSource;
  TLineSplitter FStdin;
  std::size_t FNext = 0;
};

// Runs the lines of one source; false when the run must stop (status 2).
bool RunSource(TSimulator& Sim, const TSource& Source, std::istream& In, bool& ExpectFailed) {
  TSourceLines Lines(Source, In);
  // A settings dialog opened with no block queued takes the lines that
  // follow, as at the prompt.
  Sim.Dialogs().SetLive(
      [&Lines](const std::string&, std::string& Line, std::string& Where) {
        return Lines.Next(Line, Where) ? TRead::Line : TRead::End;
      },
      true);
  ScopeExit Unset([&Sim] { Sim.Dialogs().SetLive(nullptr); });
  std::string Line, Where;
  while (Lines.Next(Line, Where)) {
    switch (Sim.RunLine(Line, Where)) {
      case TLineResult::Ok:
        break;
      case TLineResult::ExpectFailed:
        ExpectFailed = true;
        break;
      case TLineResult::Error:
        return false;
    }
  }
  return true;
}

// Runs the tour on an IDE of its own with a registry in memory, so that it
// never writes its groups into the user's hive, and on the stock palette and
// this build's package, whose pages and behaviour its steps name; --palette
// and --package are for what follows.
bool RunTour(const TSimulatorOptions& Options, std::ostream& Out, std::ostream& Err) {
  try {
    const std::unique_ptr<RegistryHive> TourHive = OpenHive(":memory:");
    TSimulatorOptions Tour = Options;
    Tour.Hive = ":memory:";
    Tour.Ide.Pages.reset();
    Tour.Package = DefaultPackagePath();
    Tour.Echo = false;
    TSimulator Sim(Tour, Out, Err);
    return RunDemo(Sim, Out);
  } catch (const Exception& E) {
    TUtf8Stream(Err) << "tabulon-ide: the IDE raised an error: " << Printable(UserText(E.Message()))
                     << "\n";
  } catch (const std::exception& E) {
    TUtf8Stream(Err) << "tabulon-ide: the tour failed: " << TUtf8(E.what()) << "\n";
  }
  return false;
}

// The prompt's history lies beside the default hive, in the user's
// configuration folder; without one (no home folder), it is kept only for
// the session.
std::string HistoryFile() {
  try {
    return (std::filesystem::path(RegistryHive::DefaultPath()).parent_path() / "history").string();
  } catch (const ERegistryException&) {
    return "";
  }
}

// Reads the command line into C; the status to end with at once (--help,
// --version, a mistake), or nothing when the run goes on.
std::optional<int> ReadCommandLine(const std::vector<std::string>& Args, TUtf8Stream& Out,
                                   TUtf8Stream& Err, TCommandLine& C) {
  try {
    C = ParseCommandLine(Args);
    if (C.Help) {
      Out << TUtf8(HelpText());
      return kExitOk;
    }
    if (C.Version) {
      Out << TUtf8(VersionText());
      return kExitOk;
    }
    if (C.Host && *C.Host != HostVersion)
      throw EUsage("this program is the host-" + std::to_string(HostVersion) +
                   " build; run tabulon-ide --host " + std::to_string(*C.Host));
  } catch (const EInputFile& E) {
    Err << "tabulon-ide: " << TUtf8(Shortened(E.what())) << "\n";
    return kExitError;
  } catch (const std::exception& E) {
    Err << "tabulon-ide: " << TUtf8(Shortened(E.what())) << "\nTry 'tabulon-ide --help'.\n";
    return kExitError;
  }
  return std::nullopt;
}

// Runs the scripts and -e lines in their order; what they saw. Stopped is
// what -v's summary adds when one stopped the run.
TRunOutcome RunSources(TSimulator& Sim, const TCommandLine& C, std::istream& In,
                       std::string& Stopped) {
  TRunOutcome Outcome;
  bool Ran = true;
  for (const TSource& Source : C.Sources)
    if (!(Ran = RunSource(Sim, Source, In, Outcome.ExpectFailed)))
      break;
  // Blocks left over mean expects and actions that never ran; at -i's
  // prompt an unfinished block is finished by the user instead.
  Outcome.Error = !Ran || (C.Interactive ? Sim.ReportQueuedBlocks() : Sim.ReportUnusedBlocks());
  Outcome.NotSaved = Sim.SettingsNotSaved();
  if (!Ran)
    Stopped = "; stopped at the error above";
  return Outcome;
}

// The prompt, after the scripts (-i) or instead of them; what it saw.
TRunOutcome RunPromptSession(TSimulator& Sim, const TCommandLine& C, const RegistryHive& Hive,
                             std::istream& In, std::ostream& Out, std::ostream& Err,
                             bool LineEditing) {
  Sim.SetEcho(false);
  // The hive's location is a path as the system gave it: UTF-8.
  Sim.Out() << TUtf8(Paragraph("tabulon-ide: the Delphi " + std::to_string(HostVersion) +
                               " IDE is running, on the hive " +
                               (Hive.InMemory() ? std::string("in memory") : Hive.Location()) +
                               "."))
            << TUtf8(Paragraph(std::string(Sim.MainForm()->Showing()
                                               ? "Type"
                                               : "Type 'show' to show its main form,") +
                               " 'help' for the commands, " + LeaveKeys() + " to leave."));
  if (!C.Tour && C.Sources.empty())
    Sim.Out() << TUtf8(Paragraph("('tabulon-ide --tour' shows a short tour first.)"));
  const std::unique_ptr<TPromptInput> Input =
      LineEditing ? EditLinePromptInput(HistoryFile(), Err,
                                        [&Sim](const std::string& Before, bool InDialog) {
                                          return Completions(Sim, Before, InDialog);
                                        })
                  : StreamPromptInput(In, Out);
  return RunPrompt(Sim, *Input);
}

}  // namespace

int TabulonIdeMain(const std::vector<std::string>& Args, std::istream& In, std::ostream& Out,
                   std::ostream& Err, bool InIsTerminal, bool LineEditing) {
  // What the user reads is UTF-8; the simulator below is given the streams
  // themselves and wraps them the same way.
  TUtf8Stream UserOut(Out), UserErr(Err);
  TCommandLine C;
  if (const std::optional<int> Done = ReadCommandLine(Args, UserOut, UserErr, C))
    return *Done;

  // Standard input that is no terminal is the script when nothing else is
  // given, as sqlite3, python and sh read it: a job that pipes a script in
  // must run it, not a tour that always succeeds.
  // With -i, standard input is the prompt's, as python -i reads it.
  if (C.Sources.empty() && !InIsTerminal && !C.Interactive) {
    TSource S;
    S.Name = "-";
    S.FromStdin = true;
    C.Sources.push_back(std::move(S));
  }
  const bool Prompt = C.Sources.empty() || C.Interactive;
  if (C.Tour) {
    if (!RunTour(C.Options, Out, Err))
      return kExitError;
    UserOut << "\n";
  }

  std::unique_ptr<RegistryHive> Hive;
  try {
    // What the hive says of its own accord (a file's warnings, a save that
    // failed as the program ended) goes where the program's messages go.
    Hive = OpenHive(C.Options.Hive, [&UserErr](const std::string& Message) {
      UserErr << TUtf8(HiveReportToUtf8(Message)) << "\n" << std::flush;
    });
  } catch (const std::exception& E) {
    UserErr << "tabulon-ide: " << TUtf8(HiveReportToUtf8(E.what())) << "\n";
    return kExitError;
  }
  HiveLockWait LockWait;
  LockWait.Notice = [&UserErr](const std::string& Message) {
    UserErr << "tabulon-ide: " << TUtf8(HiveReportToUtf8(Message)) << "\n" << std::flush;
  };
  Hive->SetLockWait(LockWait);

  try {
    // What the user typed is on the screen already; only a script's
    // commands are echoed.
    C.Options.Echo = C.Verbose;
    TSimulator Sim(C.Options, Out, Err);
    std::optional<TRunOutcome> Scripts, AtPrompt;
    std::string Stopped;
    if (!C.Sources.empty())
      Scripts = RunSources(Sim, C, In, Stopped);
    if (Prompt)
      AtPrompt = RunPromptSession(Sim, C, *Hive, In, Out, Err, LineEditing);
    if (C.Verbose)
      UserOut << TUtf8(Sim.Summary() + Stopped) << "\n";
    return ExitStatus(Scripts, AtPrompt);
  } catch (const Exception& E) {
    UserErr << "tabulon-ide: the IDE raised an error: " << Printable(UserText(E.Message())) << "\n";
  } catch (const std::exception& E) {
    UserErr << "tabulon-ide: internal error: " << TUtf8(E.what()) << "\n";
  }
  return kExitError;
}
