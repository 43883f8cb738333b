#include <algorithm>
#include <cctype>
#include <map>
#include <ostream>

#include "AddinCommands.h"
#include "DialogBlock.h"
#include "Dump.h"
#include "Help.h"
#include "Hive.h"
#include "Simulator.h"
#include "Snapshot.h"

namespace {

void ArgumentCount(const TArgs& A, std::size_t Count, const char* Synopsis) {
  if (A.Words.size() != Count || !A.Tail.empty())
    throw ECommandError("usage: " + std::string(Synopsis));
}

void Show(TSimulator& Sim, const TArgs& A) {
  NoArguments(A);
  // The window manager activates a main window when it first appears.
  Sim.MainForm()->Show();
  Sim.MainForm()->SetActive(true);
}

void Activate(TSimulator& Sim, const TArgs& A) {
  NoArguments(A);
  if (!Sim.MainForm()->Showing())
    throw ECommandError("the main form is not shown, so it cannot be activated (use show)");
  Sim.MainForm()->SetActive(true);
}

void Deactivate(TSimulator& Sim, const TArgs& A) {
  NoArguments(A);
  Sim.MainForm()->SetActive(false);
}

}  // namespace

// A tab named by caption (letter case ignored, first match) or by "#N",
// N counting the visible tabs from 0.
int FindTab(TCustomTabControl* Tabs, const TWord& Word, const char* What) {
  const int Count = Tabs->Tabs()->Count();
  if (!Word.Quoted && Word.Text.size() > 1 && Word.Text[0] == '#') {
    const int Index = ParseCount(Word.Text.substr(1), std::string(What) + " number");
    if (Index >= Count)
      throw ECommandError(std::string("there is no ") + What + " #" + std::to_string(Index) + " (" +
                          std::to_string(Count) + " tabs)");
    return Index;
  }
  const std::string Caption = HostText(Word.Text);
  for (int i = 0; i < Count; ++i)
    if (AnsiSameText(Tabs->Tabs()->Strings(i), Caption))
      return i;
  throw ECommandError(std::string("there is no ") + What + " '" + Word.Text + "'");
}

