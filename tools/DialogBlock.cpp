#include "DialogBlock.h"

#include <ostream>

#include "DialogDriver.h"
#include "Forms.h"

namespace {

struct TDialogCommand {
  const char* Name;
  const char* Synopsis;
  std::size_t MinWords, MaxWords;
};

// What a dialog block may hold, with the number of words each takes.
const TDialogCommand kDialogCommands[] = {
    {"sheet", "sheet TSMain|TSGroupPage", 1, 1},
    {"click", "click NAME", 1, 1},
    {"check", "check NAME on|off", 2, 2},
    {"focus", "focus NAME", 1, 1},
    {"type", "type NAME TEXT", 2, 2},
    {"keydown", "keydown NAME Up|Down", 2, 2},
    {"select", "select NAME INDEX|\"TEXT\"", 2, 2},
    {"input", "input TEXT | input --cancel", 1, 1},
    {"color", "color VALUE", 1, 1},
    {"wait", "wait MS", 1, 1},
    {"dump", "dump [--pretty] [dialog]", 0, 2},
    {"expect", "expect POINTER JSON", 1, 1},
    {"snapshot", "snapshot FILE.svg", 1, 1},
    {"ok", "ok", 0, 0},
    {"cancel", "cancel", 0, 0},
};

const TDialogCommand* FindDialogCommand(const std::string& Name) {
  for (const auto& C : kDialogCommands)
    if (Name == C.Name)
      return &C;
  return nullptr;
}

// Splits a block line into its command and words; expect keeps its JSON raw.
TArgs Split(const std::string& Line) {
  TLineLexer Lexer(Line);
  TArgs A;
  A.Command = Lexer.Next().Text;
  const TDialogCommand* C = FindDialogCommand(A.Command);
  if (C == nullptr)
    throw ECommandError(
        "'" + A.Command +
        "' is not a command of a dialog block (sheet, click, check, focus, "
        "type, keydown, select, input, color, wait, dump, expect, snapshot, ok, cancel; "
        "end closes the block)");
  while (!Lexer.AtEnd() && A.Words.size() < C->MaxWords)
    A.Words.push_back(Lexer.Next());
  A.Tail = Lexer.Rest();
  const bool TailAllowed = A.Command == "expect";
  if (A.Words.size() < C->MinWords || (!TailAllowed && !A.Tail.empty()) ||
      (TailAllowed && A.Tail.empty()))
    throw ECommandError(std::string("usage: ") + C->Synopsis);
  if (A.Command == "check" && A.Words[1].Text != "on" && A.Words[1].Text != "off")
    throw ECommandError("usage: check NAME on|off");
  if (A.Command == "keydown" && A.Words[1].Text != "Up" && A.Words[1].Text != "Down")
    throw ECommandError("usage: keydown NAME Up|Down");
  if (A.Command == "sheet" && A.Words[0].Text != "TSMain" && A.Words[0].Text != "TSGroupPage")
    throw ECommandError("usage: sheet TSMain|TSGroupPage");
  if (A.Command == "wait")
    (void)ParseCount(A.Words[0].Text, "MS");
  // Inside a dialog the dump has the one key "dialog".
  if (A.Command == "dump")
    for (const TWord& W : A.Words)
      if (W.Text != "--pretty" && W.Text != "dialog")
        throw ECommandError("inside a dialog block dump shows the key 'dialog' only, not '" +
                            W.Text + "'");
  return A;
}

}  // namespace

TDialogBlocks::TDialogBlocks(TSimulator& Sim) : FSim(Sim) {
  Sim.Ide().App()->SetModalDriver([this](TCustomForm* Form) { RunModal(Form); });
  Sim.Ide().App()->SetInputDriver(
      [this](const std::string& Caption, const std::string& Prompt, std::string& Value) {
        return AnswerInput(Caption, Prompt, Value);
      });
}

TDialogBlocks::~TDialogBlocks() {
  if (FSim.Ide().App() != nullptr) {
    FSim.Ide().App()->SetModalDriver(nullptr);
    FSim.Ide().App()->SetInputDriver(nullptr);
  }
}

