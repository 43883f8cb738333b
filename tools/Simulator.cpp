#include "Simulator.h"

#include <ostream>

#include "CodePage.h"
#include "DialogBlock.h"
#include "Hive.h"
#include "Picture.h"

void NoArguments(const TArgs& A) {
  if (A.Words.empty() && A.Tail.empty())
    return;
  // "show # comment": the comment is taken for an argument.
  if (!A.Words.empty() && !A.Words[0].Quoted && A.Words[0].Text.rfind('#', 0) == 0)
    throw ECommandError(A.Command +
                        " takes no arguments ('#' starts a comment only at the start "
                        "of a line)");
  throw ECommandError(A.Command + " takes no arguments");
}

int ParseCount(const std::string& Text, const std::string& What) {
  if (Text.empty() || Text.size() > 9 || Text.find_first_not_of("0123456789") != Text.npos)
    throw ECommandError(What + " must be a whole number from 0 to 999999999, not '" + Text + "'");
  return std::stoi(Text);
}

const TCommand* FindCommand(const std::string& Name) {
  for (const TCommand& C : Commands())
    if (Name == C.Name)
      return &C;
  return nullptr;
}

TSimulator::TSimulator(const TSimulatorOptions& Options, std::ostream& Out, std::ostream& Err)
    : FOptions(Options), FOut(Out), FErr(Err), FIde(std::make_unique<TIde>(Options.Ide)) {
  FDialogs = std::make_unique<TDialogBlocks>(*this);
}

TSimulator::~TSimulator() {
  FDialogs.reset();
}

std::string TSimulator::UnfinishedBlock() const {
  return FDialogs->Unfinished();
}

bool TSimulator::ReportUnusedBlocks() {
  bool Any = false;
  if (FDialogs->Reading()) {
    const std::string Began = FDialogs->Unfinished();
    FErr << "tabulon-ide: " << TUtf8(Began.empty() ? "" : Began + ": ")
         << "the dialog block has no end\n";
    Any = true;
  }
  return ReportQueuedBlocks() || Any;
}

bool TSimulator::ReportQueuedBlocks() {
  bool Any = false;
  for (const std::string& Began : FDialogs->TakeUnused()) {
    FErr << "tabulon-ide: " << TUtf8(Began.empty() ? "" : Began + ": ")
         << "the dialog block never ran: no command opened a settings dialog after it\n";
    Any = true;
  }
  return Any;
}

void TSimulator::CountCommand(const std::string& Line, int Depth) {
  ++FCommands;
  if (FOptions.Echo)
    FOut << ">" << TUtf8(std::string(1 + 2 * Depth, ' ') + Trim(Line)) << "\n" << std::flush;
}

std::string TSimulator::Summary() const {
  const auto Count = [](int N, const char* One, const char* Many) {
    return std::to_string(N) + " " + (N == 1 ? One : Many);
  };
  std::string S = Count(FCommands, "command", "commands") + ", " +
                  Count(FExpectsHeld, "expect", "expects") + " held";
  if (FExpectsFailed > 0)
    S += ", " + std::to_string(FExpectsFailed) + " failed";
  return S;
}

TLineResult TSimulator::RunLine(const std::string& Line, const std::string& Where) {
  // At the prompt the user has just typed the line: no place to name.
  const TUtf8 Prefix("tabulon-ide: " + (Where.empty() ? "" : Where + ": "));
  // Checked before anything reads the line, comments too: a script in
  // another encoding is told as such, not as text the IDE cannot hold.
  if (const std::string Problem = Utf8Problem(Line); !Problem.empty()) {
    FErr << Prefix << TUtf8(Problem) << "\n";
    return TLineResult::Error;
  }
  if (IsBlankOrComment(Line))
    return TLineResult::Ok;
  try {
    TLineLexer Lexer(Line);
    TArgs Args;
    Args.Command = Lexer.Next().Text;
    // help is no action of the user in a dialog: typed inside a block, it
    // answers at once, so the controls can be looked up while writing it.
    if (FDialogs->Reading() && Args.Command != "help") {
      FDialogs->Add(Line, Where);
      return TLineResult::Ok;
    }
    const TCommand* Command = FindCommand(Args.Command);
    if (Command == nullptr)
      throw ECommandError("unknown command '" + Args.Command + "' (try 'help')");
    for (int i = 0; Command->WordsBeforeTail < 0 || i < Command->WordsBeforeTail; ++i) {
      if (Lexer.AtEnd())
        break;
      Args.Words.push_back(Lexer.Next());
    }
    Args.Tail = Lexer.Rest();
    if (Args.Command == "dialog") {
      NoArguments(Args);
      FDialogs->Begin(Where);
      return TLineResult::Ok;
    }
    CountCommand(Line, 0);
    struct TTellEnding {
      TSimulator& Sim;
      ~TTellEnding() {
        // The user at the prompt sees how the dialog went; a script's
        // output stays what its commands print.
        if (const std::string How = Sim.FDialogs->TakeEnding(); !How.empty() && Sim.FInteractive)
          Sim.FOut << "settings dialog: " << TUtf8(How) << "\n";
      }
    } TellEnding{*this};
    Command->Run(*this, Args);
    // The message loop runs between two things the user does.
    FIde->App()->ProcessMessages();
    FOut.flush();
    ReportSaveFailures(Prefix, "");
    return FDialogs->TakeExpectFailed() ? TLineResult::ExpectFailed : TLineResult::Ok;
  } catch (const EExpectFailed& E) {
    FOut.flush();
    FErr << Prefix << TUtf8(Trim(Line)) << " failed\n" << TUtf8(E.what()) << "\n";
    ReportSaveFailures(Prefix, "");
    return TLineResult::ExpectFailed;
  } catch (const EBlockLineError& E) {
    // The line of the block is what to mend; the line that opened the
    // dialog says when it ran.
    FErr << "tabulon-ide: " << TUtf8(E.Where) << ": " << TUtf8(Printable(E.what()))
         << " (in the dialog opened "
         << TUtf8(Where.empty() ? "by '" + Trim(Line) + "'" : "at " + Where) << ")\n";
  } catch (const ECommandError& E) {
    FErr << Prefix << TUtf8(Printable(E.what())) << "\n";
  } catch (const Exception& E) {
    // A failed save that the add-in let through reaches the IDE, which
    // shows it and goes on; here it is reported like any other failed save.
    if (ReportSaveFailures(Prefix, E.Message())) {
      FOut.flush();
      return TLineResult::Ok;
    }
    FErr << Prefix << "the IDE raised an error: " << Printable(UserText(E.Message())) << "\n";
  } catch (const std::exception& E) {
    FErr << Prefix << "internal error: " << TUtf8(E.what()) << "\n";
  }
  ReportSaveFailures(Prefix, "");
  FOut.flush();
  return TLineResult::Error;
}

bool TSimulator::ReportSaveFailures(const TUtf8& Prefix, const std::string& Raised) {
  bool Found = false;
  for (const std::string& Failure : TakeSaveFailures()) {
    FErr << Prefix << "settings not saved: " << TUtf8(Failure) << "\n";
    FSettingsNotSaved = true;
    Found = Found || Failure == Raised;
  }
  return Found;
}

void TSimulator::KeepPicture(std::unique_ptr<TPicture> Picture) {
  FLastPicture = std::move(Picture);
}
