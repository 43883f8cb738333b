#include "Completion.h"

#include <algorithm>
#include <optional>
#include <sstream>

#include "ComCtrls.h"
#include "DialogBlock.h"
#include "DialogDriver.h"
#include "Dump.h"
#include "Render.h"
#include "Simulator.h"
#include "SysUtils.h"
#include "Terminal.h"

namespace {

// The line before the cursor as words, the last the one being completed:
// quotes are read as the lexer reads them, and a quote left open is the
// word being typed.
struct TTypedWords {
  std::vector<std::string> Words{""};
  std::size_t LastStart = 0;
  bool LastQuoted = false;
};

TTypedWords TypedWords(const std::string& Before) {
  TTypedWords T;
  bool InQuote = false, Started = false;
  for (std::size_t i = 0; i < Before.size(); ++i) {
    const char Ch = Before[i];
    if (!InQuote && (Ch == ' ' || Ch == '\t')) {
      if (Started)
        T.Words.emplace_back();
      Started = false;
      T.LastQuoted = false;
      continue;
    }
    if (!Started) {
      T.LastStart = i;
      Started = true;
    }
    if (Ch == '"') {
      InQuote = !InQuote;
      T.LastQuoted = true;
    } else if (Ch == '\\' && InQuote && i + 1 < Before.size() &&
               (Before[i + 1] == '"' || Before[i + 1] == '\\')) {
      T.Words.back() += Before[++i];
    } else {
      T.Words.back() += Ch;
    }
  }
  if (!Started)
    T.LastStart = Before.size();
  return T;
}

std::vector<std::string> TabCaptions(TCustomTabControl* Tabs) {
  std::vector<std::string> Names;
  if (Tabs != nullptr)
    for (int i = 0; i < Tabs->Tabs()->Count(); ++i)
      Names.push_back(UserText(Tabs->Tabs()->Strings(i)).Str());
  return Names;
}

// The names of the dialog's controls that a command acts on, read from the
// list of controls the dialog driver gave when the dialog opened: each
// line is "    NAME  CLASS  action, action  'caption'".
std::vector<std::string> ControlsFor(const std::string& Controls, const std::string& Action) {
  std::vector<std::string> Names;
  std::istringstream Lines(Controls);
  for (std::string Line; std::getline(Lines, Line);) {
    if (Line.rfind("    ", 0) != 0)
      continue;
    std::vector<std::string> Columns;
    for (std::size_t At = Line.find_first_not_of(' '); At != std::string::npos;) {
      const std::size_t End = std::min(Line.find("  ", At), Line.size());
      Columns.push_back(Line.substr(At, End - At));
      At = Line.find_first_not_of(' ', End);
    }
    if (Columns.size() < 3)
      continue;
    std::istringstream Actions(Columns[2]);
    for (std::string A; std::getline(Actions, A, ',');)
      if (Trim(A) == Action)
        Names.push_back(Columns[0]);
  }
  return Names;
}

// The control names a dialog command takes as its first word.
std::vector<std::string> DialogNames(TSimulator& Sim, const std::string& Command) {
  // key and keydown reach the controls that take the focus.
  const std::string Action = Command == "key" || Command == "keydown" ? "keydown" : Command;
  return ControlsFor(Sim.Dialogs().LastControls(), Action);
}

std::vector<std::string> DialogCandidates(TSimulator& Sim, const std::string& Command,
                                          std::size_t At) {
  if (At == 1 &&
      (Command == "sheet" || Command == "click" || Command == "check" || Command == "focus" ||
       Command == "type" || Command == "keydown" || Command == "key" || Command == "select"))
    return DialogNames(Sim, Command);
  if (At == 1 && Command == "help")
    return {"dialog"};
  if (At == 2 && Command == "check")
    return {"on", "off"};
  if (At == 2 && Command == "keydown")
    return {"Up", "Down"};
  if (At == 2 && Command == "key") {
    std::vector<std::string> Keys;
    std::istringstream Names(KeyNames());
    for (std::string K; std::getline(Names, K, ',');)
      Keys.push_back(Trim(K));
    return Keys;
  }
  return {};
}

std::vector<std::string> Candidates(TSimulator& Sim, const std::vector<std::string>& W,
                                    bool InDialog) {
  const std::size_t At = W.size() - 1;  // the index of the word being completed
  std::vector<std::string> C;
  if (At == 0) {
    if (InDialog) {
      for (const TDialogCommand& D : DialogCommands())
        C.push_back(D.Name);
      C.push_back(Sim.Dialogs().Open() != nullptr ? "help" : "end");
    } else {
      for (const TCommand& Command : Commands())
        C.push_back(Command.Name);
    }
    return C;
  }
  const std::string& Command = W[0];
  if (InDialog)
    return DialogCandidates(Sim, Command, At);
  if (Command == "menu" && At == 1)
    return {"palette", "component"};
  if (Command == "key" && At == 1)
    return {"down", "up"};
  if (Command == "key" && At == 2)
    return {"LSHIFT", "RSHIFT", "LCTRL", "RCTRL", "A"};
  if (Command == "export" && At == 1)
    return {"--unicode"};
  if (Command == "help" && At == 1) {
    C.push_back("all");
    C.push_back("dialog");
    for (const TCommand& Each : Commands())
      C.push_back(Each.Name);
    return C;
  }
  if (Command == "dump") {
    C.push_back("--pretty");
    const TJson State = Dump(Sim);
    for (auto It = State.begin(); It != State.end(); ++It)
      C.push_back(It.key());
    return C;
  }
  if (Command == "group")
    return TabCaptions(PaletteBar(Sim.MainForm()->Palette()));
  if (Command == "page")
    return TabCaptions(Sim.MainForm()->Palette());
  if (Command == "uninstall")
    for (const std::string& P : Sim.MainForm()->Pages())
      C.push_back(UserText(P).Str());
  return C;
}

// Letter case folded as the IDE compares names (Cyrillic too), for a
// prefix typed in another case.
std::optional<std::string> Folded(const std::string& Utf8) {
  try {
    return AnsiUpperCase(HostText(Utf8));
  } catch (const ECommandError&) {
    return std::nullopt;
  }
}

// The longest beginning all share, never ending inside a character.
std::string CommonBeginning(const std::vector<std::string>& Names) {
  std::string Common = Names.front();
  for (const std::string& N : Names)
    Common.resize(static_cast<std::size_t>(
        std::mismatch(Common.begin(), Common.end(), N.begin(), N.end()).first - Common.begin()));
  while (!Common.empty() && Common.size() < Names.front().size() &&
         (static_cast<unsigned char>(Names.front()[Common.size()]) & 0xC0) == 0x80)
    Common.pop_back();
  return Common;
}

// Name as a word is typed: after an opening quote when Quote, with its
// quotes and backslashes escaped there; the closing quote is the caller's.
std::string AsWord(const std::string& Name, bool Quote) {
  if (!Quote)
    return Name;
  std::string W = "\"";
  for (char Ch : Name) {
    if (Ch == '"' || Ch == '\\')
      W += '\\';
    W += Ch;
  }
  return W;
}

}  // namespace

