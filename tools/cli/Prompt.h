#pragma once

// The prompt of tabulon-ide: lines typed by the user, each run at once. On a
// terminal the lines come through libedit, with line editing and a history
// kept across sessions; elsewhere (tests, a prompt fed by a program) they are
// read plainly from a stream.

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "Completion.h"
#include "ExitStatus.h"
#include "Script.h"

class TSimulator;

class TPromptInput {
 public:
  virtual ~TPromptInput() = default;
  // Shows Prompt and reads one line without its end.
  virtual TRead ReadLine(const std::string& Prompt, std::string& Line) = 0;
};

// Prompts on Out and reads lines from In (CR, LF or CR LF ends).
std::unique_ptr<TPromptInput> StreamPromptInput(std::istream& In, std::ostream& Out);

// libedit on the process's standard input and output, which must be a
// terminal. The history is read from HistoryFile and written back as each
// line is entered, so that a session that is killed keeps it (nothing is
// kept when it is empty); a history that cannot be written is reported on
// Err once. Ctrl-C cancels the line being typed.
// Tab completes the word before the cursor from what Complete offers for
// the line up to it (the prompt shown tells a dialog's lines), or lists the
// choices in columns as wide as the terminal; a Tab that arrives with more
// input behind it (pasted text) is a blank.
using TCompleter = std::function<TCompletion(const std::string& Before, bool InDialog)>;
std::unique_ptr<TPromptInput> EditLinePromptInput(const std::string& HistoryFile, std::ostream& Err,
                                                  TCompleter Complete);

// The keys that end the input at this system's prompt, as the banner and
// --help name them: "Ctrl-D" on a POSIX terminal.
std::string LeaveKeys();
// What this system's prompt offers, for --help: its line editing,
// completion and history.
std::string PromptFeatures();

// Runs the prompt until the end of the input. A mistake is reported as it is
// typed and the session goes on, so what decides the status is only what
// failed on the way: settings not saved, an expect that failed, a dialog
// block left unused or unfinished at the end (Error).
// Its own output goes where the simulator's does.
TRunOutcome RunPrompt(TSimulator& Sim, TPromptInput& Input);