void TDialogBlocks::Begin(const std::string& Where) {
  if (FOpen)
    throw ECommandError("dialog: a dialog block cannot start inside a dialog");
  FReading = true;
  FBeganAt = Where;
  FCurrent.clear();
}

void TDialogBlocks::Add(const std::string& Line, const std::string& Where) {
  TLineLexer Lexer(Line);
  if (Lexer.Next().Text == "end" && Lexer.AtEnd()) {
    FReading = false;
    FQueued.push_back(std::move(FCurrent));
    FCurrent.clear();
    return;
  }
  (void)Split(Line);
  FCurrent.push_back({Line, Where});
}

bool TDialogBlocks::TakeExpectFailed() {
  return std::exchange(FExpectFailed, false);
}

void TDialogBlocks::RunModal(TCustomForm* Form) {
  std::vector<TBlockLine> Lines;
  if (!FQueued.empty()) {
    Lines = std::move(FQueued.front());
    FQueued.pop_front();
  }
  FOpen = std::make_unique<TDialogDriver>(Form);
  FOpenForm = Form;
  struct TClose {
    std::unique_ptr<TDialogDriver>& Open;
    ~TClose() { Open.reset(); }
  } Close{FOpen};
  for (const TBlockLine& L : Lines) {
    if (FOpen->Closed())
      throw ECommandError(L.Where + ": the dialog has closed already");
    try {
      RunLine(L);
    } catch (const EExpectFailed& E) {
      FSim.Err() << "tabulon-ide: " << L.Where << ": " << Trim(L.Line) << " failed\n"
                 << E.what() << "\n";
      FExpectFailed = true;
    } catch (const ECommandError& E) {
      throw ECommandError(L.Where + ": " + E.what());
    } catch (const Exception& E) {
      throw ECommandError(L.Where + ": " + UserText(E.Message()));
    }
  }
  // A block that ends without ok or cancel closes the dialog.
  if (!FOpen->Closed())
    FOpen->CloseBox();
}

void TDialogBlocks::RunLine(const TBlockLine& L) {
  const TArgs A = Split(L.Line);
  TDialogDriver& D = *FOpen;
  const auto Word = [&A](std::size_t i) { return A.Words[i].Text; };
  if (A.Command == "sheet") {
    D.Sheet(Word(0));
  } else if (A.Command == "click") {
    D.Click(Word(0));
  } else if (A.Command == "check") {
    D.Check(Word(0), Word(1) == "on");
  } else if (A.Command == "focus") {
    D.Focus(Word(0));
  } else if (A.Command == "type") {
    D.Type(Word(0), Word(1));
  } else if (A.Command == "keydown") {
    D.KeyDown(Word(0), Word(1));
  } else if (A.Command == "select") {
    if (A.Words[1].Quoted || Word(1).find_first_not_of("0123456789") != std::string::npos)
      D.Select(Word(0), Word(1));
    else
      D.Select(Word(0), ParseCount(Word(1), "INDEX"));
  } else if (A.Command == "input") {
    if (Word(0) == "--cancel" && !A.Words[0].Quoted)
      FInputs.push_back(nullptr);
    else
      FInputs.push_back(std::make_unique<std::string>(HostText(Word(0))));
  } else if (A.Command == "color") {
    D.Color(Word(0));
  } else if (A.Command == "ok") {
    D.Ok();
  } else if (A.Command == "cancel") {
    D.Cancel();
  } else {
    // wait, dump, expect and snapshot are the simulator's own; dump, expect
    // and snapshot see the dialog while it is open.
    FindCommand(A.Command)->Run(FSim, A);
  }
}

bool TDialogBlocks::AnswerInput(const std::string& Caption, const std::string& Prompt,
                                std::string& Value) {
  (void)Caption;
  (void)Prompt;
  // With no answer queued the user cancels, which keeps the initial text.
  if (FInputs.empty())
    return false;
  std::unique_ptr<std::string> Answer = std::move(FInputs.front());
  FInputs.pop_front();
  if (!Answer)
    return false;
  Value = *Answer;
  return true;
}
