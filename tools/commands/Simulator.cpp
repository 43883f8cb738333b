#include "Simulator.h"

#include <ostream>

#include "DialogBlock.h"
#include "Hive.h"
#include "ScopeExit.h"
#include "SysUtils.h"

namespace {

// A command of the settings dialog given where no dialog is open is told
// where it belongs, not only that the IDE does not know it.
std::string UnknownCommand(const std::string& Name) {
  for (const TDialogCommand& D : DialogCommands())
    if (Name == D.Name)
      return "'" + Name +
             "' is a command of the settings dialog, and none is open: open one (menu "
             "component, shortcut) and the lines after it run in it until ok, cancel or "
             "close; or queue the lines in a dialog ... end block before";
  return "unknown command '" + Name + "' (try 'help')";
}

}  // namespace

TSimulator::TSimulator(const TSimulatorOptions& Options, std::ostream& Out, std::ostream& Err)
    : TSimulatorState(Options, Out, Err) {
  // Inside a dialog, wait, dump, expect, snapshot and help are this table's
  // commands, run on the dialog that is open.
  FDialogs = std::make_unique<TDialogBlocks>(
      *this, [this](const TArgs& A) { FindCommand(A.Command)->Run(*this, A); });
}

// The dialog blocks go first: they hand the IDE's modal loop back while the
// IDE is still there.
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
    Err() << "tabulon-ide: " << TUtf8(Began.empty() ? "" : Began + ": ")
          << "the dialog block has no end\n";
    Any = true;
  }
  return ReportQueuedBlocks() || Any;
}

bool TSimulator::ReportQueuedBlocks() {
  bool Any = false;
  for (const std::string& Began : FDialogs->TakeUnused()) {
    Err() << "tabulon-ide: " << TUtf8(Began.empty() ? "" : Began + ": ")
          << "the dialog block never ran: no command opened a settings dialog after it\n";
    Any = true;
  }
  return Any;
}

TLineResult TSimulator::RunLine(const std::string& Line, const std::string& Where) {
  // At the prompt the user has just typed the line: no place to name.
  const TUtf8 Prefix("tabulon-ide: " + (Where.empty() ? "" : Where + ": "));
  // Checked before anything reads the line, comments too: a script in
  // another encoding is told as such, not as text the IDE cannot hold.
  if (const std::string Problem = Utf8Problem(Line); !Problem.empty()) {
    Err() << Prefix << TUtf8(Problem) << "\n";
    return TLineResult::Error;
  }
  if (IsBlankOrComment(Line))
    return TLineResult::Ok;
  try {
    TLineLexer Lexer(Line);
    TArgs Args;
    Args.Command = Lexer.Next().Text;
    Args.Where = Where;
    const TCommand* Command = FindCommand(Args.Command);
    if (FDialogs->Reading() && (Command == nullptr || Command->Flow != TCommandFlow::Answer)) {
      FDialogs->Add(Line, Where);
      return TLineResult::Ok;
    }
    if (Command == nullptr)
      throw ECommandError(UnknownCommand(Args.Command));
    for (int i = 0; Command->WordsBeforeTail < 0 || i < Command->WordsBeforeTail; ++i) {
      if (Lexer.AtEnd())
        break;
      Args.Words.push_back(Lexer.Next());
    }
    Args.Tail = Lexer.Rest();
    if (Command->Flow == TCommandFlow::BlockStart) {
      Command->Run(*this, Args);
      return TLineResult::Ok;
    }
    CountCommand(Line, 0);
    ScopeExit TellEnding([this] {
      // The user at the prompt sees how the dialog went; a script's output
      // stays what its commands print.
      if (const std::string How = FDialogs->TakeEnding(); !How.empty() && FInteractive)
        Out() << "settings dialog: " << TUtf8(How) << "\n";
    });
    Command->Run(*this, Args);
    // The message loop runs between two things the user does.
    Ide().App()->ProcessMessages();
    Out().flush();
    ReportSaveFailures(Prefix, "");
    return FDialogs->TakeExpectFailed() ? TLineResult::ExpectFailed : TLineResult::Ok;
  } catch (const EExpectFailed& E) {
    Out().flush();
    Err() << Prefix << TUtf8(Shortened(Trim(Line))) << " failed\n" << TUtf8(E.what()) << "\n";
    ReportSaveFailures(Prefix, "");
    return TLineResult::ExpectFailed;
  } catch (const EBlockLineError& E) {
    // The line of the block is what to mend; the line that opened the
    // dialog says when it ran.
    Err() << "tabulon-ide: " << TUtf8(E.Where) << ": " << TUtf8(Printable(E.what()))
          << " (in the dialog opened "
          << TUtf8(Where.empty() ? "by '" + Trim(Line) + "'" : "at " + Where) << ")\n";
  } catch (const ECommandError& E) {
    Err() << Prefix << TUtf8(Printable(E.what())) << "\n";
  } catch (const Exception& E) {
    // A failed save that the add-in let through reaches the IDE, which
    // shows it and goes on; here it is reported like any other failed save.
    if (ReportSaveFailures(Prefix, E.Message())) {
      Out().flush();
      return TLineResult::Ok;
    }
    Err() << Prefix << "the IDE raised an error: " << Printable(UserText(E.Message())) << "\n";
  } catch (const std::exception& E) {
    Err() << Prefix << "internal error: " << TUtf8(E.what()) << "\n";
  }
  ReportSaveFailures(Prefix, "");
  Out().flush();
  return TLineResult::Error;
}

bool TSimulator::ReportSaveFailures(const TUtf8& Prefix, const std::string& Raised) {
  bool Found = false;
  for (const std::string& Failure : TakeSaveFailures()) {
    Err() << Prefix << "settings not saved: " << TUtf8(Failure) << "\n";
    FSettingsNotSaved = true;
    Found = Found || Failure == Raised;
  }
  return Found;
}
