#include "DialogBlock.h"

#include <algorithm>
#include <ostream>

#include "DialogDriver.h"
#include "DialogNotes.h"
#include "Forms.h"
#include "ModalUser.h"
#include "ScopeExit.h"
#include "SimulatorState.h"
#include "SnapshotFormats.h"
#include "StdCtrls.h"
#include "SysUtils.h"
#include "Terminal.h"

namespace {

const TDialogCommand* FindDialogCommand(const std::string& Name) {
  for (const auto& C : DialogCommands())
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
    throw ECommandError("'" + A.Command +
                        "' is not a command of the settings dialog ('help dialog' lists them)");
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
  if (A.Command == "key" && !IsKeyName(A.Words[1].Text))
    throw ECommandError("key: unknown key '" + A.Words[1].Text + "' (" + KeyNames() + ")");
  // An unquoted word is an index; a text is quoted, so "select L ADO" is
  // told at once instead of when the dialog runs the block.
  if (A.Command == "select" && !A.Words[1].Quoted) {
    const std::string& I = A.Words[1].Text;
    if (I.empty() || I.size() > 9 || I.find_first_not_of("0123456789") != std::string::npos)
      throw ECommandError("select: INDEX must be a whole number, not '" + I +
                          "' (a text is quoted: select " + A.Words[0].Text + " \"" + I + "\")");
  }
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

const std::vector<TDialogCommand>& DialogCommands() {
  static const std::vector<TDialogCommand> kCommands = {
      {"sheet", "sheet NAME", "the user clicks that sheet's tab", 1, 1},
      {"click", "click NAME", "a mouse click: a button is pressed, a check box toggled", 1, 1},
      {"check", "check NAME on|off", "the check box is clicked if its state differs", 2, 2},
      {"focus", "focus NAME", "the focus moves to the control by the keyboard", 1, 1},
      {"type", "type NAME TEXT", "the user tabs into the edit and types TEXT key by key", 2, 2},
      {"keydown", "keydown NAME Up|Down", "the user presses that arrow key in the control", 2, 2},
      {"key", "key NAME KEY",
       "the user presses KEY in the control: Enter, Escape, Tab, Up, Down, Left, Right, Home, "
       "End, Delete or Backspace",
       2, 2},
      {"select", "select NAME INDEX|\"TEXT\"", "a mouse click on that item of a list or combo box",
       2, 2},
      {"input", "input TEXT | input --cancel",
       "the answer to the next input box; each must be taken before the dialog closes", 1, 1},
      {"color", "color VALUE", "the user chooses the colour (clRed, $0000FF ...) in the colour box",
       1, 1},
      {"wait", "wait MS", "simulated time passes while the dialog is open", 1, 1},
      {"dump", "dump [--pretty] [dialog]", "print the dialog's state as {\"dialog\":...}", 0, 2},
      {"expect", "expect POINTER JSON", "fail unless the dialog's dump holds JSON there", 1, 1},
      {"snapshot", SnapshotSynopsis(), "write a picture of the dialog", 1, 1},
      {"controls", "controls", "list the dialog's controls and what a block can do with each", 0,
       0},
      {"ok", "ok", "the user presses OK", 0, 0},
      {"cancel", "cancel", "the user presses Close (without ok or cancel the close box is used)", 0,
       0},
      {"close", "close", "the user closes the dialog with its close box", 0, 0},
  };
  return kCommands;
}

void DialogCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  Sim.Dialogs().Begin(A.Where);
}

// The blocks are the user in every settings dialog that opens, and answer
// the input boxes it opens.
TDialogBlocks::TDialogBlocks(TSimulatorState& Sim, TCommandRunner RunCommand)
    : FSim(Sim),
      FRunCommand(std::move(RunCommand)),
      FUser(std::make_unique<TModalUser>(
          [this](TCustomForm* Form) { RunModal(Form); },
          [this](const std::string& Caption, const std::string& Prompt, std::string& Value) {
            return AnswerInput(Caption, Prompt, Value);
          })) {}

TDialogBlocks::~TDialogBlocks() = default;

void TDialogBlocks::Begin(const std::string& Where) {
  if (FOpen)
    throw ECommandError("dialog: a dialog block cannot start inside a dialog");
  FReading = true;
  FCurrent = TBlock{Where, {}};
}

void TDialogBlocks::Add(const std::string& Line, const std::string& Where) {
  TLineLexer Lexer(Line);
  if (Lexer.Next().Text == "end" && Lexer.AtEnd()) {
    FReading = false;
    FQueued.push_back(std::move(FCurrent));
    FCurrent = TBlock();
    return;
  }
  try {
    CheckNames(Split(Line));
  } catch (const ECommandError& E) {
    // A block being read ends at its end.
    if (FindDialogCommand(TLineLexer(Line).Next().Text) == nullptr)
      throw ECommandError(std::string(E.what()) + "; end ends the block");
    throw;
  }
  FCurrent.Lines.push_back({Line, Where});
}

void TDialogBlocks::CheckNames(const TArgs& A) const {
  // The commands whose first word names a control. The names are known
  // once a dialog has opened; a typo is told as the line is typed, not
  // when the dialog runs the block.
  static const char* const kNamed[] = {"sheet", "click",   "check",  "focus",
                                       "type",  "keydown", "select", "key"};
  if (FKnownNames.empty() || A.Words.empty() ||
      std::find_if(std::begin(kNamed), std::end(kNamed),
                   [&A](const char* N) { return A.Command == N; }) == std::end(kNamed))
    return;
  if (FKnownNames.count(A.Words[0].Text) == 0)
    throw ECommandError("the settings dialog has no control '" + A.Words[0].Text +
                        "' ('help dialog' lists them)");
}

std::vector<std::string> TDialogBlocks::TakeUnused() {
  std::vector<std::string> Unused;
  for (const TBlock& B : FQueued)
    Unused.push_back(B.BeganAt);
  FQueued.clear();
  return Unused;
}

bool TDialogBlocks::TakeExpectFailed() {
  return std::exchange(FExpectFailed, false);
}

void TDialogBlocks::RunModal(TCustomForm* Form) {
  std::vector<TBlockLine> Lines;
  const bool Queued = !FQueued.empty();
  if (Queued) {
    Lines = std::move(FQueued.front().Lines);
    FQueued.pop_front();
  }
  FOpen = std::make_unique<TDialogDriver>(Form);
  FOpenForm = Form;
  // Answers no input box of this dialog took are not carried into the next.
  ScopeExit Close([this] {
    FOpen.reset();
    FInputs.clear();
  });
  FLastControls = FOpen->Controls();
  FKnownNames.clear();
  for (int i = 0; i < Form->ComponentCount(); ++i)
    FKnownNames.insert(UserText(Form->Components(i)->Name()).Str());
  FClosedByBox = false;
  if (!Queued && FLive) {
    RunLive();
    NoteEnding(Form);
    return;
  }
  for (const TBlockLine& Line : Lines)
    RunBlockLine(Line);
  CheckInputsTaken();
  // A block that ends without ok or cancel closes the dialog.
  if (!FOpen->Closed()) {
    FOpen->CloseBox();
    FClosedByBox = true;
  }
  NoteEnding(Form);
}

void TDialogBlocks::RunBlockLine(const TBlockLine& Line) {
  // A line typed at the prompt has no place to name: the line itself
  // names it.
  const TBlockLine L{Line.Line, Line.Where.empty()
                                    ? std::string("'").append(Trim(Line.Line)).append("'")
                                    : Line.Where};
  if (FOpen->Closed())
    throw EBlockLineError(L.Where, "the dialog has closed already");
  TLineLexer Lexer(L.Line);
  const std::string Command = Lexer.Next().Text;
  // The answers must be used before the user closes the dialog: an answer
  // left over means the script expected an input box that never came.
  if (Command == "ok" || Command == "cancel")
    CheckInputsTaken();
  FSim.CountCommand(L.Line, 1);
  try {
    RunLineNoting(L);
  } catch (const EExpectFailed& E) {
    FSim.Err() << "tabulon-ide: " << TUtf8(Line.Where.empty() ? "" : L.Where + ": ")
               << TUtf8(Shortened(Trim(L.Line))) << " failed\n"
               << TUtf8(E.what()) << "\n";
    FExpectFailed = true;
  } catch (const ECommandError& E) {
    throw EBlockLineError(L.Where, E.what());
  } catch (const Exception& E) {
    throw EBlockLineError(L.Where, UserText(E.Message()).Str());
  }
}

void TDialogBlocks::NoteEnding(TCustomForm* Form) {
  FEnded = Form->ModalResult() == mrOk ? "OK" : FClosedByBox ? "closed" : "Cancel";
}

std::string TDialogBlocks::TakeEnding() {
  return std::exchange(FEnded, std::string());
}

void TDialogBlocks::RunLive() {
  ScopeExit Done([this] { FLiveNow = false; });
  FLiveNow = true;
  if (FLiveScript) {
    RunScriptLive();
    return;
  }
  FSim.Out() << TUtf8(
      Paragraph("The settings dialog is open: each line runs in it at once "
                "('controls' lists its controls, 'help dialog' the commands); "
                "ok, cancel or close ends it."));
  while (!FOpen->Closed()) {
    std::string Line, Where;
    FSim.Out().flush();
    const TRead Read = FLive("dialog> ", Line, Where);
    if (Read == TRead::End) {
      // Ctrl-D is the user closing the dialog; the session goes on.
      FSim.Out() << "\n";
      FOpen->CloseBox();
      FClosedByBox = true;
      break;
    }
    if (Read == TRead::Cancelled || IsBlankOrComment(Line))
      continue;
    try {
      if (const std::string Problem = Utf8Problem(Line); !Problem.empty())
        throw ECommandError(Problem);
      if (RunHelp(Line))
        continue;
      const TBlockLine L{Line, ""};
      FSim.CountCommand(Line, 1);
      RunLineNoting(L);
    } catch (const EExpectFailed& E) {
      FSim.Err() << "tabulon-ide: " << TUtf8(Shortened(Trim(Line))) << " failed\n"
                 << TUtf8(E.what()) << "\n";
      FExpectFailed = true;
    } catch (const ECommandError& E) {
      FSim.Err() << "tabulon-ide: " << TUtf8(Printable(E.what())) << "\n";
    } catch (const Exception& E) {
      FSim.Err() << "tabulon-ide: " << Printable(UserText(E.Message())) << "\n";
    }
  }
  // An answer no input box took is told, not an error: the user sees the
  // dialog and goes on.
  for (const TInput& I : FInputs)
    FSim.Err() << "tabulon-ide: note: no input box took the answer '"
               << (I.Text ? UserText(*I.Text) : TUtf8("--cancel")) << "'\n";
  FInputs.clear();
}

void TDialogBlocks::RunScriptLive() {
  // The script's lines after the one that opened the dialog run in it, as
  // a block's would, until one ends it; the script's end closes it.
  std::string Line, Where;
  while (!FOpen->Closed() && FLive("", Line, Where) == TRead::Line) {
    if (IsBlankOrComment(Line))
      continue;
    if (const std::string Problem = Utf8Problem(Line); !Problem.empty())
      throw EBlockLineError(Where, Problem);
    try {
      if (RunHelp(Line))
        continue;
    } catch (const ECommandError& E) {
      throw EBlockLineError(Where, E.what());
    }
    RunBlockLine({Line, Where});
  }
  CheckInputsTaken();
  if (!FOpen->Closed()) {
    FOpen->CloseBox();
    FClosedByBox = true;
  }
}

bool TDialogBlocks::RunHelp(const std::string& Line) {
  TLineLexer Lexer(Line);
  TArgs H;
  H.Command = Lexer.Next().Text;
  if (H.Command != "help")
    return false;
  while (!Lexer.AtEnd())
    H.Words.push_back(Lexer.Next());
  FRunCommand(H);
  return true;
}

void TDialogBlocks::RunLineNoting(const TBlockLine& L) {
  const TDialogWatch Watch(FOpenForm, Split(L.Line));
  FTaken.reset();
  FAsked = false;
  RunLine(L);
  if (FOpen->Closed())
    return;
  for (const std::string& Note : Watch.Notes(FTaken ? &*FTaken : nullptr, FAsked))
    FSim.Err() << "tabulon-ide: note: " << TUtf8(Note) << "\n";
}

void TDialogBlocks::CheckInputsTaken() {
  if (!FInputs.empty())
    throw EBlockLineError(FInputs.front().Where,
                          "no input box took this answer before the dialog closed");
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
  } else if (A.Command == "key") {
    D.PressKey(Word(0), Word(1));
  } else if (A.Command == "select") {
    if (A.Words[1].Quoted)
      D.Select(Word(0), Word(1));
    else
      D.Select(Word(0), ParseCount(Word(1), "INDEX"));
  } else if (A.Command == "input") {
    if (Word(0) == "--cancel" && !A.Words[0].Quoted)
      FInputs.push_back({nullptr, L.Where});
    else
      FInputs.push_back({std::make_unique<std::string>(HostText(Word(0))), L.Where});
  } else if (A.Command == "controls") {
    FSim.Out() << TUtf8(FOpen->Controls());
  } else if (A.Command == "color") {
    D.Color(Word(0));
  } else if (A.Command == "ok") {
    D.Ok();
  } else if (A.Command == "cancel") {
    D.Cancel();
  } else if (A.Command == "close") {
    D.CloseBox();
    FClosedByBox = true;
  } else {
    // wait, dump, expect and snapshot are the simulator's own; dump, expect
    // and snapshot see the dialog while it is open.
    FRunCommand(A);
  }
}