namespace {

void Page(TSimulator& Sim, const TArgs& A) {
  ArgumentCount(A, 1, "page CAPTION | page #N");
  TTabControl* Palette = Sim.MainForm()->Palette();
  if (!Palette->Showing())
    throw ECommandError("the palette is not on the screen (use show)");
  Palette->ClickTab(FindTab(Palette, A.Words[0], "palette tab"));
}

void Wait(TSimulator& Sim, const TArgs& A) {
  ArgumentCount(A, 1, "wait MS");
  Sim.Ide().App()->AdvanceTime(ParseCount(A.Words[0].Text, "MS"));
}

std::vector<std::string> PageNames(const TArgs& A) {
  if (A.Words.empty())
    throw ECommandError("usage: " + A.Command + " PAGE...");
  std::vector<std::string> Pages;
  for (const TWord& W : A.Words) {
    if (W.Text.empty())
      throw ECommandError("a page name cannot be empty");
    Pages.push_back(HostText(W.Text));
  }
  return Pages;
}

// "TButton,TEdit": the class names a package lists for a page; empty when
// Text is not such a list (then an '=' is part of the page's name).
std::vector<std::string> ComponentList(const std::string& Text) {
  std::vector<std::string> Names;
  std::size_t At = 0;
  for (;;) {
    const std::size_t Comma = std::min(Text.find(',', At), Text.size());
    const std::string Name = Text.substr(At, Comma - At);
    const bool Identifier = !Name.empty() && !std::isdigit(static_cast<unsigned char>(Name[0])) &&
                            std::all_of(Name.begin(), Name.end(), [](char C) {
                              return std::isalnum(static_cast<unsigned char>(C)) || C == '_';
                            });
    if (!Identifier)
      return {};
    Names.push_back(Name);
    if (Comma == Text.size())
      return Names;
    At = Comma + 1;
  }
}

// install PAGE[=COMPONENT,...]...: a page may carry the components the
// package puts on it.
void Install(TSimulator& Sim, const TArgs& A) {
  const std::vector<std::string> Words = PageNames(A);
  std::vector<std::string> Pages;
  std::map<std::string, std::vector<std::string>> Components;
  for (const std::string& W : Words) {
    const std::size_t Eq = W.rfind('=');
    std::vector<std::string> List;
    if (Eq != std::string::npos && Eq > 0)
      List = ComponentList(W.substr(Eq + 1));
    if (List.empty()) {
      Pages.push_back(W);
      continue;
    }
    Pages.push_back(W.substr(0, Eq));
    auto& On = Components[Pages.back()];
    On.insert(On.end(), List.begin(), List.end());
  }
  Sim.MainForm()->InstallPages(Pages, Components);
}

void Uninstall(TSimulator& Sim, const TArgs& A) {
  const std::vector<std::string> Pages = PageNames(A);
  // Checked here as well, so that the message is the user's own text.
  for (std::size_t i = 0; i < Pages.size(); ++i) {
    bool Found = false;
    for (const std::string& P : Sim.MainForm()->Pages())
      Found = Found || AnsiSameText(P, Pages[i]);
    if (!Found)
      throw ECommandError("there is no palette page '" + A.Words[i].Text + "' to remove");
  }
  Sim.MainForm()->UninstallPages(Pages);
}

void Key(TSimulator& Sim, const TArgs& A) {
  (void)Sim;
  ArgumentCount(A, 2, "key down|up LSHIFT|RSHIFT|LCTRL|RCTRL|A");
  const std::string& Dir = A.Words[0].Text;
  if (Dir != "down" && Dir != "up")
    throw ECommandError("key: expected down or up, not '" + Dir + "'");
  static const std::pair<const char*, int> kKeys[] = {{"LSHIFT", VK_LSHIFT},
                                                      {"RSHIFT", VK_RSHIFT},
                                                      {"LCTRL", VK_LCONTROL},
                                                      {"RCTRL", VK_RCONTROL},
                                                      {"A", 'A'}};
  for (const auto& [Name, Code] : kKeys) {
    if (A.Words[1].Text != Name)
      continue;
    if (Dir == "down")
      KeyboardState().Press(Code);
    else
      KeyboardState().Release(Code);
    return;
  }
  throw ECommandError("key: unknown key '" + A.Words[1].Text +
                      "' (LSHIFT, RSHIFT, LCTRL, RCTRL or A)");
}

void DumpCommand(TSimulator& Sim, const TArgs& A) {
  if (!A.Tail.empty())
    throw ECommandError("usage: dump [--pretty] [KEY...]");
  bool Pretty = false;
  std::vector<std::string> Keys;
  for (const TWord& W : A.Words) {
    if (W.Text == "--pretty" && !W.Quoted)
      Pretty = true;
    else
      Keys.push_back(W.Text);
  }
  TJson State = Dump(Sim);
  if (!Keys.empty()) {
    TJson Part = TJson::object();
    for (const std::string& Key : Keys) {
      if (!State.contains(Key)) {
        std::string Known;
        for (const auto& [Name, Value] : State.items())
          Known += (Known.empty() ? "" : ", ") + Name;
        throw ECommandError("dump: there is no key '" + Key + "' (the keys are " + Known + ")");
      }
      Part[Key] = State[Key];
    }
    State = std::move(Part);
  }
  Sim.Out() << TUtf8(WriteJson(State, Pretty ? 2 : -1)) << "\n";
}

void RenderCommand(TSimulator& Sim, const TArgs& A) {
  NoArguments(A);
  Sim.Out() << TUtf8(Render(Sim));
}

void Expect(TSimulator& Sim, const TArgs& A) {
  if (A.Words.size() != 1 || A.Tail.empty())
    throw ECommandError("usage: expect POINTER JSON");
  const std::string& Pointer = A.Words[0].Text;
  TJson Expected;
  try {
    Expected = ParseJson(A.Tail);
    // A malformed pointer is the script's fault, found before any state is read.
    (void)JsonAt(TJson(), Pointer);
  } catch (const EJsonError& E) {
    throw ECommandError(std::string("expect: ") + E.what());
  }
  const TJson State = Dump(Sim);
  const TJson* Actual = JsonAt(State, Pointer);
  const bool Held = Actual != nullptr && JsonEqual(*Actual, Expected);
  Sim.CountExpect(Held);
  if (Held)
    return;
  throw EExpectFailed(JsonDifferences(Pointer, Expected, Actual));
}

void Help(TSimulator& Sim, const TArgs& A) {
  if (A.Words.size() > 1 || !A.Tail.empty())
    throw ECommandError("usage: help [dialog|COMMAND]");
  Sim.Out() << TUtf8(A.Words.empty() ? CommandList() + PromptHelpFooter()
                                     : HelpTopic(A.Words[0].Text, Sim.Dialogs().LastControls()));
}

}  // namespace

