#include "Commands.h"

#include <ostream>

#include "AddinCommands.h"
#include "CommandHelp.h"
#include "DialogBlock.h"
#include "Hive.h"
#include "IdeCommands.h"
#include "SimulatorState.h"
#include "Snapshot.h"
#include "StateCommands.h"

namespace {

// help lists this table, so it is the table's own command.
void HelpCommand(TSimulatorState& Sim, const TArgs& A) {
  if (A.Words.size() > 1 || !A.Tail.empty())
    throw ECommandError("usage: help [all|dialog|COMMAND]");
  const std::string Topic = A.Words.empty() ? "" : A.Words[0].Text;
  Sim.Out() << TUtf8(Topic.empty()    ? CommandSummary(Commands()) + PromptHelpFooter()
                     : Topic == "all" ? CommandList(Commands()) + PromptHelpFooter()
                                      : HelpTopic(Commands(), Topic, Sim.Dialogs().LastControls()));
}

}  // namespace

const std::vector<TCommand>& Commands() {
  using enum TCommandKind;
  static const std::vector<TCommand> kCommands = {
      {Ide, "show", "show", "the main form is shown",
       "the main form is shown (and activated, as a new main window is)", -1, ShowCommand},
      {Ide, "activate", "activate", "the main form gains activation",
       "the main form gains activation", -1, ActivateCommand},
      {Ide, "deactivate", "deactivate", "the main form loses activation",
       "the main form loses activation", -1, DeactivateCommand},
      {Ide, "page", "page CAPTION | page #N", "the user clicks a palette tab",
       "the user clicks a palette tab (by caption, or the N-th tab shown, from 0); the caption "
       "is the rest of the line, quotes optional",
       0, PageCommand},
      {Ide, "popup", "popup", "the user opens the palette's context menu",
       "the user right-clicks the palette, which opens its context menu, and lets the menu go", -1,
       PopupCommand},
      {Ide, "key", "key down|up KEY", "a key is pressed or released",
       "KEY (LSHIFT, RSHIFT, LCTRL, RCTRL or A) is pressed / released", -1, KeyCommand},
      {Ide, "wait", "wait MS", "simulated time passes", "simulated time passes; due timers fire",
       -1, WaitCommand},
      {Ide, "install", "install PAGE[=COMPONENT,...]...", "a package with these pages is installed",
       "a package adding these pages (with these components on them) is installed; the IDE "
       "rewrites the palette",
       -1, InstallCommand},
      {Ide, "uninstall", "uninstall PAGE...", "a package with these pages is removed",
       "a package providing these pages is removed; the IDE rewrites the palette", -1,
       UninstallCommand},
      {Ide, "load", "load", "the IDE loads the add-in's package",
       "the IDE loads the add-in's package (calls its Register)", -1, LoadCommand},
      {Ide, "unload", "unload", "the IDE unloads the add-in's package",
       "the IDE unloads the add-in's package", -1, UnloadCommand},
      {Addin, "group", "group CAPTION | group #N", "the user clicks a group tab",
       "the user clicks a group tab (N: the N-th tab shown, from 0, as dump's groupBar.tabIndex "
       "counts; groupBar.activeIndex counts hidden sheets too)",
       0, GroupCommand},
      {Addin, "menu", "menu palette|component", "the user chooses the add-in's menu item",
       "the user chooses the add-in's item in that menu", -1, MenuCommand},
      {Addin, "shortcut", "shortcut", "the user presses Ctrl+Shift+A",
       "the user presses Ctrl+Shift+A with the left-hand keys in the palette (or the control with "
       "the focus)",
       -1, ShortcutCommand},
      {Dialog, "dialog", "dialog ... end", "what the user does in the next settings dialog",
       "what the user does in the next settings dialog, one command a line (below)", -1,
       DialogCommand, TCommandFlow::BlockStart},
      {Inspection, "dump", "dump [--pretty] [KEY...]", "print the state as JSON",
       "print the state as one line of JSON; --pretty: indented; KEY...: only those top-level "
       "keys",
       -1, DumpCommand},
      {Inspection, "expect", "expect POINTER JSON", "fail unless the dump holds a value",
       "fail unless the dump's value at the JSON pointer equals JSON", 1, ExpectCommand},
      {Inspection, "render", "render", "print a text picture of the palette area",
       "print a text picture of the palette area", -1, RenderCommand},
      {Inspection, "snapshot", SnapshotSynopsis(), "write a picture of the palette area",
       "write a picture of the palette area, as the file name's extension says (inside a dialog "
       "block: of the dialog)",
       -1, SnapshotCommand},
      {Inspection, "registry", "registry", "print the hive as text",
       "print the hive as REGEDIT4 text in UTF-8, control bytes as \\x1f: a view, not a file "
       "to load (see export)",
       -1, RegistryCommand},
      {Inspection, "export", "export [--unicode] FILE", "write the hive as a file regedit imports",
       "write the hive to FILE as regedit imports it, atomically: REGEDIT4 in Windows-1251, or "
       "with --unicode version 5.00 in UTF-16LE; the file loads as a --hive too",
       -1, ExportCommand},
      {Inspection, "help", "help [all|dialog|COMMAND]", "list the commands, or tell one",
       "list the commands, a line each; help COMMAND: that command in full; help all: every "
       "command in full; help dialog: the settings dialog's commands and controls",
       -1, HelpCommand, TCommandFlow::Answer},
  };
  return kCommands;
}

const TCommand* FindCommand(const std::string& Name) {
  for (const TCommand& C : Commands())
    if (Name == C.Name)
      return &C;
  return nullptr;
}
