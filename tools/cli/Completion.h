#pragma once

// What Tab offers at the prompt: the words that may stand where the cursor
// is, given the line before it.

#include <string>
#include <vector>

class TSimulator;

// Before: the line up to the cursor. InDialog: the line goes to a dialog
// (a block being typed, or the dialog open at the prompt). The words that
// may complete the last (partial) word of Before, all starting with it,
// sorted, each once.
std::vector<std::string> Completions(TSimulator& Sim, const std::string& Before, bool InDialog);