bool TDialogBlocks::AnswerInput(const std::string& Caption, const std::string& Prompt,
                                std::string& Value) {
  FAsked = true;
  std::unique_ptr<std::string> Answer;
  if (!FInputs.empty()) {
    Answer = std::move(FInputs.front().Text);
    FInputs.pop_front();
  } else if (FLiveNow) {
    // A dialog driven live asks as the dialog would: at the prompt the user
    // types the answer, in a script the next line is the answer.
    Answer = AskInput(THostText(Caption), THostText(Prompt), THostText(Value));
  }
  // Without an answer the user cancels, which keeps the initial text.
  if (!Answer)
    return false;
  Value = *Answer;
  FTaken.emplace(*Answer);
  return true;
}

std::unique_ptr<std::string> TDialogBlocks::AskInput(const THostText& Caption,
                                                     const THostText& Prompt,
                                                     const THostText& Initial) {
  std::string Line, Where;
  if (FLiveScript) {
    // The line after the one that opened the box; an input line there
    // answers as it says.
    if (FLive("", Line, Where) != TRead::Line)
      return nullptr;
    if (const std::string Problem = Utf8Problem(Line); !Problem.empty())
      throw ECommandError(Problem);
    TLineLexer Lexer(Line);
    if (Lexer.Next().Text == "input" && !Lexer.AtEnd()) {
      const TArgs A = Split(Line);
      if (A.Words[0].Text == "--cancel" && !A.Words[0].Quoted)
        return nullptr;
      return std::make_unique<std::string>(HostText(A.Words[0].Text));
    }
    return std::make_unique<std::string>(HostText(Line));
  }
  const std::string Asks = Prompt == Caption ? "" : ": " + UserText(Prompt).Str();
  FSim.Out() << TUtf8(Paragraph("The input box '" + UserText(Caption).Str() + "' is open" + Asks +
                                " (it holds '" + UserText(Initial).Str() +
                                "'): type the answer; Enter gives it, Ctrl-C cancels."))
             << std::flush;
  const TRead Read = FLive("input> ", Line, Where);
  if (Read == TRead::End)
    FSim.Out() << "\n";
  if (Read != TRead::Line)
    return nullptr;
  if (const std::string Problem = Utf8Problem(Line); !Problem.empty())
    throw ECommandError(Problem);
  return std::make_unique<std::string>(HostText(Line));
}
