#pragma once

// What Tab does at the prompt: the words that may stand where the cursor
// is, given the line before it, and what the line becomes.

#include <cstddef>
#include <string>
#include <vector>

class TSimulator;

// The word being completed and what may complete it.
struct TCompletion {
  // Where the word starts in the line (at its opening quote, if any); Tab
  // replaces the line from there.
  std::size_t Start = 0;
  // What the user typed of it, without its opening quote.
  std::string Typed;
  bool Quoted = false;  // the user opened a quote
  // The names that may stand there (as captions: without quotes), sorted,
  // each once.
  std::vector<std::string> Matches;
};

// Before: the line up to the cursor. InDialog: the line goes to a dialog
// (a block being typed, or the dialog open at the prompt). Commands, and
// the words of each command: control names only of the controls that
// command acts on, group and page captions in any script, matched without
// regard to letter case when nothing matches with it. A command that takes
// the rest of its line (page, group) completes that rest, blanks included.
TCompletion Completions(TSimulator& Sim, const std::string& Before, bool InDialog);

// What Tab makes of a completion: the text that replaces the line from
// Start (the one match, quoted where it holds a blank, and a blank after
// it; or the beginning all matches share, when it is longer than what was
// typed), or nothing, when the matches are to be listed instead.
struct TCompletionEdit {
  bool Replace = false;
  std::string Text;
};
TCompletionEdit CompletionEdit(const TCompletion& C);

// Items in columns, down and then across as readline lists them, each
// line at most Width columns (one item a line where none fits).
std::string InColumns(const std::vector<std::string>& Items, std::size_t Width);