TCompletion Completions(TSimulator& Sim, const std::string& Before, bool InDialog) {
  TTypedWords T = TypedWords(Before);
  TCompletion C;
  C.Start = T.LastStart;
  C.Quoted = T.LastQuoted;
  C.Typed = T.Words.back();
  // page and group take the rest of the line, blanks and all, unless a
  // quote starts it.
  if (!InDialog && T.Words.size() > 2 && (T.Words[0] == "page" || T.Words[0] == "group")) {
    const std::size_t Rest =
        Before.find_first_not_of(" \t", Before.find(T.Words[0]) + T.Words[0].size());
    if (Before[Rest] != '"') {
      C.Start = Rest;
      C.Typed = Before.substr(Rest);
      C.Quoted = false;
      T.Words.resize(2);
    }
  }
  const std::vector<std::string> All = Candidates(Sim, T.Words, InDialog);
  for (const std::string& Name : All)
    if (Name.compare(0, C.Typed.size(), C.Typed) == 0)
      C.Matches.push_back(Name);
  // Names match in any letter case when none matches in the case typed.
  if (C.Matches.empty() && T.Words.size() > 1)
    if (const std::optional<std::string> Typed = Folded(C.Typed))
      for (const std::string& Name : All)
        if (const std::optional<std::string> F = Folded(Name); F && F->rfind(*Typed, 0) == 0)
          C.Matches.push_back(Name);
  std::sort(C.Matches.begin(), C.Matches.end());
  C.Matches.erase(std::unique(C.Matches.begin(), C.Matches.end()), C.Matches.end());
  return C;
}

TCompletionEdit CompletionEdit(const TCompletion& C) {
  if (C.Matches.empty())
    return {};
  // A blank or a quote in a name is kept whole only inside quotes.
  const auto NeedsQuotes = [&C](const std::string& S) {
    return C.Quoted || S.find_first_of(" \t\"") != std::string::npos;
  };
  if (C.Matches.size() == 1) {
    const std::string& Name = C.Matches.front();
    return {true, AsWord(Name, NeedsQuotes(Name)) + (NeedsQuotes(Name) ? "\" " : " ")};
  }
  // What all share, in their own letter case; the choices are listed when
  // it adds nothing to what was typed.
  const std::string Common = CommonBeginning(C.Matches);
  if (Common.empty() || Common == C.Typed)
    return {};
  return {true, AsWord(Common, NeedsQuotes(Common))};
}

std::string InColumns(const std::vector<std::string>& Items, std::size_t Width) {
  std::size_t Widest = 0;
  for (const std::string& I : Items)
    Widest = std::max(Widest, Columns(I));
  const std::size_t Gap = 2;
  const std::size_t PerLine = std::max<std::size_t>(1, (Width + Gap) / (Widest + Gap));
  const std::size_t Lines = (Items.size() + PerLine - 1) / PerLine;
  std::string S;
  for (std::size_t Line = 0; Line < Lines; ++Line) {
    std::string Row;
    for (std::size_t Col = 0; Col < PerLine; ++Col) {
      const std::size_t i = Col * Lines + Line;
      if (i >= Items.size())
        break;
      if (!Row.empty())
        Row += std::string(Widest + Gap - Columns(Items[i - Lines]), ' ');
      Row += Items[i];
    }
    S += Row + "\n";
  }
  return S;
}
