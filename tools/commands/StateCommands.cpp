#include "StateCommands.h"

#include <ostream>

#include "Dump.h"
#include "Json.h"
#include "Render.h"
#include "SimulatorState.h"

void DumpCommand(TSimulatorState& Sim, const TArgs& A) {
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
  Sim.Out().Verbatim(TUtf8(DumpText(Sim, Keys, Pretty) + "\n"));
}

void RenderCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  Sim.Out() << TUtf8(Render(Sim));
}

void ExpectCommand(TSimulatorState& Sim, const TArgs& A) {
  if (A.Words.size() != 1 || A.Tail.empty())
    throw ECommandError("usage: expect POINTER JSON");
  const std::string& Pointer = A.Words[0].Text;
  // Both are the script's fault, found before any state is read; the
  // pointer comes first on the line, and first here.
  try {
    (void)JsonAt(TJson(), Pointer);
  } catch (const EJsonError& E) {
    throw ECommandError("expect: '" + Pointer + "' is not a JSON pointer: " + E.what() +
                        " (\"\" is the whole dump)");
  }
  TJson Expected;
  try {
    Expected = ParseJson(A.Tail);
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
