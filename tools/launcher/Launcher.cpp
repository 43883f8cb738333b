// tabulon-ide: picks the simulator build of the IDE version that --host asks
// for (7 when not given) and runs it, with the same arguments. Each version is
// its own program (tabulon-ide-5, -6, -7, next to this one), since the host
// libraries of the three versions cannot share one process. The launcher
// reads --host through the simulators' own option table, so it can never
// take the value of another option for it; a --host it cannot use goes to
// the default build, which reports it as it reports any other bad option.

#include <iostream>
#include <string>
#include <vector>

#include "OptionTable.h"
#include "ProgramFolder.h"
#include "RunBuild.h"

int main(int argc, char** argv) {
  const std::string Host =
      HostArgument(std::vector<std::string>(argv + 1, argv + argc)).value_or("7");
  const std::string Version = Host == "5" || Host == "6" ? Host : "7";
  const std::string Program = ProgramFolder() + "/" + ProgramFileName("tabulon-ide-" + Version);
  std::vector<std::string> Args(argv, argv + argc);
  Args[0] = Program;
  TRunFailure Failure;
  if (const std::optional<int> Status = RunBuild(Program, Args, Failure))
    return *Status;
  if (Failure.Missing) {
    // The run preset builds the Delphi 7 simulator only.
    std::cerr << "tabulon-ide: the Delphi " << Version << " simulator is not built (" << Program
              << " is missing); build it with\n"
              << "  cmake --build build --target tabulon-ide-" << Version << "\n";
    return 2;
  }
  std::cerr << "tabulon-ide: cannot run " << Program << ": " << Failure.Reason << "\n";
  return 2;
}
