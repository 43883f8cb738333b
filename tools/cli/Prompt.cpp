#include "Prompt.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <istream>
#include <ostream>

#include "DialogBlock.h"
#include "Script.h"
#include "Simulator.h"
#include "Terminal.h"

namespace {

class TStreamPromptInput : public TPromptInput {
 public:
  TStreamPromptInput(std::istream& In, std::ostream& Out) : FLines(In), FOut(Out) {}
  TRead ReadLine(const std::string& Prompt, std::string& Line) override {
    FOut << Prompt << std::flush;
    return FLines.Next(Line) ? TRead::Line : TRead::End;
  }

 private:
  TLineSplitter FLines;
  std::ostream& FOut;
};

}  // namespace

std::unique_ptr<TPromptInput> StreamPromptInput(std::istream& In, std::ostream& Out) {
  return std::make_unique<TStreamPromptInput>(In, Out);
}

TRunOutcome RunPrompt(TSimulator& Sim, TPromptInput& Input) {
  TUtf8Stream& Out = Sim.Out();
  TRunOutcome Outcome;
  Sim.SetInteractive(true);
  // A dialog opened with no block queued is driven from the prompt.
  Sim.Dialogs().SetLive([&Input, &Out](const std::string& Prompt, std::string& Line, std::string&) {
    const TRead Read = Input.ReadLine(Prompt, Line);
    if (Read == TRead::Cancelled)
      Out << "^C\n";
    return Read;
  });
  std::string Line;
  for (;;) {
    // The prompt tells that the lines go into a dialog block, not to the IDE.
    const bool InBlock = Sim.Dialogs().Reading();
    Out.flush();
    const TRead Read = Input.ReadLine(InBlock ? "dialog> " : "tabulon-ide> ", Line);
    if (Read == TRead::End)
      break;
    if (Read == TRead::Cancelled) {
      // Ctrl-C drops the line, marked as the shells mark it; in a block a
      // second one, on an empty line, drops the block, so that a block
      // begun by mistake can be left.
      Out << "^C\n";
      if (InBlock && Line.find_first_not_of(" \t") == std::string::npos) {
        Sim.Dialogs().Drop();
        Out << "The dialog block is dropped.\n";
      } else if (InBlock) {
        Out << TUtf8(
            Paragraph("The line is cancelled; the dialog block goes on ('end' ends "
                      "it, Ctrl-C on an empty line drops it)."));
      }
      continue;
    }
    // A mistake was reported as it was typed; the session goes on, and the
    // lines typed before it (a dialog block's too) are kept.
    if (Sim.RunLine(Line, "") == TLineResult::ExpectFailed)
      Outcome.ExpectFailed = true;
  }
  Sim.Dialogs().SetLive(nullptr);
  Out << "\n";
  Outcome.Error = Sim.ReportUnusedBlocks();
  Outcome.NotSaved = Sim.SettingsNotSaved();
  return Outcome;
}
