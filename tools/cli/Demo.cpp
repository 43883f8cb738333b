#include "Demo.h"

#include <string>
#include <vector>

#include "Dump.h"
#include "Render.h"
#include "Simulator.h"

namespace {

// One step: what the user is told and the commands run; the palette area is
// shown after each step.
struct TDemoStep {
  const char* Story;
  std::vector<const char*> Commands;
};

// Pages every stock palette of Delphi 5, 6 and 7 has, so the tour runs on
// all three.
const std::vector<TDemoStep>& DemoSteps() {
  static const std::vector<TDemoStep> Steps = {
      {"The IDE starts with its stock component palette: one flat row of pages.", {"show"}},
      {"Tabulon's package is installed: the IDE loads it and calls its Register.\n"
       "A row of group tabs takes the palette's place; with no groups yet, every\n"
       "page sits on the last tab, the one for pages of no group.",
       {"load"}},
      {"The user chooses the add-in's item in the Component menu and, in the\n"
       "settings dialog, makes two groups, moves pages into them, turns on the\n"
       "shaded style for inactive group tabs, and presses OK.",
       {"dialog",
        "sheet TSGroupPage",
        "input Основные",
        "click BtnAdd",
        "input Данные",
        "click BtnAdd",
        "select LBoxPageGroup 0",
        "select LBoxPagePalette \"Standard\"",
        "click BtnMoveToLeftOne",
        "select LBoxPagePalette \"Additional\"",
        "click BtnMoveToLeftOne",
        "select LBoxPagePalette \"Win32\"",
        "click BtnMoveToLeftOne",
        "select LBoxPagePalette \"Dialogs\"",
        "click BtnMoveToLeftOne",
        "select LBoxPageGroup 1",
        "select LBoxPagePalette \"ADO\"",
        "click BtnMoveToLeftOne",
        "select LBoxPagePalette \"Data Access\"",
        "click BtnMoveToLeftOne",
        "select LBoxPagePalette \"Data Controls\"",
        "click BtnMoveToLeftOne",
        "sheet TSMain",
        "check CheckBoxDrawGroupPageShadow on",
        "ok",
        "end",
        "menu component"}},
      {"The user clicks the group tab Данные, then the page Data Controls: the\n"
       "palette shows that group's pages in the group's order, and the IDE,\n"
       "which knows nothing of groups, still loads the page it expects.",
       {"group Данные", "page \"Data Controls\""}},
      {"A package that adds a page is installed; the IDE rewrites its palette,\n"
       "and the add-in picks the new page up on its next tick, 50 ms later,\n"
       "on the tab for pages of no group.",
       {"install \"Tabulon Demo\"", "wait 50", "group НетГруппы"}},
  };
  return Steps;
}

std::string LastLoad(TSimulator& Sim) {
  const TJson State = Dump(Sim);
  const TJson* Load = JsonAt(State, "/hostPalette/lastLoad");
  if (Load == nullptr || Load->is_null())
    return "";
  return "The IDE's palette handler last loaded page " + Load->at("page").get<std::string>() +
         ", tab " + std::to_string(Load->at("tabIndex").get<int>()) + " of " +
         std::to_string(Load->at("tabCount").get<int>()) + " in its full palette.\n";
}

}  // namespace

bool RunDemo(TSimulator& Sim, std::ostream& Stream) {
  TUtf8Stream Out(Stream);
  Out << "Tabulon in a simulated Delphi " << HostVersion
      << " IDE: a short tour on a registry in memory.\n";
  int Number = 0;
  for (const TDemoStep& Step : DemoSteps()) {
    Out << "\n" << ++Number << ". " << TUtf8(Step.Story) << "\n";
    for (const char* Command : Step.Commands) {
      if (Sim.RunLine(Command, "the tour, step " + std::to_string(Number)) != TLineResult::Ok)
        return false;
    }
    Out << "\n" << TUtf8(Render(Sim)) << TUtf8(LastLoad(Sim));
  }
  Out << "\nThat is the tour. 'tabulon-ide --help' lists the options and commands;\n"
         "examples/tour.tide is a script to start from.\n";
  return true;
}
