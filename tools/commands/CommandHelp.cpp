#include "CommandHelp.h"

#include <cstring>

#include "DialogBlock.h"
#include "Terminal.h"

namespace {

const char* KindTitle(TCommandKind Kind) {
  switch (Kind) {
    case TCommandKind::Ide:
      return "The IDE and its user:";
    case TCommandKind::Addin:
      return "The add-in (after load):";
    case TCommandKind::Dialog:
      return "The settings dialog:";
    case TCommandKind::Inspection:
      return "Inspection:";
  }
  return "";
}

std::string DialogCommandList(const char* Indent) {
  std::string S;
  const std::size_t Width = TerminalWidth();
  for (const TDialogCommand& D : DialogCommands())
    S += std::string(Indent) + D.Synopsis + "\n" +
         Wrap(D.Help, std::string(Indent).size() + 4, Width);
  return S;
}

}  // namespace

std::string CommandList(const std::vector<TCommand>& Commands) {
  std::string S;
  for (TCommandKind Kind :
       {TCommandKind::Ide, TCommandKind::Addin, TCommandKind::Dialog, TCommandKind::Inspection}) {
    S += std::string(S.empty() ? "" : "\n") + KindTitle(Kind) + "\n";
    for (const TCommand& C : Commands)
      if (C.Kind == Kind)
        S += std::string("  ") + C.Synopsis + "\n" + Wrap(C.Help, 6, TerminalWidth());
    if (Kind == TCommandKind::Dialog)
      S += DialogCommandList("    ");
  }
  return S;
}

std::string CommandSummary(const std::vector<TCommand>& Commands) {
  constexpr std::size_t kNameColumn = 14;
  std::string S;
  for (TCommandKind Kind :
       {TCommandKind::Ide, TCommandKind::Addin, TCommandKind::Dialog, TCommandKind::Inspection}) {
    S += std::string(S.empty() ? "" : "\n") + KindTitle(Kind) + "\n";
    for (const TCommand& C : Commands) {
      if (C.Kind != Kind)
        continue;
      // The summary in its column, the name written over the blanks
      // before it.
      std::string Line = Wrap(C.Summary, kNameColumn, TerminalWidth());
      Line.replace(0, std::strlen(C.Name) + 2, std::string("  ") + C.Name);
      S += Line;
    }
    if (Kind == TCommandKind::Dialog) {
      std::string Names;
      for (const TDialogCommand& D : DialogCommands())
        Names += std::string(Names.empty() ? "" : ", ") + D.Name;
      S += Paragraph("inside a settings dialog: " + Names, 4);
    }
  }
  return S;
}

std::string PromptHelpFooter() {
  return "\n" + Paragraph(
                    "'help COMMAND' tells one command in full, 'help all' every command, "
                    "'help dialog' the settings dialog's commands and controls; "
                    "'tabulon-ide --help' tells the options, expect and the exit statuses.");
}

std::string HelpTopic(const std::vector<TCommand>& Commands, const std::string& Topic,
                      const std::string& LastControls) {
  if (Topic == "dialog" || Topic == "end") {
    std::string S =
        "dialog ... end: the lines between are what the user does in the next settings\n"
        "dialog, run when a later command (menu, shortcut) opens it. In a block:\n" +
        DialogCommandList("  ") +
        "NAME is a control's component name. Each line is checked as it is read: its\n"
        "command and words at once, NAME once a settings dialog has opened in this\n"
        "session (the controls are known only from the add-in that made it).\n\n";
    if (!LastControls.empty())
      return S + "The controls of the settings dialog as it opened last:\n" + LastControls;
    return S +
           "No settings dialog has opened yet, so its controls are not known. To see them,\n"
           "load the add-in, show the IDE and open one with a block that lists them:\n"
           "  load\n  show\n  dialog\n  controls\n  end\n  menu component\n"
           "The dialog closes at the block's end; then 'help dialog' lists them too.\n";
  }
  for (const TCommand& C : Commands)
    if (Topic == C.Name && C.Kind != TCommandKind::Dialog)
      return std::string(C.Synopsis) + "\n" + Paragraph(C.Help, 4);
  for (const TDialogCommand& D : DialogCommands())
    if (Topic == D.Name)
      return std::string(D.Synopsis) + " (in a settings dialog)\n" + Paragraph(D.Help, 4);
  throw ECommandError("help: there is no command '" + Topic + "' (try 'help')");
}