const std::vector<TCommand>& Commands() {
  using enum TCommandKind;
  static const std::vector<TCommand> kCommands = {
      {Ide, "show", "show", "the main form is shown (and activated, as a new main window is)", -1,
       Show},
      {Ide, "activate", "activate", "the main form gains activation", -1, Activate},
      {Ide, "deactivate", "deactivate", "the main form loses activation", -1, Deactivate},
      {Ide, "page", "page CAPTION | page #N",
       "the user clicks a palette tab (by caption, or the N-th tab shown, from 0)", -1, Page},
      {Ide, "popup", "popup", "the user opens the palette's context menu", -1, PopupCommand},
      {Ide, "key", "key down|up KEY",
       "KEY (LSHIFT, RSHIFT, LCTRL, RCTRL or A) is pressed / released", -1, Key},
      {Ide, "wait", "wait MS", "simulated time passes; due timers fire", -1, Wait},
      {Ide, "install", "install PAGE[=COMPONENT,...]...",
       "a package adding these pages (with these components on them) is installed; the IDE "
       "rewrites the palette",
       -1, Install},
      {Ide, "uninstall", "uninstall PAGE...",
       "a package providing these pages is removed; the IDE rewrites the palette", -1, Uninstall},
      {Ide, "load", "load", "the IDE loads the add-in's package (calls its Register)", -1,
       LoadCommand},
      {Ide, "unload", "unload", "the IDE unloads the add-in's package", -1, UnloadCommand},
      {Addin, "group", "group CAPTION | group #N",
       "the user clicks a group tab (N: the N-th tab shown, from 0, as dump's groupBar.tabIndex "
       "counts; groupBar.activeIndex counts hidden sheets too)",
       -1, GroupCommand},
      {Addin, "menu", "menu palette|component", "the user chooses the add-in's item in that menu",
       -1, MenuCommand},
      {Addin, "shortcut", "shortcut", "the user presses Ctrl+Shift+A with the left-hand keys", -1,
       ShortcutCommand},
      {Dialog, "dialog", "dialog ... end",
       "what the user does in the next settings dialog, one command a line (below)", -1, nullptr},
      {Inspection, "dump", "dump [--pretty] [KEY...]",
       "print the state as one line of JSON; --pretty: indented; KEY...: only those top-level "
       "keys",
       -1, DumpCommand},
      {Inspection, "expect", "expect POINTER JSON",
       "fail unless the dump's value at the JSON pointer equals JSON", 1, Expect},
      {Inspection, "render", "render", "print a text picture of the palette area", -1,
       RenderCommand},
      {Inspection, "snapshot", "snapshot FILE.svg|png|pdf",
       "write a picture of the palette area, as the file name's extension says (inside a dialog "
       "block: of the dialog)",
       -1, SnapshotCommand},
      {Inspection, "registry", "registry",
       "print the hive as REGEDIT4 text in UTF-8, control bytes as \\x1f: a view, not a file "
       "to load (see export)",
       -1, RegistryCommand},
      {Inspection, "export", "export [--unicode] FILE",
       "write the hive to FILE as regedit imports it, atomically: REGEDIT4 in Windows-1251, or "
       "with --unicode version 5.00 in UTF-16LE; the file loads as a --hive too",
       -1, ExportCommand},
      {Inspection, "help", "help [dialog|COMMAND]",
       "list the commands; help dialog: the dialog's commands and controls", -1, Help},
  };
  return kCommands;
}
