#include "SimulatorState.h"

#include <ostream>

#include "SysUtils.h"

TSimulatorState::TSimulatorState(const TSimulatorOptions& Options, std::ostream& Out,
                                 std::ostream& Err)
    : FOptions(Options), FOut(Out), FErr(Err), FIde(std::make_unique<TIde>(Options.Ide)) {}

TSimulatorState::~TSimulatorState() = default;

void TSimulatorState::CountCommand(const std::string& Line, int Depth) {
  ++FCommands;
  if (FOptions.Echo)
    FOut << ">" << TUtf8(std::string(1 + 2 * Depth, ' ') + Trim(Line)) << "\n" << std::flush;
}

std::string TSimulatorState::Summary() const {
  const auto Count = [](int N, const char* One, const char* Many) {
    return std::to_string(N) + " " + (N == 1 ? One : Many);
  };
  std::string S = Count(FCommands, "command", "commands") + ", " +
                  Count(FExpectsHeld, "expect", "expects") + " held";
  if (FExpectsFailed > 0)
    S += ", " + std::to_string(FExpectsFailed) + " failed";
  return S;
}
