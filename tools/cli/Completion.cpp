#include "Completion.h"

#include <algorithm>

#include "ComCtrls.h"
#include "DialogBlock.h"
#include "Dump.h"
#include "Render.h"
#include "Simulator.h"

namespace {

// The words of the line so far; the last is the one being completed ("" at
// a blank). Quotes are not interpreted: a word in quotes is not completed.
std::vector<std::string> Words(const std::string& Before) {
  std::vector<std::string> W{""};
  for (char Ch : Before) {
    if (Ch == ' ' || Ch == '\t') {
      if (!W.back().empty())
        W.emplace_back();
    } else {
      W.back() += Ch;
    }
  }
  return W;
}

// A caption as a word of a command: in quotes when it holds a blank.
std::string AsWord(const std::string& Caption) {
  return Caption.find(' ') == std::string::npos ? Caption : "\"" + Caption + "\"";
}

std::vector<std::string> TabCaptions(TCustomTabControl* Tabs) {
  std::vector<std::string> Names;
  if (Tabs != nullptr)
    for (int i = 0; i < Tabs->Tabs()->Count(); ++i)
      Names.push_back(AsWord(UserText(Tabs->Tabs()->Strings(i)).Str()));
  return Names;
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
  if (InDialog) {
    if (At == 1 && Command == "sheet")
      return {"TSMain", "TSGroupPage"};
    if (At == 1 && Command != "input" && Command != "color" && Command != "wait" &&
        Command != "expect" && Command != "snapshot" && Command != "dump")
      return Sim.Dialogs().KnownNames();
    if (At == 2 && Command == "check")
      return {"on", "off"};
    if (At == 2 && Command == "keydown")
      return {"Up", "Down"};
    if (At == 2 && Command == "key")
      return {"Enter", "Escape", "Tab", "Up",     "Down",     "Left",
              "Right", "Home",   "End", "Delete", "Backspace"};
    return C;
  }
  if (Command == "menu" && At == 1)
    return {"palette", "component"};
  if (Command == "key" && At == 1)
    return {"down", "up"};
  if (Command == "key" && At == 2)
    return {"LSHIFT", "RSHIFT", "LCTRL", "RCTRL", "A"};
  if (Command == "export" && At == 1)
    return {"--unicode"};
  if (Command == "help" && At == 1) {
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
  if (Command == "group" && At == 1)
    return TabCaptions(PaletteBar(Sim.MainForm()->Palette()));
  if (Command == "page" && At == 1)
    return TabCaptions(Sim.MainForm()->Palette());
  if (Command == "uninstall")
    for (const std::string& P : Sim.MainForm()->Pages())
      C.push_back(AsWord(UserText(P).Str()));
  return C;
}

}  // namespace

std::vector<std::string> Completions(TSimulator& Sim, const std::string& Before, bool InDialog) {
  const std::vector<std::string> W = Words(Before);
  std::vector<std::string> Found;
  for (const std::string& C : Candidates(Sim, W, InDialog))
    if (C.compare(0, W.back().size(), W.back()) == 0)
      Found.push_back(C);
  std::sort(Found.begin(), Found.end());
  Found.erase(std::unique(Found.begin(), Found.end()), Found.end());
  return Found;
}
