#pragma once

// The prompt of tabulon-ide: lines typed by the user, each run at once. On a
// terminal the lines come through libedit, with line editing and a history
// kept across sessions; elsewhere (tests, a prompt fed by a program) they are
// read plainly from a stream.

#include <iosfwd>
#include <memory>
#include <string>

class TSimulator;

class TPromptInput {
 public:
  virtual ~TPromptInput() = default;
  // Shows Prompt and reads one line without its end; false at the end of
  // the input (Ctrl-D).
  virtual bool ReadLine(const std::string& Prompt, std::string& Line) = 0;
};

// Prompts on Out and reads lines from In (CR, LF or CR LF ends).
std::unique_ptr<TPromptInput> StreamPromptInput(std::istream& In, std::ostream& Out);

// libedit on the process's standard input and output, which must be a
// terminal. The history is read from and written back to HistoryFile
// (nothing is kept when it is empty); a history that cannot be written is
// reported on Err when the prompt ends.
std::unique_ptr<TPromptInput> EditLinePromptInput(const std::string& HistoryFile,
                                                  std::ostream& Err);

// Runs the prompt until the end of the input. A mistake is reported as it is
// typed and the session goes on, so the status is only that of what failed
// on the way: 3 when settings could not be saved, 1 when an expect failed,
// 2 when a dialog block was left unused or unfinished at the end, else 0.
int RunPrompt(TSimulator& Sim, TPromptInput& Input, std::ostream& Out);
