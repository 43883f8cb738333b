#include "Demo.h"

#include <sstream>
#include <string>
#include <vector>

#include "Dump.h"
#include "Render.h"
#include "Simulator.h"
#include "TourScript.h"

namespace {

// One step: what the user is told and the commands run; the palette area is
// shown after each step.
struct TDemoStep {
  std::string Story;
  std::vector<std::string> Commands;
};

// The steps of the tour's script: a step's story is its lines that start
// with "> ", and its commands follow them; "#" starts a comment line.
std::vector<TDemoStep> DemoSteps() {
  std::vector<TDemoStep> Steps;
  std::istringstream Script(kTourScript);
  for (std::string Line; std::getline(Script, Line);) {
    if (!Line.empty() && Line.back() == '\r')
      Line.pop_back();
    if (Line.empty() || Line[0] == '#')
      continue;
    if (Line.rfind("> ", 0) == 0) {
      if (Steps.empty() || !Steps.back().Commands.empty())
        Steps.emplace_back();
      Steps.back().Story += (Steps.back().Story.empty() ? "" : "\n") + Line.substr(2);
    } else {
      if (Steps.empty())
        Steps.emplace_back();
      Steps.back().Commands.push_back(Line);
    }
  }
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
    for (const std::string& Command : Step.Commands) {
      if (Sim.RunLine(Command, "the tour, step " + std::to_string(Number)) != TLineResult::Ok)
        return false;
    }
    Out << "\n" << TUtf8(Render(Sim)) << TUtf8(LastLoad(Sim));
  }
  Out << "\nThat is the tour. 'tabulon-ide --help' lists the options and commands;\n"
         "examples/tour.tide is a script to start from.\n";
  return true;
}
