#pragma once

// What a command of tabulon-ide is: its entry in a command table, the words
// it is given, and the checks and conversions every command makes of them.
// The commands themselves live with what they act on; the table that lists
// them is Commands().

#include <stdexcept>
#include <string>
#include <vector>

#include "Script.h"
#include "UserText.h"

class TCustomTabControl;
class TSimulatorState;

// The words of a command line after the command's name. A command that
// takes raw text at its end (expect's JSON) gets that text in Tail.
struct TArgs {
  std::string Command;
  std::vector<TWord> Words;
  std::string Tail;
  // Where the line is, as messages name it (FILE:LINE); empty at the prompt.
  std::string Where;
};

// An expect that did not hold: the script goes on, the status becomes 1.
class EExpectFailed : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// What a command is about, for the lists of commands in --help and at the
// prompt: what the user or the IDE does, what the user does with the
// add-in, the settings dialog, and what shows the state.
enum class TCommandKind { Ide, Addin, Dialog, Inspection };

// What running a line takes besides the command itself.
enum class TCommandFlow {
  // Something the user or the IDE does: counted for -v's summary, and the
  // message loop runs and failed saves are told after it. Inside a dialog
  // block being read, the line belongs to the block.
  Action,
  // The same, but answered at once even inside a block being read (help,
  // so that the controls can be looked up while the block is written).
  Answer,
  // Starts a dialog block: nothing happens in the IDE, nothing is counted.
  BlockStart,
};

// One entry per command. Adding a command is adding one entry to the table
// in Commands.cpp.
struct TCommand {
  TCommandKind Kind;
  const char* Name;
  const char* Synopsis;  // as --help shows it
  const char* Summary;   // a few words, as the prompt's help lists it
  const char* Help;      // the whole of it, in one paragraph
  // -1: every argument is a word; N: N words, then the rest of the line raw.
  int WordsBeforeTail;
  void (*Run)(TSimulatorState& Sim, const TArgs& Args);
  TCommandFlow Flow = TCommandFlow::Action;
};

// Raises ECommandError when the command was given arguments.
void NoArguments(const TArgs& A);

// A non-negative decimal number of at most nine digits; ECommandError else.
int ParseCount(const std::string& Text, const std::string& What);

// A tab of a tab control named by caption (letter case ignored, first
// match) or by "#N", N counting the visible tabs from 0; What names the
// tab in messages ("group tab"). ECommandError when there is none.
int FindTab(TCustomTabControl* Tabs, const TWord& Word, const char* What);
