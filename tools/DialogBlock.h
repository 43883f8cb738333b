#pragma once

// The simulator's "dialog ... end" blocks: the lines between them are what
// the user will do in the next settings dialog. They are checked when the
// block is read and run inside the dialog's modal loop when a later command
// opens it; a block without ok or cancel closes the dialog at its end.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "Simulator.h"

class TDialogDriver;

struct TBlockLine {
  std::string Line;
  std::string Where;
};

class TDialogBlocks {
 public:
  explicit TDialogBlocks(TSimulator& Sim);
  ~TDialogBlocks();

  bool Reading() const { return FReading; }
  // "dialog": starts reading a block.
  void Begin(const std::string& Where);
  // A line of the block being read; "end" finishes it. Raises ECommandError
  // for a line that is not a dialog command.
  void Add(const std::string& Line, const std::string& Where);
  // Whether a block was started and not finished (at the end of a script).
  std::string Unfinished() const { return FReading ? FBeganAt : std::string(); }

  // The dialog that is open now, with its driver; nullptr outside one.
  TDialogDriver* Open() const { return FOpen.get(); }
  // The form of that dialog; nullptr outside one.
  TCustomForm* OpenForm() const { return FOpen ? FOpenForm : nullptr; }
  // Whether an expect inside a block failed since the last call.
  bool TakeExpectFailed();

 private:
  void RunModal(TCustomForm* Form);
  bool AnswerInput(const std::string& Caption, const std::string& Prompt, std::string& Value);
  void RunLine(const TBlockLine& Line);

  TSimulator& FSim;
  bool FReading = false;
  std::string FBeganAt;
  std::vector<TBlockLine> FCurrent;
  std::deque<std::vector<TBlockLine>> FQueued;
  std::unique_ptr<TDialogDriver> FOpen;
  TCustomForm* FOpenForm = nullptr;
  // Answers for the next input boxes: text, or nothing for Cancel.
  std::deque<std::unique_ptr<std::string>> FInputs;
  bool FExpectFailed = false;
};
